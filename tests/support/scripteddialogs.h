#pragma once

#include <QAbstractButton>
#include <QDialog>
#include <QQueue>
#include <QStringList>

#include <functional>

// Works the program's own dialogs from a script instead of running them modally:
// each run takes the next step, which gets the dialog and returns its result.
// Every run is recorded by the dialog's object name.
class ScriptedDialogs {
public:
    using Step = std::function<int(QDialog&)>;
    QQueue<Step> steps;
    QStringList runs;

    std::function<int(QDialog&)> runner() {
        return [this](QDialog& dialog) {
            runs.append(dialog.objectName());
            if (steps.isEmpty()) {
                dialog.reject();
                return int(QDialog::Rejected);
            }
            return steps.dequeue()(dialog);
        };
    }
};

// A control of a dialog by its object name.
template <class T> T* control(QObject& dialog, const char* name) {
    T* found = dialog.findChild<T*>(QLatin1String(name));
    if (!found)
        qFatal("no control %s", name);
    return found;
}

// Clicks a button of the dialog and returns the dialog's result.
inline int click(QDialog& dialog, const char* button) {
    dialog.setResult(-1);
    control<QAbstractButton>(dialog, button)->click();
    return dialog.result();
}
