#include "wizard/designlayout.h"

#include "render/textdraw.h"
#include "render/uprightlayout.h"

#include <algorithm>
#include <cmath>

int designMargin(int lw, double labelWidthMm, double labelHeightMm) {
    if (!(labelWidthMm >= 15 && labelHeightMm >= 15))
        return 0;
    return int(std::trunc(double(lw) * 5 / labelWidthMm));
}

DesignCells layoutDesign(const DesignGrid& design, const CellRect& label, int lw,
                         double labelWidthMm, double labelHeightMm) {
    const int m = designMargin(lw, labelWidthMm, labelHeightMm);
    const int L = label.left + m, T = label.top + m, R = label.right - m, B = label.bottom - m;
    const int xs[4] = {L, L + (R - L) / 3, L + (2 * (R - L)) / 3, R};
    const int ys[4] = {T, T + (B - T) / 3, T + (2 * (B - T)) / 3, B};
    DesignCells cells;
    for (int c = 0; c < 3; ++c)
        for (int r = 0; r < 3; ++r)
            cells[c][r] = {xs[c], ys[r], xs[c + 1], ys[r + 1]};

    for (int r = 0; r < 3; ++r) {
        const bool in0 = design[0][r] != 0, in1 = design[1][r] != 0, in2 = design[2][r] != 0;
        if (in0 && !in1 && !in2) {
            cells[0][r].right = cells[2][r].right;
        } else if (!in0 && in1 && !in2) {
            cells[1][r].left = cells[0][r].left;
            cells[1][r].right = cells[2][r].right;
        } else if (!in0 && !in1 && in2) {
            cells[2][r].left = cells[0][r].left;
        } else if (in0 && !in1 && in2) {
            const CellRect& mid = cells[1][r];
            const int M = mid.left + (mid.right - mid.left) / 2;
            cells[0][r].right = M;
            cells[2][r].left = M;
        }
    }

    const int gap = m / 5;
    for (auto& column : cells)
        for (CellRect& cell : column) {
            cell.right -= gap;
            cell.bottom -= gap;
        }

    if (design[0][1] == 0 && design[1][1] == 0 && design[2][1] == 0) {
        const CellRect& mid = cells[0][1];
        const int M = mid.top + (mid.bottom - mid.top) / 2;
        for (int c = 0; c < 3; ++c) {
            cells[c][0].bottom = M;
            cells[c][2].top = M;
        }
    }
    return cells;
}

PlacedPicture placePicture(const CellRect& cell, int column, int row, int pw, int ph) {
    if (pw <= 0 || ph <= 0)
        return {cell.left, cell.top, 0, 0};
    const int64_t cw = int64_t(cell.right) - cell.left + 1;
    const int64_t ch = int64_t(cell.bottom) - cell.top + 1;
    int64_t w = cw;
    int64_t h = ph * w / pw;
    if (ch < h) {
        h = ch;
        w = pw * h / ph;
    }
    const auto place = [](int64_t start, int64_t room, int64_t size, int where) {
        return int(where == 0   ? start
                   : where == 1 ? start + (room - size) / 2
                                : start + room - size);
    };
    return {place(cell.left, cw, w, column), place(cell.top, ch, h, row), int(w), int(h)};
}

int columnAlignment(int column) {
    return column == 1 ? Qt::AlignHCenter : column == 2 ? Qt::AlignRight : Qt::AlignLeft;
}

int fitTextSize(const QString& text, const CellRect& cell, int column, int maxSize,
                QPaintDevice* device) {
    const QString lines = withLineSeparators(text);
    const double w = cell.width(), h = cell.height();
    for (int s = maxSize; s > 1; --s) {
        // Lines below the cell's height are not laid out: such a size fails anyway.
        const UprightLayout layout(lines, labelFont(QStringLiteral("Arial"), s, 0), device,
                                   columnAlignment(column), std::max(w, 0.0), h + 1);
        const QSizeF size = layout.extent();
        if (layout.complete() && size.height() <= h && size.width() <= w)
            return s;
    }
    return 1;
}

int TextFitCache::fit(const QString& text, const CellRect& cell, int column, int maxSize,
                      QPaintDevice* device) {
    QString key = QString::number(cell.width()) + QLatin1Char(',') +
                  QString::number(cell.height()) + QLatin1Char(',') + QString::number(column) +
                  QLatin1Char(',') + QString::number(maxSize) + QLatin1Char(',') + text;
    const auto found = sizes_.constFind(key);
    if (found != sizes_.constEnd())
        return *found;
    const int s = fitTextSize(text, cell, column, maxSize, device);
    sizes_.insert(key, s);
    return s;
}
