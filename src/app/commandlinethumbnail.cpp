#include "app/commandlinethumbnail.h"

#include "app/jobwatchdog.h"
#include "app/missingpictures.h"
#include "app/streamprompts.h"
#include "codec/checkedsave.h"
#include "document/labelfile.h"
#include "output/labelexport.h"
#include "render/picturefileloader.h"

#include <QTextStream>

#include <algorithm>
#include <cmath>

QSize thumbnailPictureSize(const TLabelFormat& format, int longest) {
    const double w = format.LabelWidth;
    const double h = format.LabelHeight;
    if (longest < 1 || !std::isfinite(w) || !std::isfinite(h) || !(w > 0) || !(h > 0))
        return QSize();
    const int shorter =
        std::max(1, int(truncToInt32((long double)longest * std::min(w, h) / std::max(w, h))));
    return w >= h ? QSize(longest, shorter) : QSize(shorter, longest);
}

int writeLabelThumbnail(const QString& labelFile, const QString& output, int longest, int number,
                        QTextStream& err) {
    const JobWatchdog watchdog(std::chrono::seconds(ThumbnailSeconds),
                               "aufkleber-werkbank: Das Vorschaubild hat zu lange gedauert und "
                               "wurde nicht gespeichert.\n");
    const QString prefix = QStringLiteral("aufkleber-werkbank: ");
    StreamPrompts prompts(err);
    PictureFileLoader loader;
    MissingPictures pictures(loader);
    LabelDocument doc;
    if (readLabelFile(labelFile, doc, prompts, pictures) != ReadOutcome::Complete) {
        err << prefix << QStringLiteral("Es wurde kein Vorschaubild gespeichert.") << Qt::endl;
        return 1;
    }
    const QSize size = thumbnailPictureSize(doc.Format, longest);
    // Pixels per document unit (1/20000 inch) that fit the longer side.
    const double longerInches = std::max(doc.Format.LabelWidth, doc.Format.LabelHeight) / MmPerInch;
    TDibRecord picture;
    if (size.isEmpty() ||
        !renderLabelPicture(doc, number, size, longest / longerInches / 20000, picture)) {
        err << prefix << QStringLiteral("Ein Etikett ohne Größe hat kein Vorschaubild.")
            << Qt::endl;
        return 1;
    }
    // Thumbnails are PNG whatever the output is called; the old file stays until the
    // new one is complete.
    if (!saveChecked(output,
                     [&picture](QIODevice& file) { return picture.Image.save(&file, "PNG"); })) {
        err << prefix << QStringLiteral("Das Vorschaubild konnte nicht als \"") << output
            << QStringLiteral("\" gespeichert werden.") << Qt::endl;
        return 1;
    }
    // File managers take any other code for a failed thumbnail: a label with missing
    // pictures still has one.
    reportMissingPictures(pictures, err);
    return 0;
}
