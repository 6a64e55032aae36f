#pragma once

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;

// The check before a merged run prints: what would go wrong, row by row, with
// "Trotzdem drucken" (accept) and "Abbrechen" (reject).
class TPreflightForm : public QDialog {
    Q_OBJECT
public:
    explicit TPreflightForm(QWidget* parent = nullptr);

    void setFindings(const QStringList& findings);

    QLabel* Summary = nullptr;
    QPlainTextEdit* FindingList = nullptr;
    QPushButton* PrintAnywayBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
};
