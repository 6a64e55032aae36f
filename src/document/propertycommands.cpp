#include "document/propertycommands.h"

#include "document/slotedit.h"

Tobs* selectedObject(LabelDocument& doc, unsigned kinds) {
    if (!ObjectTable::isSlot(doc.SelObj))
        return nullptr;
    Tobs& o = doc.Objs[doc.SelObj];
    if (o.Kind < KindFigure || o.Kind > KindCode || !(kinds & (1u << o.Kind)))
        return nullptr;
    return &o;
}

bool changeObjectColor(LabelDocument& doc, Prompts& prompts) {
    SlotEdit edit(doc);
    Tobs* o = edit.selected(FigureKinds | TextKinds | CodeKinds);
    if (!o)
        return false;
    int32_t color = o->Color;
    if (!prompts.chooseColor(color))
        return false;
    o->Color = color & 0xFFFFFF;
    return edit.commit(QStringLiteral("Farbe"));
}

Prompts::FontChoice fontOf(const Tobs& obj) {
    Prompts::FontChoice f;
    f.name = obj.FontName;
    f.height = obj.FontHeight;
    f.size = obj.FontSize;
    f.pitch = obj.FontPitch;
    f.style = obj.FontStyle;
    f.color = obj.Color;
    return f;
}

void setFont(Tobs& obj, const Prompts::FontChoice& font) {
    obj.Color = font.color & 0xFFFFFF;
    obj.FontHeight = font.height;
    obj.FontName = font.name;
    obj.FontPitch = font.pitch;
    obj.FontStyle = font.style;
    obj.FontSize = font.size;
}

std::optional<Prompts::FontChoice> changeObjectFont(LabelDocument& doc, Prompts& prompts,
                                                    const FontObjectFn& fontObject) {
    SlotEdit edit(doc);
    Tobs* o = edit.selected(TextKinds);
    if (!o)
        return std::nullopt;
    Prompts::FontChoice font = fontOf(*o);
    if (!prompts.chooseFont(font))
        return std::nullopt;
    setFont(*o, font);
    if (fontObject)
        o->FontRef = fontObject(font);
    edit.commit(QStringLiteral("Schriftart"));
    return font;
}

QString alignStepName(int align) {
    switch (align) {
    case 0:
        return QStringLiteral("Linksbündig");
    case 1:
        return QStringLiteral("Zentriert");
    default:
        return QStringLiteral("Rechtsbündig");
    }
}

bool setTextAlign(LabelDocument& doc, int align) {
    SlotEdit edit(doc);
    Tobs* o = edit.selected(TextKinds);
    if (!o || align < 0 || align > 2)
        return false;
    o->TextAlign = align;
    return edit.commit(alignStepName(align));
}

bool toggleKeepAspect(LabelDocument& doc) {
    SlotEdit edit(doc);
    Tobs* o = edit.selected(PictureKinds);
    if (!o)
        return false;
    o->KeepAspect = !o->KeepAspect;
    return edit.commit(QStringLiteral("Seitenverhältnis beibehalten"));
}

QString shapeStepName(int shape) {
    static const char* const names[8] = {"Kreis",
                                         "Ellipse",
                                         "Quadrat",
                                         "Rechteck",
                                         "Quadrat abgerundet",
                                         "Rechteck abgerundet",
                                         "Linie horizontal",
                                         "Linie vertikal"};
    return shape >= 0 && shape < 8 ? QString::fromUtf8(names[shape]) : QString();
}

bool setShape(LabelDocument& doc, int shape) {
    SlotEdit edit(doc);
    Tobs* o = edit.selected(FigureKinds);
    if (!o || shape < 0 || shape > 7)
        return false;
    o->Shape = shape;
    return edit.commit(shapeStepName(shape));
}

int32_t turnedRotation(int32_t rotation, bool left) {
    // Compared before counting, so that no stored value can overflow.
    if (left)
        return rotation <= 0 ? 3 : rotation - 1;
    return rotation >= 3 ? 0 : rotation + 1;
}

bool deleteSelected(LabelDocument& doc, Prompts& prompts) {
    if (!ObjectTable::isSlot(doc.SelObj))
        return false;
    if (prompts.message(QStringLiteral("Wollen Sie das Element löschen?"),
                        QStringLiteral("Element löschen"), Prompts::Buttons::YesNo,
                        Prompts::Icon::Question) != Prompts::Answer::Yes)
        return false;
    doc.releaseSlot(doc.SelObj);
    return true;
}

bool selectNextObject(LabelDocument& doc) {
    // With nothing selected the search starts before slot 1: the lowest slot in use.
    const bool selected = ObjectTable::isSlot(doc.SelObj);
    const int next = doc.Objs.nextUsedSlot(doc.SelObj);
    // With nothing in use a selection stays where it is.
    if (next != 0 || !selected)
        doc.SelObj = next;
    return selected || next != 0;
}

QStringList splitLines(const QString& text, QChar separator) {
    QStringList lines = text.split(separator);
    // "a<sep>" is one line, "" none.
    if (!lines.isEmpty() && lines.constLast().isEmpty())
        lines.removeLast();
    return lines;
}
