#include "document/labelfile.h"

#include "codec/checkedsave.h"
#include "document/picturenames.h"
#include "document/win1252.h"

#include <QFileInfo>
#include <QSaveFile>
#include <QtEndian>

#include <cstring>

// The layout is a packed little-endian record format of its own; it is written
// field by field here because no library knows it.

namespace {
class FieldWriter {
public:
    explicit FieldWriter(QByteArray& out) : out_(out) {}

    void i32(int32_t v) {
        char b[4];
        qToLittleEndian<qint32>(v, b);
        out_.append(b, 4);
    }
    void f64(double v) {
        quint64 bits;
        std::memcpy(&bits, &v, sizeof bits);
        char b[8];
        qToLittleEndian<quint64>(bits, b);
        out_.append(b, 8);
    }
    void flag(bool v) { out_.append(char(v ? 1 : 0)); }
    void u8(uint8_t v) { out_.append(char(v)); }
    // Windows-1252 bytes and a byte 0. A character 0 inside the text would end the
    // string early on reading, so the text is cut there already.
    void string(const QString& s) {
        QByteArray bytes = toWin1252(s);
        const qsizetype zero = bytes.indexOf('\0');
        if (zero >= 0)
            bytes.truncate(zero);
        out_.append(bytes);
        out_.append('\0');
    }
    void raw(const QByteArray& bytes) { out_.append(bytes); }

private:
    QByteArray& out_;
};

void writeRecord(FieldWriter& w, int slot, const Tobs& o) {
    w.i32(slot);
    w.i32(o.X);
    w.i32(o.Y);
    w.i32(o.Width);
    w.i32(o.Height);
    w.flag(o.KeepAspect);
    w.i32(o.Kind);
    w.i32(o.Color);
    w.i32(o.Shape);
    w.i32(o.TextAlign);
    w.i32(o.OutlineColor);
    w.i32(o.ShadowColor);
    w.flag(o.Shadow);
    w.flag(o.Outline);
    w.i32(o.ShadowDX);
    w.i32(o.ShadowDY);
    w.flag(o.Transparent);
    w.flag(o.TransAuto);
    w.i32(o.TransColor);
    w.i32(o.Rotation);
    w.string(o.Text);
    w.i32(o.FontColor);
    w.i32(o.FontHeight);
    w.string(o.FontName);
    w.u8(o.FontPitch);
    w.i32(o.FontSize);
    w.u8(o.FontStyle);
}
} // namespace

QByteArray objectRecordBytes(int slot, const Tobs& obj) {
    QByteArray out;
    out.reserve(LabelFile::RecordSizeWithoutStrings + 4 + obj.Text.size() + obj.FontName.size() +
                2);
    FieldWriter w(out);
    writeRecord(w, slot, obj);
    return out;
}

QByteArray labelFileBytes(const LabelDocument& doc) {
    // One allocation: every character becomes at most one byte.
    qsizetype size = LabelFile::HeaderSizeWithoutName + doc.BkgndFile.size() + 1 + 4;
    for (int slot = 1; slot <= ObjectTable::MaxObjs; ++slot) {
        const Tobs& o = doc.Objs[slot];
        if (o.Kind > 0)
            size += LabelFile::RecordSizeWithoutStrings + o.Text.size() + o.FontName.size() + 2;
    }
    QByteArray out;
    out.reserve(size);
    FieldWriter w(out);
    w.raw(QByteArray(LabelFile::Identification, LabelFile::IdentificationSize));
    w.raw(doc.Format.toBytes());
    w.i32(doc.WorkWidth);
    w.i32(doc.WorkHeight);
    w.i32(doc.BkgndMode);
    w.string(doc.BkgndFile);
    w.f64(doc.Zoom);
    w.f64(doc.UnitsPerPixel);
    for (int slot = 1; slot <= ObjectTable::MaxObjs; ++slot) {
        const Tobs& o = doc.Objs[slot];
        if (o.Kind > 0)
            writeRecord(w, slot, o);
    }
    w.i32(LabelFile::EndMarker);
    return out;
}

bool Saveit(LabelDocument& doc, const QString& fileName, Prompts& prompts) {
    // A file in a folder that takes no new files (a shared folder of another user)
    // cannot be replaced at once; it is then written in place.
    const bool inPlace = !QFileInfo(QFileInfo(fileName).absolutePath()).isWritable();
    QSaveFile file(fileName);
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly)) {
        prompts.info(QStringLiteral("Beim Erstellen der Datei ist ein Fehler aufgetreten!"),
                     QStringLiteral("Fehler: Datei konnte nicht erstellt werden"));
        return false;
    }
    const QByteArray bytes = labelFileBytes(doc);
    if (file.write(bytes) != bytes.size())
        file.cancelWriting();
    if (!commitChecked(file)) {
        prompts.info(inPlace ? QStringLiteral("Beim Schreiben der Datei ist ein Fehler "
                                              "aufgetreten! Das Etikett wurde nicht vollständig "
                                              "gespeichert.")
                             : QStringLiteral("Beim Schreiben der Datei ist ein Fehler "
                                              "aufgetreten! Das Etikett wurde nicht gespeichert; "
                                              "eine vorhandene Datei dieses Namens ist "
                                              "unverändert geblieben."),
                     QStringLiteral("Fehler: Datei konnte nicht geschrieben werden"));
        return false;
    }
    doc.CurFileName = fileName;
    doc.Undo.setClean();
    warnUnstorablePictureNames(prompts, doc);
    return true;
}
