#include "document/settingsstore.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {
QString& overridePath() {
    static QString path;
    return path;
}
} // namespace

namespace SettingsStore {

std::unique_ptr<QSettings> open() {
    if (!overridePath().isEmpty())
        return std::make_unique<QSettings>(overridePath(), QSettings::IniFormat);
    QString name = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    if (name.isEmpty())
        name = QStringLiteral("aufkleber-werkbank");
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, name);
}

void setOverridePath(const QString& iniPath) {
    overridePath() = iniPath;
}

int readInt(QSettings& s, const QString& key, int fallback, int min, int max) {
    bool ok = false;
    const int v = s.value(key).toInt(&ok);
    if (!ok || v < min || v > max)
        return fallback;
    return v;
}

} // namespace SettingsStore
