#include "document/propertycommands.h"

Tobs* selectedObject(LabelDocument& doc, unsigned kinds) {
    if (!ObjectTable::isSlot(doc.SelObj))
        return nullptr;
    Tobs& o = doc.Objs[doc.SelObj];
    if (o.Kind < KindFigure || o.Kind > KindPicture || !(kinds & (1u << o.Kind)))
        return nullptr;
    return &o;
}

bool changeObjectColor(LabelDocument& doc, Prompts& prompts) {
    Tobs* o = selectedObject(doc, FigureKinds | TextKinds);
    if (!o)
        return false;
    int32_t color = o->Color;
    if (!prompts.chooseColor(color))
        return false;
    o->Color = color & 0xFFFFFF;
    return true;
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

std::optional<Prompts::FontChoice> changeObjectFont(LabelDocument& doc, Prompts& prompts) {
    Tobs* o = selectedObject(doc, TextKinds);
    if (!o)
        return std::nullopt;
    Prompts::FontChoice font = fontOf(*o);
    if (!prompts.chooseFont(font))
        return std::nullopt;
    setFont(*o, font);
    return font;
}

bool setTextAlign(LabelDocument& doc, int align) {
    Tobs* o = selectedObject(doc, TextKinds);
    if (!o || align < 0 || align > 2)
        return false;
    o->TextAlign = align;
    return true;
}

bool toggleKeepAspect(LabelDocument& doc) {
    Tobs* o = selectedObject(doc, PictureKinds);
    if (!o)
        return false;
    o->KeepAspect = !o->KeepAspect;
    return true;
}

bool setShape(LabelDocument& doc, int shape) {
    Tobs* o = selectedObject(doc, FigureKinds);
    if (!o || shape < 0 || shape > 7)
        return false;
    o->Shape = shape;
    return true;
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
    if (!ObjectTable::isSlot(doc.SelObj))
        return false;
    const int next = doc.Objs.nextUsedSlot(doc.SelObj);
    // With nothing in use the selection stays where it is.
    if (next != 0)
        doc.SelObj = next;
    return true;
}

QStringList splitLines(const QString& text, QChar separator) {
    QStringList lines = text.split(separator);
    // "a<sep>" is one line, "" none.
    if (!lines.isEmpty() && lines.constLast().isEmpty())
        lines.removeLast();
    return lines;
}
