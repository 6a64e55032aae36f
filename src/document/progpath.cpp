#include "document/progpath.h"

#include "codec/checkedsave.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>

namespace {
QString& progPathStore() {
    static QString path;
    return path;
}

QString withSlash(QString folder) {
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder;
}

// The sample pictures are compiled in as resources of the application; an installed
// program also finds them among its shared files.
void provideSamples(const QString& folder) {
    for (const char* name : {"logo.jpg", "hintergrund.jpg"}) {
        const QString target = folder + QLatin1String(name);
        QString source = QStringLiteral(":/samples/") + QLatin1String(name);
        if (!QFile::exists(source))
            source = installedDataFile(QLatin1String(name));
        // A sample cut short by a full disk is not left behind as a broken picture.
        if (!QFile::exists(target) && !source.isEmpty() && copyFileChecked(source, target)) {
            QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                              QFile::ReadOther);
        }
    }
}
} // namespace

void initProgPath(const QString& forcedFolder) {
    if (!forcedFolder.isEmpty()) {
        progPathStore() = withSlash(forcedFolder);
        return;
    }
    const QString exeDir = QCoreApplication::applicationDirPath();
    const QFileInfo info(exeDir);
    if (!exeDir.isEmpty() && info.isDir() && info.isWritable()) {
        progPathStore() = withSlash(exeDir);
        return;
    }
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(data);
    progPathStore() = withSlash(data);
    provideSamples(progPathStore());
}

QString installedDataFile(const QString& name) {
#ifdef AWB_DATADIR_FROM_BINDIR
    // Beside the program first, so an unpacked or relocated installation finds its own.
    const QString beside = QCoreApplication::applicationDirPath() +
                           QStringLiteral("/" AWB_DATADIR_FROM_BINDIR "/") + name;
    if (QFileInfo(beside).isFile())
        return beside;
#endif
    return QStandardPaths::locate(QStandardPaths::GenericDataLocation,
                                  QStringLiteral("aufkleber-werkbank/") + name);
}

QString ProgPath() {
    if (progPathStore().isEmpty())
        initProgPath();
    return progPathStore();
}

QString SubProgPath(const QString& path, const QString& progPath) {
    if (progPath.isEmpty() || !path.startsWith(progPath, Qt::CaseInsensitive))
        return path;
    const QString rest = path.mid(progPath.size());
    if (rest.isEmpty() || hasFolderPart(rest))
        return path;
    return rest;
}

QString fileNamePart(const QString& storedName) {
    const qsizetype cut = std::max(storedName.lastIndexOf(QLatin1Char('/')),
                                   storedName.lastIndexOf(QLatin1Char('\\')));
    return storedName.mid(cut + 1);
}

bool hasFolderPart(const QString& storedName) {
    return storedName.contains(QLatin1Char('/')) || storedName.contains(QLatin1Char('\\'));
}
