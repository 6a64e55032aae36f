#include "document/labelfile.h"
#include "scriptedprompts.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

// Cross-check with an independent writer and reader of the layout (tests/data/ettfile.py).

namespace {
class NoPictures : public PictureLoader {
public:
    PictureLoad load(TDibRecord& rec, const QString&, int) override {
        deldib(rec);
        return PictureLoad::Failed;
    }
};

QJsonObject runScript(const QStringList& args) {
    QProcess python;
    python.start(
        QStringLiteral("python3"),
        QStringList{qEnvironmentVariable("AWB_TEST_DATA") + QStringLiteral("/ettfile.py")} + args);
    if (!python.waitForFinished(30000) || python.exitCode() != 0) {
        qWarning() << python.readAllStandardError();
        return {};
    }
    return QJsonDocument::fromJson(python.readAllStandardOutput()).object();
}

// Compares the fields of a record as the script sees it with a slot of the table.
bool sameRecord(const QJsonObject& r, const Tobs& o) {
    auto i = [&r](const char* key) { return r.value(QLatin1String(key)).toInteger(); };
    auto b = [&r](const char* key) { return r.value(QLatin1String(key)).toBool(); };
    auto s = [&r](const char* key) { return r.value(QLatin1String(key)).toString(); };
    const bool same = i("X") == o.X && i("Y") == o.Y && i("Width") == o.Width &&
                      i("Height") == o.Height && b("KeepAspect") == o.KeepAspect &&
                      i("Kind") == o.Kind && i("Color") == o.Color && i("Shape") == o.Shape &&
                      i("TextAlign") == o.TextAlign && i("OutlineColor") == o.OutlineColor &&
                      i("ShadowColor") == o.ShadowColor && b("Shadow") == o.Shadow &&
                      b("Outline") == o.Outline && i("ShadowDX") == o.ShadowDX &&
                      i("ShadowDY") == o.ShadowDY && b("Transparent") == o.Transparent &&
                      b("TransAuto") == o.TransAuto && i("TransColor") == o.TransColor &&
                      i("Rotation") == o.Rotation && s("Text") == o.Text &&
                      i("FontColor") == o.FontColor && i("FontHeight") == o.FontHeight &&
                      s("FontName") == o.FontName && i("FontPitch") == o.FontPitch &&
                      i("FontSize") == o.FontSize && i("FontStyle") == o.FontStyle;
    if (!same)
        qWarning() << "record differs:" << r;
    return same;
}

bool sameFormat(const QJsonObject& f, const TLabelFormat& format) {
    auto d = [&f](const char* key) { return f.value(QLatin1String(key)).toDouble(); };
    return d("MarginLeft") == format.MarginLeft && d("MarginTop") == format.MarginTop &&
           d("PitchX") == format.PitchX && d("PitchY") == format.PitchY &&
           d("LabelWidth") == format.LabelWidth && d("LabelHeight") == format.LabelHeight &&
           f.value(QLatin1String("Across")).toInt() == format.Across &&
           f.value(QLatin1String("Down")).toInt() == format.Down &&
           f.value(QLatin1String("TypeName")).toString() == format.TypeName;
}
} // namespace

class TestLabelFilePython : public QObject {
    Q_OBJECT
    QTemporaryDir tmp;

private slots:
    void fileOfTheOtherWriterIsRead() {
        const QString file = tmp.filePath(QStringLiteral("python.ett"));
        const QJsonObject written = runScript({QStringLiteral("write"), file});
        QVERIFY(!written.isEmpty());

        LabelDocument doc;
        ScriptedPrompts prompts;
        NoPictures pictures;
        QCOMPARE(readLabelFile(file, doc, prompts, pictures), ReadOutcome::Complete);
        QVERIFY(sameFormat(written.value(QLatin1String("Format")).toObject(), doc.Format));
        QCOMPARE(doc.WorkWidth, written.value(QLatin1String("WorkWidth")).toInt());
        QCOMPARE(doc.WorkHeight, written.value(QLatin1String("WorkHeight")).toInt());
        QCOMPARE(doc.BkgndMode, written.value(QLatin1String("BkgndMode")).toInt());
        QCOMPARE(doc.BkgndFile, written.value(QLatin1String("BkgndFile")).toString());
        QCOMPARE(doc.Zoom, written.value(QLatin1String("Zoom")).toDouble());
        QCOMPARE(doc.UnitsPerPixel, written.value(QLatin1String("UnitsPerPixel")).toDouble());

        // Later records win; slot numbers below 1 are dropped.
        QMap<int, QJsonObject> last;
        for (const QJsonValue& v : written.value(QLatin1String("Records")).toArray()) {
            const int slot = v.toObject().value(QLatin1String("Slot")).toInt();
            if (slot >= 1)
                last[slot] = v.toObject();
        }
        QCOMPARE(last.size(), 5); // the sample holds 8 records for 5 slots
        for (int slot = 1; slot <= ObjectTable::MaxObjs; ++slot) {
            if (last.contains(slot))
                QVERIFY2(sameRecord(last[slot], doc.Objs[slot]), qPrintable(QString::number(slot)));
            else
                QCOMPARE(doc.Objs[slot].Kind, int(KindFree));
        }
        // Both pictures (background and slot 9) are missing here and say so.
        QCOMPARE(prompts.shown.size(), 2);
    }

    void ourFileIsReadByTheOtherReader() {
        LabelDocument doc;
        doc.Format.TypeName = QStringLiteral("Größe – 5 €");
        doc.Format.Across = 2;
        doc.BkgndMode = BkgndTiles;
        doc.BkgndFile = QStringLiteral("Hintergrund ä.jpg");
        doc.Zoom = 1.0 / 3;
        doc.UnitsPerPixel = 208.0 / 1.5 / 1.5;
        for (int slot : {10000, 1, 512}) {
            Tobs& o = doc.Objs[slot];
            o.Kind = slot % 3 + 1;
            o.X = -slot;
            o.Y = slot * 7;
            o.Width = 1000 + slot;
            o.Height = 2000;
            o.KeepAspect = slot == 512;
            o.Color = 0x00ABCDEF;
            o.Shape = slot % 10;
            o.TextAlign = 1;
            o.OutlineColor = slot;
            o.ShadowColor = 2;
            o.Shadow = true;
            o.ShadowDX = -3;
            o.ShadowDY = 9;
            o.TransAuto = true;
            o.TransColor = 0xFFFFFF;
            o.Rotation = slot % 4;
            o.Text = QStringLiteral("Zeile 1\rZeile 2 – Öl %1 ‰").arg(slot);
            o.FontColor = 0x0F0F0F;
            o.FontHeight = -16;
            o.FontName = QStringLiteral("Liberation Sans");
            o.FontPitch = 1;
            o.FontSize = 12;
            o.FontStyle = 0x05;
        }
        const QString file = tmp.filePath(QStringLiteral("unsere.ett"));
        ScriptedPrompts prompts;
        QVERIFY(Saveit(doc, file, prompts));

        const QJsonObject read = runScript({QStringLiteral("dump"), file});
        QVERIFY(!read.isEmpty());
        QCOMPARE(read.value(QLatin1String("Size")).toInteger(), QFileInfo(file).size());
        QCOMPARE(read.value(QLatin1String("EndMarker")).toInt(), 10001);
        QVERIFY(sameFormat(read.value(QLatin1String("Format")).toObject(), doc.Format));
        QCOMPARE(read.value(QLatin1String("WorkWidth")).toInt(), doc.WorkWidth);
        QCOMPARE(read.value(QLatin1String("WorkHeight")).toInt(), doc.WorkHeight);
        QCOMPARE(read.value(QLatin1String("BkgndMode")).toInt(), 3);
        QCOMPARE(read.value(QLatin1String("BkgndFile")).toString(), doc.BkgndFile);
        QCOMPARE(read.value(QLatin1String("Zoom")).toDouble(), doc.Zoom);
        QCOMPARE(read.value(QLatin1String("UnitsPerPixel")).toDouble(), doc.UnitsPerPixel);
        const QJsonArray records = read.value(QLatin1String("Records")).toArray();
        QCOMPARE(records.size(), 3);
        const int order[] = {1, 512, 10000}; // ascending slot order
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(records[i].toObject().value(QLatin1String("Slot")).toInt(), order[i]);
            QVERIFY(sameRecord(records[i].toObject(), doc.Objs[order[i]]));
        }
    }
};

QTEST_MAIN(TestLabelFilePython)
#include "tst_labelfile_python.moc"
