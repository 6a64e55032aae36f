#pragma once

#include <QDialog>
#include <QStringList>

class QComboBox;
class QPlainTextEdit;
class QPushButton;

// "Text eingeben...": the lines of a text object in a memo. The drop-down "Feld
// einfügen" inserts %%NUMMER%% or a field of the data source at the cursor.
class TTxtForm : public QDialog {
    Q_OBJECT
public:
    explicit TTxtForm(QWidget* parent = nullptr);

    QPlainTextEdit* Memo1 = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
    QComboBox* FieldBox = nullptr;

    void setLines(const QStringList& lines);
    // The memo's lines; a line break at the very end starts no line of its own.
    QStringList lines() const;
    // The columns of the current data source (empty: none) for "Feld einfügen".
    void setFieldNames(const QStringList& columns);

protected:
    void showEvent(QShowEvent* event) override;
};
