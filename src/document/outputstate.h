#pragma once

#include "document/labelformat.h"

#include <cstdint>

class DeviceImageCache;
class RenderRun;
struct MergeRecord;

// The switches that decide how document units become pixels, and the renderer's
// re-entrancy flag. One object per open document; nothing here is global.
struct OutputState {
    int32_t OutputMode = 0;   // 0 screen (editor), 1 device output (preview, printer, export)
    double OutputScale = 0.0; // device pixels per document unit while OutputMode is 1
    // Vertical device pixels per document unit when printing stretches the axes
    // apart (calibration); 0 means the same as OutputScale.
    double OutputScaleY = 0.0;
    double MmPerInchX = MmPerInch;
    double MmPerInchY = MmPerInch;
    bool RenderBusy = false;
    // Codes are made of whole printer dots. On canvases that are not the printer (the
    // editor, and the print preview while CodesAsPrinted is set) they are laid out for
    // a printer of CodeDotsPerInch and drawn scaled, so they show what prints.
    int CodeDotsPerInch = 600;
    bool CodesAsPrinted = false;
    // Pictures the device path derives from a document picture, kept for the length of
    // one print run so that a picture shown by many labels reaches the device once.
    // Not owned; null outside a print run.
    DeviceImageCache* ImageCache = nullptr;
    // The slots in use and the laid-out texts that the labels of one print run share.
    // Not owned; null outside a print run.
    RenderRun* Run = nullptr;
    // The data row whose pictures the editor shows for picture names with fields
    // (its texts keep their fields). Not owned; null without a data source.
    const MergeRecord* SampleRecord = nullptr;
};

// Switches to device output for the lifetime of the guard and restores screen
// output, the millimetre divisors and RenderBusy on every way out, exceptions included.
class DeviceOutputGuard {
public:
    DeviceOutputGuard(OutputState& state, double outputScale, double mmPerInchX = MmPerInch,
                      double mmPerInchY = MmPerInch);
    ~DeviceOutputGuard();
    DeviceOutputGuard(const DeviceOutputGuard&) = delete;
    DeviceOutputGuard& operator=(const DeviceOutputGuard&) = delete;

private:
    OutputState& state_;
};

// Holds RenderBusy for the length of one drawing; on every way out it goes back to
// what it was, so a drawing inside another never ends the outer one's guard.
class RenderBusyGuard {
public:
    explicit RenderBusyGuard(OutputState& state) : state_(state), was_(state.RenderBusy) {
        state_.RenderBusy = true;
    }
    ~RenderBusyGuard() { state_.RenderBusy = was_; }
    RenderBusyGuard(const RenderBusyGuard&) = delete;
    RenderBusyGuard& operator=(const RenderBusyGuard&) = delete;

private:
    OutputState& state_;
    bool was_;
};
