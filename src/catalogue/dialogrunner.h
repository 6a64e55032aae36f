#pragma once

#include <QDialog>

#include <functional>

// Runs a dialog modally and returns its result. The program runs QDialog::exec;
// tests put a function in its place that works the dialog's controls.
using DialogRunner = std::function<int(QDialog&)>;

inline DialogRunner modalDialogRunner() {
    return [](QDialog& dialog) { return dialog.exec(); };
}
