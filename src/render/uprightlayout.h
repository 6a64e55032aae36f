#pragma once

#include <QSizeF>
#include <QString>
#include <QTextLayout>

class QFont;
class QPaintDevice;
class QPainter;
class QRectF;

// Upright text laid out for one box width: lines broken at the line separators and
// between words, each line as high as the font's ascent plus descent (no extra
// leading), aligned within the width. Lines starting below maxHeight are left out.
class UprightLayout {
public:
    UprightLayout(const QString& text, const QFont& font, QPaintDevice* device, int align,
                  double width, double maxHeight);

    // Draws the text into box, clipped to it. Laid out at the origin and moved by
    // the painter, so that far positions never enter the layout's fixed-point
    // arithmetic.
    void draw(QPainter& p, const QRectF& box) const;

    // The height of the laid-out lines and the natural width of the widest one (a
    // word longer than the box width reaches past it).
    QSizeF extent() const { return extent_; }
    // False when text was left out below maxHeight.
    bool complete() const { return complete_; }

private:
    QTextLayout layout_;
    QSizeF extent_;
    bool complete_ = true;
};

// The separators that end a line: CR LF once, then CR and LF each.
QString withLineSeparators(const QString& text);
