#include "app/sdiappform.h"
#include "document/settingsstore.h"
#include "editor/bmpopenform.h"
#include "editor/paintbox.h"
#include "editor/editorpage.h"
#include "editor/toolbar.h"
#include "editor/txtform.h"
#include "output/mergepanel.h"
#include "output/printpage.h"
#include "scriptedprompts.h"

#include <QComboBox>
#include <QLineEdit>
#include <QToolButton>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

// Data chosen on the print page shows in the editor's text dialog.
class TestMergeFields : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

private slots:
    void initTestCase() {
        SettingsStore::setOverridePath(dir.filePath(QStringLiteral("settings.ini")));
    }

    void fieldsOfTheSourceAreOffered() {
        const QString csv = dir.filePath(QStringLiteral("daten.csv"));
        QFile f(csv);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("Vorname;PLZ\nAnna;12345\n");
        f.close();
        ScriptedPrompts prompts;
        TSDIAppForm w(prompts);
        TTxtForm& form = *w.EditorPg->TxtForm;
        QComboBox* box = form.FieldBox;
        QCOMPARE(box->accessibleName(), QStringLiteral("Feld einfügen"));
        QCOMPARE(box->count(), 2); // the caption and %%NUMMER%%
        prompts.fileNames.enqueue(csv);
        w.PrintPg->MergePanel->DatenBtn->click();
        QStringList items;
        for (int i = 0; i < box->count(); ++i)
            items.append(box->itemText(i));
        QCOMPARE(items, (QStringList{QStringLiteral("Feld einfügen"), QStringLiteral("%%NUMMER%%"),
                                     QStringLiteral("%%Vorname%%"), QStringLiteral("%%PLZ%%")}));
        form.setLines({QStringLiteral("Hallo  !")});
        QTextCursor cursor = form.Memo1->textCursor();
        cursor.setPosition(6);
        form.Memo1->setTextCursor(cursor);
        box->activated(2);
        QCOMPARE(form.lines(), QStringList{QStringLiteral("Hallo %%Vorname%% !")});
        QCOMPARE(box->currentIndex(), 0);
        w.PrintPg->MergePanel->KeineDatenBtn->click();
        QCOMPARE(box->count(), 2);
    }

    // The picture dialog takes a typed name with a field; the editor shows the picture
    // that the first checked row names, and without data the blank with its name.
    void editorShowsThePictureOfTheFirstCheckedRow() {
        for (const auto& [name, colour] : {std::pair{"rot.png", Qt::red}, {"blau.png", Qt::blue}}) {
            QImage picture(40, 40, QImage::Format_RGB32);
            picture.fill(colour);
            QVERIFY(picture.save(dir.filePath(QLatin1String(name))));
        }
        const QString csv = dir.filePath(QStringLiteral("bilder.csv"));
        QFile f(csv);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("Bild\nrot\nblau\n");
        f.close();
        ScriptedPrompts prompts;
        TSDIAppForm w(prompts);
        w.Doc.CurFileName = dir.filePath(QStringLiteral("etikett.ett"));
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.Pages->setCurrentWidget(w.EditorPg);
        EditorPage& page = *w.EditorPg;
        page.Toolbar->SpeedItem10->click();
        QTimer::singleShot(0, &page, [&page] {
            page.BMPOpenForm->FileNameEdit->setText(QStringLiteral("%%Bild%%.png"));
            page.BMPOpenForm->OpenBtn->click();
        });
        const QPoint corner(page.PaintBox1->width() / 3, page.PaintBox1->height() / 3);
        page.scrollToLabel();
        QTest::mouseClick(page.PaintBox1, Qt::LeftButton, {}, corner + QPoint(4, 4));
        const Tobs& o = w.Doc.Objs[1];
        QCOMPARE(o.Kind, int(KindPicture));
        QCOMPARE(o.Text, page.BMPOpenForm->folder() + QStringLiteral("/%%Bild%%.png"));
        QCOMPARE(prompts.shown.size(), 0);
        const auto shows = [&page](QRgb colour) {
            page.PaintBox1Paint();
            const QImage& shown = page.EditBitmap;
            for (int y = 0; y < shown.height(); ++y)
                for (int x = 0; x < shown.width(); ++x)
                    if (shown.pixel(x, y) == colour)
                        return true;
            return false;
        };
        QVERIFY(!shows(qRgb(255, 0, 0)) && !shows(qRgb(0, 0, 255)));
        prompts.fileNames.enqueue(csv);
        w.PrintPg->MergePanel->DatenBtn->click();
        QVERIFY(shows(qRgb(255, 0, 0)));
        w.PrintPg->MergePanel->rows().setChecked(0, false);
        QVERIFY(shows(qRgb(0, 0, 255)) && !shows(qRgb(255, 0, 0)));
        w.PrintPg->MergePanel->KeineDatenBtn->click();
        QVERIFY(!shows(qRgb(0, 0, 255)));
    }
};

QTEST_MAIN(TestMergeFields)
#include "tst_mergefields.moc"
