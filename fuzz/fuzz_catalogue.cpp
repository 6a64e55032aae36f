// Feeds arbitrary bytes to the reader of the label-type catalogue. Besides
// crashes, hangs and unbounded allocation it checks:
//  - a recognised file is exactly 8 + 112 x n bytes, and every record it yields
//    lies within the limits of the label-type dialog;
//  - what the reader yields is written out again, and that file reads back into
//    the same entries without dropping any.
#include "document/labelcatalogue.h"

#include <cstdio>
#include <cstdlib>

namespace {
[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "fuzz_catalogue: %s\n", what);
    std::abort();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    const CatalogueContent content = parseCatalogue(input);
    if (!content.recognised) {
        if (!content.entries.isEmpty() || content.dropped != 0)
            fail("an unrecognised file yielded records");
        return 0;
    }
    const qsizetype n = content.entries.size() + content.dropped;
    if (input.size() != CatalogueFile::HeaderSize + n * TLabelFormat::RecordSize)
        fail("a file of the wrong length was recognised");
    for (const TLabelFormat& f : content.entries) {
        if (!withinLabelTypeLimits(f))
            fail("a record outside the limits was taken");
    }
    const QByteArray written = catalogueBytes(content.entries);
    const CatalogueContent again = parseCatalogue(written);
    if (!again.recognised || again.dropped != 0 || again.entries != content.entries)
        fail("a written catalogue reads back differently");
    return 0;
}
