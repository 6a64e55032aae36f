#include "codec/checkedsave.h"

#include <QSaveFile>

bool commitChecked(QSaveFile& file) {
    if (!file.isOpen())
        return false;
    if (!file.flush() || file.error() != QFileDevice::NoError) {
        file.cancelWriting();
        file.commit(); // removes the temporary file, leaves the target alone
        return false;
    }
    return file.commit();
}

bool saveChecked(const QString& fileName, const std::function<bool(QIODevice&)>& write) {
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (!write(file)) {
        file.cancelWriting();
        file.commit();
        return false;
    }
    return commitChecked(file);
}

bool saveBytesChecked(const QString& fileName, const QByteArray& bytes) {
    return saveChecked(fileName,
                       [&bytes](QIODevice& file) { return file.write(bytes) == bytes.size(); });
}
