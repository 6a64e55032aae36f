#include "app/recentfiles.h"

#include "document/settingsstore.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>

namespace {
const QString Key = QStringLiteral("ZuletztGeoeffnet");
} // namespace

RecentFiles::RecentFiles(QMenu* menu, std::function<bool(const QString&)> open, QObject* parent)
    : QObject(parent), Menu(menu), open_(std::move(open)) {
    Menu->setObjectName(QStringLiteral("RecentMenu"));
    Menu->setTitle(QStringLiteral("&Zuletzt geöffnet"));
    Menu->menuAction()->setStatusTip(QStringLiteral("Öffnet eine der zuletzt benutzten Dateien"));
    rebuild();
}

QStringList RecentFiles::files() const {
    QStringList list = SettingsStore::open()->value(Key).toStringList();
    list.removeAll(QString());
    list.removeDuplicates();
    return list.mid(0, MaxEntries);
}

void RecentFiles::add(const QString& fileName) {
    if (fileName.isEmpty())
        return;
    const QString path = QFileInfo(fileName).absoluteFilePath();
    QStringList list = files();
    list.removeAll(path);
    list.prepend(path);
    store(list.mid(0, MaxEntries));
}

void RecentFiles::store(const QStringList& list) {
    auto settings = SettingsStore::open();
    settings->setValue(Key, list);
    settings->sync();
    rebuild();
}

void RecentFiles::rebuild() {
    Menu->clear();
    const QStringList list = files();
    if (list.isEmpty()) {
        Menu->addAction(QStringLiteral("(keine)"))->setEnabled(false);
        return;
    }
    for (int i = 0; i < list.size(); ++i) {
        const QString path = list.at(i);
        QString name = QFileInfo(path).fileName();
        name.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* a = Menu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(name));
        a->setStatusTip(path);
        a->setData(path);
        connect(a, &QAction::triggered, this, [this, path] {
            if (open_ && !open_(path) && !QFileInfo::exists(path)) {
                // A file that is gone leaves the list.
                QStringList rest = files();
                rest.removeAll(path);
                store(rest);
            }
        });
    }
}
