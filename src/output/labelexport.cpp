#include "output/labelexport.h"

#include "render/drawvcart.h"

#include <QFileInfo>
#include <QPainter>

#include <array>
#include <cmath>

namespace {
constexpr std::array<const char*, ExportFilterCount> Extensions = {
    ".bmp", ".dib", ".gif", ".iff", ".jif", ".jpg", ".lbm", ".pcx", ".rle", ".tga", ".tif", ".png"};

int pixelsFor(double lengthMm) {
    return truncToInt32((long double)lengthMm / (long double)MmPerInch * ExportPixelsPerInch);
}
} // namespace

QSize exportPictureSize(const TLabelFormat& format) {
    return QSize(pixelsFor(format.LabelWidth), pixelsFor(format.LabelHeight));
}

bool renderLabelPicture(LabelDocument& doc, int number, TDibRecord& picture,
                        const MergeRecord* record) {
    return renderLabelPicture(doc, number, exportPictureSize(doc.Format),
                              double(ExportPixelsPerInch) / 20000, picture, record);
}

bool renderLabelPicture(LabelDocument& doc, int number, QSize size, double outputScale,
                        TDibRecord& picture, const MergeRecord* record) {
    if (!newdib(picture, size.width(), size.height(), 24, nullptr, 0))
        return false;
    picture.Image.fill(Qt::white);
    setPictureResolution(picture, int(std::lround(outputScale * 20000)));
    DeviceOutputGuard output(doc.Output, outputScale);
    QPainter canvas(&picture.Image);
    DrawVCart(canvas, doc, size.width(), size.height(), size.width(), size.height(),
              doc.Output.OutputScale, false, number, record);
    return true;
}

QString exportFilterExtension(int filterIndex) {
    if (filterIndex < 1 || filterIndex > ExportFilterCount)
        return QString();
    return QLatin1String(Extensions[size_t(filterIndex - 1)]);
}

int exportFormatCodeForName(const QString& fileName) {
    QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix == QLatin1String("jpeg"))
        suffix = QStringLiteral("jpg");
    else if (suffix == QLatin1String("tiff"))
        suffix = QStringLiteral("tif");
    if (suffix.isEmpty())
        return 0;
    for (int i = 1; i <= ExportFilterCount; ++i) {
        if (exportFilterExtension(i) == QLatin1Char('.') + suffix)
            return exportFormatCode(i);
    }
    return 0;
}
