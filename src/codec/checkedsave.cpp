#include "codec/checkedsave.h"

#include <QFile>
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

bool copyFileChecked(const QString& source, const QString& target) {
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    return saveChecked(target, [&in](QIODevice& out) {
        char chunk[64 * 1024];
        for (;;) {
            const qint64 n = in.read(chunk, sizeof chunk);
            if (n < 0)
                return false;
            if (n == 0)
                return in.atEnd();
            if (out.write(chunk, n) != n)
                return false;
        }
    });
}
