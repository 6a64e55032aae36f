#pragma once

#include <QIcon>
#include <QString>

// The desktop's name for the program: the desktop entry, the icon and the AppStream
// component are all called this.
inline const QString DesktopId = QStringLiteral("de.aufkleberwerkbank.AufkleberWerkbank");

// The program's icon: the desktop theme's when one is installed, otherwise the
// pictures compiled into the program.
QIcon programIcon();
