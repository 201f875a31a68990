#pragma once
// The crew-alert conditions' inputs, taken from the display unit's simulator
// variables (g_mfd.raw and the values converted from it this frame).
#include "mfd/alert_logic.h"

struct MfdRaw;
struct MfdValues;
struct DisplayPower;

AlertInputs mfd_alert_inputs(const MfdRaw& raw, const MfdValues& value, const DisplayPower& power);
