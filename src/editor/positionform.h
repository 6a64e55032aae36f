#pragma once

#include "document/placement.h"

#include <QDialog>

#include <array>

class QDoubleSpinBox;
class QPushButton;

// "Position und Größe": the selected object's top-left corner measured from the
// label's top-left corner, and its width and height, in millimetres with two
// decimals. For a picture drawn with its own aspect ratio, width and height follow
// each other.
class TPositionForm : public QDialog {
    Q_OBJECT
public:
    explicit TPositionForm(QWidget* parent = nullptr);

    QDoubleSpinBox* XEd = nullptr;
    QDoubleSpinBox* YEd = nullptr;
    QDoubleSpinBox* BreiteEd = nullptr;
    QDoubleSpinBox* HoeheEd = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

    void preset(const Tobs& object, const TLabelFormat& format);
    // The fields the user changed. A field whose stored value lay beyond the limits
    // shows the nearest limit and counts as changed, so OK brings the object back.
    PlacementChange change() const;

private:
    void follow(QDoubleSpinBox* changed);
    std::array<QDoubleSpinBox*, 4> fields() const { return {XEd, YEd, BreiteEd, HoeheEd}; }

    Tobs object_;
    std::array<double, 4> shown_{};
    std::array<bool, 4> clamped_{};
    bool following_ = false;
};
