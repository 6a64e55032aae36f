#include "app/fontcolourdialog.h"

#include "editor/accessiblename.h"
#include "editor/colourbutton.h"

#include <QDialogButtonBox>
#include <QFontDialog>
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
} // namespace

FontColourDialog::FontColourDialog(Prompts& prompts, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FontDialog1"));
    setWindowTitle(QStringLiteral("Schriftart"));
    setAccessibleCaption(this, windowTitle());
    Fonts = new QFontDialog(this);
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
    f.setFamily(font.name);
    // The size wins over the height.
    f.setPointSize(font.size > 0 ? std::min(font.size, 1000) : pointsForHeight(font.height));
    f.setBold(font.style & 1);
    f.setItalic(font.style & 2);
    f.setUnderline(font.style & 4);
    f.setStrikeOut(font.style & 8);
    Fonts->setCurrentFont(f);
    Colour->setColor(font.color);
}

Prompts::FontChoice FontColourDialog::choice() const {
    const QFont f = Fonts->currentFont();
    Prompts::FontChoice c;
    c.name = f.family();
    c.size = f.pointSize() > 0 ? f.pointSize() : pointsForHeight(f.pixelSize());
    c.height = heightForPoints(c.size);
    // The pitch belongs to the face: another face starts from the default pitch.
    c.pitch = c.name == preset_.name ? preset_.pitch : 0;
    c.style = uint8_t((f.bold() ? 1 : 0) | (f.italic() ? 2 : 0) | (f.underline() ? 4 : 0) |
                      (f.strikeOut() ? 8 : 0));
    c.color = Colour->color();
    return c;
}
