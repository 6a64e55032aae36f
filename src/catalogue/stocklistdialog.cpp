#include "catalogue/stocklistdialog.h"

#include <QAbstractTableModel>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QVBoxLayout>

namespace {
enum Column { Maker, Part, Paper, Size, Count, ColumnCount };

QString mm(double v) {
    return QLocale().toString(v, 'g', 6);
}

class StockTableModel : public QAbstractTableModel {
public:
    StockTableModel(const QList<LabelStock>& stocks, QObject* parent)
        : QAbstractTableModel(parent), stocks_(stocks) {}

    int rowCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : int(stocks_.size());
    }
    int columnCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : ColumnCount;
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        static const char* const Titles[ColumnCount] = {"Hersteller", "Artikel", "Papier",
                                                        "Etikett B x H in mm", "Anzahl"};
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
            section >= ColumnCount)
            return QVariant();
        return QString::fromUtf8(Titles[section]);
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || index.row() >= stocks_.size())
            return QVariant();
        const LabelStock& s = stocks_[index.row()];
        if (role == Qt::DisplayRole) {
            switch (index.column()) {
            case Maker:
                return s.Brand;
            case Part:
                return s.SameAs.isEmpty()
                           ? s.Part
                           : s.Part + QStringLiteral(" (wie ") + s.SameAs + QLatin1Char(')');
            case Paper:
                return s.Paper;
            case Size:
                return mm(s.LabelWidth) + QStringLiteral(" x ") + mm(s.LabelHeight);
            case Count:
                return QStringLiteral("%1 (%2 x %3)")
                    .arg(s.Across * s.Down)
                    .arg(s.Across)
                    .arg(s.Down);
            }
        }
        if (role == Qt::UserRole) { // sort key
            switch (index.column()) {
            case Maker:
                return s.Brand.toLower();
            case Part:
                return s.Part.toLower();
            case Paper:
                return s.Paper;
            case Size:
                return s.LabelWidth * 10000.0 + s.LabelHeight;
            case Count:
                return s.Across * s.Down;
            }
        }
        if (role == Qt::TextAlignmentRole && (index.column() == Size || index.column() == Count))
            return int(Qt::AlignRight | Qt::AlignVCenter);
        return QVariant();
    }

private:
    const QList<LabelStock>& stocks_;
};
} // namespace

class StockFilterModel : public QSortFilterProxyModel {
public:
    StockFilterModel(const QList<LabelStock>& stocks, QObject* parent)
        : QSortFilterProxyModel(parent), stocks_(stocks) {}
    void setSearch(const QString& text) {
        search_ = text;
        invalidateFilter();
    }

protected:
    bool filterAcceptsRow(int row, const QModelIndex&) const override {
        return row < stocks_.size() && stocks_[row].matches(search_);
    }

private:
    const QList<LabelStock>& stocks_;
    QString search_;
};

StockListDialog::StockListDialog(const QList<LabelStock>& stocks, QWidget* parent)
    : QDialog(parent), stocks_(stocks) {
    setObjectName(QStringLiteral("StockListDialog"));
    setWindowTitle(QStringLiteral("Etiketten aus der Herstellerliste"));
    setAccessibleName(windowTitle());

    auto* searchLabel = new QLabel(QStringLiteral("&Suchen:"), this);
    search_ = new QLineEdit(this);
    search_->setObjectName(QStringLiteral("SearchED"));
    search_->setPlaceholderText(QStringLiteral("Hersteller oder Artikelnummer"));
    search_->setClearButtonEnabled(true);
    search_->setAccessibleName(QStringLiteral("Suchen"));
    searchLabel->setBuddy(search_);

    filter_ = new StockFilterModel(stocks_, this);
    filter_->setSourceModel(new StockTableModel(stocks_, this));
    filter_->setSortRole(Qt::UserRole);
    table_ = new QTableView(this);
    table_->setObjectName(QStringLiteral("StockTable"));
    table_->setAccessibleName(QStringLiteral("Herstellerliste"));
    table_->setModel(filter_);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSortingEnabled(true);
    table_->sortByColumn(Maker, Qt::AscendingOrder);
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->setAlternatingRowColors(true);

    countLabel_ = new QLabel(this);
    countLabel_->setObjectName(QStringLiteral("CountLabel"));
    auto* buttons = new QDialogButtonBox(this);
    takeBtn_ = buttons->addButton(QStringLiteral("&Übernehmen"), QDialogButtonBox::AcceptRole);
    takeBtn_->setObjectName(QStringLiteral("TakeBtn"));
    takeBtn_->setAccessibleName(QStringLiteral("Übernehmen"));
    takeBtn_->setDefault(true);
    QPushButton* cancel =
        buttons->addButton(QStringLiteral("&Abbrechen"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("CancelBtn"));
    cancel->setAccessibleName(QStringLiteral("Abbrechen"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(table_, &QTableView::doubleClicked, this, &QDialog::accept);
    connect(search_, &QLineEdit::textChanged, this, &StockListDialog::setSearchText);
    connect(table_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &StockListDialog::updateState);

    auto* top = new QHBoxLayout();
    top->addWidget(searchLabel);
    top->addWidget(search_, 1);
    auto* bottom = new QHBoxLayout();
    bottom->addWidget(countLabel_, 1);
    bottom->addWidget(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(table_, 1);
    layout->addLayout(bottom);
    resize(640, 520);
    updateState();
}

int StockListDialog::shownCount() const {
    return filter_->rowCount();
}

void StockListDialog::setSearchText(const QString& text) {
    if (search_->text() != text)
        search_->setText(text); // comes back here through textChanged
    filter_->setSearch(text);
    if (shownCount() > 0 && !table_->selectionModel()->hasSelection())
        selectShownRow(0);
    updateState();
}

bool StockListDialog::selectShownRow(int row) {
    if (row < 0 || row >= shownCount())
        return false;
    table_->selectRow(row);
    table_->scrollTo(filter_->index(row, 0));
    return true;
}

const LabelStock* StockListDialog::selectedStock() const {
    const QModelIndexList rows = table_->selectionModel()->selectedRows();
    if (rows.isEmpty())
        return nullptr;
    const int source = filter_->mapToSource(rows.constFirst()).row();
    return source >= 0 && source < stocks_.size() ? &stocks_[source] : nullptr;
}

void StockListDialog::updateState() {
    takeBtn_->setEnabled(selectedStock() != nullptr);
    countLabel_->setText(QStringLiteral("%1 von %2 Bögen").arg(shownCount()).arg(stocks_.size()));
}

void StockListDialog::done(int result) {
    chosen_ = result == QDialog::Accepted ? selectedStock() : nullptr;
    if (result == QDialog::Accepted && !chosen_)
        return; // nothing picked: stays open
    QDialog::done(result);
}
