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
// Then mfd_convert() recomputes g_mfd.value from g_mfd.raw. While the map is
// shown the frame then calls, before drawing it:
//   4. mfd_exchange_map: 0x132C (navigation source) and 0x73D5 (alert cell);
//   5. with the avionics on, mfd_traffic_step: 0x73D6 at once; then, while
//      the traffic picture is wanted or automatic, 0x73FA, 0x7842 and one
//      slot of the traffic table (indicator 0xF008 + s; latitude, longitude,
//      altitude and vertical speed at 0xF084 + 40 s ...), and the
//      classification of every slot into g_mfd.traffic.
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

// The map's own reads (4 above). False when the batch failed.
bool mfd_exchange_map(uint32_t* result);
// The traffic step (5 above); false when a batch failed.
bool mfd_traffic_step(uint32_t* result);
// Distances, courses, classes and the threat flag of every occupied slot
// from the aircraft's position; the band from the band cell.
void mfd_traffic_classify();
