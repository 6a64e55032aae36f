#pragma once

#include <QDialog>
#include <QStringList>

class QPlainTextEdit;
class QPushButton;

// "Text eingeben...": the lines of a text object in a memo.
class TTxtForm : public QDialog {
    Q_OBJECT
public:
    explicit TTxtForm(QWidget* parent = nullptr);

    QPlainTextEdit* Memo1 = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

    void setLines(const QStringList& lines);
    // The memo's lines; a line break at the very end starts no line of its own.
    QStringList lines() const;

protected:
    void showEvent(QShowEvent* event) override;
};
