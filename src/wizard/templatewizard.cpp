#include "wizard/templatewizard.h"

#include "codec/rasterio.h"
#include "document/progpath.h"

#include <algorithm>

QString wizardPictureName(const QString& name) {
    return hasFolderPart(name) ? name : ProgPath() + name;
}

void TemplateWizard::releasePictures() {
    for (TemplateElement& e : elems_)
        deldib(e.ElemPic);
}

TemplateWizard::Result TemplateWizard::generate(const WizardInputs& inputs) {
    releasePictures();
    elems_.clear();
    for (const QString& text : inputs.texts) {
        if (!text.isEmpty() && int(elems_.size()) < MaxElements - 1)
            elems_.push_back({ElemKindText, text, {}});
    }
    if (inputs.withLogo && !inputs.logoFile.isEmpty()) {
        TemplateElement logo{ElemKindLogo, wizardPictureName(inputs.logoFile), {}};
        if (OpenDib(logo.ElemPic, logo.ElemText))
            elems_.push_back(std::move(logo));
    }

    if (elems_.empty()) {
        designs_.clear();
        possible_ = 0;
        selDesign_ = 0;
        return Result::NoElements;
    }

    possible_ = possiblePlacements(ElemCount());
    designs_ = randomDesigns(ElemCount(), int(std::min<int64_t>(possible_, MaxDesigns)), random_);
    if (selDesign_ >= DesignCount())
        selDesign_ = 0;

    deldib(tplBkgndPic_);
    tplBkgndOn_ = false;
    if (inputs.withBackground) {
        tplBkgndOn_ = !inputs.backgroundFile.isEmpty() &&
                      OpenDib(tplBkgndPic_, wizardPictureName(inputs.backgroundFile));
        tplBkgndFile_ = inputs.backgroundFile;
    }
    return Result::Generated;
}

bool TemplateWizard::choose(int i) {
    if (i < 0 || i >= DesignCount() || i == selDesign_)
        return false;
    selDesign_ = i;
    return true;
}
