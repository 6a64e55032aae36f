#include "editor/editorfont.h"

#include <algorithm>
#include <cstdint>

EditorFont::EditorFont() {
    Font.setFamily(Name);
    Font.setPixelSize(-Height);
}

void EditorFont::applyTo(Tobs& obj) const {
    obj.FontRef = Font;
    obj.FontColor = Color;
    obj.FontHeight = Height;
    obj.FontName = Name;
    obj.FontPitch = Pitch;
    obj.FontStyle = Style;
    obj.FontSize = Size;
}

void EditorFont::set(const Prompts::FontChoice& font) {
    Name = font.name;
    Height = font.height;
    Size = font.size;
    Color = font.color;
    Pitch = font.pitch;
    Style = font.style;
    Font = QFont();
    Font.setFamily(Name);
    const int64_t pixels = Height < 0 ? -int64_t(Height) : int64_t(Height);
    Font.setPixelSize(int(std::clamp<int64_t>(pixels, 1, 10000)));
    Font.setBold(Style & 1);
    Font.setItalic(Style & 2);
    Font.setUnderline(Style & 4);
    Font.setStrikeOut(Style & 8);
}
