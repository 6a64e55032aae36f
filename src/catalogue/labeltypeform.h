#pragma once

#include "catalogue/dialogrunner.h"
#include "document/labelformat.h"

#include <QDialog>

class QDoubleSpinBox;
class QLineEdit;
class QPushButton;
class QSpinBox;
class StockListDialog;

// "Etikettentyp bearbeiten": one sheet format as the user sees it, with the gaps
// between the labels where the record keeps the start-to-start distances. Made
// once and reused; the controls keep their values between uses. "Aus
// Herstellerliste..." fills every control from a commercial stock.
class TNewETypForm : public QDialog {
    Q_OBJECT
public:
    explicit TNewETypForm(QWidget* parent = nullptr);

    // Presets every control from a format (gap = pitch - size).
    void setFormat(const TLabelFormat& format);
    // The format the controls describe (pitch = size + gap, name cut to 50 characters).
    TLabelFormat format() const;
    // Presets only the name.
    void setTypeName(const QString& name);

    void setDialogRunner(DialogRunner runner) { runner_ = std::move(runner); }
    // Opens the list of commercial stocks; a chosen one fills the controls.
    void chooseStock();

private:
    QLineEdit* NameED = nullptr;
    QDoubleSpinBox* RLED = nullptr;
    QDoubleSpinBox* ROED = nullptr;
    QDoubleSpinBox* BrED = nullptr;
    QDoubleSpinBox* HoED = nullptr;
    QDoubleSpinBox* AHED = nullptr;
    QDoubleSpinBox* AVED = nullptr;
    QSpinBox* AnzHED = nullptr;
    QSpinBox* AnzVED = nullptr;
    StockListDialog* stockList_ = nullptr; // made on first use
    DialogRunner runner_ = modalDialogRunner();
};
