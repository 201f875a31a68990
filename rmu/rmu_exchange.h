#pragma once
// Every link exchange of the RMU's frame, in the order the frame runs them
// (each only while the link is open):
//   1. rmu_exchange_read_set(): the read set below, one process call; on
//      success the conversions run at once (rmu/rmu_convert.h).
//   2. rmu_exchange_button_cells(): after a button bit was taken, both of the
//      side's button cells written back as 0, one process call.
//   3. rmu_exchange_knob_counters(): the side's inner and outer knob
//      counters, one process call, turned into knob events.
//   4. rmu_exchange_page_writes(): the words the page queued this frame
//      (g_rmu.writes), one process call; the list is emptied either way, so
//      that a write made while the link is closed fails silently.
//   5. rmu_exchange_ta_cell(): after the TA display mode changed here, 0x73D6
//      is read (one process call), bit 0 set to the mode, and the byte written
//      back (one process call) only when it changed: bit 1 and the others
//      belong to the hardware interface.
//
// The read set, one line per offset in the batch (RMU1 / RMU2 where the side
// decides):
//   COM active 0x034E / 0x3118, COM standby 0x311A / 0x311C, NAV active
//   0x0350 / 0x0352, NAV standby 0x311E / 0x3120, ADF 0x034C and 0x0356, and
//   the transponder 0x0354 -- these only while the simulator is the radios'
//   master; then ADF 0x034C and 0x0356 again (always, for the tuning start),
//   0x7B91 transponder standby, engines 0x0898 0x0930 0x0896 0x092E 0x2038
//   0x2138 0x3B60 0x3AA0 0x08B8 0x0950 0x2060 0x2160, tanks 0x0B7C 0x0B80
//   0x0B94 0x0B98, 0x08D8 hydraulics, 0x0BE4 flaps, 0x0BD4 spoilers, trims
//   0x2EA0 0x2EB0 0x2EC0, 0x28D0 air temperature, 0x313C flight ID, 0x6020
//   ATC altitude, 0x0580 heading, 0x02A0 variation, 0x0C48 0x0C49 needles,
//   0x0C4B TO/FROM, 0x0C4E course, 0x0C56 0x0C60 bearings, 0x0BAC 0x0BAE
//   0x0BB0 markers, 0x0300 DME, 0x303E identity, 0x3300 flags, 0x281C
//   battery, 0x7B93 ident, 0x7842 band byte, the side's button cells
//   0x73F0 0x73F1 / 0x73F2 0x73F3.
// Each fills only g_rmu's raw members; a lost server closes the link so that
// a later frame reopens it, any other failure leaves the previous values.
#include <cstdint>

#include "rmu/rmu_state.h"

bool rmu_exchange_read_set();
void rmu_exchange_button_cells();
void rmu_exchange_knob_counters();
void rmu_exchange_page_writes();
void rmu_exchange_ta_cell();

// For tests: queues the read set (no process call) and returns how many
// reads it queued.
int rmu_queue_read_set(RmuRaw* raw, int side, bool simulator_master);
