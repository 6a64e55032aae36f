#pragma once

// Shared by the wizard tests: a program folder with the two sample pictures.

#include "document/progpath.h"

#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

namespace wizardtest {

// A picture file with a coloured frame, written in the given format.
inline bool writePicture(const QString& path, int w, int h, QColor color, const char* format) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(color);
    QPainter p(&img);
    p.setPen(Qt::black);
    p.drawRect(0, 0, w - 1, h - 1);
    p.end();
    return img.save(path, format);
}

// Makes dir the program folder, with "logo.jpg" (200 x 100) and "hintergrund.jpg"
// (300 x 300) in it.
inline bool provideSamples(const QTemporaryDir& dir) {
    initProgPath(dir.path());
    return writePicture(dir.filePath(QStringLiteral("logo.jpg")), 200, 100, QColor(0, 90, 200),
                        "JPG") &&
           writePicture(dir.filePath(QStringLiteral("hintergrund.jpg")), 300, 300,
                        QColor(250, 230, 120), "JPG");
}

} // namespace wizardtest
