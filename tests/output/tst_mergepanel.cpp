#include "document/labeldocument.h"
#include "document/progpath.h"
#include "document/settingsstore.h"
#include "document/tobs.h"
#include "merge/win1252.h"
#include "output/mergepanel.h"
#include "output/preflightform.h"
#include "output/printpage.h"
#include "pdfraster.h"
#include "scriptedprompts.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

namespace {
QStringList words(const QString& s) {
    return s.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
}
QString pdfText(const QString& pdf) {
    return pdfraster::run(QStringLiteral("pdftotext"),
                          {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
}
} // namespace

// The print page with a data source, as the user meets it.
class TestMergePanel : public QObject {
    Q_OBJECT
    QTemporaryDir tmp;
    LabelDocument doc;
    ScriptedPrompts prompts;
    int counter = 1;
    std::unique_ptr<TPrintPage> page;
    QString csv;

    QString path(const QString& name) const { return tmp.filePath(name); }
    TMergePanel& panel() { return *page->MergePanel; }

    void write(const QString& file, const QByteArray& bytes) {
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(f.write(bytes), bytes.size());
    }
    void attach() {
        prompts.fileNames.enqueue(csv);
        panel().DatenBtn->click();
        QVERIFY(panel().hasSource());
    }
    QString printed(const QString& name) {
        const QString pdf = path(name);
        prompts.fileNames.enqueue(pdf);
        page->PrintClick();
        return QFile::exists(pdf) ? pdfText(pdf) : QString();
    }

private slots:
    void initTestCase() {
        QVERIFY(tmp.isValid());
        initProgPath(tmp.path());
        SettingsStore::setOverridePath(path(QStringLiteral("settings.ini")));
        doc.computeWorkArea();
        Tobs& t = doc.Objs[1];
        t.Kind = KindText;
        t.Text = QStringLiteral("%%Name%% #%%nummer%%");
        t.FontName = QStringLiteral("Arial");
        t.FontSize = 10;
        t.X = doc.WorkWidth / 3;
        t.Y = doc.WorkHeight / 3;
        t.Width = doc.WorkWidth / 3;
        t.Height = doc.WorkHeight / 3;
        csv = path(QStringLiteral("liste.csv"));
        write(csv, toWin1252(QStringLiteral("Name;Ort\r\nÄrzte;Köln\r\nBäcker;Ulm\r\n"
                                            "Chor;Köln\r\n")));
        PrintPageHost host;
        host.labelNumber = [this] { return counter; };
        host.setLabelNumber = [this](int v) { counter = v; };
        page = std::make_unique<TPrintPage>(doc, prompts, std::move(host));
        if (!page->printsToPdf())
            QSKIP("a system printer is installed; these tests print into PDF files");
    }
    void cleanup() {
        prompts.fileNames.clear();
        panel().KeineDatenBtnClick();
        doc.CurFileName.clear();
        page->VPaintPaint();
    }

    // Attaching sets "Kopien:" to 1 per row; the table shows every row checked; the
    // run prints all copies of a row before the next, numbers running on, and
    // leaves out the rows the user unchecked.
    void uncheckedRowsAreSkipped() {
        page->KopiesED->setValue(10);
        attach();
        QCOMPARE(page->KopiesED->value(), 1);
        QCOMPARE(panel().RowTable->model()->rowCount(), 3);
        QCOMPARE(panel().RowTable->model()->index(1, 1).data().toString(), QStringLiteral("Bäcker"));
        page->KopiesED->setValue(2);
        QVERIFY(panel().RowTable->model()->setData(panel().RowTable->model()->index(1, 0),
                                                   Qt::Unchecked, Qt::CheckStateRole));
        counter = 1;
        QCOMPARE(words(printed(QStringLiteral("zwei.pdf"))),
                 (QStringList{QStringLiteral("Ärzte"), QStringLiteral("#1"),
                              QStringLiteral("Ärzte"), QStringLiteral("#2"), QStringLiteral("Chor"),
                              QStringLiteral("#3"), QStringLiteral("Chor"), QStringLiteral("#4")}));
        QCOMPARE(counter, 5);
    }

    // The search leaves matching rows; "Keine" then clears only those.
    void searchAndKeine() {
        attach();
        panel().SucheEd->setText(QStringLiteral("köln"));
        QCOMPARE(panel().RowTable->model()->rowCount(), 2);
        panel().KeineBtn->click();
        panel().SucheEd->clear();
        QCOMPARE(panel().RowTable->model()->rowCount(), 3);
        QCOMPARE(panel().rows().checkedRows(), (std::vector<int>{1}));
        panel().AlleBtn->click();
        QCOMPARE(panel().rows().checkedRows().size(), size_t(3));
    }

    // Each previewed position shows its own row: the three positions differ.
    void previewShowsEachRow() {
        attach();
        page->UsedED->setValue(0);
        page->VPaintPaint();
        const QImage& sheet = page->VPaint->Picture;
        const QSize size = previewLabelSize(doc.Format, page->PreviewZoom);
        QImage cell[3];
        for (int r = 0; r < 3; ++r)
            cell[r] = sheet.copy(QRect(previewCorner(doc.Format, page->PreviewZoom, 0, r), size));
        QVERIFY(cell[0] != cell[1] && cell[1] != cell[2]);
        const QImage empty =
            sheet.copy(QRect(previewCorner(doc.Format, page->PreviewZoom, 0, 3), size));
        QCOMPARE(empty.pixel(size.width() / 2, size.height() / 2), qRgb(255, 255, 255));
    }

    // The source belongs to the label file: opening it again brings it back; a file
    // changed on disk is read again.
    void sourceIsRememberedPerLabelFile() {
        doc.CurFileName = path(QStringLiteral("a.ett"));
        page->VPaintPaint();
        attach();
        doc.CurFileName = path(QStringLiteral("b.ett"));
        page->VPaintPaint();
        QVERIFY(!panel().hasSource());
        doc.CurFileName = path(QStringLiteral("a.ett"));
        page->VPaintPaint();
        QVERIFY(panel().hasSource());
        QCOMPARE(panel().rows().table()->rowCount(), 3);
        QTest::qWait(1100); // file times in whole seconds on some file systems
        write(csv, QByteArray("Name\nEins\n"));
        page->VPaintPaint();
        QCOMPARE(panel().rows().table()->rowCount(), 1);
        write(csv, toWin1252(QStringLiteral("Name;Ort\r\nÄrzte;Köln\r\nBäcker;Ulm\r\n"
                                            "Chor;Köln\r\n")));
    }

    // A field without a column stops the run at the check; "Abbrechen" prints
    // nothing and leaves the counter.
    void preflightCancelPrintsNothing_data() {
        QTest::addColumn<bool>("anyway");
        QTest::newRow("Abbrechen") << false;
        QTest::newRow("Trotzdem drucken") << true;
    }
    void preflightCancelPrintsNothing() {
        QFETCH(bool, anyway);
        doc.Objs[2] = doc.Objs[1];
        doc.Objs[2].Text = QStringLiteral("%%Vorname%%");
        attach();
        counter = 7;
        QString seen;
        QTimer::singleShot(0, this, [&] {
            seen = page->Preflight->FindingList->toPlainText();
            (anyway ? page->Preflight->PrintAnywayBtn : page->Preflight->CancelBtn)->click();
        });
        const QString name = anyway ? QStringLiteral("trotzdem.pdf") : QStringLiteral("nein.pdf");
        const QString text = printed(name);
        doc.Objs[2] = Tobs();
        QCOMPARE(seen, QStringLiteral("Das Feld %%Vorname%% im Etikett nennt keine Spalte der "
                                      "Daten; es wird gedruckt, wie es dasteht."));
        QCOMPARE(QFile::exists(path(name)), anyway);
        QCOMPARE(counter, anyway ? 10 : 7);
        if (anyway)
            QVERIFY(text.contains(QStringLiteral("%%Vorname%%")));
    }
};

QTEST_MAIN(TestMergePanel)
#include "tst_mergepanel.moc"
