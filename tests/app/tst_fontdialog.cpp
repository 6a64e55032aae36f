#include "app/fontcolourdialog.h"
#include "app/widgetprompts.h"
#include "editor/colourbutton.h"
#include "scriptedprompts.h"

#include <QApplication>
#include <QFontDialog>
#include <QListView>
#include <QTimer>
#include <QtTest>

namespace {
// The face list of the chooser (the first of its three lists).
QListView* familyList(FontColourDialog& dialog) {
    const QList<QListView*> lists = dialog.Fonts->findChildren<QListView*>();
    return lists.isEmpty() ? nullptr : lists.constFirst();
}
QString shownFamily(FontColourDialog& dialog) {
    QListView* list = familyList(dialog);
    return list ? list->currentIndex().data().toString() : QString();
}
} // namespace

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
        // The preset takes the size before the height; OK without a change gives
        // back every field as it was stored, a font without a size keeps none.
        QTest::newRow("size wins") << -16 << 20 << 2 << 5 << 20 << -16;
        QTest::newRow("height without size") << -32 << 0 << 1 << 10 << 0 << -32;
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
        QCOMPARE(dialog.Fonts->currentFont().pointSize(), size > 0 ? size : -height * 72 / 96);
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

    // The real dialog as the editor opens it: the face preset and shown, then a key
    // pressed in the face list, or another face picked and OK clicked.
    void realDialog_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("key"); // 0: pick "Liberation Mono" and click OK
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("result");
        QTest::newRow("Arial, Enter")
            << QStringLiteral("Arial") << QStringLiteral("Liberation Sans") << int(Qt::Key_Return)
            << true << QStringLiteral("Arial");
        QTest::newRow("Times, Enter")
            << QStringLiteral("Times New Roman") << QStringLiteral("Liberation Serif")
            << int(Qt::Key_Enter) << true << QStringLiteral("Times New Roman");
        QTest::newRow("listed face, Escape")
            << QStringLiteral("Liberation Serif") << QStringLiteral("Liberation Serif")
            << int(Qt::Key_Escape) << false << QStringLiteral("Liberation Serif");
        QTest::newRow("Arial, another face")
            << QStringLiteral("Arial") << QStringLiteral("Liberation Sans") << 0 << true
            << QStringLiteral("Liberation Mono");
    }
    void realDialog() {
        QFETCH(QString, stored);
        QFETCH(QString, shown);
        QFETCH(int, key);
        QFETCH(bool, accepted);
        QFETCH(QString, result);
        WidgetPrompts prompts;
        const Prompts::FontChoice before{stored, -15, 0, 2, 1, 0x0000FF};
        Prompts::FontChoice font = before;
        QString seen;
        bool closed = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<FontColourDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            seen = shownFamily(*dialog);
            QListView* list = familyList(*dialog);
            QVERIFY(list);
            if (key) {
                QTest::keyClick(list, Qt::Key(key));
            } else {
                const QModelIndexList hits =
                    list->model()->match(list->model()->index(0, 0), Qt::DisplayRole,
                                         QStringLiteral("Liberation Mono"), 1, Qt::MatchExactly);
                QVERIFY(!hits.isEmpty());
                list->setCurrentIndex(hits.constFirst());
                dialog->accept();
            }
            closed = !dialog->isVisible();
            if (!closed)
                dialog->reject(); // never leave the test hanging
        });
        QCOMPARE(prompts.chooseFont(font), accepted);
        QCOMPARE(seen, shown);
        QVERIFY(closed);
        QCOMPARE(font.name, result);
        if (result == stored) {
            QCOMPARE(font, before); // every field as it was
        } else {
            QCOMPARE(font.pitch, uint8_t(0));
            QCOMPARE(font.height, before.height);
            QCOMPARE(font.style, before.style);
        }
    }
};

QTEST_MAIN(TestFontDialog)
#include "tst_fontdialog.moc"
