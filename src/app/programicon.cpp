#include "app/programicon.h"

// The resource lives in a static library: it must be named to be linked in.
static void initIconResource() {
    Q_INIT_RESOURCE(icons);
}

QIcon programIcon() {
    initIconResource();
    QIcon builtIn;
    builtIn.addFile(QStringLiteral(":/icons/programm-48.png"), QSize(48, 48));
    builtIn.addFile(QStringLiteral(":/icons/programm-256.png"), QSize(256, 256));
    return QIcon::fromTheme(DesktopId, builtIn);
}
