#pragma once
// The display unit's link exchange of a frame, called by the frame while the
// link is open: the simulator variables and the inter-unit cells (battery,
// avionics, brightness, soft-key and knob cells), then their conversion.
#include <cstdint>

// The exchange; false with the process call's result when it failed.
bool mfd_exchange(uint32_t* result);
// The conversion of what the exchange brought, once per frame.
void mfd_convert();
