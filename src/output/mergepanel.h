#pragma once

#include "output/mergerows.h"

#include <QWidget>

class Prompts;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

// The data source of the print page: "Daten..." chooses a CSV, text or vCard file,
// "Keine Daten" drops it; the rows show in a table with a check box each, "Alle"
// and "Keine" check or clear the rows the search field leaves visible. The source
// is remembered per label file in the settings and attached again when that label
// is opened (all rows checked); a file changed on disk is read again.
class TMergePanel : public QWidget {
    Q_OBJECT
public:
    TMergePanel(Prompts& prompts, QWidget* parent = nullptr);

    QPushButton* DatenBtn = nullptr;
    QPushButton* KeineDatenBtn = nullptr;
    QPushButton* AlleBtn = nullptr;
    QPushButton* KeineBtn = nullptr;
    QLineEdit* SucheEd = nullptr;
    QTableView* RowTable = nullptr;
    QLabel* SourceLabel = nullptr;

    MergeRows& rows() { return rows_; }
    const MergeRows& rows() const { return rows_; }
    bool hasSource() const { return rows_.hasSource(); }

    void DatenBtnClick();
    void KeineDatenBtnClick();
    // Attaches the file (false with a message when it cannot be read).
    bool attachFile(const QString& path);
    // Follows the open label: attaches the source stored for it, reads a changed
    // file again. Cheap when nothing changed.
    void followDocument(const QString& labelFile);

    // The settings key under which the source of a label file is kept.
    static QString settingsKey(const QString& labelFile);

signals:
    // A source was attached (true) or dropped (false).
    void sourceChanged(bool attached);
    // The checked rows changed.
    void checksChanged();

private:
    void remember();
    void showState();

    Prompts& prompts_;
    MergeRows rows_;
    QString labelFile_;
};
