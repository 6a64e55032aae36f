#pragma once

#include "codec/dibrecord.h"
#include "wizard/templatedesign.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

// One element of the wizard: a line of text, or the logo picture.
enum ElementKind : int32_t { ElemKindText = 0, ElemKindLogo = 2 };

struct TemplateElement {
    int32_t ElemKind = ElemKindText;
    QString ElemText;   // the text, or the logo's file name
    TDibRecord ElemPic; // the logo, opened at generation
};

// What the wizard page hands to a generation.
struct WizardInputs {
    QStringList texts; // the five text fields in order; empty ones are skipped
    bool withLogo = false;
    QString logoFile;
    bool withBackground = false;
    QString backgroundFile;
};

// The template wizard's data: the elements, the random designs of the last
// generation, the chosen design and the wizard's background picture. No widgets:
// the page shows it, the gallery draws it, composition reads it.
class TemplateWizard {
public:
    enum class Result { Generated, NoElements };

    // Makes elements and designs from the inputs. Without any element the designs
    // are emptied (DesignCount 0): the logo they referred to is released.
    Result generate(const WizardInputs& inputs);

    int ElemCount() const { return int(elems_.size()); }
    // Element a, numbered from 1.
    const TemplateElement& Elem(int a) const { return elems_[size_t(a - 1)]; }
    int DesignCount() const { return int(designs_.size()); }
    const DesignGrid& Design(int i) const { return designs_[size_t(i)]; }
    // Placements possible for the last generation's elements.
    int64_t Possible() const { return possible_; }

    int SelDesign() const { return selDesign_; }
    // Chooses a design; indices outside the designs are ignored. True when it changed.
    bool choose(int i);
    bool hasChosenDesign() const { return selDesign_ >= 0 && selDesign_ < DesignCount(); }

    bool TplBkgndOn() const { return tplBkgndOn_; }
    const TDibRecord& TplBkgndPic() const { return tplBkgndPic_; }
    const QString& TplBkgndFile() const { return tplBkgndFile_; }

    DesignRandom& random() { return random_; }

private:
    void releasePictures();

    std::vector<TemplateElement> elems_;
    std::vector<DesignGrid> designs_;
    int64_t possible_ = 0;
    int selDesign_ = 0;
    bool tplBkgndOn_ = false;
    TDibRecord tplBkgndPic_;
    QString tplBkgndFile_;
    DesignRandom random_;
};

// A picture name as the wizard opens it: names without a folder part lie in the
// program folder.
QString wizardPictureName(const QString& name);
