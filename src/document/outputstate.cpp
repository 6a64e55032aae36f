#include "document/outputstate.h"

DeviceOutputGuard::DeviceOutputGuard(OutputState& state, double outputScale, double mmPerInchX,
                                     double mmPerInchY)
    : state_(state) {
    state_.OutputMode = 1;
    state_.OutputScale = outputScale;
    state_.MmPerInchX = mmPerInchX;
    state_.MmPerInchY = mmPerInchY;
}

DeviceOutputGuard::~DeviceOutputGuard() {
    state_.OutputMode = 0;
    state_.OutputScaleY = 0.0;
    state_.MmPerInchX = MmPerInch;
    state_.MmPerInchY = MmPerInch;
    state_.RenderBusy = false;
}
