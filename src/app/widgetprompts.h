#pragma once

#include "document/prompts.h"

class QWidget;

// Message boxes and standard dialogs shown with Qt's own dialogs.
class WidgetPrompts : public Prompts {
public:
    explicit WidgetPrompts(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }

    Answer message(const QString& text, const QString& caption, Buttons buttons,
                   Icon icon) override;
    QString openFileName(FileRequest& request) override;
    QString saveFileName(FileRequest& request) override;
    bool chooseColor(int32_t& color) override;
    bool chooseFont(FontChoice& font) override;

private:
    QString runFileDialog(FileRequest& request, bool save);
    QWidget* parent_;
};
