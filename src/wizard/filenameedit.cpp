#include "wizard/filenameedit.h"

#include "codec/rasterio.h"
#include "document/progpath.h"
#include "document/prompts.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QToolButton>

FileNameEdit::FileNameEdit(const QString& objectName, const QString& caption, Prompts& prompts,
                           QWidget* parent)
    : QWidget(parent), prompts_(prompts), caption_(caption) {
    setObjectName(objectName);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    edit_ = new QLineEdit(this);
    edit_->setObjectName(objectName + QStringLiteral("Edit"));
    edit_->setAccessibleName(caption);
    browse_ = new QToolButton(this);
    browse_->setObjectName(objectName + QStringLiteral("Browse"));
    browse_->setText(QStringLiteral("..."));
    browse_->setAccessibleName(caption + QStringLiteral(" durchsuchen"));
    browse_->setToolTip(caption + QStringLiteral(" durchsuchen"));
    row->addWidget(edit_, 1);
    row->addWidget(browse_);
    setFocusProxy(edit_);
    connect(browse_, &QToolButton::clicked, this, &FileNameEdit::browse);
    connect(edit_, &QLineEdit::editingFinished, this, &FileNameEdit::shorten);
    connect(edit_, &QLineEdit::textChanged, this, &FileNameEdit::fileNameChanged);
}

QString FileNameEdit::fileName() const {
    return edit_->text();
}

void FileNameEdit::setFileName(const QString& name) {
    edit_->setText(name);
}

void FileNameEdit::browse() {
    Prompts::FileRequest request;
    request.title = caption_;
    request.folder = ProgPath();
    request.filters = filterToNameFilters(GetDIBOpenFilter());
    request.confirmOverwrite = false;
    const QString chosen = prompts_.openFileName(request);
    if (chosen.isEmpty())
        return;
    edit_->setText(chosen);
    shorten();
}

void FileNameEdit::shorten() {
    const QString name = edit_->text();
    const QString shortName = SubProgPath(name);
    if (shortName != name)
        edit_->setText(shortName);
}
