#include "app/widgetprompts.h"
#include "document/settingsstore.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

// The program's message boxes and file dialogs, shown for real and worked from a
// timer.
class TestWidgetPrompts : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

    // Runs a file dialog; records the folder it opened in and picks a file.
    QString pick(WidgetPrompts& prompts, Prompts::FileRequest& request, const QString& file,
                 QString& openedIn) {
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            openedIn = dialog->directory().absolutePath();
            dialog->selectFile(file);
            static_cast<QDialog*>(dialog)->accept(); // as the "Öffnen" button does
        });
        return prompts.openFileName(request);
    }

private slots:
    void initTestCase() {
        SettingsStore::setOverridePath(dir.filePath(QStringLiteral("settings.ini")));
    }

    // A short text under a long caption: the box is wide enough for the caption.
    void messageBoxFitsItsCaption() {
        WidgetPrompts prompts;
        const QString caption = QStringLiteral("Vorlage in den Editor übernehmen");
        int width = 0;
        int needed = 0;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            width = box->width();
            needed = box->fontMetrics().horizontalAdvance(caption) + 120;
            box->accept();
        });
        prompts.info(QStringLiteral("Fertig."), caption);
        QVERIFY2(width >= needed, qPrintable(QStringLiteral("%1 < %2").arg(width).arg(needed)));
    }

    // After a file was chosen, dialogs for the same file types start in its
    // folder, in this run and the next; other types keep their own start.
    void fileDialogsStartInTheFolderLastUsed() {
        const QString start = QDir(dir.path()).absolutePath();
        QVERIFY(QDir(start).mkpath(QStringLiteral("Etiketten")));
        const QString labels = QDir(start).absoluteFilePath(QStringLiteral("Etiketten"));
        QFile made(labels + QStringLiteral("/a.ett"));
        QVERIFY(made.open(QIODevice::WriteOnly));
        made.close();

        Prompts::FileRequest request;
        request.title = QStringLiteral("Etikett öffnen");
        request.folder = start;
        request.filters = {QStringLiteral("Etiketten (*.ett)")};
        QString openedIn;
        {
            WidgetPrompts prompts;
            QCOMPARE(pick(prompts, request, made.fileName(), openedIn), made.fileName());
            QCOMPARE(openedIn, start);
        }
        WidgetPrompts prompts; // as in a later run
        request.folder = start;
        pick(prompts, request, made.fileName(), openedIn);
        QCOMPARE(openedIn, labels);

        Prompts::FileRequest pictures = request;
        pictures.filters = {QStringLiteral("Bilder (*.png)")};
        pictures.folder = start;
        QTimer::singleShot(0, [&] {
            if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
                openedIn = dialog->directory().absolutePath();
                dialog->reject();
            }
        });
        QVERIFY(prompts.openFileName(pictures).isEmpty());
        QCOMPARE(openedIn, start);
    }
};

QTEST_MAIN(TestWidgetPrompts)
#include "tst_widgetprompts.moc"
