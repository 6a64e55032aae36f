#pragma once

#include "output/sheetlayout.h"

#include <QString>

// The calibration file options.dat in the program folder: four little-endian
// doubles (left offset, top offset, width, height), 32 bytes, nothing else.

QString calibrationFilePath();

// The values of the file, each limited to its range. A missing or unreadable file
// gives the start values; a short file keeps the start values for what it lacks,
// values that are no numbers keep theirs too. Nothing is reported.
Calibration readCalibration(const QString& path = calibrationFilePath());

// Writes the four values through a temporary file renamed over the old one; false
// when that failed (the old file is then untouched).
bool writeCalibration(const Calibration& calibration, const QString& path = calibrationFilePath());
