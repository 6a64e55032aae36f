#include "render/codelayout.h"

#include "document/tobs.h"
#include "render/codedata.h"

#include <algorithm>
#include <cmath>

namespace {

int64_t dotsOf(double modules, int64_t module) {
    return int64_t(std::llround(modules * double(module)));
}

} // namespace

QString codeBoxTooSmallText() {
    return QStringLiteral("Der Rahmen ist zu klein für diesen Code.");
}

CodeRequest codeRequest(const Tobs& o, const QString& data) {
    CodeRequest r;
    r.symbology = o.Shape;
    r.data = data;
    r.humanReadable = o.TextAlign == 1;
    r.errorCorrection = o.FillMode();
    return r;
}

CodeFit fitCode(const CodeRequest& request, int64_t boxWidth, int64_t boxHeight) {
    CodeFit fit;
    fit.symbol = encodeCode(request);
    if (!fit.symbol.ok) {
        fit.reason = fit.symbol.reason;
        return fit;
    }
    const CodeSymbol& first = fit.symbol;
    const double w = first.width, h = first.height;
    int64_t module = 0;
    if (boxWidth > 0 && boxHeight > 0) {
        const double across = std::floor(double(boxWidth) / w);
        const double down =
            first.linear ? std::floor(double(boxHeight) / (h - first.barHeight + MinBarModules))
                         : std::floor(double(boxHeight) / h);
        module = int64_t(std::clamp(std::min(across, down), 0.0, double(MaxModuleDots)));
    }
    if (module < 1) {
        fit.reason = codeBoxTooSmallText();
        return fit;
    }
    if (first.linear) {
        // The bars take what the box leaves below and above them.
        CodeRequest tall = request;
        const double overhead = h - first.barHeight;
        tall.barHeight = std::max(MinBarModules, double(boxHeight) / double(module) - overhead);
        CodeSymbol again = encodeCode(tall);
        if (again.ok)
            fit.symbol = std::move(again);
    }
    fit.module = module;
    fit.width = dotsOf(fit.symbol.width, module);
    fit.height = std::min(boxHeight, dotsOf(fit.symbol.height, module));
    fit.left = (boxWidth - fit.width) / 2;
    fit.top = (boxHeight - fit.height) / 2;
    return fit;
}

void codeBoxDots(const Tobs& o, int dotsPerInch, int64_t& width, int64_t& height) {
    const int64_t w = int64_t(o.Width) * dotsPerInch / 20000;
    const int64_t h = int64_t(o.Height) * dotsPerInch / 20000;
    const bool turned = o.Rotation == 1 || o.Rotation == 3;
    width = turned ? h : w;
    height = turned ? w : h;
}

QString codeProblem(const Tobs& o, int Number, int dotsPerInch, const MergeRecord* record) {
    int64_t w = 0, h = 0;
    codeBoxDots(o, dotsPerInch, w, h);
    return fitCode(codeRequest(o, codeData(o.Text, Number, record)), w, h).reason;
}
