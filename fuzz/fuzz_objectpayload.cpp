// Feeds arbitrary bytes to the reader of the clipboard's own object form. Besides
// crashes, hangs and unbounded allocation it checks:
//  - a payload it takes holds a kind of object the program knows, within the
//    largest work area;
//  - what it takes, written out again, reads back into the same bytes.
#include "document/labelfile.h"
#include "document/objectpayload.h"

#include <cstdio>
#include <cstdlib>

namespace {
[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "fuzz_objectpayload: %s\n", what);
    std::abort();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    const auto decoded = ObjectPayload::decode(input);
    if (!decoded)
        return 0;
    const Tobs& o = decoded->obj;
    if (o.Kind < KindFigure || o.Kind > KindCode)
        fail("an unknown kind was taken");
    if (o.Width < 0 || o.Height < 0 || o.Width > LabelFile::MaxWorkArea ||
        o.X > LabelFile::MaxWorkArea || o.X < -LabelFile::MaxWorkArea)
        fail("a size beyond the work area was taken");
    const QByteArray again = ObjectPayload::encode(o, decoded->folder);
    const auto back = ObjectPayload::decode(again);
    if (!back || ObjectPayload::encode(back->obj, back->folder) != again)
        fail("a taken payload does not read back the same");
    return 0;
}
