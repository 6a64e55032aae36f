#include "editor/editorpage.h"

#include "editor/editormenus.h"
#include "editor/paintbox.h"
#include "editor/zoomsteps.h"

#include "document/undocommands.h"

#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QScrollArea>

// Mouse dispatch of the paint box: which tool is down decides what a press,
// a movement and a release do.

void EditorPage::PaintBox1MouseDown(Qt::MouseButton button, int X, int Y) {
    KeyEdit->setFocus(Qt::MouseFocusReason);
    if (button == Qt::LeftButton) {
        switch (tool()) {
        case EditorTool::Hand:
            handStart(X, Y);
            break;
        case EditorTool::Lupe:
            zoomIn(X, Y);
            break;
        case EditorTool::Zeiger:
            if (SkipNextPress) {
                SkipNextPress = false;
                break;
            }
            setdragmod(X, Y);
            dragPressAt_ = QPoint(X, Y);
            if (Drag.DragMode > 0)
                dragStart();
            else
                selectAt(X, Y);
            break;
        default:
            break; // the creation tools act on the release
        }
    } else if (button == Qt::RightButton) {
        // A running drag or hand scroll keeps the mouse: a menu would take its release.
        if (MouseState != 0)
            return;
        if (tool() == EditorTool::Lupe)
            zoomOut(X, Y);
        else
            contextAt(X, Y);
    }
}

void EditorPage::PaintBox1MouseMove(int X, int Y) {
    switch (MouseState) {
    case 2:
        Drag2Hand(X, Y);
        break;
    case 1:
        dragMove(X, Y);
        break;
    default:
        setdragmod(X, Y);
        break;
    }
}

void EditorPage::PaintBox1MouseUp(Qt::MouseButton button, int X, int Y) {
    if (button != Qt::LeftButton)
        return;
    switch (MouseState) {
    case 2:
        Drag2Hand(X, Y);
        MouseState = 0;
        break;
    case 1:
        dragEnd(X, Y);
        break;
    default:
        createObjectAt(X, Y);
        break;
    }
}

void EditorPage::zoomAt(int X, int Y, double unitsPerPixel) {
    // The clicked point in document units comes to the middle of the pane.
    const int32_t ux = truncToInt32((long double)X * doc_.UnitsPerPixel / doc_.Zoom);
    const int32_t uy = truncToInt32((long double)Y * doc_.UnitsPerPixel / doc_.Zoom);
    doc_.UnitsPerPixel = unitsPerPixel;
    ZoomBusy = true;
    PaintBox1->setFixedSize(doc_.paintBoxSize()
                                .boundedTo(QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX))
                                .expandedTo(QSize(0, 0)));
    const long long px = (long long)truncToInt32((long double)ux * doc_.Zoom / doc_.UnitsPerPixel) -
                         ScrollBox1->width() / 2;
    const long long py = (long long)truncToInt32((long double)uy * doc_.Zoom / doc_.UnitsPerPixel) -
                         ScrollBox1->height() / 2;
    setScroll(px, py);
    ZoomBusy = false;
    PaintBox1Paint();
}

void EditorPage::zoomIn(int X, int Y) {
    zoomAt(X, Y, zoomInStep(doc_.UnitsPerPixel));
}
void EditorPage::zoomOut(int X, int Y) {
    zoomAt(X, Y, zoomOutStep(doc_.UnitsPerPixel));
}

void EditorPage::handStart(int X, int Y) {
    HandStartX = X;
    HandStartY = Y;
    MouseState = 2;
}

void EditorPage::Drag2Hand(int X, int Y) {
    // X and Y are paint-box coordinates, so the point under the press stays
    // under the mouse without ever moving the start point.
    setScroll((long long)scrollX() + HandStartX - X, (long long)scrollY() + HandStartY - Y);
}

void EditorPage::setCursorNumber(int number) {
    if (number == CurrentCursor)
        return;
    CurrentCursor = number;
    PaintBox1->setCursor(cursors_.cursor(number));
}

void EditorPage::setdragmod(int X, int Y) {
    Drag = DragState();
    switch (tool()) {
    case EditorTool::Lupe:
        setCursorNumber(11);
        break;
    case EditorTool::Hand:
        setCursorNumber(9);
        break;
    case EditorTool::Zeiger:
        setCursorNumber(hoverZone(doc_, Drag, X, Y));
        break;
    default:
        setCursorNumber(12);
        break;
    }
}

void EditorPage::dragStart() {
    dragBefore_ = doc_.Objs[doc_.SelObj];
    dragSlot_ = doc_.SelObj;
    dragResizes_ = Drag.DragMode != 9;
    MouseState = 1;
    PaintBox1Paint(); // the frame now shows inverted, without handles
}

void EditorPage::dragMove(int X, int Y) {
    const int h = scrollX(), v = scrollY();
    const bool current = renderedScroll_ == QPoint(h, v) && !EditBitmap.isNull();
    if (!current || doc_.Output.RenderBusy) {
        dragit(doc_, Drag, X, Y, PaintBox1->size(), dragGrid(X, Y));
        PaintBox1Paint();
        return;
    }
    // Only the inverted frame moves over the last rendered picture: inverting the
    // old frame takes it away, then the new one is inverted in.
    const QRect before = markBounds(doc_, h, v);
    {
        QPainter p(&EditBitmap);
        markrec(p, doc_, 1, h, v);
        dragit(doc_, Drag, X, Y, PaintBox1->size(), dragGrid(X, Y));
        markrec(p, doc_, 1, h, v);
    }
    const QRect changed = (before | markBounds(doc_, h, v)) & EditBitmap.rect();
    if (!changed.isEmpty())
        PaintBox1->update(changed.translated(h, v));
}

void EditorPage::dragEnd(int X, int Y) {
    dragit(doc_, Drag, X, Y, PaintBox1->size(), dragGrid(X, Y));
    MouseState = 0;
    // The steps of the drag went straight into the table, for the frame to follow the
    // mouse; the whole drag becomes one step now.
    if (ObjectTable::isSlot(dragSlot_) && dragSlot_ == doc_.SelObj &&
        !sameRecord(dragBefore_, doc_.Objs[dragSlot_])) {
        const Tobs& after = doc_.Objs[dragSlot_];
        std::vector<SlotChange> changes{{dragSlot_, dragBefore_, after}};
        doc_.Undo.push(new SlotRecordsCommand(
            doc_, dragResizes_ ? QStringLiteral("Größe ändern") : QStringLiteral("Verschieben"),
            std::move(changes), doc_.SelObj, doc_.SelObj));
    } else {
        PaintBox1Paint();
    }
}

void EditorPage::selectAt(int X, int Y) {
    const int hit = hitTest(doc_, X, Y);
    if (hit == 0) {
        doc_.SelObj = 0;
        PaintBox1Paint();
    } else if (hit != doc_.SelObj) {
        doc_.SelObj = hit;
        PaintBox1Paint();
    }
}

void EditorPage::contextAt(int X, int Y) {
    // The selected object's zones come first, so its menu opens even where another
    // object lies on top of it.
    const DragState saved = Drag;
    setdragmod(X, Y);
    if (Drag.DragMode != 0) {
        emit objectMenuRequested(QPoint(X, Y));
        PopItUp(X, Y);
    } else if (const int hit = hitTest(doc_, X, Y)) {
        if (hit != doc_.SelObj) {
            doc_.SelObj = hit;
            PaintBox1Paint();
        }
        emit objectMenuRequested(QPoint(X, Y));
        PopItUp(X, Y);
    } else {
        doc_.SelObj = 0;
        PaintBox1Paint();
        emit workAreaMenuRequested(QPoint(X, Y));
        Menus->PBoxPopup->popup(PaintBox1->mapToGlobal(QPoint(X, Y)));
    }
    Drag = saved;
}
