#pragma once

#include <QDialog>
#include <QTimer>

#include <functional>

// Runs act once the dialog shows modally (from the dialog's own event loop).
inline void whenShown(QDialog* dialog, std::function<void()> act) {
    QTimer::singleShot(0, dialog, [dialog, act] {
        if (dialog->isVisible())
            act();
        else
            qWarning("dialog %s not shown", qPrintable(dialog->objectName()));
    });
}
