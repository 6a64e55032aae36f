#pragma once

#include <QSettings>
#include <QString>

#include <memory>

// The per-user settings (an INI file in the user's configuration folder, named
// after the executable). Every part of the program opens them here, so tests can
// point them at a temporary file.
namespace SettingsStore {
std::unique_ptr<QSettings> open();
// Tests: use this file instead; an empty path restores the user's file.
void setOverridePath(const QString& iniPath);

// Typed access with sound fallbacks for missing or damaged values.
int readInt(QSettings& s, const QString& key, int fallback, int min, int max);
} // namespace SettingsStore
