#include "editor/toolbar.h"

#include "editor/toolglyphs.h"

#include <QButtonGroup>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
struct ToolEntry {
    EditorTool tool;
    const char* objectName;
    const char* caption; // UTF-8
    const char* hint;    // UTF-8
};

const ToolEntry Tools[] = {
    {EditorTool::Zeiger, "SpeedItem3", "Zeiger", "Verändert Objekte"},
    {EditorTool::Lupe, "SpeedZoom", "Lupe", "Vergrößert oder Verkleinert"},
    {EditorTool::Hand, "SpeedHand", "Hand", "Verschiebt den sichtbaren Ausschnitt"},
    {EditorTool::Figur, "SpeedItem1", "Figur", "Fügt eine geometrische Figur ein"},
    {EditorTool::Text, "SpeedItem2", "Text",
     "Fügt Text ein - Sie müssen auf das Textfeld doppelklicken, um Text einzugeben"},
    {EditorTool::Bild, "SpeedItem10", "Bild", "Fügt ein Bild ein"},
    {EditorTool::Code, "SpeedCode", "Code", "Fügt einen Barcode oder 2D-Code ein"},
};
} // namespace

EditorToolbar::EditorToolbar(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Toolbar"));
    setFixedWidth(57);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(3, 2, 4, 2);
    layout->setSpacing(1);
    group_ = new QButtonGroup(this);
    group_->setExclusive(true);
    QToolButton** targets[] = {&SpeedItem3, &SpeedZoom,   &SpeedHand, &SpeedItem1,
                               &SpeedItem2, &SpeedItem10, &SpeedCode};
    int index = 0;
    for (const ToolEntry& entry : Tools) {
        auto* b = new QToolButton(this);
        b->setObjectName(QLatin1String(entry.objectName));
        b->setText(QString::fromUtf8(entry.caption));
        b->setToolTip(QString::fromUtf8(entry.hint));
        b->setStatusTip(QString::fromUtf8(entry.hint));
        b->setIcon(toolGlyph(entry.tool));
        b->setIconSize(QSize(24, 24));
        b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        b->setCheckable(true);
        b->setAutoRaise(true);
        b->setFixedSize(50, 54);
        group_->addButton(b, int(entry.tool));
        layout->addWidget(b);
        *targets[index++] = b;
    }
    layout->addStretch(1);
    SpeedItem3->setChecked(true);
    connect(group_, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked)
            emit toolChanged();
    });
}

EditorTool EditorToolbar::current() const {
    const int id = group_->checkedId();
    return id < 0 ? EditorTool::Zeiger : EditorTool(id);
}

QToolButton* EditorToolbar::button(EditorTool tool) const {
    return static_cast<QToolButton*>(group_->button(int(tool)));
}
