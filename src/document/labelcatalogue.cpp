#include "document/labelcatalogue.h"

#include "codec/checkedsave.h"
#include "document/progpath.h"

#include <QFile>
#include <QtEndian>

#include <cmath>

namespace {
// A gap is pitch minus size; the tolerance absorbs the rounding of that difference.
constexpr double GapTolerance = 1e-9;

bool inRange(double v, double low, double high) {
    return std::isfinite(v) && v >= low && v <= high;
}
bool gapInRange(double pitch, double size, double high) {
    const double gap = pitch - size;
    return std::isfinite(gap) && gap >= -GapTolerance && gap <= high + GapTolerance;
}
} // namespace

bool withinLabelTypeLimits(const TLabelFormat& f) {
    using namespace LabelTypeLimits;
    return inRange(f.MarginLeft, 0, MaxHorizontal) && inRange(f.MarginTop, 0, MaxVertical) &&
           inRange(f.LabelWidth, MinLabelSize, MaxHorizontal) &&
           inRange(f.LabelHeight, MinLabelSize, MaxVertical) &&
           gapInRange(f.PitchX, f.LabelWidth, MaxHorizontal) &&
           gapInRange(f.PitchY, f.LabelHeight, MaxVertical) && f.Across >= MinCount &&
           f.Across <= MaxCount && f.Down >= MinCount && f.Down <= MaxCount;
}

CatalogueContent parseCatalogue(const QByteArray& bytes) {
    CatalogueContent content;
    if (bytes.size() < CatalogueFile::HeaderSize)
        return content;
    const char* p = bytes.constData();
    const qint32 id = qFromLittleEndian<qint32>(p);
    const qint32 n = qFromLittleEndian<qint32>(p + 4);
    if (id != CatalogueFile::Identification || n < 0 || n > CatalogueFile::MaxEntries ||
        bytes.size() != CatalogueFile::HeaderSize + qint64(n) * TLabelFormat::RecordSize)
        return content;
    content.recognised = true;
    content.entries.reserve(n);
    for (qint32 i = 0; i < n; ++i) {
        const QByteArray record =
            bytes.mid(CatalogueFile::HeaderSize + qsizetype(i) * TLabelFormat::RecordSize,
                      TLabelFormat::RecordSize);
        TLabelFormat f;
        const bool nameFits =
            static_cast<unsigned char>(record.at(56)) <= TLabelFormat::MaxTypeNameLength;
        if (nameFits && TLabelFormat::fromBytes(record, f) && withinLabelTypeLimits(f))
            content.entries.append(f);
        else
            ++content.dropped;
    }
    return content;
}

QByteArray catalogueBytes(const QList<TLabelFormat>& entries) {
    QByteArray out(CatalogueFile::HeaderSize, '\0');
    qToLittleEndian<qint32>(CatalogueFile::Identification, out.data());
    qToLittleEndian<qint32>(qint32(entries.size()), out.data() + 4);
    out.reserve(CatalogueFile::HeaderSize + entries.size() * TLabelFormat::RecordSize);
    for (const TLabelFormat& f : entries)
        out += f.toBytes();
    return out;
}

LabelCatalogue::LabelCatalogue(const QString& fileName)
    : fileName_(fileName.isEmpty() ? defaultFileName() : fileName) {}

QString LabelCatalogue::defaultFileName() {
    return ProgPath() + QStringLiteral("Etikett.dat");
}

void LabelCatalogue::LoadEttTypes() {
    changed_ = false;
    QFile file(fileName_);
    if (!file.exists()) {
        state_ = FileState::Missing;
        return;
    }
    state_ = FileState::NotTaken;
    constexpr qint64 MaxBytes =
        CatalogueFile::HeaderSize + qint64(CatalogueFile::MaxEntries) * TLabelFormat::RecordSize;
    if (!file.open(QIODevice::ReadOnly) || file.size() > MaxBytes)
        return;
    const CatalogueContent content = parseCatalogue(file.read(MaxBytes + 1));
    if (!content.recognised)
        return; // another identification: the list stays as it is
    entries_ = content.entries;
    if (content.dropped == 0)
        state_ = FileState::Read;
}

bool LabelCatalogue::backupOldFile() const {
    // A half-written backup must not replace an older complete one.
    return copyFileChecked(fileName_, fileName_ + QStringLiteral(".bak"));
}

void LabelCatalogue::SaveEttTypes() {
    if (state_ == FileState::NotTaken) {
        // What could not be read is kept: left alone while the list is unchanged,
        // copied aside before a changed list replaces it.
        if (!changed_ || !backupOldFile())
            return;
    }
    if (saveBytesChecked(fileName_, catalogueBytes(entries_)))
        state_ = FileState::Read;
}

void LabelCatalogue::FreeEttTypes() {
    entries_.clear();
    changed_ = false;
}

void LabelCatalogue::append(const TLabelFormat& entry) {
    entries_.append(entry);
    changed_ = true;
}

void LabelCatalogue::replace(int index, const TLabelFormat& entry) {
    if (index < 0 || index >= entries_.size())
        return;
    entries_[index] = entry;
    changed_ = true;
}

void LabelCatalogue::remove(int index) {
    if (index < 0 || index >= entries_.size())
        return;
    entries_.removeAt(index);
    changed_ = true;
}
