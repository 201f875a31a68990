// Side selection and the reading rules of the inter-unit cells.
#include "simlink/cells.h"

#include "simlink/simlink.h"

EfisCells efis_cells(int side) {
  if (side == 1)
    return EfisCells{CELL_FO_EFIS_MODE, CELL_FO_EFIS_COMPANION, CELL_FO_BEARING1_SOURCE,
                     CELL_FO_BEARING2_SOURCE, CELL_FO_MINIMUMS_KNOB, CELL_FO_PFD_DIMMING, ALERT_RELOAD_FO};
  return EfisCells{CELL_CAPT_EFIS_MODE, CELL_CAPT_EFIS_COMPANION, CELL_CAPT_BEARING1_SOURCE,
                   CELL_CAPT_BEARING2_SOURCE, CELL_CAPT_MINIMUMS_KNOB, CELL_CAPT_PFD_DIMMING, ALERT_RELOAD_CAPT};
}

DuCells du_cells(int mode) {
  if (mode == 1) return DuCells{CELL_DU2_SOFTKEYS, CELL_DU2_KNOB, CELL_DU2_DIMMING};
  return DuCells{CELL_DU3_SOFTKEYS, CELL_DU3_KNOB, CELL_DU3_DIMMING};
}

RmuCells rmu_cells(int side) {
  if (side == 1)
    return RmuCells{CELL_RMU2_BUTTONS_A, CELL_RMU2_BUTTONS_B, CELL_RMU2_INNER_KNOB, CELL_RMU2_OUTER_KNOB};
  return RmuCells{CELL_RMU1_BUTTONS_A, CELL_RMU1_BUTTONS_B, CELL_RMU1_INNER_KNOB, CELL_RMU1_OUTER_KNOB};
}

bool side_drives_nav_gps(int side, uint8_t tcas_flags) {
  bool first_officer_coupled = (tcas_flags & TCAS_FLAG_FO_COUPLED) != 0;
  return first_officer_coupled == (side == 1);
}

CounterStep counter_direction(uint8_t previous, uint8_t value) {
  if (value == previous) return STEP_NONE;
  if (previous == 255 && value == 0) return STEP_UP;
  if (previous == 0 && value == 255) return STEP_DOWN;
  return value > previous ? STEP_UP : STEP_DOWN;
}

CounterStep counter_step(CounterReader* reader, uint8_t value) {
  if (!reader->seeded) {
    // A unit that starts late takes the counter as it finds it.
    reader->seeded = true;
    reader->last = value;
    return STEP_NONE;
  }
  CounterStep step = counter_direction(reader->last, value);
  reader->last = value;
  return step;
}

int lowest_rising_bit(uint8_t previous, uint8_t now, int bit_count) {
  uint8_t rising = static_cast<uint8_t>(now & ~previous);
  for (int bit = 0; bit < bit_count && bit < 8; ++bit)
    if (rising & (1u << bit)) return bit;
  return -1;
}

uint8_t replace_bits(uint8_t current, uint8_t mask, uint8_t bits, bool* changed) {
  uint8_t updated = static_cast<uint8_t>((current & ~mask) | (bits & mask));
  if (changed) *changed = updated != current;
  return updated;
}

bool update_shared_bits(uint32_t cell, uint8_t mask, uint8_t bits, uint8_t* read_value, uint32_t* result) {
  // Read and write-back are two consecutive round trips with nothing between,
  // and the byte is written only when this unit's own bits change, so a peer's
  // bit set in the meantime is overwritten as rarely as possible.
  uint8_t current = 0;
  if (!simlink_read(cell, 1, &current, result) || !simlink_process(result)) return false;
  if (read_value) *read_value = current;
  bool changed = false;
  uint8_t updated = replace_bits(current, mask, bits, &changed);
  if (!changed) return true;
  if (!simlink_write(cell, 1, &updated, result) || !simlink_process(result)) return false;
  if (read_value) *read_value = updated;
  return true;
}
