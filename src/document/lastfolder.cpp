#include "document/lastfolder.h"

#include "document/settingsstore.h"

#include <QFileInfo>
#include <QUrl>

namespace {
QString key(const QString& kind) {
    // The kind may hold any character; the key stays one plain INI key.
    return QStringLiteral("Ordner/") +
           QString::fromLatin1(QUrl::toPercentEncoding(kind).replace('%', '_'));
}
} // namespace

QString lastFolder(const QString& kind, const QString& fallback) {
    const QString stored = SettingsStore::open()->value(key(kind)).toString();
    if (stored.isEmpty() || !QFileInfo(stored).isDir())
        return fallback;
    return stored;
}

void rememberFolder(const QString& kind, const QString& folder) {
    if (folder.isEmpty())
        return;
    auto settings = SettingsStore::open();
    settings->setValue(key(kind), QFileInfo(folder).absoluteFilePath());
    settings->sync();
}
