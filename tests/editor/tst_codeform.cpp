#include "codec/barcode.h"
#include "editor/codeform.h"
#include "editor/editormenus.h"
#include "editorharness.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

// The code tool, the "Code..." dialog and the status line for bad codes.

namespace {
Tobs codeObject(CodeSymbology s, const QString& data, int32_t w, int32_t h) {
    Tobs o;
    o.Kind = KindCode;
    o.Shape = int(s);
    o.Text = data;
    o.Width = w;
    o.Height = h;
    return o;
}
} // namespace

class TestCodeForm : public QObject {
    Q_OBJECT
private slots:
    void toolCreatesNumberedQrCode();
    void doubleClickOpensTheDialog();
    void moduleLine_data();
    void moduleLine();
    void menuOffersCodeCommands();
    void statusLineSaysWhy();
};

void TestCodeForm::toolCreatesNumberedQrCode() {
    EditorHarness e;
    e.page.Toolbar->SpeedCode->click();
    e.click(QPoint(400, 150));
    const Tobs& o = e.doc.Objs[1];
    QCOMPARE(o.Kind, int(KindCode));
    QCOMPARE(o.Shape, int(CodeSymbology::QrCode));
    QCOMPARE(o.Text, QStringLiteral("%%NUMMER%%"));
    QCOMPARE(e.doc.SelObj, 1);
    QCOMPARE(e.page.tool(), EditorTool::Zeiger);
    // The new code shows at once in the editor, black modules in its box.
    const QImage shown = e.page.PaintBox1->grab().toImage();
    const QRect box = e.pixels(1).translated(-e.page.scrollX(), -e.page.scrollY());
    int dark = 0;
    for (int y = box.top(); y < box.bottom(); ++y)
        for (int x = box.left(); x < box.right(); ++x)
            dark += qGray(shown.pixel(x, y)) < 64;
    QVERIFY(dark > box.width() * box.height() / 5);
}

void TestCodeForm::doubleClickOpensTheDialog() {
    EditorHarness e;
    Tobs& o = e.place(1, 300, 100, 150, 80);
    o.Kind = KindCode;
    o.Shape = int(CodeSymbology::QrCode);
    o.Text = QStringLiteral("alt");
    e.doc.SelObj = 1;
    bool shown = false;
    QTimer::singleShot(0, this, [&] {
        auto* form = e.page.findChild<TCodeForm*>();
        QVERIFY(form && form->isVisible());
        shown = true;
        QCOMPARE(form->DatenEd->text(), QStringLiteral("alt"));
        QVERIFY(form->KorrekturBox->isEnabled());
        form->ArtBox->setCurrentIndex(int(CodeSymbology::Ean13));
        QVERIFY(!form->KorrekturBox->isEnabled());
        form->DatenEd->setText(QStringLiteral("400638133393"));
        form->KlartextCheck->setChecked(true);
        form->WeissCheck->setChecked(false);
        form->OKBtn->click();
    });
    QTest::mouseDClick(e.box(), Qt::LeftButton, {}, QPoint(350, 130));
    QVERIFY(shown);
    QCOMPARE(o.Shape, int(CodeSymbology::Ean13));
    QCOMPARE(o.Text, QStringLiteral("400638133393"));
    QCOMPARE(o.TextAlign, 1);
    QVERIFY(o.Transparent);
}

void TestCodeForm::moduleLine_data() {
    QTest::addColumn<int>("symbology");
    QTest::addColumn<QString>("data");
    QTest::addColumn<int>("widthMm");
    QTest::addColumn<int>("dpi");
    QTest::addColumn<QString>("line");
    // EAN-13: 113 modules with its quiet zones.
    QTest::newRow("EAN-13 nominal")
        << int(CodeSymbology::Ean13) << QStringLiteral("400638133393") << 40 << 600
        << QStringLiteral("X-Dimension: 0,339 mm = 8 Druckerpunkte bei 600 dpi");
    QTest::newRow("EAN-13 small")
        << int(CodeSymbology::Ean13) << QStringLiteral("400638133393") << 25 << 300
        << QStringLiteral("X-Dimension: 0,169 mm = 2 Druckerpunkte bei 300 dpi\nWarnung: kleiner "
                          "als 80 % der Nenngröße (X-Dimension unter 0,264 mm); Kassen lesen den "
                          "Code womöglich nicht.");
    QTest::newRow("small QR has no nominal size")
        << int(CodeSymbology::QrCode) << QStringLiteral("A") << 10 << 300
        << QStringLiteral("X-Dimension: 0,339 mm = 4 Druckerpunkte bei 300 dpi");
    QTest::newRow("invalid") << int(CodeSymbology::Ean8) << QStringLiteral("12") << 40 << 600
                             << QStringLiteral(
                                    "Ungültig: EAN-8 braucht 7 Ziffern, mit Prüfziffer 8.");
    QTest::newRow("too small") << int(CodeSymbology::Ean13) << QStringLiteral("400638133393") << 5
                               << 203
                               << QStringLiteral(
                                      "Ungültig: Der Rahmen ist zu klein für diesen Code.");
}

void TestCodeForm::moduleLine() {
    QFETCH(int, symbology);
    QFETCH(QString, data);
    QFETCH(int, widthMm);
    QFETCH(int, dpi);
    QFETCH(QString, line);
    const int32_t w = int32_t(widthMm * 20000.0 / MmPerInch);
    const Tobs o = codeObject(CodeSymbology(symbology), data, w, w);
    QCOMPARE(codeModuleLine(o, dpi, 1), line);
    TCodeForm form;
    form.preset(o, dpi, 1);
    QCOMPARE(form.ModulLabel->text(), line);
}

void TestCodeForm::menuOffersCodeCommands() {
    EditorMenus menus(nullptr);
    menus.prepare(codeObject(CodeSymbology::QrCode, QStringLiteral("1"), 1000, 1000));
    for (const char* on : {"CodeM", "FarbeM", "Nachlinksrotieren1", "Nachrechtsrotieren1"})
        QVERIFY2(menus.action(QLatin1String(on))->isEnabled(), on);
    for (const char* off : {"SchriftartM", "Texteffekte1", "Transparenz1", "KreisM"})
        QVERIFY2(!menus.action(QLatin1String(off))->isEnabled(), off);
    Tobs text;
    text.Kind = KindText;
    menus.prepare(text);
    QVERIFY(!menus.action(QStringLiteral("CodeM"))->isEnabled());
}

void TestCodeForm::statusLineSaysWhy() {
    QMainWindow window;
    LabelDocument doc;
    ScriptedPrompts prompts;
    auto* page = new EditorPage(
        doc, prompts, [] { return 7; }, &window);
    window.setCentralWidget(page);
    window.statusBar();
    window.resize(900, 500);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    Tobs& o = doc.Objs[1];
    o = codeObject(CodeSymbology::Ean13, QStringLiteral("4006381333932"), 20000, 10000);
    doc.SelObj = 1;
    page->PaintBox1Paint();
    QCOMPARE(window.statusBar()->currentMessage(),
             QStringLiteral("Code als rotes Kreuz: Die Prüfziffer ist falsch (richtig wäre 1)."));
    o.Text = QStringLiteral("4006381333931");
    page->PaintBox1Paint();
    QCOMPARE(window.statusBar()->currentMessage(), QString());
}

QTEST_MAIN(TestCodeForm)
#include "tst_codeform.moc"
