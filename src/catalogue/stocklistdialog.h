#pragma once

#include "document/labelstocks.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class StockFilterModel;

// The list of commercial label stocks: maker, part number, paper, label size and
// labels per sheet, sortable by every column, filtered by a search text that
// matches maker, part number and the equivalent part numbers.
class StockListDialog : public QDialog {
    Q_OBJECT
public:
    explicit StockListDialog(const QList<LabelStock>& stocks, QWidget* parent = nullptr);

    // The stock picked when the dialog was accepted; null otherwise.
    const LabelStock* chosen() const { return chosen_; }
    // Stocks shown under the current search text.
    int shownCount() const;

    void setSearchText(const QString& text);
    // Selects the shown row (in the current order); false when there is none.
    bool selectShownRow(int row);

    void done(int result) override;

private:
    const LabelStock* selectedStock() const;
    void updateState();

    const QList<LabelStock>& stocks_;
    const LabelStock* chosen_ = nullptr;
    QLineEdit* search_ = nullptr;
    QTableView* table_ = nullptr;
    QLabel* countLabel_ = nullptr;
    QPushButton* takeBtn_ = nullptr;
    StockFilterModel* filter_ = nullptr;
};
