#include "document/labeldocument.h"
#include "document/progpath.h"
#include "output/printerchoicedialog.h"
#include "output/printpage.h"
#include "scriptedprompts.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QListWidget>
#include <QPrinter>
#include <QProcess>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include <unistd.h>

// Printing to the second of two print queues, chosen in "Einrichten", through a
// CUPS server of the test's own (private configuration, spool and socket).
class TestCupsQueues : public QObject {
    Q_OBJECT
    QTemporaryDir work{QStringLiteral("/tmp/awb-queues.XXXXXX")};
    QProcess cupsd;
    LabelDocument doc;
    ScriptedPrompts prompts;
    int counter = 1;

    QString at(const QString& name) const { return work.filePath(name); }

    static bool run(const QString& program, const QStringList& args, QByteArray* out = nullptr) {
        QProcess p;
        p.start(program, args);
        if (!p.waitForFinished(30000) || p.exitCode() != 0)
            return false;
        if (out)
            *out = p.readAllStandardOutput();
        return true;
    }
    static int completedJobs(const QString& queue) {
        QByteArray out;
        if (!run(QStringLiteral("lpstat"),
                 {QStringLiteral("-W"), QStringLiteral("completed"), QStringLiteral("-o"), queue},
                 &out))
            return -1;
        return int(out.count('\n'));
    }
    void write(const QString& name, const QByteArray& text) {
        QFile f(at(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(text);
    }

    // Which queues the dialog lists and which it shows chosen; then picks row and
    // accepts, or cancels for row -1.
    std::pair<QStringList, QString> choose(TPrintPage& page, int row) {
        QStringList listed;
        QString current;
        QTimer::singleShot(0, [&] {
            auto* d = qobject_cast<PrinterChoiceDialog*>(QApplication::activeModalWidget());
            if (!d)
                return;
            for (int i = 0; i < d->PrinterList->count(); ++i)
                listed << d->PrinterList->item(i)->text();
            current = d->PrinterList->currentItem()->text();
            if (row < 0) {
                d->reject();
                return;
            }
            d->PrinterList->setCurrentRow(row);
            d->accept();
        });
        page.SetupBtn->click();
        return {listed, current};
    }

private slots:
    void initTestCase() {
        if (geteuid() != 0 || !QFile::exists(QStringLiteral("/usr/sbin/cupsd")))
            QSKIP("needs cupsd and root to run a CUPS server of its own");
        QVERIFY(work.isValid());
        initProgPath(work.path());
        // Filters run as the lp user: the folders must be reachable for them.
        QFile::setPermissions(work.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                               QFileDevice::ExeOwner | QFileDevice::ReadOther |
                                               QFileDevice::ExeOther | QFileDevice::ReadGroup |
                                               QFileDevice::ExeGroup);
        const QString root = work.path();
        for (const char* dir : {"etc", "spool", "cache", "state", "log", "tmp"})
            QVERIFY(QDir(root).mkpath(QLatin1String(dir)));
        QVERIFY(run(QStringLiteral("chmod"), {QStringLiteral("1777"), at(QStringLiteral("tmp"))}));
        QVERIFY(run(QStringLiteral("chgrp"), {QStringLiteral("lp"), at(QStringLiteral("spool"))}));
        QVERIFY(
            run(QStringLiteral("chmod"), {QStringLiteral("0710"), at(QStringLiteral("spool"))}));
        const QByteArray socket = at(QStringLiteral("cups.sock")).toUtf8();
        write(QStringLiteral("etc/cupsd.conf"),
              "Listen " + socket +
                  "\nLogLevel info\nDefaultAuthType None\nWebInterface No\nBrowsing No\n"
                  "<Policy default>\n<Limit All>\nOrder deny,allow\n</Limit>\n</Policy>\n"
                  "<Location />\nOrder deny,allow\n</Location>\n");
        const QByteArray r = root.toUtf8();
        write(QStringLiteral("etc/cups-files.conf"),
              "ServerRoot " + r + "/etc\nRequestRoot " + r + "/spool\nCacheDir " + r +
                  "/cache\nStateDir " + r + "/state\nTempDir " + r + "/tmp\nErrorLog " + r +
                  "/log/error_log\nAccessLog " + r + "/log/access_log\nPageLog " + r +
                  "/log/page_log\nServerBin /usr/lib/cups\nDataDir /usr/share/cups\n"
                  "Sandboxing Relaxed\n");
        // Set before anything asks CUPS: the print system reads it once.
        qputenv("CUPS_SERVER", socket);
        cupsd.start(QStringLiteral("/usr/sbin/cupsd"),
                    {QStringLiteral("-f"), QStringLiteral("-c"),
                     at(QStringLiteral("etc/cupsd.conf")), QStringLiteral("-s"),
                     at(QStringLiteral("etc/cups-files.conf"))});
        QVERIFY(cupsd.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(at(QStringLiteral("cups.sock"))), 10000);
        // Two raw queues that swallow their jobs: the job list tells where a job went.
        for (const char* queue : {"AWB-Eins", "AWB-Zwei"})
            QVERIFY(run(QStringLiteral("lpadmin"),
                        {QStringLiteral("-p"), QLatin1String(queue), QStringLiteral("-E"),
                         QStringLiteral("-v"), QStringLiteral("file:///dev/null")}));
        QVERIFY(run(QStringLiteral("lpadmin"), {QStringLiteral("-d"), QStringLiteral("AWB-Eins")}));
        doc.computeWorkArea();
    }

    void cleanupTestCase() {
        if (cupsd.state() != QProcess::NotRunning) {
            cupsd.terminate();
            cupsd.waitForFinished(5000);
        }
    }

    // The second queue, chosen once, takes the labels and stays chosen for the run.
    void printsOnTheChosenQueue() {
        PrintPageHost host;
        host.labelNumber = [this] { return counter; };
        host.setLabelNumber = [this](int v) { counter = v; };
        TPrintPage page(doc, prompts, std::move(host));
        QVERIFY(!page.printsToPdf());
        const auto [listed, current] = choose(page, 1);
        QCOMPARE(listed, (QStringList{QStringLiteral("AWB-Eins"), QStringLiteral("AWB-Zwei"),
                                      QStringLiteral("PDF-Datei")}));
        QCOMPARE(current, QStringLiteral("AWB-Eins"));
        QCOMPARE(page.printer().printerName(), QStringLiteral("AWB-Zwei"));
        QVERIFY(!page.printsToPdf());

        page.KopiesED->setValue(1);
        page.PrintClick();
        QCOMPARE(counter, 2);
        QTRY_COMPARE_WITH_TIMEOUT(completedJobs(QStringLiteral("AWB-Zwei")), 1, 30000);
        QCOMPARE(completedJobs(QStringLiteral("AWB-Eins")), 0);
        QCOMPARE(prompts.shown.size(), 0);

        // Opened again, the dialog shows the choice; Cancel keeps it.
        QCOMPARE(choose(page, -1).second, QStringLiteral("AWB-Zwei"));
        QCOMPARE(page.printer().printerName(), QStringLiteral("AWB-Zwei"));
    }
};

QTEST_MAIN(TestCupsQueues)
#include "tst_cupsqueues.moc"
