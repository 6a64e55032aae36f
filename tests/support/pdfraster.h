#pragma once

// Reads back PDF files that the tests print: a part of a page rasterised by
// pdftoppm (poppler-utils) at a fixed resolution, the page count, the text.

#include <QImage>
#include <QProcess>
#include <QRect>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace pdfraster {

inline QString run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The area of page `page` (from 1) at dpi pixels per inch, in grey; aliased: without
// smoothing of vectors and glyphs, so that each pixel is in or out as on a bitmap.
inline QImage area(const QString& pdf, int page, const QRect& crop, int dpi = 600,
                   bool aliased = false) {
    QTemporaryDir dir;
    const QString prefix = dir.filePath(QStringLiteral("raster"));
    QStringList smoothing;
    if (aliased)
        smoothing = {QStringLiteral("-aa"), QStringLiteral("no"), QStringLiteral("-aaVector"),
                     QStringLiteral("no")};
    run(QStringLiteral("pdftoppm"),
        smoothing + QStringList{QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
                                QString::number(page), QStringLiteral("-r"), QString::number(dpi),
                                QStringLiteral("-x"), QString::number(crop.x()),
                                QStringLiteral("-y"), QString::number(crop.y()),
                                QStringLiteral("-W"), QString::number(crop.width()),
                                QStringLiteral("-H"), QString::number(crop.height()),
                                QStringLiteral("-gray"), QStringLiteral("-png"),
                                QStringLiteral("-singlefile"), pdf, prefix});
    return QImage(prefix + QStringLiteral(".png")).convertToFormat(QImage::Format_Grayscale8);
}

inline int pageCount(const QString& pdf) {
    const QString info = run(QStringLiteral("pdfinfo"), {pdf});
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

inline QString text(const QString& pdf) {
    return run(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
}

inline bool isBlack(const QImage& img, int x, int y) {
    return qGray(img.pixel(x, y)) < 64;
}
inline bool isWhite(const QImage& img, int x, int y) {
    return qGray(img.pixel(x, y)) > 240;
}

} // namespace pdfraster
