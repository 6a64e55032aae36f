#include "editor/editorfont.h"

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
