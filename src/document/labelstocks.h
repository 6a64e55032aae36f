#pragma once

#include "document/labelformat.h"

#include <QList>
#include <QString>
#include <QStringView>

// One commercial label stock of the shipped list: a regular grid of equal labels
// on a sheet, lengths in mm.
struct LabelStock {
    QString Brand;
    QString Part;
    QString Paper; // "A4", "US-Letter", "A5"
    double LabelWidth = 0;
    double LabelHeight = 0;
    double MarginLeft = 0;
    double MarginTop = 0;
    double PitchX = 0;
    double PitchY = 0;
    int Across = 1;
    int Down = 1;
    QString SameAs; // part numbers under which the maker sells the same sheet

    // "Brand Part".
    QString name() const;
    // The sheet format of the stock, named after it. A listed pitch below the label
    // size (labels that touch, or a single row or column) becomes the label size.
    TLabelFormat format() const;
    // Whether a search text matches the maker, the part number or an equivalent
    // (letter case ignored).
    bool matches(const QString& search) const;
};

// Reads the list from CSV text with the header line
// brand,part,paper,label_width_mm,label_height_mm,margin_left_mm,margin_top_mm,
// pitch_x_mm,pitch_y_mm,across,down,same_as. Columns are found by their names;
// rows with missing columns, unreadable numbers or a sheet outside the label-type
// limits are left out. Without the named columns the list is empty.
QList<LabelStock> parseLabelStocks(QStringView csv);

// The list that ships with the program (compiled in), read once.
const QList<LabelStock>& shippedLabelStocks();
// The licence notice that comes with the list.
QString shippedLabelStocksNotice();
