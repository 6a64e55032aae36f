#include "app/fontcolourdialog.h"
#include "editor/colourbutton.h"
#include "scriptedprompts.h"

#include <QtTest>

class TestFontDialog : public QObject {
    Q_OBJECT

private slots:
    void presetAndChoice_data() {
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("pitch");
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("chosenSize");
        QTest::addColumn<int>("chosenHeight");
        // The size wins over the height; the height follows the size at 96 per inch.
        QTest::newRow("size wins") << -16 << 20 << 2 << 5 << 20 << -26;
        QTest::newRow("height without size") << -32 << 0 << 1 << 10 << 24 << -32;
    }
    void presetAndChoice() {
        QFETCH(int, height);
        QFETCH(int, size);
        QFETCH(int, pitch);
        QFETCH(int, style);
        QFETCH(int, chosenSize);
        QFETCH(int, chosenHeight);
        ScriptedPrompts prompts;
        FontColourDialog dialog(prompts);
        const QString face = QStringLiteral("Liberation Serif"); // installed with the build tools
        dialog.setChoice({face, height, size, uint8_t(pitch), uint8_t(style), 0x00FF00});
        const Prompts::FontChoice chosen = dialog.choice();
        QCOMPARE(chosen.name, face);
        QCOMPARE(chosen.size, chosenSize);
        QCOMPARE(chosen.height, chosenHeight);
        QCOMPARE(int(chosen.pitch), pitch); // same face: its pitch stays
        QCOMPARE(int(chosen.style), style);
        QCOMPARE(chosen.color, 0x00FF00);
        // The colour button asks the colour dialog, preset with the font's colour.
        prompts.colors.enqueue(0x0000FF);
        dialog.Colour->click();
        QCOMPARE(prompts.colorPresets, QList<int32_t>{0x00FF00});
        QCOMPARE(dialog.choice().color, 0x0000FF);
    }
};

QTEST_MAIN(TestFontDialog)
#include "tst_fontdialog.moc"
