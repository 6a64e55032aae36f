#include "document/labelformat.h"

#include "document/labeldocument.h"
#include "document/win1252.h"

#include <QtEndian>

#include <algorithm>
#include <cstring>

namespace {
void putDouble(char* at, double v) {
    quint64 bits;
    std::memcpy(&bits, &v, sizeof bits);
    qToLittleEndian(bits, at);
}
double getDouble(const char* at) {
    const quint64 bits = qFromLittleEndian<quint64>(at);
    double v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

// Fixed-point with two decimals, as the summary line shows lengths.
QString mm(double v, const QLocale& locale) {
    QString s = QString::number(v, 'f', 2);
    return s.replace(QLatin1Char('.'), locale.decimalPoint());
}
} // namespace

QByteArray TLabelFormat::toBytes() const {
    QByteArray out(RecordSize, '\0');
    char* p = out.data();
    putDouble(p + 0, MarginLeft);
    putDouble(p + 8, MarginTop);
    putDouble(p + 16, PitchX);
    putDouble(p + 24, PitchY);
    putDouble(p + 32, LabelWidth);
    putDouble(p + 40, LabelHeight);
    qToLittleEndian<qint32>(Across, p + 48);
    qToLittleEndian<qint32>(Down, p + 52);
    const QByteArray name = toWin1252(TypeName.left(MaxTypeNameLength));
    p[56] = char(name.size());
    std::memcpy(p + 57, name.constData(), size_t(name.size()));
    return out;
}

bool TLabelFormat::fromBytes(const QByteArray& bytes, TLabelFormat& out) {
    if (bytes.size() < RecordSize)
        return false;
    const char* p = bytes.constData();
    TLabelFormat f;
    f.MarginLeft = getDouble(p + 0);
    f.MarginTop = getDouble(p + 8);
    f.PitchX = getDouble(p + 16);
    f.PitchY = getDouble(p + 24);
    f.LabelWidth = getDouble(p + 32);
    f.LabelHeight = getDouble(p + 40);
    f.Across = qFromLittleEndian<qint32>(p + 48);
    f.Down = qFromLittleEndian<qint32>(p + 52);
    const int len = std::min<int>(static_cast<unsigned char>(p[56]), MaxTypeNameLength);
    f.TypeName = fromWin1252(QByteArray(p + 57, len));
    out = f;
    return true;
}

QString InfoLine(const TLabelFormat& f, const QLocale& locale) {
    return QString::number(f.Across) + QStringLiteral(" x ") + QString::number(f.Down) +
           QStringLiteral(" Etiketten á ") + mm(f.LabelWidth, locale) + QStringLiteral("mm x ") +
           mm(f.LabelHeight, locale) + QStringLiteral("mm pro Blatt [Abstände ") +
           mm(f.PitchX, locale) + QStringLiteral("mm ; ") + mm(f.PitchY, locale) +
           QStringLiteral("mm] [Ränder ") + mm(f.MarginLeft, locale) + QStringLiteral("mm ; ") +
           mm(f.MarginTop, locale) + QStringLiteral("mm]");
}

namespace {
// Trunc(3 x length x 20000 / MmPerInch), left to right in extended precision,
// limited to what an int32 holds.
int32_t threeLabels(double lengthMm) {
    return truncToInt32(3.0L * (long double)lengthMm * 20000.0L / (long double)MmPerInch);
}
} // namespace

int32_t workWidthFor(const TLabelFormat& f) {
    return threeLabels(f.LabelWidth);
}
int32_t workHeightFor(const TLabelFormat& f) {
    return threeLabels(f.LabelHeight);
}

SheetPosition sheetPosition(const TLabelFormat& f, int k) {
    const int across = std::max(1, f.Across);
    const int down = std::max(1, f.Down);
    SheetPosition pos;
    pos.column = k % across;
    pos.row = (k / across) % down;
    pos.sheet = int(k / (qint64(across) * down));
    pos.leftMm = f.MarginLeft + pos.column * f.PitchX;
    pos.topMm = f.MarginTop + pos.row * f.PitchY;
    return pos;
}
