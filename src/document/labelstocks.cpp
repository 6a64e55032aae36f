#include "document/labelstocks.h"

#include "document/csvreader.h"
#include "document/labelcatalogue.h"

#include <QFile>

#include <algorithm>
#include <array>

QString LabelStock::name() const {
    return Brand + QLatin1Char(' ') + Part;
}

TLabelFormat LabelStock::format() const {
    TLabelFormat f;
    f.MarginLeft = MarginLeft;
    f.MarginTop = MarginTop;
    f.LabelWidth = LabelWidth;
    f.LabelHeight = LabelHeight;
    f.PitchX = std::max(PitchX, LabelWidth);
    f.PitchY = std::max(PitchY, LabelHeight);
    f.Across = Across;
    f.Down = Down;
    f.TypeName = name().left(TLabelFormat::MaxTypeNameLength);
    return f;
}

bool LabelStock::matches(const QString& search) const {
    const QString s = search.trimmed();
    return s.isEmpty() || Brand.contains(s, Qt::CaseInsensitive) ||
           Part.contains(s, Qt::CaseInsensitive) || SameAs.contains(s, Qt::CaseInsensitive) ||
           name().contains(s, Qt::CaseInsensitive);
}

namespace {
enum Column {
    Brand,
    Part,
    Paper,
    Width,
    Height,
    Left,
    Top,
    PitchX,
    PitchY,
    Across,
    Down,
    SameAs,
    ColumnCount
};
constexpr std::array<const char*, ColumnCount> ColumnNames = {
    "brand",           "part",           "paper",         "label_width_mm",
    "label_height_mm", "margin_left_mm", "margin_top_mm", "pitch_x_mm",
    "pitch_y_mm",      "across",         "down",          "same_as"};

bool readRow(const QStringList& row, const std::array<qsizetype, ColumnCount>& at,
             LabelStock& stock) {
    for (qsizetype index : at) {
        if (index >= row.size())
            return false;
    }
    bool ok = true;
    auto number = [&](Column c) {
        bool good = false;
        const double v = row[at[c]].trimmed().toDouble(&good);
        ok = ok && good;
        return v;
    };
    auto count = [&](Column c) {
        bool good = false;
        const int v = row[at[c]].trimmed().toInt(&good);
        ok = ok && good;
        return v;
    };
    stock.Brand = row[at[Brand]].trimmed();
    stock.Part = row[at[Part]].trimmed();
    stock.Paper = row[at[Paper]].trimmed();
    stock.LabelWidth = number(Width);
    stock.LabelHeight = number(Height);
    stock.MarginLeft = number(Left);
    stock.MarginTop = number(Top);
    stock.PitchX = number(PitchX);
    stock.PitchY = number(PitchY);
    stock.Across = count(Across);
    stock.Down = count(Down);
    stock.SameAs = row[at[SameAs]].trimmed();
    return ok && !stock.Brand.isEmpty() && !stock.Part.isEmpty() &&
           withinLabelTypeLimits(stock.format());
}
} // namespace

QList<LabelStock> parseLabelStocks(QStringView csv) {
    const QList<QStringList> rows = parseCsv(csv);
    QList<LabelStock> stocks;
    if (rows.isEmpty())
        return stocks;
    std::array<qsizetype, ColumnCount> at{};
    for (int c = 0; c < ColumnCount; ++c) {
        at[c] = rows.constFirst().indexOf(QLatin1String(ColumnNames[c]));
        if (at[c] < 0)
            return stocks;
    }
    stocks.reserve(rows.size() - 1);
    for (qsizetype i = 1; i < rows.size(); ++i) {
        LabelStock stock;
        if (readRow(rows[i], at, stock))
            stocks.append(stock);
    }
    return stocks;
}

namespace {
QString resourceText(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll());
}
} // namespace

// Outside any namespace, as the resource system needs; the list lives in a static library.
static void initStockResources() {
    Q_INIT_RESOURCE(labelstocks);
}

const QList<LabelStock>& shippedLabelStocks() {
    static const QList<LabelStock> stocks = [] {
        initStockResources();
        return parseLabelStocks(resourceText(QStringLiteral(":/labelstocks/label-stocks.csv")));
    }();
    return stocks;
}

QString shippedLabelStocksNotice() {
    initStockResources();
    return resourceText(QStringLiteral(":/labelstocks/label-stocks-NOTICE.txt"));
}
