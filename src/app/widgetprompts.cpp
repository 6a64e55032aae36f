#include "app/widgetprompts.h"

#include "app/application.h"

#include <QFileDialog>
#include <QMessageBox>

Prompts::Answer WidgetPrompts::message(const QString& text, const QString& caption, Buttons buttons,
                                       Icon icon) {
    QMessageBox box(parent_);
    box.setText(text);
    box.setWindowTitle(caption.isEmpty() ? applicationTitle() : caption);
    switch (icon) {
    case Icon::None:
        box.setIcon(QMessageBox::NoIcon);
        break;
    case Icon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case Icon::Warning:
        box.setIcon(QMessageBox::Warning);
        break;
    case Icon::Error:
        box.setIcon(QMessageBox::Critical);
        break;
    case Icon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    }
    switch (buttons) {
    case Buttons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case Buttons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    case Buttons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    case QMessageBox::Ok:
        return Answer::Ok;
    default:
        return Answer::Cancel;
    }
}

QString WidgetPrompts::runFileDialog(FileRequest& request, bool save) {
    QFileDialog dialog(parent_, request.title, request.folder);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (!request.confirmOverwrite)
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (!request.filters.isEmpty()) {
        dialog.setNameFilters(request.filters);
        if (request.selectedFilter >= 0 && request.selectedFilter < request.filters.size())
            dialog.selectNameFilter(request.filters.at(request.selectedFilter));
    }
    if (!request.defaultSuffix.isEmpty())
        dialog.setDefaultSuffix(request.defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    request.selectedFilter = int(request.filters.indexOf(dialog.selectedNameFilter()));
    request.folder = dialog.directory().absolutePath();
    return dialog.selectedFiles().constFirst();
}

QString WidgetPrompts::openFileName(FileRequest& request) {
    return runFileDialog(request, false);
}

QString WidgetPrompts::saveFileName(FileRequest& request) {
    return runFileDialog(request, true);
}
