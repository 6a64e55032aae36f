// Draws whatever the label file reader accepts, with code objects in it: the editor
// view, the preview and a printer-like device, each into a small canvas, so that
// encoding, fitting and drawing of codes meet any data, symbology, box and rotation.
// The first input byte picks the label number and the device's resolution; the rest
// is a label file. Besides crashes it checks that the label counts its codes the
// same way the print check does (every slot named at most once).
#include "document/labelfile.h"
#include "render/codecheck.h"
#include "render/drawvcart.h"
#include "silentprompts.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdio>
#include <cstdlib>
#include <set>

namespace {
class NoPictures : public PictureLoader {
public:
    PictureLoad load(TDibRecord& rec, const QString&, int) override {
        newdib(rec, 2, 2, 24, nullptr, 0);
        return PictureLoad::Failed;
    }
};

[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "fuzz_codes: %s\n", what);
    std::abort();
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fuzz_codes";
    static char* argv[] = {name, nullptr};
    new QGuiApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1)
        return 0;
    const int number = int(data[0] & 0x3F) * 1000 - 3;
    const int dpi = (data[0] & 0x40) ? 203 : 600;
    QBuffer buffer;
    buffer.setData(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    buffer.open(QIODevice::ReadOnly);
    LabelDocument doc;
    SilentPrompts prompts;
    NoPictures pictures;
    if (readLabelFile(buffer, QStringLiteral("/ordner"), doc, prompts, pictures) ==
        ReadOutcome::Refused)
        return 0;

    QImage canvas(160, 90, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    {
        QPainter p(&canvas);
        DrawVCart(p, doc, 480, 270, 100, 60, doc.Zoom / doc.UnitsPerPixel, true, number);
    }
    {
        DeviceOutputGuard device(doc.Output, dpi / 20000.0);
        QPainter p(&canvas);
        DrawVCart(p, doc, 160, 90, 160, 90, doc.Output.OutputScale, false, number);
    }
    std::set<int> named;
    for (const CodeFault& f : codeFaults(doc, number, 3, dpi)) {
        if (!named.insert(f.slot).second || doc.Objs[f.slot].Kind != KindCode)
            fail("a code fault names a slot twice or a slot without a code");
    }
    return 0;
}
