#pragma once

// The running label number as the settings keep it between runs.
int storedLabelNumber();
void storeLabelNumber(int value);
