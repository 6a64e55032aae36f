#include "editor/editorpage.h"

#include "editor/bmpopenform.h"
#include "editor/paintbox.h"
#include "editor/rulerwidget.h"
#include "editor/speedbar.h"
#include "editor/zoomsteps.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

EditorPage::EditorPage(LabelDocument& doc, Prompts& prompts, NumberSource labelNumber,
                       QWidget* parent)
    : QWidget(parent), doc_(doc), prompts_(prompts), labelNumber_(std::move(labelNumber)) {
    setObjectName(QStringLiteral("EditorPage"));
    buildLayout();
    BMPOpenForm = new TBMPOpenForm(this);
    buildCommands();
    buildPlacingCommands();
    applyWorkArea();
    // Every step done, undone or redone shows at once.
    connect(&doc_.Undo, &QUndoStack::indexChanged, this, [this] { PaintBox1Paint(); });
}

EditorPage::~EditorPage() = default;

void EditorPage::buildLayout() {
    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(0, 0, 0, 0);
    page->setSpacing(0);
    SpeedBar2 = new SpeedBar(this);
    page->addWidget(SpeedBar2);

    auto* row = new QHBoxLayout();
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    Toolbar = new EditorToolbar(this);
    row->addWidget(Toolbar);

    GolbalPanel = new QWidget(this);
    GolbalPanel->setObjectName(QStringLiteral("GolbalPanel"));
    GolbalPanel->setAutoFillBackground(true);
    QPalette black = GolbalPanel->palette();
    black.setColor(QPalette::Window, Qt::black);
    GolbalPanel->setPalette(black);
    auto* grid = new QGridLayout(GolbalPanel);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);

    // The keyboard focus holder lies behind the pane, never visible.
    KeyEdit = new QLineEdit(GolbalPanel);
    KeyEdit->setObjectName(QStringLiteral("KeyEdit"));
    KeyEdit->setGeometry(24, 24, 40, 20);

    TRuler = new RulerWidget(*this, Qt::Horizontal, GolbalPanel);
    LRuler = new RulerWidget(*this, Qt::Vertical, GolbalPanel);
    ScrollBox1 = new QScrollArea(GolbalPanel);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    ScrollBox1->setFrameShape(QFrame::NoFrame);
    ScrollBox1->setFocusPolicy(Qt::NoFocus);
    ScrollBox1->setWidgetResizable(false);
    ScrollBox1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    ScrollBox1->setBackgroundRole(QPalette::Dark);
    PaintBox1 = new EditorPaintBox(*this);
    ScrollBox1->setWidget(PaintBox1);
    ScrollBox1->viewport()->installEventFilter(this);

    grid->addWidget(TRuler, 0, 0, 1, 2);
    grid->addWidget(LRuler, 1, 0);
    grid->addWidget(ScrollBox1, 1, 1);
    grid->setRowStretch(1, 1);
    grid->setColumnStretch(1, 1);
    KeyEdit->lower();
    row->addWidget(GolbalPanel, 1);
    page->addLayout(row, 1);

    connect(ScrollBox1->horizontalScrollBar(), &QScrollBar::valueChanged, TRuler,
            qOverload<>(&QWidget::update));
    connect(ScrollBox1->verticalScrollBar(), &QScrollBar::valueChanged, LRuler,
            qOverload<>(&QWidget::update));
    for (QScrollBar* bar : {ScrollBox1->horizontalScrollBar(), ScrollBox1->verticalScrollBar()})
        connect(bar, &QScrollBar::valueChanged, this, [this] { followFocusFrame(); });
}

bool EditorPage::eventFilter(QObject* watched, QEvent* event) {
    // A press on the pane's free area gives the keyboard to the focus holder.
    if (watched == ScrollBox1->viewport() && event->type() == QEvent::MouseButtonPress)
        KeyEdit->setFocus(Qt::MouseFocusReason);
    if (watched == ScrollBox1->viewport() && event->type() == QEvent::Resize)
        followFocusFrame();
    return QWidget::eventFilter(watched, event);
}

int EditorPage::scrollX() const {
    return ScrollBox1->horizontalScrollBar()->value();
}
int EditorPage::scrollY() const {
    return ScrollBox1->verticalScrollBar()->value();
}

void EditorPage::setScroll(long long x, long long y) {
    ScrollBox1->horizontalScrollBar()->setValue(clampScroll(x, PaintBox1->width()));
    ScrollBox1->verticalScrollBar()->setValue(clampScroll(y, PaintBox1->height()));
}

void EditorPage::applyWorkArea() {
    const QSize size = doc_.paintBoxSize().boundedTo(QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
    PaintBox1->setFixedSize(size.expandedTo(QSize(0, 0)));
    PaintBox1Paint();
}

void EditorPage::scrollToLabel() {
    ScrollBox1->horizontalScrollBar()->setValue(PaintBox1->width() / 3);
    ScrollBox1->verticalScrollBar()->setValue(PaintBox1->height() / 3);
}

void EditorPage::resetDragState() {
    MouseState = 0;
    Drag = DragState();
}
