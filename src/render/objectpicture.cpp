#include "render/objectpicture.h"

#include "document/labeldocument.h"
#include "render/drawvcart.h"
#include "render/labelgeometry.h"
#include "render/textdraw.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <memory>

QImage objectPicture(const LabelDocument& doc, const Tobs& obj, int number) {
    // The object alone, moved to the corner of a document of its own.
    auto alone = std::make_unique<LabelDocument>();
    alone->Format = doc.Format;
    alone->WorkWidth = doc.WorkWidth;
    alone->WorkHeight = doc.WorkHeight;
    Tobs& o = alone->Objs[1];
    o = obj;
    o.X = 0;
    o.Y = 0;
    double scale = double(ScreenPixelsPerInch) / 20000;
    const double longest = std::max(obj.Width, obj.Height) * scale;
    if (longest > MaxObjectPictureSide)
        scale *= MaxObjectPictureSide / longest;
    DeviceOutputGuard output(alone->Output, scale);
    const QSize size(std::clamp(alone->ToPixels(obj.Width), 1, MaxObjectPictureSide),
                     std::clamp(alone->ToPixelsY(obj.Height), 1, MaxObjectPictureSide));
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull())
        return image;
    image.fill(Qt::white);
    QPainter canvas(&image);
    // The editor's way: nothing is clipped to a label.
    DrawVCart(canvas, *alone, size.width(), size.height(), 0, 0, scale, true, number);
    return image;
}

QSize textObjectExtent(const Tobs& text) {
    // Measured at four times the screen's scale, for whole pixels to matter less.
    const double scale = 4.0 * RenderLPX / 20000;
    const QFont font =
        labelFont(text.FontName, std::max(1, charHeight(text.FontSize, scale)), text.FontStyle);
    const QFontMetrics metrics(font);
    const QStringList lines = text.Text.split(QLatin1Char('\r'));
    int width = 0;
    for (const QString& line : lines)
        width = std::max(width, metrics.horizontalAdvance(line));
    // A character more, so that the renderer's word wrap never breaks a line.
    width += metrics.averageCharWidth();
    const int height = metrics.lineSpacing() * int(lines.size());
    return QSize(truncToInt32(width / scale), truncToInt32(height / scale));
}
