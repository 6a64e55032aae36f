// Feeds arbitrary bytes to the label file reader. Besides crashes, hangs and
// unbounded allocation it checks two rules:
//  - a refused file leaves the open document exactly as it was;
//  - whatever the reader accepts is written out again, and that file reads back
//    completely into the same bytes.
// For coverage of the libraries, configure the fuzz build with
// -DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link,address,undefined.
#include "document/labelfile.h"
#include "silentprompts.h"

#include <QBuffer>
#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>

namespace {
// No file is touched: names of even length "load" a tiny picture, the others fail
// and leave the blank one, as the program's loader does.
class FakePictures : public PictureLoader {
public:
    PictureLoad load(TDibRecord& rec, const QString& name, int rotation) override {
        const bool found = name.size() % 2 == 0;
        newdib(rec, found ? 3 : 32, found ? 2 : 20, 24, nullptr, 0);
        if (rotation == 1 || rotation == 3)
            rec.Image = rec.Image.transformed(QTransform().rotate(rotation == 1 ? 90 : -90));
        return found ? PictureLoad::Loaded : PictureLoad::Failed;
    }
};

ReadOutcome readFrom(const QByteArray& bytes, LabelDocument& doc) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    SilentPrompts prompts;
    FakePictures pictures;
    return readLabelFile(buffer, QStringLiteral("/ordner/der/etiketten"), doc, prompts, pictures);
}

[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "fuzz_labelfile: %s\n", what);
    std::abort();
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fuzz_labelfile";
    static char* argv[] = {name, nullptr};
    new QGuiApplication(argc, argv); // fonts in the object table need it
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static LabelDocument doc;
    static LabelDocument again;
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));

    const QByteArray before = labelFileBytes(doc);
    if (readFrom(input, doc) == ReadOutcome::Refused) {
        if (labelFileBytes(doc) != before)
            fail("a refused file changed the document");
        return 0;
    }
    const QByteArray written = labelFileBytes(doc);
    if (readFrom(written, again) != ReadOutcome::Complete)
        fail("a written file does not read back completely");
    if (labelFileBytes(again) != written)
        fail("a written file reads back differently");
    return 0;
}
