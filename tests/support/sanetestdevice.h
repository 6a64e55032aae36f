#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

// Points SANE at a configuration folder of the tests' own that knows only the
// `test` backend (no trailing ':' so the machine's folders are not read), and
// writes its test.conf: the settings given here after a fast, silent default.
// The default device offers a descriptor to wait on, so scans are read and
// cancelled by the worker alone; "select-fd false" gives a device that only
// reads blocking.
inline bool useSaneTestDevice(const QString& folder, const QByteArray& settings = QByteArray()) {
    QDir().mkpath(folder);
    QFile dll(folder + QStringLiteral("/dll.conf"));
    QFile conf(folder + QStringLiteral("/test.conf"));
    if (!dll.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        !conf.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    dll.write("test\n");
    conf.write("number_of_devices 2\nmode Gray\ndepth 8\nresolution 100\n"
               "test-picture \"Solid black\"\nread-limit false\nread-delay false\n"
               "read-status-code \"Default\"\nhand-scanner false\nthree-pass false\n"
               "geometry_min 0.0\ngeometry_max 200.0\ngeometry_quant 0.0\n"
               "tl_x 0.0\ntl_y 0.0\nbr_x 80.0\nbr_y 100.0\nnon-blocking true\nselect-fd true\n");
    conf.write(settings);
    qputenv("SANE_CONFIG_DIR", QFile::encodeName(folder));
    return true;
}

// The same folder with no backend at all: SANE finds no device.
inline bool useNoSaneDevices(const QString& folder) {
    QFile dll(folder + QStringLiteral("/dll.conf"));
    if (!dll.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    qputenv("SANE_CONFIG_DIR", QFile::encodeName(folder));
    return true;
}
