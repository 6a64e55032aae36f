#pragma once

#include <QPushButton>

#include <cstdint>

class Prompts;

// A "Farbe" button that keeps a colour of its own: a click opens the colour dialog
// preset with it and keeps the colour chosen there. The button shows the colour.
class ColourButton : public QPushButton {
    Q_OBJECT
public:
    ColourButton(Prompts& prompts, const QString& caption, QWidget* parent = nullptr);

    int32_t color() const { return color_; } // 0x00BBGGRR
    void setColor(int32_t color);

private:
    void pick();
    Prompts& prompts_;
    int32_t color_ = 0;
};
