#pragma once

#include "editor/toolbar.h"

#include <QIcon>
#include <QPainterPath>

// The pictures on the tool buttons, drawn at run time.
QIcon toolGlyph(EditorTool tool);

// The pointer arrow with its tip at the given point, shared by the tool button and
// the creation cursor.
QPainterPath arrowPath(QPointF tip);
