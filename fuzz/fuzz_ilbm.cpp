// libFuzzer harness for the IFF/ILBM reader. Whatever the bytes, the reader must
// answer without crashing; a picture it accepts must survive our own writer and
// reader unchanged.

#include "codec/ilbm.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    TDibRecord picture;
    if (!readIlbm(bytes, picture))
        return picture.hasPicture() ? (std::abort(), 0) : 0;
    const QByteArray written = writeIlbm(picture);
    TDibRecord again;
    if (written.isEmpty() || !readIlbm(written, again) || again.Image != picture.Image ||
        again.BitsPerPixel != picture.BitsPerPixel)
        std::abort();
    return 0;
}
