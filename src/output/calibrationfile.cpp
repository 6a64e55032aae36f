#include "output/calibrationfile.h"

#include "codec/checkedsave.h"
#include "document/progpath.h"

#include <QFile>
#include <QtEndian>

#include <array>
#include <cstring>

namespace {
constexpr qint64 FileSize = 32;
} // namespace

QString calibrationFilePath() {
    return ProgPath() + QStringLiteral("options.dat");
}

Calibration readCalibration(const QString& path) {
    Calibration c;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return c;
    const QByteArray bytes = file.read(FileSize);
    std::array<double*, 4> fields = {&c.Links, &c.Oben, &c.Breit, &c.Hoch};
    for (size_t i = 0; i < fields.size() && qsizetype(8 * (i + 1)) <= bytes.size(); ++i)
        *fields[i] = qFromLittleEndian<double>(bytes.constData() + 8 * i);
    return c.clamped();
}

bool writeCalibration(const Calibration& calibration, const QString& path) {
    QByteArray bytes(FileSize, '\0');
    const std::array<double, 4> values = {calibration.Links, calibration.Oben, calibration.Breit,
                                          calibration.Hoch};
    for (size_t i = 0; i < values.size(); ++i)
        qToLittleEndian<double>(values[i], bytes.data() + 8 * i);
    return saveBytesChecked(path, bytes);
}
