#pragma once

#include <QWidget>

class Prompts;
class QLineEdit;
class QToolButton;

// A file-name field with a browse button. The dialog offers the picture formats the
// program reads and starts in the program folder. A name that lies directly in the
// program folder is shown as its bare file name once it was chosen by browsing or
// when editing ends; typing alone never changes the field.
class FileNameEdit : public QWidget {
    Q_OBJECT
public:
    FileNameEdit(const QString& objectName, const QString& caption, Prompts& prompts,
                 QWidget* parent = nullptr);

    QString fileName() const;
    void setFileName(const QString& name);
    QLineEdit* edit() const { return edit_; }
    QToolButton* browseButton() const { return browse_; }

    // The browse button: a chosen file replaces the field's name.
    void browse();

signals:
    void fileNameChanged(const QString& name);

private:
    // GrafikFileEdChange / BkGndFileEDChange: the program folder's names shortened.
    void shorten();

    Prompts& prompts_;
    QString caption_;
    QLineEdit* edit_ = nullptr;
    QToolButton* browse_ = nullptr;
};
