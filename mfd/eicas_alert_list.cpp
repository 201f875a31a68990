// The crew-alert list and the start and reverser annunciations.
#include <GL/gl.h>

#include "framework/text.h"
#include "mfd/alert_logic.h"
#include "mfd/eicas_draw.h"
#include "mfd/eicas_logic.h"
#include "mfd/mfd_state.h"
#include "mfd/mfd_unit.h"

namespace {

constexpr float LIST_X = 1.1f, LIST_Y = 9.53f;
constexpr float LIST_SCALE = 0.62f;
constexpr float LINE_STEP = 0.98f;        // in the list's scaled units
constexpr float END_SCALE = 1.13f;        // on top of the list's scale
constexpr float END_SHIFT = 2.95f;        // to the right, in the list's scaled units
constexpr float ANNUNCIATION_SCALE = 0.62f;
constexpr float LETTER_STEP = 1.0f;       // "START" letters, in scaled units
constexpr double START_AMBER_N2_PCT = 51.0;
constexpr double REVERSER_DEPLOYED_PCT = -5.0;
constexpr int STARTER_ON = 1;
// Lines whose top lies below the bottom of the picture (half the 45-degree
// view at depth 30) are not drawn: a long list would only spend time there.
constexpr float PICTURE_BOTTOM_Y = -12.43f;
constexpr float LINE_HEIGHT = 1.0f;  // in the list's scaled units

struct Side { float start_x, start_y, reverser_x, reverser_y; };
constexpr Side SIDES[2] = {{-6.45f, 3.29f, -4.99f, 9.5f}, {0.35f, 3.29f, -0.617f, 9.5f}};

// Draws the active records of one table; `line` counts across the tables.
template <int N>
void draw_table(const AlertRecord (&records)[N], const char* const (&texts)[N], const EicasColour& colour, bool blink_on,
                int* line) {
  for (int i = 0; i < N; ++i) {
    const AlertRecord& r = records[i];
    if (!r.active) continue;
    const float top = LIST_Y + LIST_SCALE * (LINE_HEIGHT - LINE_STEP * static_cast<float>(*line));
    if (top < PICTURE_BOTTOM_Y) return;
    eicas_place(LIST_X, LIST_Y);
    glScalef(LIST_SCALE, LIST_SCALE, LIST_SCALE);
    glTranslatef(0, -LINE_STEP * static_cast<float>(*line), 0);
    ++*line;
    // Flashing lines vanish (black) in the off half of the blink.
    eicas_colour(r.flashing && !blink_on ? EICAS_BLACK : colour);
    if (&records[i] == &g_mfd.alerts.advisories[ADV_END]) {
      eicas_colour(EICAS_CYAN);
      glTranslatef(END_SHIFT, 0, 0);
      glScalef(END_SCALE, END_SCALE, END_SCALE);
    }
    print(MFD_FONT_SLOT_BOLD, ALIGN_LEFT, "%s", texts[i]);
  }
}

}  // namespace

void eicas_draw_alert_list(int64_t now_ms) {
  const bool blink_on = alert_blink_on(now_ms);
  const AlertLists& l = g_mfd.alerts;
  int line = 0;
  draw_table(l.warnings, WARNING_TEXTS, EICAS_RED, blink_on, &line);
  draw_table(l.cautions, CAUTION_TEXTS, EICAS_AMBER, blink_on, &line);
  draw_table(l.advisories, ADVISORY_TEXTS, EICAS_WHITE, blink_on, &line);
}

void eicas_draw_start_and_reversers() {
  const MfdValues& v = g_mfd.value;
  const int32_t starter[2] = {g_mfd.raw.left_starter_switch, g_mfd.raw.right_starter_switch};
  const double n2[2] = {v.left_n2, v.right_n2};
  const double lever[2] = {v.left_thrust_lever, v.right_thrust_lever};
  for (int side = 0; side < 2; ++side) {
    const Side& s = SIDES[side];
    if (starter[side] == STARTER_ON) {
      eicas_colour(n2[side] < START_AMBER_N2_PCT ? EICAS_GREEN : EICAS_AMBER);
      static const char* const LETTERS[] = {"S", "T", "A", "R", "T"};
      for (int k = 0; k < 5; ++k) {
        eicas_place(s.start_x, s.start_y);
        glScalef(ANNUNCIATION_SCALE, ANNUNCIATION_SCALE, ANNUNCIATION_SCALE);
        glTranslatef(0, -LETTER_STEP * static_cast<float>(k), 0);
        print(MFD_FONT_SLOT_NORMAL, ALIGN_LEFT, "%s", LETTERS[k]);
      }
    }
    if (lever[side] < 0) {
      const bool deployed = lever[side] < REVERSER_DEPLOYED_PCT;
      eicas_colour(deployed ? EICAS_GREEN : EICAS_WHITE);
      eicas_text(s.reverser_x, s.reverser_y, ANNUNCIATION_SCALE, ALIGN_CENTRED, MFD_FONT_SLOT_NORMAL,
                 deployed ? "DEP" : "REV");
    }
  }
}
