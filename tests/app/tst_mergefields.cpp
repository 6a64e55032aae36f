#include "app/sdiappform.h"
#include "document/settingsstore.h"
#include "editor/editorpage.h"
#include "editor/txtform.h"
#include "output/mergepanel.h"
#include "output/printpage.h"
#include "scriptedprompts.h"

#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
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
};

QTEST_MAIN(TestMergeFields)
#include "tst_mergefields.moc"
