#include "editor/pastedpicture.h"

#include "codec/piclimits.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QMimeData>
#include <QSaveFile>
#include <QStandardPaths>

QString pastedPicturesFolder() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
        .filePath(QStringLiteral("Eingefügte Bilder"));
}

QString storePastedPicture(const QImage& picture) {
    const QImage image = picture.convertToFormat(picture.hasAlphaChannel() ? QImage::Format_ARGB32
                                                                           : QImage::Format_RGB32);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    const qint32 size[2] = {image.width(), image.height()};
    hash.addData(QByteArrayView(reinterpret_cast<const char*>(size), sizeof size));
    hash.addData(QByteArrayView(image.hasAlphaChannel() ? "a" : "o", 1));
    for (int y = 0; y < image.height(); ++y)
        hash.addData(QByteArrayView(reinterpret_cast<const char*>(image.constScanLine(y)),
                                    qsizetype(image.width()) * 4));
    const QString folder = pastedPicturesFolder();
    if (!QDir().mkpath(folder))
        return QString();
    const QString file = QDir(folder).filePath(QString::fromLatin1(hash.result().toHex().left(32)) +
                                               QStringLiteral(".png"));
    if (QFileInfo(file).size() > 0)
        return file;
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly) || !image.save(&out, "PNG") || !out.commit())
        return QString();
    return file;
}

ClipboardPicture readClipboardPicture(const QMimeData& data, QImage& out) {
    // Encoded pictures first, read with the limits of files; then a picture that a
    // window of this program put there.
    const QList<QByteArray> readable = QImageReader::supportedMimeTypes();
    QStringList formats = data.formats();
    // PNG first: it keeps every pixel.
    std::stable_sort(formats.begin(), formats.end(), [](const QString& a, const QString& b) {
        return (a == QLatin1String("image/png")) > (b == QLatin1String("image/png"));
    });
    bool tooLarge = false;
    bool unreadable = false;
    for (const QString& format : std::as_const(formats)) {
        if (!format.startsWith(QLatin1String("image/")) || !readable.contains(format.toLatin1()))
            continue;
        const QByteArray bytes = data.data(format);
        if (bytes.size() > MaxClipboardPictureBytes) {
            tooLarge = true;
            continue;
        }
        QBuffer buffer;
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        QImageReader reader(&buffer);
        const QSize claimed = reader.size();
        if (claimed.isValid() && !pictureSizeAllowed(claimed.width(), claimed.height())) {
            tooLarge = true;
            continue;
        }
        QImage image = reader.read();
        if (image.isNull() || !pictureSizeAllowed(image.width(), image.height())) {
            unreadable = true;
            continue;
        }
        out = image;
        return ClipboardPicture::Loaded;
    }
    // A picture held in memory (put there by a window of this process) is only
    // taken when no encoded form was refused, since taking it would decode that form.
    if (!tooLarge && !unreadable && data.hasFormat(QStringLiteral("application/x-qt-image"))) {
        const QImage image = qvariant_cast<QImage>(data.imageData());
        if (!image.isNull() && pictureSizeAllowed(image.width(), image.height())) {
            out = image;
            return ClipboardPicture::Loaded;
        }
        tooLarge = !image.isNull();
    }
    if (tooLarge)
        return ClipboardPicture::TooLarge;
    return unreadable ? ClipboardPicture::Unreadable : ClipboardPicture::None;
}
