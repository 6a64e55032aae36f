#include "codec/rasterio.h"
#include "document/progpath.h"
#include "editor/bmpopenform.h"
#include "editor/folderbox.h"
#include "editor/previewpane.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

class TestBmpOpenForm : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QString sub;

    static void savePicture(const QString& path, int w, int h) {
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(qRgb(200, 0, 0));
        QVERIFY(image.save(path));
    }

    // Shows the dialog on a folder and waits until the list holds the file.
    static void openOn(TBMPOpenForm& form, const QString& folder, const QString& name) {
        form.setFolder(folder);
        if (!form.isVisible()) {
            form.show();
            QVERIFY(QTest::qWaitForWindowExposed(&form));
        }
        QTRY_VERIFY(form.model()->rowCount(form.JamShellList1->rootIndex()) > 0);
        QTRY_VERIFY(form.indexOf(name).isValid());
    }

    static QStringList listed(TBMPOpenForm& form) {
        QStringList names;
        const QModelIndex root = form.JamShellList1->rootIndex();
        for (int i = 0; i < form.model()->rowCount(root); ++i)
            names << form.model()->index(i, 0, root).data().toString();
        names.sort();
        return names;
    }

    static void doubleClick(TBMPOpenForm& form, const QString& name) {
        const QModelIndex index = form.indexOf(name);
        form.JamShellList1->scrollTo(index);
        const QRect r = form.JamShellList1->visualRect(index);
        QVERIFY(r.isValid());
        // What a widget receives of a double click: press, release, double click, release.
        QWidget* viewport = form.JamShellList1->viewport();
        QTest::mouseClick(viewport, Qt::LeftButton, {}, r.center());
        QMouseEvent dbl(QEvent::MouseButtonDblClick, r.center(), viewport->mapToGlobal(r.center()),
                        Qt::LeftButton, Qt::LeftButton, {});
        QApplication::sendEvent(viewport, &dbl);
        if (viewport->isVisible())
            QTest::mouseRelease(viewport, Qt::LeftButton, {}, r.center());
    }

private slots:
    void initTestCase() {
        QVERIFY(dir.isValid());
        initProgPath(dir.path());
        sub = dir.filePath(QStringLiteral("Unterordner"));
        QVERIFY(QDir().mkpath(sub));
        savePicture(dir.filePath(QStringLiteral("logo.png")), 200, 100);
        savePicture(dir.filePath(QStringLiteral("hoch.png")), 100, 400);
        savePicture(dir.filePath(QStringLiteral(".versteckt.png")), 10, 10);
        savePicture(sub + QStringLiteral("/logo.png"), 20, 20);
        QFile notes(dir.filePath(QStringLiteral("notiz.txt")));
        QVERIFY(notes.open(QIODevice::WriteOnly));
        notes.write("kein Bild");
        notes.close();
        QFile broken(dir.filePath(QStringLiteral("kaputt.png")));
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write("\x89PNG\r\n\x1a\nnonsense");
    }

    void layoutAndStart() {
        TBMPOpenForm form;
        QCOMPARE(form.windowTitle(), QStringLiteral("Bild öffnen"));
        QCOMPARE(form.OpenBtn->text(), QStringLiteral("&Öffnen"));
        QVERIFY(form.OpenBtn->isDefault());
        QCOMPARE(form.SpeedButton1->toolTip(), QStringLiteral("Übergeordneter Ordner"));
        QCOMPARE(form.VSchauCheck->text(), QStringLiteral("Vorschau"));
        QVERIFY(form.VSchauCheck->isChecked());
        QCOMPARE(form.PreviewBmp.size(), QSize(100, 100));
        QCOMPARE(form.PaintBox1->size(), QSize(228, 331));
        QCOMPARE(form.mask(), QStringList{QStringLiteral("*")});
    }

    void listShowsFoldersAndAllFilesUntilATypeIsPicked() {
        TBMPOpenForm form;
        form.setFilter(GetDIBOpenFilter());
        openOn(form, dir.path(), QStringLiteral("notiz.txt"));
        QTRY_COMPARE(listed(form),
                     (QStringList{QStringLiteral(".versteckt.png"), QStringLiteral("Unterordner"),
                                  QStringLiteral("hoch.png"), QStringLiteral("kaputt.png"),
                                  QStringLiteral("logo.png"), QStringLiteral("notiz.txt")}));
        QCOMPARE(form.FilterComboBox1->count(), filterToNameFilters(GetDIBOpenFilter()).size());
        // Picking a type filters the files, never the folders.
        form.setFilter(QStringLiteral("PNG|*.PNG|Text|*.txt"));
        emit form.FilterComboBox1->activated(0);
        QCOMPARE(form.mask(), QStringList{QStringLiteral("*.PNG")});
        QTRY_COMPARE(listed(form),
                     (QStringList{QStringLiteral(".versteckt.png"), QStringLiteral("Unterordner"),
                                  QStringLiteral("hoch.png"), QStringLiteral("kaputt.png"),
                                  QStringLiteral("logo.png")}));
        emit form.FilterComboBox1->activated(1);
        QTRY_COMPARE(listed(form),
                     (QStringList{QStringLiteral("Unterordner"), QStringLiteral("notiz.txt")}));
    }

    // Folders and files show their usual, different icons.
    void foldersAndFilesLookDifferent() {
        TBMPOpenForm form;
        openOn(form, dir.path(), QStringLiteral("logo.png"));
        QTRY_VERIFY(form.indexOf(QStringLiteral("Unterordner")).isValid());
        auto icon = [&](const QString& name) {
            return form.indexOf(name).data(Qt::DecorationRole).value<QIcon>().pixmap(16).toImage();
        };
        const QImage folder = icon(QStringLiteral("Unterordner"));
        const QImage file = icon(QStringLiteral("logo.png"));
        QVERIFY(!folder.isNull());
        QVERIFY(!file.isNull());
        QVERIFY(folder != file);
    }

    void doubleClickReturnsBareNamesOnlyInTheProgramFolder() {
        TBMPOpenForm form;
        openOn(form, ProgPath(), QStringLiteral("logo.png"));
        doubleClick(form, QStringLiteral("logo.png"));
        QCOMPARE(form.result(), int(QDialog::Accepted));
        QCOMPARE(form.ChosenFile, QStringLiteral("logo.png"));
        QTRY_COMPARE(form.PreviewBmp.size(), QSize(200, 100));

        form.setResult(0);
        openOn(form, sub, QStringLiteral("logo.png"));
        doubleClick(form, QStringLiteral("logo.png"));
        QCOMPARE(form.result(), int(QDialog::Accepted));
        QCOMPARE(form.ChosenFile, sub + QStringLiteral("/logo.png"));
    }

    void doubleClickOnAFolderOpensIt() {
        TBMPOpenForm form;
        openOn(form, dir.path(), QStringLiteral("Unterordner"));
        doubleClick(form, QStringLiteral("Unterordner"));
        QCOMPARE(form.folder(), QDir::cleanPath(sub));
        QCOMPARE(form.JamShellCombo1->folder(), QDir::cleanPath(sub));
        QVERIFY(form.isVisible());
        QTRY_COMPARE(listed(form), QStringList{QStringLiteral("logo.png")});
        // "Übergeordneter Ordner" goes back up.
        form.SpeedButton1->click();
        QCOMPARE(form.folder(), QDir::cleanPath(dir.path()));
    }

    void folderBoxOffersTheRootsAndEveryFolderAbove() {
        TBMPOpenForm form;
        form.setFolder(sub);
        FolderBox* box = form.JamShellCombo1;
        QStringList paths;
        for (int i = 0; i < box->count(); ++i)
            paths << box->itemData(i).toString();
        QVERIFY(paths.contains(QStringLiteral("/")));
        QVERIFY(paths.contains(QDir::cleanPath(dir.path())));
        QCOMPARE(box->currentData().toString(), QDir::cleanPath(sub));
        // The closed box shows the folder's name as it is; only the list indents.
        QCOMPARE(box->currentText(), QFileInfo(sub).fileName());
        const int parent = int(paths.indexOf(QDir::cleanPath(dir.path())));
        emit box->activated(parent);
        QCOMPARE(form.folder(), QDir::cleanPath(dir.path()));
    }

    void previewFitsThePicture_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("shown");
        QTest::newRow("wide 200 x 100") << "logo.png" << QSize(228, 114);
        QTest::newRow("tall 100 x 400") << "hoch.png" << QSize(82, 331);
    }
    void previewFitsThePicture() {
        QFETCH(QString, name);
        QFETCH(QSize, shown);
        QCOMPARE(previewRect(QSize(228, 331), QImage(dir.filePath(name)).size()),
                 QRect(QPoint(0, 0), shown));
        TBMPOpenForm form;
        openOn(form, dir.path(), name);
        form.JamShellList1->setCurrentIndex(form.indexOf(name));
        QCOMPARE(form.FileNameEdit->text(), name);
        QTRY_VERIFY(!form.previewPending());
        const QImage area = form.PaintBox1->grab().toImage();
        const QRgb workspace = form.PaintBox1->palette().color(QPalette::Dark).rgb();
        QCOMPARE(area.pixel(0, 0), qRgb(200, 0, 0));
        QCOMPARE(area.pixel(shown.width() - 1, shown.height() - 1), qRgb(200, 0, 0));
        QCOMPARE(area.pixel(qMin(shown.width(), 227), shown.height() < 331 ? shown.height() : 0),
                 workspace);
    }

    void noPreviewWhenSwitchedOffOrUnreadable() {
        TBMPOpenForm form;
        openOn(form, dir.path(), QStringLiteral("logo.png"));
        const QRgb workspace = form.PaintBox1->palette().color(QPalette::Dark).rgb();
        form.JamShellList1->setCurrentIndex(form.indexOf(QStringLiteral("kaputt.png")));
        QCOMPARE(form.FileNameEdit->text(), QStringLiteral("kaputt.png"));
        QTRY_VERIFY(!form.previewPending());
        QVERIFY(form.PreviewBmp.isNull());
        QCOMPARE(form.PaintBox1->grab().toImage().pixel(5, 5), workspace);
        form.VSchauCheck->setChecked(false);
        form.JamShellList1->setCurrentIndex(form.indexOf(QStringLiteral("logo.png")));
        QCOMPARE(form.FileNameEdit->text(), QStringLiteral("logo.png"));
        QVERIFY(!form.previewPending());
        QVERIFY(form.PreviewBmp.isNull());
        QCOMPARE(form.PaintBox1->grab().toImage().pixel(5, 5), workspace);
    }

    // A large picture is decoded off the window's thread at preview size, and a
    // picture chosen after it is the one that shows.
    void largePicturesPreviewSmallAndInTurn() {
        QTemporaryDir big;
        QImage photo(4000, 3000, QImage::Format_RGB32);
        photo.fill(qRgb(0, 0, 200));
        QVERIFY(photo.save(big.filePath(QStringLiteral("gross.jpg")), "JPEG", 90));
        savePicture(big.filePath(QStringLiteral("klein.png")), 30, 20);
        TBMPOpenForm form;
        openOn(form, big.path(), QStringLiteral("gross.jpg"));
        form.OpenFileNow(QStringLiteral("gross.jpg"));
        QVERIFY(form.previewPending());
        QTRY_VERIFY(!form.previewPending());
        QVERIFY(form.PreviewBmp.width() <= 228 && form.PreviewBmp.height() <= 331);
        QCOMPARE(previewRect(QSize(228, 331), form.PreviewBmp.size()).size(), QSize(228, 171));

        form.OpenFileNow(QStringLiteral("gross.jpg"));
        form.OpenFileNow(QStringLiteral("klein.png"));
        QTRY_VERIFY(!form.previewPending());
        QTest::qWait(50); // a dropped decode that still arrived would show now
        QCOMPARE(form.PreviewBmp.size(), QSize(30, 20));
    }

    // Every kind of file the filter offers previews, through the placing's loader.
    void previewOfNetpbmAndHeaderlessDib_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("PPM") << "bild.ppm" << QByteArray("P6\n2 1\n255\n\xc8\0\0\xc8\0\0", 17);
        QByteArray dib(40, '\0');
        dib[0] = 40;
        dib[4] = 2;  // width
        dib[8] = 1;  // height
        dib[12] = 1; // planes
        dib[14] = 24;
        dib.append(QByteArray("\0\0\xc8\0\0\xc8\0\0", 8)); // BGR BGR, row padded to 8
        QTest::newRow("DIB without file header") << "bild.dib" << dib;
    }
    void previewOfNetpbmAndHeaderlessDib() {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QTemporaryDir here;
        QFile f(here.filePath(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        f.close();
        TBMPOpenForm form;
        openOn(form, here.path(), name);
        form.JamShellList1->setCurrentIndex(form.indexOf(name));
        QTRY_VERIFY(!form.previewPending());
        QCOMPARE(form.PreviewBmp.size(), QSize(2, 1));
        QCOMPARE(form.PreviewBmp.pixel(1, 0), qRgb(200, 0, 0));
    }

    void typedNameIsTakenAsItIs_data() {
        QTest::addColumn<bool>("inProgramFolder");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("chosen");
        QTest::newRow("program folder") << true << "fehlt.jpg"
                                        << "fehlt.jpg";
        QTest::newRow("elsewhere") << false << "fehlt.jpg"
                                   << "SUB/fehlt.jpg";
        QTest::newRow("absolute path") << false << "/irgendwo/fehlt.jpg"
                                       << "/irgendwo/fehlt.jpg";
    }
    void typedNameIsTakenAsItIs() {
        QFETCH(bool, inProgramFolder);
        QFETCH(QString, typed);
        QFETCH(QString, chosen);
        TBMPOpenForm form;
        form.setFolder(inProgramFolder ? ProgPath() : sub);
        form.ChosenFile = QStringLiteral("vorher");
        form.FileNameEdit->setText(typed);
        form.OpenBtn->click();
        QCOMPARE(form.result(), int(QDialog::Accepted));
        QCOMPARE(form.ChosenFile, chosen.replace(QStringLiteral("SUB"), QDir::cleanPath(sub)));
    }

    void cancelKeepsTheChoice() {
        TBMPOpenForm form;
        form.ChosenFile = QStringLiteral("vorher.png");
        form.FileNameEdit->setText(QStringLiteral("anders.png"));
        form.CancelBtn->click();
        QCOMPARE(form.result(), int(QDialog::Rejected));
        QCOMPARE(form.ChosenFile, QStringLiteral("vorher.png"));
    }

    void missingFolderGivesWayToTheOneAbove() {
        TBMPOpenForm form;
        form.setFolder(dir.filePath(QStringLiteral("gibt-es-nicht/auch-nicht")));
        QCOMPARE(form.folder(), QDir::cleanPath(dir.path()));
        QCOMPARE(form.JamShellCombo1->folder(), QDir::cleanPath(dir.path()));
        openOn(form, form.folder(), QStringLiteral("logo.png"));
        form.FileNameEdit->setText(QStringLiteral("x.png"));
        form.OpenBtn->click();
        QCOMPARE(form.ChosenFile, QStringLiteral("x.png"));
    }
};

QTEST_MAIN(TestBmpOpenForm)
#include "tst_bmpopenform.moc"
