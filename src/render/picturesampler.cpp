#include "render/picturesampler.h"

PictureSampler::PictureSampler(const TDibRecord& picture) {
    if (!picture.hasPicture())
        return;
    const QImage& src = picture.Image;
    switch (src.format()) {
    case QImage::Format_Indexed8:
        image_ = src;
        break;
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
    case QImage::Format_ARGB32_Premultiplied:
        image_ = src;
        break;
    case QImage::Format_Mono:
    case QImage::Format_MonoLSB:
        image_ = src.convertToFormat(QImage::Format_Indexed8);
        break;
    default:
        image_ = src.convertToFormat(QImage::Format_RGB32);
        break;
    }
    indexed_ = image_.format() == QImage::Format_Indexed8;
    if (indexed_) {
        palette_ = image_.colorTable();
        for (QRgb& c : palette_)
            c |= 0xFF000000u;
        palette_.resize(256, qRgb(0, 0, 0));
    }
}

int32_t PictureSampler::value(int x, int y) const {
    if (indexed_)
        return image_.constScanLine(y)[x];
    const QRgb p = reinterpret_cast<const QRgb*>(image_.constScanLine(y))[x];
    if (image_.format() == QImage::Format_ARGB32_Premultiplied)
        return rgbToColorRef(qUnpremultiply(p));
    return rgbToColorRef(p);
}

void PictureSampler::setTransparentValue(int32_t value) {
    anyTransparent_ = value >= 0 && value <= (indexed_ ? 255 : 0xFFFFFF);
    key_ = !anyTransparent_ ? 0 : indexed_ ? uint32_t(value) : (colorRefToRgb(value) & 0xFFFFFFu);
}

void PictureSampler::sampleRow(int y, const std::vector<int>& columns, QRgb* out) const {
    const size_t n = columns.size();
    if (indexed_) {
        const uchar* row = image_.constScanLine(y);
        for (size_t i = 0; i < n; ++i) {
            const uchar v = row[columns[i]];
            out[i] = (anyTransparent_ && v == key_) ? 0u : palette_[v];
        }
        return;
    }
    const QRgb* row = reinterpret_cast<const QRgb*>(image_.constScanLine(y));
    const bool premultiplied = image_.format() == QImage::Format_ARGB32_Premultiplied;
    for (size_t i = 0; i < n; ++i) {
        QRgb p = row[columns[i]];
        if (premultiplied)
            p = qUnpremultiply(p);
        const uint32_t rgb = p & 0xFFFFFFu;
        out[i] = (anyTransparent_ && rgb == key_) ? 0u : (0xFF000000u | rgb);
    }
}

std::vector<int> sampleColumns(int span, int64_t steps, int64_t first, int64_t last) {
    std::vector<int> columns;
    if (steps <= 0 || last <= first)
        return columns;
    columns.reserve(size_t(last - first));
    for (int64_t c = first; c < last; ++c)
        columns.push_back(int(int64_t(span) * c / steps));
    return columns;
}
