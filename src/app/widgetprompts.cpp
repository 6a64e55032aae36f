#include "app/widgetprompts.h"

#include "app/application.h"
#include "app/fontcolourdialog.h"
#include "codec/dibrecord.h"
#include "document/lastfolder.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>

namespace {
// The width a window needs to show its whole caption: the caption's text plus
// room for the title bar's icon and buttons.
int captionWidth(const QWidget& window) {
    return window.fontMetrics().horizontalAdvance(window.windowTitle()) + 160;
}

// Dialogs of one kind (the same file types) share their last folder.
QString folderKind(const Prompts::FileRequest& request) {
    return request.filters.isEmpty() ? request.title : request.filters.constFirst();
}
} // namespace

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
    case Buttons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    }
    // A message box sizes itself to its text; a long caption would be cut off.
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(
            new QSpacerItem(captionWidth(box), 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
            grid->rowCount(), 0, 1, grid->columnCount());
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
    const QString kind = folderKind(request);
    QFileDialog dialog(parent_, request.title, lastFolder(kind, request.folder));
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
    const QString chosen = dialog.selectedFiles().constFirst();
    request.folder = QFileInfo(chosen).absolutePath();
    rememberFolder(kind, request.folder);
    return chosen;
}

QString WidgetPrompts::openFileName(FileRequest& request) {
    return runFileDialog(request, false);
}

QString WidgetPrompts::saveFileName(FileRequest& request) {
    return runFileDialog(request, true);
}

bool WidgetPrompts::chooseColor(int32_t& color) {
    QColorDialog dialog(QColor(colorRefToRgb(color)), parent_);
    dialog.setWindowTitle(QStringLiteral("Farbe"));
    if (dialog.exec() != QDialog::Accepted)
        return false;
    color = rgbToColorRef(dialog.selectedColor().rgb());
    return true;
}

bool WidgetPrompts::chooseFont(FontChoice& font) {
    FontColourDialog dialog(*this, parent_);
    dialog.setChoice(font);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    font = dialog.choice();
    return true;
}
