#pragma once

#include <QList>
#include <QRectF>
#include <QString>

#include <sane/sane.h>

// Reading and setting the options of an open SANE device that the scan dialog
// offers: mode, resolution and scan area. Only the scanner layer uses these.
namespace saneoptions {

// The device's modes by the program's names, in the order colour, grey, line art.
QStringList modes(SANE_Handle h);
QString currentMode(SANE_Handle h);
// Sets the mode (and a depth of 8 bits, or 1 for line art, where the device lets us).
bool setMode(SANE_Handle h, const QString& label);

// Resolutions to offer; `current` gets the one to preselect.
QList<int> resolutionChoices(SANE_Handle h, int* current);

// The resolution the device scans at now, in dots per inch; 0 when it has none.
int scanResolution(SANE_Handle h);

// The scan area's limits and current value in millimetres; false when the device
// has no area in millimetres.
bool readArea(SANE_Handle h, QRectF* maxArea, QRectF* area);

// A numeric option by name (int or fixed); false when it is missing or inactive.
bool setNumber(SANE_Handle h, const char* name, double value);

} // namespace saneoptions
