#include "catalogue/labeltypeform.h"
#include "catalogue/neuform.h"
#include "catalogue/stocklistdialog.h"
#include "document/progpath.h"
#include "scripteddialogs.h"
#include "scriptedprompts.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QLineEdit>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

namespace {
QDoubleSpinBox* length(QDialog& d, const char* name) {
    return control<QDoubleSpinBox>(d, name);
}
QSpinBox* count(QDialog& d, const char* name) {
    return control<QSpinBox>(d, name);
}
QString typeName(QDialog& d) {
    return control<QLineEdit>(d, "NameED")->text();
}
QStringList comboItems(QDialog& d) {
    QStringList items;
    auto* combo = control<QComboBox>(d, "ComboBox1");
    for (int i = 0; i < combo->count(); ++i)
        items.append(combo->itemText(i));
    return items;
}
} // namespace

// The label-type dialog, the new-document dialog over the catalogue and the list of
// commercial stocks, worked as a user works them.
class TestCatalogueForms : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QString file;

private slots:
    void initTestCase() {
        QLocale::setDefault(QLocale(QStringLiteral("de_DE")));
        initProgPath(dir.path());
        file = dir.filePath(QStringLiteral("Etikett.dat"));
    }
    void init() { QFile::remove(file); }

    void typeFormLimits_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<double>("designValue");
        QTest::addColumn<double>("low");
        QTest::addColumn<double>("high");
        QTest::newRow("Links") << QStringLiteral("RLED") << 0.0 << 0.0 << 3000.0;
        QTest::newRow("Oben") << QStringLiteral("ROED") << 0.0 << 0.0 << 1000.0;
        QTest::newRow("Breite") << QStringLiteral("BrED") << 90.0 << 1.0 << 3000.0;
        QTest::newRow("Höhe") << QStringLiteral("HoED") << 55.0 << 1.0 << 1000.0;
        QTest::newRow("Horizontaler") << QStringLiteral("AHED") << 0.0 << 0.0 << 3000.0;
        QTest::newRow("Vertikal") << QStringLiteral("AVED") << 0.0 << 0.0 << 1000.0;
        QTest::newRow("Anzahl horizontal") << QStringLiteral("AnzHED") << 2.0 << 1.0 << 50.0;
        QTest::newRow("Anzahl vertikal") << QStringLiteral("AnzVED") << 5.0 << 1.0 << 50.0;
    }
    void typeFormLimits() {
        QFETCH(QString, name);
        QFETCH(double, designValue);
        QFETCH(double, low);
        QFETCH(double, high);
        TNewETypForm form;
        QAbstractSpinBox* spin = control<QAbstractSpinBox>(form, qPrintable(name));
        QVERIFY(!spin->accessibleName().isEmpty());
        auto value = [&] { return spin->property("value").toDouble(); };
        QCOMPARE(value(), designValue);
        spin->setProperty("value", high + 1);
        QCOMPARE(value(), high);
        spin->setProperty("value", low - 1);
        QCOMPARE(value(), low);
        QCOMPARE(typeName(form), QStringLiteral("Kein Name"));
    }

    void startFormatShowsGapsAndRoundTrips() {
        TNewETypForm form;
        form.setFormat(TLabelFormat());
        QCOMPARE(length(form, "AHED")->value(), 1.1);
        QCOMPARE(length(form, "AVED")->value(), 2.3);
        QCOMPARE(count(form, "AnzHED")->value(), 1);
        QCOMPARE(count(form, "AnzVED")->value(), 12);
        QCOMPARE(typeName(form), QStringLiteral("Kein Etikettentyp"));
        const TLabelFormat back = form.format();
        QCOMPARE(back.PitchX, 90.0);
        QCOMPARE(back.PitchY, 38.0);
        QCOMPARE(back.LabelWidth, 88.9);
        QCOMPARE(back.MarginLeft, 10.0);

        control<QLineEdit>(form, "NameED")->setText(QString(60, QLatin1Char('x')));
        QCOMPARE(form.format().TypeName, QString(50, QLatin1Char('x')));
    }

    void stockFromTheListFillsEveryControl() {
        TNewETypForm form;
        ScriptedDialogs dialogs;
        form.setDialogRunner(dialogs.runner());
        dialogs.steps.enqueue([](QDialog& d) {
            auto& list = static_cast<StockListDialog&>(d);
            // Three parts are named so, two more are sold as equivalent to it.
            list.setSearchText(QStringLiteral("8435a"));
            if (list.shownCount() != 5)
                return int(QDialog::Rejected);
            control<QLineEdit>(d, "SearchED")->setText(QStringLiteral("l7163"));
            return click(d, "TakeBtn");
        });
        form.chooseStock();
        QCOMPARE(dialogs.runs, QStringList{QStringLiteral("StockListDialog")});
        // Avery,L7163,A4,99.095,38.100,3.351,15.169,103.011,38.100,2,7,7163
        QCOMPARE(typeName(form), QStringLiteral("Avery L7163"));
        QCOMPARE(length(form, "RLED")->value(), 3.351);
        QCOMPARE(length(form, "ROED")->value(), 15.169);
        QCOMPARE(length(form, "BrED")->value(), 99.095);
        QCOMPARE(length(form, "HoED")->value(), 38.1);
        QCOMPARE(length(form, "AHED")->value(), 3.916);
        QCOMPARE(length(form, "AVED")->value(), 0.0);
        QCOMPARE(count(form, "AnzHED")->value(), 2);
        QCOMPARE(count(form, "AnzVED")->value(), 7);

        // Cancelling the list leaves the controls as they are.
        form.chooseStock();
        QCOMPARE(typeName(form), QStringLiteral("Avery L7163"));
    }

    // New twice on an empty catalogue, then Cancel: both entries are in the file.
    void newEntriesAreKeptEvenWhenCancelled() {
        ScriptedPrompts prompts;
        TNewETypForm typeForm;
        TneuForm neu(typeForm, prompts);
        ScriptedDialogs dialogs;
        neu.setDialogRunner(dialogs.runner());
        QStringList proposed;
        auto acceptType = [&](QDialog& d) {
            proposed.append(typeName(d));
            return click(d, "OkBtn");
        };
        dialogs.steps.enqueue([&](QDialog& d) {
            if (!neu.hintShown() || !comboItems(d).isEmpty())
                return int(QDialog::Accepted); // fails below
            click(d, "NewBtn");
            click(d, "NewBtn");
            return click(d, "CancelBtn");
        });
        dialogs.steps.enqueue(acceptType);
        dialogs.steps.enqueue(acceptType);
        QCOMPARE(neu.execute(), int(QDialog::Rejected));
        QCOMPARE(proposed,
                 (QStringList{QStringLiteral("Kein Name0"), QStringLiteral("Kein Name1")}));
        QFile written(file);
        QCOMPARE(written.size(), 8 + 2 * 112);

        // Next time: both listed, the first selected, no hint.
        dialogs.steps.enqueue([&](QDialog& d) {
            proposed = comboItems(d);
            return click(d, "OkBtn");
        });
        QCOMPARE(neu.execute(), int(QDialog::Accepted));
        QVERIFY(!neu.hintShown());
        QCOMPARE(proposed,
                 (QStringList{QStringLiteral("Kein Name0"), QStringLiteral("Kein Name1")}));
        QCOMPARE(neu.chosen().TypeName, QStringLiteral("Kein Name0"));
        QCOMPARE(neu.catalogue().count(), 0); // dropped when closed
    }

    void deleteEditAndOkWithoutSelection() {
        ScriptedPrompts prompts;
        TNewETypForm typeForm;
        TneuForm neu(typeForm, prompts);
        ScriptedDialogs dialogs;
        neu.setDialogRunner(dialogs.runner());
        QStringList after;
        auto nameIt = [](const QString& name) {
            return [name](QDialog& d) {
                control<QLineEdit>(d, "NameED")->setText(name);
                return click(d, "OkBtn");
            };
        };
        dialogs.steps.enqueue([&](QDialog& d) {
            // Empty list: OK is refused and the dialog stays open.
            if (click(d, "OkBtn") != -1)
                return int(QDialog::Accepted);
            for (int i = 0; i < 3; ++i)
                click(d, "NewBtn");
            control<QComboBox>(d, "ComboBox1")->setCurrentIndex(0);
            prompts.answers.enqueue(Prompts::Answer::Cancel);
            click(d, "DelBtn"); // not confirmed
            click(d, "DelBtn");
            after = comboItems(d);
            after.append(QString::number(neu.selectedIndex()));
            control<QComboBox>(d, "ComboBox1")->setCurrentIndex(1);
            click(d, "EditBtn");
            after.append(comboItems(d));
            after.append(QString::number(neu.selectedIndex()));
            return click(d, "OkBtn");
        });
        dialogs.steps.enqueue(nameIt(QStringLiteral("eins")));
        dialogs.steps.enqueue(nameIt(QStringLiteral("zwei")));
        dialogs.steps.enqueue(nameIt(QStringLiteral("drei")));
        dialogs.steps.enqueue([](QDialog& d) {
            if (typeName(d) != QLatin1String("drei"))
                return int(QDialog::Rejected);
            control<QDoubleSpinBox>(d, "BrED")->setValue(40);
            control<QLineEdit>(d, "NameED")->setText(QStringLiteral("drei neu"));
            return click(d, "OkBtn");
        });
        QCOMPARE(neu.execute(), int(QDialog::Accepted));

        QCOMPARE(prompts.shown.size(), 3);
        QCOMPARE(prompts.shown[0].text,
                 QStringLiteral("Sie haben keinen Etikettentyp ausgewählt."));
        QCOMPARE(prompts.shown[0].caption, QStringLiteral("Fehler"));
        QCOMPARE(prompts.shown[0].icon, Prompts::Icon::Error);
        QCOMPARE(prompts.shown[1].text,
                 QStringLiteral("Hiermit löschen Sie den Etikettentyp unwiederrufbar."));
        QCOMPARE(prompts.shown[1].caption, QStringLiteral("Hinweis"));
        QCOMPARE(prompts.shown[1].buttons, Prompts::Buttons::OkCancel);
        QCOMPARE(prompts.shown[1].icon, Prompts::Icon::Error);
        QCOMPARE(after, (QStringList{QStringLiteral("zwei"), QStringLiteral("drei"),
                                     QStringLiteral("0"), QStringLiteral("zwei"),
                                     QStringLiteral("drei neu"), QStringLiteral("1")}));
        QCOMPARE(neu.chosen().TypeName, QStringLiteral("drei neu"));
        QCOMPARE(neu.chosen().LabelWidth, 40.0);
        QCOMPARE(QFile(file).size(), 8 + 2 * 112);
    }

    // After "Neu" the type just made is the selected one, whatever acts next, and
    // the hint for an empty start is gone.
    void newTypeIsSelected_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QStringList>("items"); // the list when the dialog closes
        QTest::addColumn<QString>("chosen");
        QTest::newRow("OK at once") << QStringLiteral("OkBtn")
                                    << QStringList{QStringLiteral("eins"), QStringLiteral("zwei")}
                                    << QStringLiteral("zwei");
        QTest::newRow("Ändern") << QStringLiteral("EditBtn")
                                << QStringList{QStringLiteral("eins"), QStringLiteral("zwei neu")}
                                << QStringLiteral("zwei neu");
        QTest::newRow("Löschen") << QStringLiteral("DelBtn") << QStringList{QStringLiteral("eins")}
                                 << QStringLiteral("eins");
    }
    void newTypeIsSelected() {
        QFETCH(QString, action);
        QFETCH(QStringList, items);
        QFETCH(QString, chosen);
        ScriptedPrompts prompts;
        TNewETypForm typeForm;
        TneuForm neu(typeForm, prompts);
        ScriptedDialogs dialogs;
        neu.setDialogRunner(dialogs.runner());
        QStringList seen;
        QList<bool> hints;
        QString edited;
        QString selected;
        auto nameIt = [](const QString& name) {
            return [name](QDialog& d) {
                control<QLineEdit>(d, "NameED")->setText(name);
                return click(d, "OkBtn");
            };
        };
        dialogs.steps.enqueue([&](QDialog& d) {
            hints.append(neu.hintShown());
            click(d, "NewBtn");
            hints.append(neu.hintShown());
            click(d, "NewBtn");
            selected = control<QComboBox>(d, "ComboBox1")->currentText();
            if (action == QLatin1String("OkBtn")) {
                seen = comboItems(d); // closing empties the list
                return click(d, "OkBtn");
            }
            click(d, action.toLatin1().constData());
            seen = comboItems(d);
            return click(d, "OkBtn");
        });
        dialogs.steps.enqueue(nameIt(QStringLiteral("eins")));
        dialogs.steps.enqueue(nameIt(QStringLiteral("zwei")));
        if (action == QLatin1String("EditBtn"))
            dialogs.steps.enqueue([&](QDialog& d) {
                edited = typeName(d);
                return nameIt(QStringLiteral("zwei neu"))(d);
            });
        QCOMPARE(neu.execute(), int(QDialog::Accepted));
        QCOMPARE(hints, (QList<bool>{true, false}));
        QCOMPARE(selected, QStringLiteral("zwei"));
        QCOMPARE(seen, items);
        QCOMPARE(neu.chosen().TypeName, chosen);
        if (action == QLatin1String("EditBtn"))
            QCOMPARE(edited, QStringLiteral("zwei"));
    }
};

QTEST_MAIN(TestCatalogueForms)
#include "tst_catalogueforms.moc"
