#pragma once

#include "editor/toolbar.h"

#include <QIcon>

// The pictures on the tool buttons, drawn at run time.
QIcon toolGlyph(EditorTool tool);
