#pragma once

#include "output/sheetlayout.h"

#include <QDialog>

#include <functional>

class QDoubleSpinBox;
class QPushButton;

// "Drucker kalibrieren": four measured values of the printed test square that
// printing uses to shift and scale the sheet layout.
class TKalForm : public QDialog {
    Q_OBJECT
public:
    // testPrint prints the test square (the button "Testrechteck drucken...").
    explicit TKalForm(std::function<void()> testPrint, QWidget* parent = nullptr);

    QDoubleSpinBox* LinksEd = nullptr;
    QDoubleSpinBox* ObenEd = nullptr;
    QDoubleSpinBox* BreitEd = nullptr;
    QDoubleSpinBox* HochEd = nullptr;
    QPushButton* BitBtn1 = nullptr; // "Testrechteck drucken..."
    QPushButton* BackBtn = nullptr; // "Zurück..."

    Calibration values() const;
    void setValues(const Calibration& calibration);

private:
    std::function<void()> testPrint_;
};
