#pragma once

#include <QString>

// The program folder, always ending with '/': the executable's folder when it is
// writable (a build tree or a portable install), otherwise the per-user data
// folder, which is created on first start and given the sample pictures.
QString ProgPath();
// Decides the program folder once at start-up; tests may name one of their own.
void initProgPath(const QString& forcedFolder = QString());

// A file shipped in the installation's shared folder (share/aufkleber-werkbank),
// empty when there is none.
QString installedDataFile(const QString& name);

// A picture path that lies directly in the program folder becomes the bare file
// name (letter case ignored); every other path stays as it is.
QString SubProgPath(const QString& path, const QString& progPath = ProgPath());

// The file-name part of a stored name, which may come from Windows (split at '\' and '/').
QString fileNamePart(const QString& storedName);
// Whether a stored name has a folder part (at '\' or '/').
bool hasFolderPart(const QString& storedName);
