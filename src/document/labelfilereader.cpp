#include "document/labelfile.h"

#include "document/progpath.h"
#include "document/transcolor.h"
#include "document/win1252.h"
#include "merge/fields.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

// The layout is a packed little-endian record format of its own; it is read field
// by field here because no library knows it. Nothing read is trusted: every read
// is checked against the end of the file, strings are bounded, and the header is
// checked completely before the open document is touched.

namespace {
class FieldReader {
public:
    explicit FieldReader(QIODevice& in) : in_(in) {}

    bool raw(char* to, qint64 n) { return in_.read(to, n) == n; }
    bool i32(int32_t& v) {
        char b[4];
        if (!raw(b, 4))
            return false;
        v = qFromLittleEndian<qint32>(b);
        return true;
    }
    bool f64(double& v) {
        char b[8];
        if (!raw(b, 8))
            return false;
        const quint64 bits = qFromLittleEndian<quint64>(b);
        std::memcpy(&v, &bits, sizeof v);
        return true;
    }
    bool u8(uint8_t& v) {
        char b;
        if (!raw(&b, 1))
            return false;
        v = uint8_t(b);
        return true;
    }
    bool flag(bool& v) {
        uint8_t b = 0;
        if (!u8(b))
            return false;
        v = b != 0;
        return true;
    }

    enum class Str { Ok, End, TooLong };
    // The bytes up to the next byte 0, which is consumed.
    Str string(QString& out) {
        QByteArray bytes;
        char chunk[256];
        for (;;) {
            const qint64 got = in_.peek(chunk, sizeof chunk);
            if (got <= 0)
                return Str::End;
            const void* zero = std::memchr(chunk, 0, size_t(got));
            const qint64 take = zero ? static_cast<const char*>(zero) - chunk : got;
            if (bytes.size() + take > LabelFile::MaxStringBytes)
                return Str::TooLong;
            bytes.append(chunk, take);
            in_.skip(zero ? take + 1 : take);
            if (zero) {
                out = fromWin1252(bytes);
                return Str::Ok;
            }
        }
    }

private:
    QIODevice& in_;
};

struct Header {
    TLabelFormat Format;
    int32_t WorkWidth = 0;
    int32_t WorkHeight = 0;
    int32_t BkgndMode = BkgndNone;
    QString BkgndFile;
    double Zoom = 0;
    double UnitsPerPixel = 0;
};

enum class HeaderCheck { Ok, WrongIdentification, Damaged };

void reportDamagedHeader(Prompts& prompts, const QString& reason) {
    prompts.info(QStringLiteral("Die Datei ist beschädigt und wurde nicht geöffnet.\n") + reason,
                 QStringLiteral("Fehler: Datei beschädigt"));
}

bool finitePositive(double v) {
    return std::isfinite(v) && v > 0;
}

bool within(double v, double low, double high) {
    return std::isfinite(v) && v >= low && v <= high;
}

bool plausibleFormat(const TLabelFormat& f) {
    using namespace LabelFile;
    for (double v : {f.PitchX, f.PitchY, f.LabelWidth, f.LabelHeight}) {
        if (!within(v, MinFormatLength, MaxFormatLength))
            return false;
    }
    return within(f.MarginLeft, -MaxFormatMargin, MaxFormatMargin) &&
           within(f.MarginTop, -MaxFormatMargin, MaxFormatMargin) && f.Across >= 1 &&
           f.Across <= MaxFormatCount && f.Down >= 1 && f.Down <= MaxFormatCount;
}

HeaderCheck readHeader(FieldReader& r, Header& h, Prompts& prompts) {
    char id[LabelFile::IdentificationSize];
    if (!r.raw(id, sizeof id) ||
        std::memcmp(id, LabelFile::Identification, LabelFile::IdentificationSize) != 0) {
        prompts.info(QStringLiteral("Es handelt sich nicht um eine Etikett im NOR-VEX "
                                    "Aufkleber-Werkbank 2.1-Format!"),
                     QStringLiteral("Dateikennung falsch"));
        return HeaderCheck::WrongIdentification;
    }
    QByteArray format(TLabelFormat::RecordSize, '\0');
    if (!r.raw(format.data(), format.size()) || !r.i32(h.WorkWidth) || !r.i32(h.WorkHeight) ||
        !r.i32(h.BkgndMode)) {
        reportDamagedHeader(prompts, QStringLiteral("Sie endet schon im Dateikopf."));
        return HeaderCheck::Damaged;
    }
    TLabelFormat::fromBytes(format, h.Format);
    if (r.string(h.BkgndFile) != FieldReader::Str::Ok) {
        reportDamagedHeader(
            prompts, QStringLiteral("Der Name des Hintergrundbildes ist nicht abgeschlossen."));
        return HeaderCheck::Damaged;
    }
    if (!r.f64(h.Zoom) || !r.f64(h.UnitsPerPixel)) {
        reportDamagedHeader(prompts, QStringLiteral("Sie endet schon im Dateikopf."));
        return HeaderCheck::Damaged;
    }

    if (!plausibleFormat(h.Format)) {
        reportDamagedHeader(prompts, QStringLiteral("Das Etikettenformat enthält ungültige Maße."));
        return HeaderCheck::Damaged;
    }
    // An empty work area is legal (if useless); its paint box still gets a pixel each way.
    if (h.WorkWidth < 0 || h.WorkHeight < 0 || h.WorkWidth > LabelFile::MaxWorkArea ||
        h.WorkHeight > LabelFile::MaxWorkArea) {
        reportDamagedHeader(prompts,
                            QStringLiteral("Die Arbeitsfläche hat eine unmögliche Größe."));
        return HeaderCheck::Damaged;
    }
    const long double scale = (long double)h.Zoom / (long double)h.UnitsPerPixel;
    const long double boxW = h.WorkWidth * scale;
    const long double boxH = h.WorkHeight * scale;
    if (!finitePositive(h.Zoom) || !finitePositive(h.UnitsPerPixel) || !std::isfinite(scale) ||
        !(scale > 0) || boxW > LabelFile::MaxPaintBoxPixels ||
        boxH > LabelFile::MaxPaintBoxPixels) {
        reportDamagedHeader(
            prompts, QStringLiteral("Der Zoomfaktor oder der Maßstab der Ansicht ist ungültig."));
        return HeaderCheck::Damaged;
    }
    return HeaderCheck::Ok;
}

enum class RecordRead { Ok, End, TooLong };

RecordRead readRecordFields(FieldReader& r, Tobs& o) {
    using Str = FieldReader::Str;
    if (!(r.i32(o.X) && r.i32(o.Y) && r.i32(o.Width) && r.i32(o.Height) && r.flag(o.KeepAspect) &&
          r.i32(o.Kind) && r.i32(o.Color) && r.i32(o.Shape) && r.i32(o.TextAlign) &&
          r.i32(o.OutlineColor) && r.i32(o.ShadowColor) && r.flag(o.Shadow) && r.flag(o.Outline) &&
          r.i32(o.ShadowDX) && r.i32(o.ShadowDY) && r.flag(o.Transparent) && r.flag(o.TransAuto) &&
          r.i32(o.TransColor) && r.i32(o.Rotation)))
        return RecordRead::End;
    if (const Str s = r.string(o.Text); s != Str::Ok)
        return s == Str::End ? RecordRead::End : RecordRead::TooLong;
    if (!(r.i32(o.FontColor) && r.i32(o.FontHeight)))
        return RecordRead::End;
    if (const Str s = r.string(o.FontName); s != Str::Ok)
        return s == Str::End ? RecordRead::End : RecordRead::TooLong;
    if (!(r.u8(o.FontPitch) && r.i32(o.FontSize) && r.u8(o.FontStyle)))
        return RecordRead::End;
    return RecordRead::Ok;
}

} // namespace

ObjectRecordRead readObjectRecord(QIODevice& in, int32_t& slot, Tobs& obj) {
    FieldReader r(in);
    if (!r.i32(slot))
        return ObjectRecordRead::End;
    switch (readRecordFields(r, obj)) {
    case RecordRead::Ok:
        return ObjectRecordRead::Ok;
    case RecordRead::TooLong:
        return ObjectRecordRead::TooLong;
    default:
        return ObjectRecordRead::End;
    }
}

namespace {
// Every field the file holds; the slot's picture and font object stay.
void copyStoredFields(const Tobs& from, Tobs& to) {
    const TDibRecord picture = to.Picture;
    const QFont font = to.FontRef;
    to = from;
    to.Picture = picture;
    to.FontRef = font;
}

// Reads the records up to the end marker into the (reset) document.
RecordRead readRecords(FieldReader& r, LabelDocument& doc) {
    Tobs record;
    for (;;) {
        int32_t slot = 0;
        if (!r.i32(slot))
            return RecordRead::End;
        if (slot > ObjectTable::MaxObjs)
            return RecordRead::Ok;
        if (const RecordRead result = readRecordFields(r, record); result != RecordRead::Ok)
            return result;
        // A slot number below 1 has no place in the table: the record is skipped.
        if (ObjectTable::isSlot(slot))
            copyStoredFields(record, doc.Objs[slot]);
    }
}

// What an open has reported about pictures: each failed name once, however many
// slots name it, the first few names only (then one word for all the others), and
// the full memory for pictures once.
constexpr int FailedNamesReported = PictureFailuresReported;
struct PictureReports {
    QSet<QString> failedNames;
    bool budgetReported = false;
};

// A stored name first as it is, then as a file of the same name beside the label file.
void loadPicture(TDibRecord& rec, const QString& name, int rotation, const QString& ettFolder,
                 Prompts& prompts, PictureLoader& pictures, PictureReports& reports) {
    PictureLoad result = pictures.load(rec, name, rotation);
    const QString part = fileNamePart(name);
    if (result == PictureLoad::Failed && !part.isEmpty() && !ettFolder.isEmpty())
        result = pictures.load(rec, QDir(ettFolder).filePath(part), rotation);
    if (result == PictureLoad::OverBudget) {
        if (!std::exchange(reports.budgetReported, true))
            prompts.error(pictureBudgetMessage(name));
        return;
    }
    if (result != PictureLoad::Failed || reports.failedNames.size() > FailedNamesReported ||
        reports.failedNames.contains(name))
        return;
    reports.failedNames.insert(name);
    if (reports.failedNames.size() <= FailedNamesReported)
        prompts.error(pictureFailedMessage(name));
    else
        prompts.error(QStringLiteral("Weitere Bilder konnten nicht geladen werden; an ihrer "
                                     "Stelle steht ein leeres Bild."));
}

// Pictures are loaded once per slot after all records are read, so a file cannot
// make the same slot load pictures again and again.
void loadPictures(LabelDocument& doc, const QString& ettFolder, Prompts& prompts,
                  PictureLoader& pictures) {
    PictureReports reports;
    if (doc.BkgndMode != BkgndNone && !doc.BkgndFile.isEmpty())
        loadPicture(doc.BkgndPic, doc.BkgndFile, 0, ettFolder, prompts, pictures, reports);
    for (int slot = 1; slot <= ObjectTable::MaxObjs; ++slot) {
        Tobs& o = doc.Objs[slot];
        if (o.Kind != KindPicture)
            continue;
        deldib(o.Picture);
        // A name with fields names a picture per label, fetched when a label is drawn.
        if (hasFields(o.Text))
            continue;
        // Width and Height are stored as they are: they already describe the turned picture.
        loadPicture(o.Picture, o.Text, o.Rotation, ettFolder, prompts, pictures, reports);
        settleTransColor(o);
    }
}
} // namespace

ReadOutcome readLabelFile(QIODevice& in, const QString& ettFolder, LabelDocument& doc,
                          Prompts& prompts, PictureLoader& pictures) {
    FieldReader r(in);
    Header h;
    if (readHeader(r, h, prompts) != HeaderCheck::Ok)
        return ReadOutcome::Refused;

    const QString keptName = doc.CurFileName;
    doc.clearall();
    // A read document starts a history of its own.
    doc.Undo.clear();
    doc.CurFileName = keptName;
    doc.Format = h.Format;
    doc.WorkWidth = h.WorkWidth;
    doc.WorkHeight = h.WorkHeight;
    doc.BkgndMode = h.BkgndMode;
    doc.BkgndFile = h.BkgndFile;
    doc.Zoom = h.Zoom;
    doc.UnitsPerPixel = h.UnitsPerPixel;

    const RecordRead records = readRecords(r, doc);
    loadPictures(doc, ettFolder, prompts, pictures);

    if (records == RecordRead::Ok)
        return ReadOutcome::Complete;
    // What was read is not what any file holds.
    doc.Undo.resetClean();
    switch (records) {
    case RecordRead::Ok:
        break;
    case RecordRead::End:
        prompts.message(QStringLiteral("Die Datei ist unvollständig, sie endet zu früh. "
                                       "Geladen wurde, was bis dahin lesbar war; das "
                                       "Etikett hat jetzt keinen Dateinamen."),
                        QStringLiteral("Warnung: Datei unvollständig"), Prompts::Buttons::Ok,
                        Prompts::Icon::Warning);
        break;
    case RecordRead::TooLong:
        prompts.message(QStringLiteral("Die Datei ist beschädigt: Ein Text ist nicht "
                                       "abgeschlossen. Geladen wurde, was davor lesbar war; das "
                                       "Etikett hat jetzt keinen Dateinamen."),
                        QStringLiteral("Warnung: Datei beschädigt"), Prompts::Buttons::Ok,
                        Prompts::Icon::Warning);
        break;
    }
    return ReadOutcome::Incomplete;
}

ReadOutcome readLabelFile(const QString& fileName, LabelDocument& doc, Prompts& prompts,
                          PictureLoader& pictures) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        prompts.info(QStringLiteral("Beim Öffnen der Datei ist ein Fehler aufgetreten!"),
                     QStringLiteral("Fehler: Datei konnte nicht geöffnet werden"));
        return ReadOutcome::Refused;
    }
    const ReadOutcome outcome =
        readLabelFile(file, QFileInfo(fileName).absolutePath(), doc, prompts, pictures);
    if (outcome != ReadOutcome::Refused)
        doc.CurFileName = outcome == ReadOutcome::Complete ? fileName : QString();
    return outcome;
}
