#include "app/fontcolourdialog.h"

#include "editor/accessiblename.h"
#include "editor/colourbutton.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <algorithm>

namespace {
// Points and character heights at the screen's 96 pixels per inch.
int32_t heightForPoints(int points) {
    return -int32_t(int64_t(points) * 96 / 72);
}
int pointsForHeight(int32_t height) {
    const int64_t pixels = height < 0 ? -int64_t(height) : int64_t(height);
    return int(std::clamp<int64_t>(pixels * 72 / 96, 1, 1000));
}

// The face the chooser lists for a stored name: the name itself when it is
// installed, else the family fontconfig substitutes for it.
QString listedFamily(const QString& name) {
    const QStringList families = QFontDatabase::families();
    for (const QString& family : families)
        if (family.compare(name, Qt::CaseInsensitive) == 0)
            return family;
    return QFontInfo(QFont(name)).family();
}

uint8_t styleBits(const QFont& f) {
    return uint8_t((f.bold() ? 1 : 0) | (f.italic() ? 2 : 0) | (f.underline() ? 4 : 0) |
                   (f.strikeOut() ? 8 : 0));
}

// Qt's chooser embedded as a widget: what would close it (Enter in its lists,
// Escape) closes the dialog around it instead, so its lists never vanish.
class EmbeddedFontDialog : public QFontDialog {
public:
    using QFontDialog::QFontDialog;
    void done(int result) override {
        if (auto* outer = qobject_cast<QDialog*>(parentWidget()))
            outer->done(result);
    }
};
} // namespace

FontColourDialog::FontColourDialog(Prompts& prompts, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FontDialog1"));
    setWindowTitle(QStringLiteral("Schriftart"));
    setAccessibleCaption(this, windowTitle());
    Fonts = new EmbeddedFontDialog(this);
    Fonts->setWindowFlags(Qt::Widget);
    Fonts->setOptions(QFontDialog::NoButtons | QFontDialog::ScalableFonts |
                      QFontDialog::DontUseNativeDialog);
    Colour = new ColourButton(prompts, QStringLiteral("Farbe"), this);
    Colour->setObjectName(QStringLiteral("FontColour"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* bottom = new QHBoxLayout();
    bottom->addWidget(Colour);
    bottom->addStretch(1);
    bottom->addWidget(buttons);
    auto* all = new QVBoxLayout(this);
    all->addWidget(Fonts, 1);
    all->addLayout(bottom);
}

void FontColourDialog::setChoice(const Prompts::FontChoice& font) {
    preset_ = font;
    QFont f;
    f.setFamily(listedFamily(font.name));
    // The size wins over the height.
    f.setPointSize(font.size > 0 ? std::min(font.size, 1000) : pointsForHeight(font.height));
    f.setBold(font.style & 1);
    f.setItalic(font.style & 2);
    f.setUnderline(font.style & 4);
    f.setStrikeOut(font.style & 8);
    Fonts->setCurrentFont(f);
    Colour->setColor(font.color);
    shown_ = Fonts->currentFont();
}

Prompts::FontChoice FontColourDialog::choice() const {
    const QFont f = Fonts->currentFont();
    // Every part the user left as shown keeps its stored value.
    Prompts::FontChoice c = preset_;
    if (f.family() != shown_.family()) {
        c.name = f.family();
        c.pitch = 0; // the pitch belongs to the face: another face starts from the default
    }
    if (f.pointSize() != shown_.pointSize()) {
        c.size = f.pointSize() > 0 ? f.pointSize() : pointsForHeight(f.pixelSize());
        c.height = heightForPoints(c.size);
    }
    if (styleBits(f) != styleBits(shown_))
        c.style = styleBits(f);
    c.color = Colour->color();
    return c;
}
