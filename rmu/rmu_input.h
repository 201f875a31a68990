#pragma once
// The three input paths of the unit: left clicks on the bezel picture, the
// hardware button and knob cells, and the display-position keys. They only
// set the selected line, the pending bottom key and the knob events (and
// open the page menu or raise the ident at once, as their keys do); the
// pages consume them. Pure functions over the state record, no link I/O.
#include <cstdint>

#include "rmu/rmu_state.h"

// What a click hits, in percent of the drawing area from its top left
// (bounds inclusive).
enum RmuZoneKind { RMU_ZONE_NONE, RMU_ZONE_KNOB, RMU_ZONE_KEY };
enum RmuKnobEvent { RMU_INNER_DOWN, RMU_INNER_UP, RMU_OUTER_DOWN, RMU_OUTER_UP };
struct RmuZone {
  RmuZoneKind kind;
  int32_t value;  // RmuKnobEvent, or an RmuKey (L1..R6, B1..B8)
};
RmuZone rmu_click_zone(float x_percent, float y_percent);

// A left click in client pixels on a drawing area of width by height; a
// click on an empty or zero-sized area is ignored.
void rmu_click(RmuState* state, int x, int y, int width, int height);
// The same from percentages: clears the knob events, then applies the zone.
void rmu_click_percent(RmuState* state, float x_percent, float y_percent);

// The key of the first set bit of the side's two button cells, in the
// cells' table order (L1, R1, L2 .. L6, R2 of the first; R3 .. R6, page,
// ident, dim, store of the second); RMU_KEY_NONE for none.
int32_t rmu_button_key(uint8_t first, uint8_t second);
// Takes the first set bit of the cells read this frame: sets its key (the
// page and ident keys act at once), zeroes both cells locally and asks for
// them to be written back as 0. True when a bit was taken.
bool rmu_take_buttons(RmuState* state);

// One knob event per changed counter (the link's counter rule: the first
// read only seeds the reader).
void rmu_knob_counters(RmuState* state, uint8_t inner, uint8_t outer);

// Page key: the page menu opens at once, with no line selected.
void rmu_open_page_menu(RmuState* state);

// Held display-position keys move the picture without the bezel by 0.001
// per frame: A / D x, W / X y, Q / E z.
void rmu_display_position_keys(RmuState* state);

// End of frame: a knob step or bottom key that no field used this frame is
// dropped, so that it never acts later on another page or field.
void rmu_discard_unused_inputs(RmuState* state);
