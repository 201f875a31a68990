#include "rmu/rmu_input.h"

#include "framework/skeleton.h"

namespace {

struct Span {
  float low, high;  // percent, both inclusive
};
bool inside(float v, Span s) { return v >= s.low && v <= s.high; }

constexpr Span KNOB_AREA_X = {70, 84}, KNOB_AREA_Y = {86, 98};
constexpr Span INNER_KNOB_X = {74, 80}, INNER_KNOB_Y = {91, 96};
constexpr float KNOB_SPLIT_X = 77;  // inner: above it is up; ring: from it on is up
constexpr Span LEFT_COLUMN = {5, 14.36f}, RIGHT_COLUMN = {84, 95};
constexpr Span LINE_ROWS[6] = {{18, 24}, {27, 32}, {38, 43}, {45, 50}, {57, 63}, {65, 70}};
constexpr Span UPPER_BOTTOM_ROW = {80, 86}, LOWER_BOTTOM_ROW = {90, 96};
constexpr Span BOTTOM_COLUMNS[4] = {{18, 29}, {31, 40}, {43, 52}, {54, 64}};

// The button cells' bits in table order: cell, bit, key.
struct ButtonBit {
  int cell, bit;
  int32_t key;
};
constexpr ButtonBit BUTTON_BITS[] = {
    {0, 0, RMU_KEY_L1}, {0, 1, RMU_KEY_R1}, {0, 2, RMU_KEY_L2}, {0, 3, RMU_KEY_L3},
    {0, 4, RMU_KEY_L4}, {0, 5, RMU_KEY_L5}, {0, 6, RMU_KEY_L6}, {0, 7, RMU_KEY_R2},
    {1, 0, RMU_KEY_R3}, {1, 1, RMU_KEY_R4}, {1, 2, RMU_KEY_R5}, {1, 3, RMU_KEY_R6},
    {1, 4, RMU_KEY_PAGE}, {1, 5, RMU_KEY_IDENT}, {1, 6, RMU_KEY_DIM}, {1, 7, RMU_KEY_STORE},
};

constexpr float POSITION_STEP = 0.001f;
struct PositionKey {
  int virtual_key, axis;
  float step;
};
constexpr PositionKey POSITION_KEYS[] = {
    {'A', 0, -POSITION_STEP}, {'D', 0, POSITION_STEP}, {'W', 1, POSITION_STEP},
    {'X', 1, -POSITION_STEP}, {'Q', 2, -POSITION_STEP}, {'E', 2, POSITION_STEP},
};

RmuZone knob_zone(float x, float y) {
  if (inside(x, INNER_KNOB_X) && inside(y, INNER_KNOB_Y))
    return RmuZone{RMU_ZONE_KNOB, x > KNOB_SPLIT_X ? RMU_INNER_UP : RMU_INNER_DOWN};
  return RmuZone{RMU_ZONE_KNOB, x >= KNOB_SPLIT_X ? RMU_OUTER_UP : RMU_OUTER_DOWN};
}

void set_knob_event(RmuKnobs* k, int32_t event) {
  switch (event) {
    case RMU_INNER_DOWN: k->inner_down = true; break;
    case RMU_INNER_UP: k->inner_up = true; break;
    case RMU_OUTER_DOWN: k->outer_down = true; break;
    case RMU_OUTER_UP: k->outer_up = true; break;
    default: break;
  }
}

// "ANY KEY TO RETURN": with the dim page up, a key only takes it down.
void any_key_closes_dim_page(RmuState* s) {
  if (!s->dim_page_shown) return;
  if (s->input.selected_line == RMU_KEY_NONE && s->input.pending_bottom_key == RMU_KEY_NONE) return;
  s->dim_page_shown = false;
  s->input.selected_line = RMU_KEY_NONE;
  s->input.pending_bottom_key = RMU_KEY_NONE;
}

// A key from either path: line keys select, bottom keys are pending; the
// page and ident keys act at once.
void press_key(RmuState* s, int32_t key) {
  if (key >= RMU_KEY_L1 && key <= RMU_KEY_R6) {
    s->input.selected_line = key;
    return;
  }
  s->input.pending_bottom_key = key;
  if (key == RMU_KEY_IDENT) s->transponder.ident_request = true;
  if (key == RMU_KEY_PAGE) rmu_open_page_menu(s);
}

}  // namespace

RmuZone rmu_click_zone(float x, float y) {
  if (inside(x, KNOB_AREA_X) && inside(y, KNOB_AREA_Y)) return knob_zone(x, y);
  for (int row = 0; row < 6; ++row) {
    if (!inside(y, LINE_ROWS[row])) continue;
    if (inside(x, LEFT_COLUMN)) return RmuZone{RMU_ZONE_KEY, RMU_KEY_L1 + row};
    if (inside(x, RIGHT_COLUMN)) return RmuZone{RMU_ZONE_KEY, RMU_KEY_R1 + row};
  }
  for (int column = 0; column < 4; ++column) {
    if (!inside(x, BOTTOM_COLUMNS[column])) continue;
    if (inside(y, UPPER_BOTTOM_ROW)) return RmuZone{RMU_ZONE_KEY, RMU_KEY_B1 + column};
    if (inside(y, LOWER_BOTTOM_ROW)) return RmuZone{RMU_ZONE_KEY, RMU_KEY_B5 + column};
  }
  return RmuZone{RMU_ZONE_NONE, 0};
}

void rmu_click(RmuState* s, int x, int y, int width, int height) {
  if (width < 1 || height < 1) return;
  rmu_click_percent(s, 100.0f * x / width, 100.0f * y / height);
}

void rmu_click_percent(RmuState* s, float x, float y) {
  s->input.knobs = RmuKnobs{};
  RmuZone zone = rmu_click_zone(x, y);
  if (zone.kind == RMU_ZONE_KNOB) {
    set_knob_event(&s->input.knobs, zone.value);
    return;  // the knobs never close the dim page
  }
  if (zone.kind == RMU_ZONE_KEY) press_key(s, zone.value);
  any_key_closes_dim_page(s);
}

int32_t rmu_button_key(uint8_t first, uint8_t second) {
  const uint8_t cells[2] = {first, second};
  for (const ButtonBit& b : BUTTON_BITS)
    if (cells[b.cell] & (1u << b.bit)) return b.key;
  return RMU_KEY_NONE;
}

bool rmu_take_buttons(RmuState* s) {
  int32_t key = rmu_button_key(s->raw.buttons[0], s->raw.buttons[1]);
  if (key == RMU_KEY_NONE) return false;
  // A held button is taken once: both cells go back to 0, the other bits too.
  s->raw.buttons[0] = s->raw.buttons[1] = 0;
  s->input.buttons_taken = true;
  press_key(s, key);
  any_key_closes_dim_page(s);
  return true;
}

void rmu_knob_counters(RmuState* s, uint8_t inner, uint8_t outer) {
  CounterStep step = counter_step(&s->input.inner_counter, inner);
  if (step == STEP_UP) s->input.knobs.inner_up = true;
  if (step == STEP_DOWN) s->input.knobs.inner_down = true;
  step = counter_step(&s->input.outer_counter, outer);
  if (step == STEP_UP) s->input.knobs.outer_up = true;
  if (step == STEP_DOWN) s->input.knobs.outer_down = true;
}

void rmu_open_page_menu(RmuState* s) {
  s->return_page = s->page;
  s->page = RMU_PAGE_MENU;
  s->input.selected_line = RMU_KEY_NONE;
}

void rmu_display_position_keys(RmuState* s) {
  for (const PositionKey& k : POSITION_KEYS)
    if (key_down(&s->common, k.virtual_key)) s->settings.display_position[k.axis] += k.step;
}

void rmu_discard_unused_inputs(RmuState* s) {
  s->input.knobs = RmuKnobs{};
  s->input.pending_bottom_key = RMU_KEY_NONE;
}
