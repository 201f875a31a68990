#pragma once
// Every link exchange of the PFD's frame, in the order the frame runs them:
//   1. pfd_exchange_main(): the reload handshake on the alert cell 0x73D5
//      (re-reading accfg.ini when this side's bit is set), the main read
//      batch, converted at once, the minimums knob counter, and the write of
//      the NAV/GPS switch 0x132C by the side the coupling bit names;
//   with the battery master on, the exchanges of the instruments:
//   2. pfd_exchange_bearing_sources(): the side's two bearing source cells;
//   3. pfd_exchange_altitude_controls(): the barometric setting 0x0330 the
//      bezel asked for, bit 6 of the alert cell, then the minimums steps;
//   4. pfd_exchange_speed_data(): 0x28C8, 0x28C0, 0x02B8, 0x0E8C, converted
//      at once, and bit 6 of the alert cell for the Mach tape.
// Each fills only g_pfd's raw members (and the minimums requests); a lost
// server closes the link so that a later frame reopens it, any other failure
// leaves the previous values in place. Drawing never exchanges.
#include <cstdint>

#include "pfd/pfd_state.h"

// False when the link was lost.
bool pfd_exchange_main();
void pfd_exchange_bearing_sources();
void pfd_exchange_altitude_controls();
void pfd_exchange_speed_data();

// The parts of the main exchange, for tests.
// The reload handshake: reads 0x73D5; when this side's bit is set, clears
// only that bit with a write in the very next batch, then re-reads accfg.ini.
bool pfd_reload_handshake();
// Queues every read of the main batch (no process call).
void pfd_queue_main_reads(PfdRaw* raw, const PfdSide& side);
// Number of read requests in the main batch.
int pfd_main_read_count();
