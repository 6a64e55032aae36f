#include "editor/rulerscale.h"

#include <QFont>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {
// Arial at 6 points on a 96 pixels-per-inch screen.
QFont rulerFont() {
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(8);
    return f;
}

// The number's text cell has its top-left corner at (x, y). The cell of a font
// holds a little space before and above the digits, which a font here may not
// have: the digits are moved on so that one free pixel stays between them and
// the tick line on their left (top ruler) or above them (left ruler).
void drawNumber(QPainter& p, int x, int y, int value, Qt::Orientation ruler) {
    const QString text = QString::number(value);
    const QFontMetrics fm(p.font());
    const QRect ink = fm.tightBoundingRect(text); // relative to the baseline origin
    int originX = x;
    int baseline = y + fm.ascent();
    if (ruler == Qt::Horizontal)
        originX = std::max(originX, x + 2 - ink.left());
    else
        baseline = std::max(baseline, y + 2 - ink.top());
    p.drawText(QPoint(originX, baseline), text);
}
} // namespace

double rulerStep(double g) {
    if (g < 2.5)
        return 1;
    if (g < 7.5)
        return 5;
    if (g < 15)
        return 10;
    if (g < 30)
        return 20;
    if (g < 70)
        return 40;
    return 100;
}

QList<RulerTick> rulerTicks(int span, int scroll, int labelPixels, double labelMm, int base,
                            bool skipNegative) {
    QList<RulerTick> ticks;
    const int n = span / 50;
    if (labelPixels <= 0 || n <= 0 || !(labelMm > 0) || !std::isfinite(labelMm))
        return ticks;
    const double s = double(scroll - labelPixels) * labelMm / labelPixels;
    const double e = double(scroll - labelPixels + span) * labelMm / labelPixels;
    const double d = rulerStep((e - s) / n);
    const double lo = std::trunc(s / d - 1);
    const double hi = std::trunc(e / d + 1);
    // A scale of absurd size (a damaged format) draws no ticks rather than hang.
    if (!(hi - lo < 100000))
        return ticks;
    for (long long k = (long long)(10 * lo); k <= (long long)(10 * hi); ++k) {
        const double t = std::trunc(double(k) * d / 10);
        const double p = std::trunc(span * (t - s) / (e - s));
        if ((skipNegative && p < 0) || std::abs(p) > 1e6)
            continue;
        RulerTick tick;
        tick.pos = int(p) + base;
        tick.value = int(t);
        tick.kind =
            k % 10 == 0 ? RulerTick::Full : (k % 2 != 0 ? RulerTick::Long : RulerTick::Short);
        ticks.append(tick);
    }
    return ticks;
}

void paintTopRuler(QImage& image, int scrollX, int paintBoxWidth, double labelWidthMm) {
    const int R = image.width(), Hr = image.height();
    image.fill(Qt::white);
    QPainter p(&image);
    p.setPen(Qt::black);
    p.drawLine(0, 0, R - 1, 0);
    p.drawLine(R - 1, 0, R - 1, Hr - 1);
    p.drawLine(R - 1, Hr - 1, 0, Hr - 1);
    p.drawLine(0, Hr - 1, 0, 0);
    p.drawLine(19, Hr - 1, 19, 0); // the corner box above the left ruler
    p.fillRect(QRect(QPoint(20, 1), QPoint(R - 2, Hr - 2)), Qt::white);
    p.fillRect(QRect(QPoint(1, 1), QPoint(17, Hr - 3)), Qt::white);
    p.setFont(rulerFont());
    const auto ticks = rulerTicks(R - 21, scrollX, paintBoxWidth / 3, labelWidthMm, 20, true);
    for (const RulerTick& t : ticks) {
        switch (t.kind) {
        case RulerTick::Full:
            p.drawLine(t.pos, 0, t.pos, Hr - 1);
            drawNumber(p, t.pos, 1, t.value, Qt::Horizontal);
            break;
        case RulerTick::Long:
            p.drawLine(t.pos, Hr - Hr / 3 - 1, t.pos, Hr - 1);
            break;
        case RulerTick::Short:
            p.drawLine(t.pos, Hr - Hr / 3 + 2, t.pos, Hr - 1);
            break;
        }
    }
}

void paintLeftRuler(QImage& image, int scrollY, int paintBoxHeight, double labelHeightMm) {
    const int Wr = image.width(), Hr = image.height();
    image.fill(Qt::white);
    QPainter p(&image);
    p.setPen(Qt::black);
    p.drawLine(Wr - 1, 0, Wr - 1, Hr - 1);
    p.drawLine(Wr - 1, Hr - 1, 0, Hr - 1);
    p.drawLine(0, Hr - 1, 0, -1);
    p.fillRect(QRect(QPoint(1, 0), QPoint(Wr - 2, Hr - 2)), Qt::white);
    p.setFont(rulerFont());
    const auto ticks = rulerTicks(Hr - 1, scrollY, paintBoxHeight / 3, labelHeightMm, 0, false);
    for (const RulerTick& t : ticks) {
        switch (t.kind) {
        case RulerTick::Full:
            p.drawLine(0, t.pos, Wr - 1, t.pos);
            drawNumber(p, 1, t.pos, t.value, Qt::Vertical);
            break;
        case RulerTick::Long:
            p.drawLine(Wr - Wr / 3 - 1, t.pos, Wr - 1, t.pos);
            break;
        case RulerTick::Short:
            p.drawLine(Wr - Wr / 3 + 2, t.pos, Wr - 1, t.pos);
            break;
        }
    }
}
