#include "render/penring.h"

#include "render/pixelruns.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <map>

namespace {

// The outline of a sample box of side S = 2 * penWidth + 4, drawn on a bitmap with
// room for the pen around it: each row's runs relative to the box's left edge, from
// the row m = penWidth + 2 above the box to m below it. Every corner of the sample
// lies farther than the pen from the box's middle row and column, so a larger box's
// outline is the sample with its middle row and column repeated.
struct Sample {
    int side = 0;
    int margin = 0;
    std::vector<PixelRow> rows;
};

Sample drawSample(int penWidth) {
    Sample s;
    s.side = 2 * penWidth + 4;
    s.margin = penWidth + 2;
    const int n = s.side + 2 * s.margin;
    QImage img(n, n, QImage::Format_RGB32);
    img.fill(Qt::white);
    {
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing, false);
        const double m = s.margin;
        p.fillPath(penRingPath(QRectF(m + 0.5, m + 0.5, s.side - 1, s.side - 1), penWidth),
                   QColor(Qt::black));
    }
    s.rows.resize(size_t(n));
    for (int y = 0; y < n; ++y)
        s.rows[size_t(y)] = pixelRow(img, y, s.margin, [](QRgb c) { return qGray(c) < 128; });
    return s;
}

const Sample& sampleFor(int penWidth) {
    thread_local std::map<int, Sample> samples;
    auto it = samples.find(penWidth);
    if (it == samples.end())
        it = samples.emplace(penWidth, drawSample(penWidth)).first;
    return it->second;
}

bool columnRepeats(const Sample& s, int half) {
    for (const PixelRow& row : s.rows) {
        for (const PixelRun& r : row) {
            // A run that starts or ends next to the middle column.
            if ((r.x0 > half - 1 && r.x0 <= half + 1) || (r.x1 >= half && r.x1 < half + 2))
                return false;
        }
    }
    return true;
}

// The sample's row stretched to a box extra pixels wider.
PixelRow widened(const PixelRow& row, int half, int64_t extra) {
    PixelRow out;
    out.reserve(row.size());
    for (const PixelRun& r : row) {
        if (r.x1 <= half)
            out.push_back(r);
        else if (r.x0 > half)
            out.push_back({r.x0 + extra, r.x1 + extra});
        else
            out.push_back({r.x0, r.x1 + extra});
    }
    return out;
}

} // namespace

QPainterPath penRingPath(const QRectF& centre, int penWidth) {
    const double r = penWidth / 2.0;
    QPainterPath ring;
    ring.setFillRule(Qt::OddEvenFill);
    ring.addRoundedRect(centre.adjusted(-r, -r, r, r), r, r);
    const QRectF inner = centre.adjusted(r, r, -r, -r);
    if (inner.width() > 0 && inner.height() > 0)
        ring.addRect(inner);
    return ring;
}

std::vector<QRect> penRingRects(int64_t width, int64_t height, int penWidth) {
    constexpr int64_t MaxSide = int64_t(1) << 30;
    // A pen of two pixels has corners of one pixel's radius, whose pixels the
    // rasteriser picks by where the box lies: such outlines keep their path.
    if (penWidth < 3 || penWidth > MaxRingPenWidth)
        return {};
    const Sample& s = sampleFor(penWidth);
    const int half = s.side / 2;
    if (width < s.side || height < s.side || width > MaxSide || height > MaxSide)
        return {};
    // The middle row and column must repeat unchanged, or the sample says nothing
    // about larger boxes.
    const size_t mid = size_t(s.margin + half);
    if (s.rows[mid - 1] != s.rows[mid] || s.rows[mid + 1] != s.rows[mid] || !columnRepeats(s, half))
        return {};
    const int64_t extraW = width - s.side;
    const int64_t extraH = height - s.side;
    RectCollector out;
    for (size_t y = 0; y < s.rows.size(); ++y) {
        const int64_t dy = int64_t(y) - s.margin;
        if (dy == half)
            out.add(dy, extraH, widened(s.rows[y], half, extraW));
        out.add(dy < half ? dy : dy + extraH, 1, widened(s.rows[y], half, extraW));
    }
    return out.finish();
}
