#pragma once

class QSettings;
class QWidget;

// Window position, size and state kept between runs.
namespace WindowPlacement {
void store(QSettings& settings, const QWidget& window);
// Restores what was stored; a placement that lies off every screen is moved onto
// the primary screen. Returns false when nothing usable was stored.
bool restore(QSettings& settings, QWidget& window);
} // namespace WindowPlacement
