#pragma once
// The per-frame exchange with the simulator: the reload handshake on the
// alert cell, the main read batch, the NAV/GPS switch write, and the smaller
// batches the instruments ask for just before they draw.
#include <cstdint>

#include "pfd/pfd_state.h"

// One whole exchange of the frame on the global record. False when the link
// was lost (the caller reopens it on a later frame).
bool pfd_exchange();
// Queues every read of the main batch (no process call).
void pfd_queue_main_reads(PfdRaw* raw, const PfdSide& side);
// Number of read requests in the main batch.
int pfd_main_read_count();
// The reload handshake: reads 0x73D5; when this side's bit is set, clears
// only that bit with a write in the very next batch, then re-reads accfg.ini.
bool pfd_reload_handshake();
// Reads the alert cell alone (instruments that want bit 6); keeps the last
// value when the batch fails.
uint8_t pfd_read_alert_cell();
// The hardware minimums knob counter: one step per changed value, seeded by
// the first successful read. Returns -1, 0 or +1.
int pfd_knob_counter_step(uint8_t* last, bool* seeded, uint8_t value);
