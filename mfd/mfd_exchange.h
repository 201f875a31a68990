#pragma once
// The display unit's link exchange of a frame, called by the frame while the
// link is open, in this order:
//   1. the main batch (mfd_queue_main_reads: the simulator variables in
//      their fixed order, with this display's knob, soft-key and dimming
//      cells) into g_mfd.raw; the knob cell gives this frame's knob event;
//   2. the reversion cell 0x73FB (mfd_role_update);
//   3. the alert cell 0x73D5: read; on the MFD with an accfg.ini rewrite
//      pending, bits 0 and 1 are set and the byte written back, only when
//      that changed it.
// Then mfd_convert() recomputes g_mfd.value from g_mfd.raw.
#include <cstdint>

#include "mfd/mfd_variables.h"

// Queues the main batch into `raw` for a unit of `mode` (1 DU2, 0 DU3); the
// number of requests queued.
int mfd_queue_main_reads(MfdRaw* raw, int32_t mode);
// The knob cell of a good batch: the first value seeds the counter, every
// later change is one step (g_mfd.bezel's knob events).
void mfd_knob_cell_step(uint8_t counter);
// The alert-cell step alone (3 above). False when a batch failed.
bool mfd_exchange_alert_cell(uint32_t* result);

// The exchange; false with the failed call's result when a batch failed
// (the variables it would have filled keep their values).
bool mfd_exchange(uint32_t* result);
// The conversion of what the exchange brought, once per frame: the values,
// the display power members and the soft-key cell.
void mfd_convert();
