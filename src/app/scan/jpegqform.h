#pragma once

#include <QDialog>

#include <optional>

class QDoubleSpinBox;
class QSlider;

// "JPEG-Speicherqualität setzen": a slider and a spin edit that follow each
// other. Both values are kept in the settings and come back at the next start.
class TJPEGQForm : public QDialog {
    Q_OBJECT
public:
    explicit TJPEGQForm(QWidget* parent = nullptr);

    // Shows the dialog; the slider's quality after OK, none after cancelling.
    std::optional<int> askQuality();

    QSlider* QualED1 = nullptr;
    QDoubleSpinBox* QualED2 = nullptr;

    void accept() override;

private:
    void QualED1Change(int value);
    void QualED2Change(double value);
    void loadSettings();
};
