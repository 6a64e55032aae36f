#include "editor/editorpage.h"

#include "document/settingsstore.h"

#include <QAction>
#include <QActionGroup>
#include <QPainter>

#include <algorithm>
#include <cmath>

// The editor's grid: the menu "Raster", the dots on the label and the grid that
// drags and new objects snap to.

namespace {
const QString GridKey = QStringLiteral("Editor/Raster");
// Dots closer than this many pixels would cover the label in grey: then none show.
constexpr long double MinDotSpacing = 3;
const QColor DotColour(150, 150, 150);
} // namespace

void EditorPage::attachGridActions(const QList<QAction*>& entries) {
    auto* group = new QActionGroup(this);
    group->setExclusive(true);
    gridEntries_.clear();
    for (qsizetype i = 0; i < entries.size() && i < qsizetype(std::size(GridSteps)); ++i) {
        QAction* a = entries[i];
        const int step = GridSteps[i];
        a->setCheckable(true);
        a->setEnabled(true);
        group->addAction(a);
        gridEntries_.append(a);
        connect(a, &QAction::triggered, this, [this, step] {
            setGridStep(step);
            auto settings = SettingsStore::open();
            settings->setValue(GridKey, step);
        });
    }
    auto settings = SettingsStore::open();
    const int stored = SettingsStore::readInt(*settings, GridKey, 0, 0, GridSteps[3]);
    setGridStep(isGridStep(stored) ? stored : 0);
}

void EditorPage::setGridStep(int tenthsMm) {
    if (!isGridStep(tenthsMm))
        tenthsMm = 0;
    for (qsizetype i = 0; i < gridEntries_.size(); ++i)
        gridEntries_[i]->setChecked(GridSteps[i] == tenthsMm);
    if (tenthsMm == gridStep_)
        return;
    gridStep_ = tenthsMm;
    PaintBox1Paint();
}

SnapGrid EditorPage::snapGrid() const {
    if (held_ & Qt::ShiftModifier)
        return SnapGrid();
    return SnapGrid(doc_, gridStep_);
}

SnapGrid EditorPage::dragGrid(int X, int Y) const {
    return QPoint(X, Y) == dragPressAt_ ? SnapGrid() : snapGrid();
}

void EditorPage::drawGridDots(QPainter& canvas, int h, int v) const {
    const SnapGrid grid(doc_, gridStep_);
    if (!grid.snapsX() || !grid.snapsY())
        return;
    const long double spacing = grid.step() * (long double)doc_.Zoom / doc_.UnitsPerPixel;
    if (!(spacing >= MinDotSpacing))
        return;
    // Only the grid points that fall into the bitmap are visited.
    const QRect shown(QPoint(h, v), EditBitmap.size());
    auto firstShown = [](long double pixelsOfFirst, long double edge, long double spacing) {
        return (int64_t)std::max<long double>(0, std::ceil((edge - pixelsOfFirst) / spacing) - 1);
    };
    const long double x0 = doc_.ToPixels(grid.pointX(0));
    const long double y0 = doc_.ToPixels(grid.pointY(0));
    const int64_t kx0 = firstShown(x0, shown.left(), spacing);
    const int64_t ky0 = firstShown(y0, shown.top(), spacing);
    // The columns shown are the same on every row.
    QList<int> columns;
    for (int64_t kx = kx0, nx = grid.countX(); kx < nx; ++kx) {
        const int x = doc_.ToPixels(grid.pointX(kx));
        if (x > shown.right())
            break;
        if (x >= shown.left())
            columns.append(x - h);
    }
    QList<QPoint> dots;
    for (int64_t ky = ky0, ny = grid.countY(); ky < ny && !columns.isEmpty(); ++ky) {
        const int y = doc_.ToPixels(grid.pointY(ky));
        if (y > shown.bottom())
            break;
        if (y < shown.top())
            continue;
        for (int x : columns)
            dots.append(QPoint(x, y - v));
    }
    canvas.save();
    canvas.setRenderHint(QPainter::Antialiasing, false);
    canvas.setPen(QPen(DotColour, 1));
    canvas.drawPoints(dots.constData(), int(dots.size()));
    canvas.restore();
}
