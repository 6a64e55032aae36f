#include "app/windowplacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QWidget>

namespace {
const QString GeometryKey = QStringLiteral("Fenster/Geometrie");

void moveOntoScreen(QWidget& window) {
    const QRect frame = window.frameGeometry();
    for (QScreen* screen : QGuiApplication::screens()) {
        if (screen->availableGeometry().intersects(frame))
            return;
    }
    QScreen* primary = QGuiApplication::primaryScreen();
    if (!primary)
        return;
    const QRect avail = primary->availableGeometry();
    QSize size = window.size().boundedTo(avail.size());
    window.resize(size);
    window.move(avail.center() - QPoint(size.width() / 2, size.height() / 2));
}
} // namespace

namespace WindowPlacement {

void store(QSettings& settings, const QWidget& window) {
    settings.setValue(GeometryKey, window.saveGeometry());
}

bool restore(QSettings& settings, QWidget& window) {
    const QVariant v = settings.value(GeometryKey);
    const bool ok = v.typeId() == QMetaType::QByteArray && window.restoreGeometry(v.toByteArray());
    if (ok)
        moveOntoScreen(window);
    return ok;
}

} // namespace WindowPlacement
