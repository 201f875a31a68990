#pragma once
// The EFIS control head's own state and logic: the record the program keeps,
// the click hit test, applying the pending inputs once per frame, the mode
// byte and the bearing source codes. Pure functions over the record, so the
// panel's behaviour can be checked without a window or a link.
#include <cstdint>

constexpr int EFIS_KNOB_MIN = 0;
constexpr int EFIS_KNOB_MAX = 3;
constexpr int EFIS_KNOB_POSITIONS = 4;

constexpr int32_t KNOB_STEP_UP = 0;
constexpr int32_t KNOB_STEP_DOWN = 1;
constexpr int32_t KNOB_NONE = 2;

// Button zones of the top row; 3 is the gap between the two groups.
constexpr int32_t ZONE_BUTTON_A = 0;   // barometric unit
constexpr int32_t ZONE_BUTTON_B = 1;
constexpr int32_t ZONE_DEAD = 2;       // painted, does nothing
constexpr int32_t ZONE_BUTTON_C = 4;   // compass format
constexpr int32_t ZONE_FMS = 5;
constexpr int32_t ZONE_NAV = 6;
constexpr int32_t ZONE_NONE = 7;

constexpr uint8_t EFIS_SIDE_CAPTAIN = 0;
constexpr uint8_t EFIS_SIDE_FIRST_OFFICER = 1;

struct EfisPanel {
  int32_t bearing1_position;  // 0..3
  int32_t bearing2_position;  // 0..3
  uint8_t button_a, button_b, button_c;
  uint8_t fms, gps;           // gps equals fms in every reachable state
  uint8_t nav1, nav2;         // exactly one is 1
  uint8_t side;               // EFIS_SIDE_CAPTAIN / EFIS_SIDE_FIRST_OFFICER
  int32_t pending_knob1, pending_knob2;  // KNOB_STEP_UP / KNOB_STEP_DOWN / KNOB_NONE
  int32_t pending_zone;       // a zone or ZONE_NONE
  uint8_t coupling;           // last coupling byte read (TCAS flags cell)
  uint8_t alert;              // alert byte, read and not used
  uint8_t alert_landing, coupling_landing;  // where the link fills the reads
};

// Start-of-run values: buttons off, NAV1 selected, nothing pending.
// Side and knob positions come from the settings afterwards.
void efis_panel_reset(EfisPanel* panel);

// Records the pending inputs of a click given in percent of the panel
// (px from the left, py from the top).
void efis_hit_test_percent(EfisPanel* panel, float px, float py);
// A click in client pixels, scaled by the stored panel size. A size below 1
// is taken as 1 so that no click divides by zero.
void efis_click(EfisPanel* panel, int x, int y, int panel_width, int panel_height);

// Applies and clears the pending knob steps and button zone.
void efis_apply_inputs(EfisPanel* panel);

uint8_t efis_mode_byte(const EfisPanel* panel);
// Knob position 0..3 -> source code 0, 4, 2, 1 (out-of-range positions are clamped).
uint8_t efis_source_code(int32_t knob_position);
int32_t efis_clamp_knob(int32_t position);
