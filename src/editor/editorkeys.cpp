#include "editor/editorpage.h"

#include "document/propertycommands.h"
#include "editor/editormenus.h"
#include "editor/paintbox.h"
#include "editor/workareaname.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPointer>
#include <QScrollArea>

// The editor's keyboard: the invisible focus holder takes the keys, the work area
// shows a focus frame while it has them, and the work area's accessible name tells
// what is selected.

namespace {
constexpr Qt::KeyboardModifiers Held =
    Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier | Qt::ShiftModifier;

// Ctrl+arrow moves by half a millimetre, Ctrl+Shift+arrow by five.
bool nudgeFor(int key, Qt::KeyboardModifiers mods, int& right, int& down) {
    int step = 0;
    if (mods == Qt::ControlModifier)
        step = 1;
    else if (mods == (Qt::ControlModifier | Qt::ShiftModifier))
        step = 10;
    else
        return false;
    right = key == Qt::Key_Left ? -step : key == Qt::Key_Right ? step : 0;
    down = key == Qt::Key_Up ? -step : key == Qt::Key_Down ? step : 0;
    return right != 0 || down != 0;
}

class EditorKeys : public QObject {
public:
    explicit EditorKeys(EditorPage& page) : QObject(&page), page_(page), box_(page.PaintBox1) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
        case QEvent::KeyPress:
            if (key(*static_cast<QKeyEvent*>(event)))
                return true;
            break;
        case QEvent::ContextMenu:
            // Never the line edit's own menu: the menu key opens the editor's.
            page_.keyboardContextMenu();
            return true;
        case QEvent::FocusIn:
        case QEvent::FocusOut:
            // Also sent while the page is being taken down: only the box is touched.
            if (box_)
                box_->update();
            break;
        default:
            break;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool key(const QKeyEvent& e) {
        const Qt::KeyboardModifiers mods = e.modifiers() & Held;
        const int k = e.key();
        int right = 0, down = 0;
        if (nudgeFor(k, mods, right, down)) {
            page_.nudgeSelected(right, down);
            return true;
        }
        if ((k == Qt::Key_Menu && !mods) || (k == Qt::Key_F10 && mods == Qt::ShiftModifier)) {
            page_.keyboardContextMenu();
            return true;
        }
        // The keys the editor always had take Shift as well.
        if (k == Qt::Key_Delete || k == Qt::Key_Up || k == Qt::Key_Down) {
            if (mods & ~Qt::ShiftModifier)
                return false;
            page_.FormKeyDown(k);
            return true;
        }
        if (mods)
            return false;
        switch (k) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_F2:
            page_.editSelectedText();
            return true;
        case Qt::Key_Escape:
            page_.clearSelection();
            return true;
        default:
            return false;
        }
    }

    EditorPage& page_;
    QPointer<QWidget> box_;
};
} // namespace

void EditorPage::installKeys() {
    KeyEdit->installEventFilter(new EditorKeys(*this));
    // Tab reaches the work area after the tools.
    KeyEdit->setFocusPolicy(Qt::StrongFocus);
}

void EditorPage::FormKeyDown(int key) {
    // While a drag or a hand scroll runs, the mouse owns the editor.
    if (MouseState != 0)
        return;
    switch (key) {
    case Qt::Key_Delete:
        Lschen1Click();
        break;
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (selectNextObject(doc_))
            PaintBox1Paint();
        break;
    default:
        break;
    }
}

void EditorPage::nudgeSelected(int halfMmRight, int halfMmDown) {
    if (MouseState != 0)
        return;
    // A selection made without a repaint is taken note of first, so that it does not
    // end the nudging it starts.
    selectionShown();
    nudges_.nudge(doc_, halfMmRight, halfMmDown);
}

void EditorPage::clearSelection() {
    if (MouseState != 0 || doc_.SelObj == 0)
        return;
    doc_.SelObj = 0;
    PaintBox1Paint();
}

QRect EditorPage::visiblePane() const {
    return QRect(QPoint(scrollX(), scrollY()), ScrollBox1->viewport()->size()) & PaintBox1->rect();
}

void EditorPage::keyboardContextMenu() {
    if (MouseState != 0)
        return;
    const QRect pane = visiblePane();
    if (ObjectTable::isSlot(doc_.SelObj) && doc_.Objs[doc_.SelObj].Kind != KindFree) {
        // At the selected object where it shows, else in the middle of the pane.
        const Tobs& o = doc_.Objs[doc_.SelObj];
        const QRect box = QRect(QPoint(doc_.ToPixels(o.X), doc_.ToPixels(o.Y)),
                                QSize(doc_.ToPixels(o.Width) + 1, doc_.ToPixels(o.Height) + 1))
                              .normalized();
        const QRect shown = box & pane;
        const QPoint at = shown.isEmpty() ? pane.center() : shown.center();
        emit objectMenuRequested(at);
        PopItUp(at.x(), at.y());
        return;
    }
    if (doc_.SelObj != 0) {
        doc_.SelObj = 0;
        PaintBox1Paint();
    }
    emit workAreaMenuRequested(pane.center());
    Menus->PBoxPopup->popup(PaintBox1->mapToGlobal(pane.center()));
}

void EditorPage::selectionShown() {
    if (doc_.SelObj != shownSelection_) {
        // Nudges after another selection are a step of their own.
        shownSelection_ = doc_.SelObj;
        nudges_.end();
    }
    const QString name = workAreaName(doc_);
    if (KeyEdit->accessibleName() != name) {
        KeyEdit->setAccessibleName(name);
        PaintBox1->setAccessibleName(name);
    }
}

void EditorPage::drawFocusFrame(QPainter& painter) {
    if (!KeyEdit->hasFocus())
        return;
    const QRect pane = visiblePane();
    framedPane_ = pane;
    if (pane.width() < 4 || pane.height() < 4)
        return;
    QPen pen(palette().color(QPalette::Highlight), 2);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(pane).adjusted(1, 1, -1, -1));
}

void EditorPage::followFocusFrame() {
    const QRect pane = visiblePane();
    if (framedPane_.isNull() || framedPane_ == pane)
        return;
    // Scrolling moves the pixels of the old frame into the pane; only its edges repaint.
    for (const QRect& r : {framedPane_, pane}) {
        PaintBox1->update(QRect(r.left(), r.top(), r.width(), 3));
        PaintBox1->update(QRect(r.left(), r.bottom() - 2, r.width(), 3));
        PaintBox1->update(QRect(r.left(), r.top(), 3, r.height()));
        PaintBox1->update(QRect(r.right() - 2, r.top(), 3, r.height()));
    }
    framedPane_ = QRect();
}
