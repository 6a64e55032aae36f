#pragma once

#include "codec/scanner.h"

#include <QDialog>

#include <functional>

class QComboBox;
class QDoubleSpinBox;
class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;

// "Bild einscannen": mode, resolution and scan area of the current scanner, as
// the device offers them. "Scannen" starts the scan; while it runs the dialog
// shows its progress and "Abbrechen" stops it. The dialog closes when the scan
// has ended.
class PreScanDialog : public QDialog {
    Q_OBJECT
public:
    // start: begins a scan with the request; false when it could not start.
    using Starter = std::function<bool(const ScanRequest&)>;
    PreScanDialog(Starter start, QWidget* parent = nullptr);

    // Fills the controls from the device's offer, preferring the last request's values.
    void setDevice(const QString& device, const QString& description,
                   const ScanDeviceOptions& options, const ScanRequest& last);
    ScanRequest request() const;
    bool scanning() const { return scanning_; }

    // The scan reports its progress / has ended: the dialog closes.
    void showProgress(int value);
    void scanEnded();

    QLabel* DeviceLabel = nullptr;
    QComboBox* ModeBox = nullptr;
    QComboBox* ResolutionBox = nullptr;
    QGroupBox* AreaGroup = nullptr;
    QDoubleSpinBox* LeftEd = nullptr;
    QDoubleSpinBox* TopEd = nullptr;
    QDoubleSpinBox* WidthEd = nullptr;
    QDoubleSpinBox* HeightEd = nullptr;
    QProgressBar* Progress = nullptr;
    QLabel* StatusLabel = nullptr;
    QPushButton* ScanBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

    void reject() override;

private:
    void ScanBtnClick();
    void limitArea();
    void setControlsEnabled(bool enabled);

    Starter start_;
    QString device_;
    QRectF maxArea_;
    bool scanning_ = false;
};
