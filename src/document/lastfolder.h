#pragma once

#include <QString>

// The folder in which a kind of file dialog last chose a file, kept in the settings
// so that the next use, also in a later run, starts there.

// The stored folder of the kind; fallback when none is stored or it is gone.
QString lastFolder(const QString& kind, const QString& fallback);
void rememberFolder(const QString& kind, const QString& folder);
