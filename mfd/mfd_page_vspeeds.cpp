// The V-speed page: V1, VR and V2, chosen by soft key and set with the knob.
// The page keeps the last soft key as its selection (the controller leaves
// it standing on this page): key 2 V1, key 3 VR, key 4 V2, any other none.
// accfg.ini is read on the page's first frame; leaving it with key 0 after a
// change saves the file (mfd_menu.cpp).
#include <GL/gl.h>

#include <cstdio>

#include "framework/bezel_input.h"
#include "framework/text.h"
#include "mfd/mfd_data.h"
#include "mfd/mfd_page_parts.h"
#include "mfd/mfd_pages.h"
#include "mfd/mfd_state.h"
#include "mfd/mfd_unit.h"

namespace {

constexpr int32_t VSPEED_MIN = 0, VSPEED_MAX = 300;
constexpr int VSPEED_KEY_FIRST = 2;  // keys 2, 3, 4: V1, VR, V2
constexpr int VSPEED_COUNT = 3;

constexpr float TEXT_SCALE = 0.62f;
constexpr float DEPTH = -30.0f;
constexpr float VALUE_ROW_Y = -7.389f, LABEL_ROW_Y = -6.8f;
constexpr float RTN_X = -5.299f;
// The soft-key columns the page uses: keys 1 to 5.
constexpr float KEY1_X = -3.47f;
constexpr float SPEED_X[VSPEED_COUNT] = {-1.59f, 0.29f, 2.17f};
constexpr float KEY5_X = 4.05f;
constexpr float SET_X = 5.889f;  // the knob's label column
// The outline box around the selected speed.
constexpr float BOX_X[VSPEED_COUNT] = {-2.26f, -0.38f, 1.49f};
constexpr float BOX_Y = -6.24f, BOX_WIDTH = 1.36f, BOX_HEIGHT = -1.25f;

struct Rgb {
  float r, g, b;
};
constexpr Rgb WHITE{1.0f, 1.0f, 1.0f}, CYAN{0.0f, 1.0f, 1.0f}, GREEN{0.156f, 0.803f, 0.215f};
constexpr Rgb SPEED_COLOUR[VSPEED_COUNT] = {WHITE, CYAN, GREEN};
constexpr const char* SPEED_LABEL[VSPEED_COUNT] = {"V1", "VR", "V2"};

int32_t* speed(int index) {
  int32_t* speeds[VSPEED_COUNT] = {&g_mfd.aircraft.v1, &g_mfd.aircraft.vr, &g_mfd.aircraft.v2};
  return speeds[index];
}

// 0..2 for V1, VR, V2; -1 without a selection.
int selected_speed() {
  const int index = g_mfd.bezel.soft_key_event - VSPEED_KEY_FIRST;
  return index >= 0 && index < VSPEED_COUNT ? index : -1;
}

void text_at(float x, float y, const Rgb& c, const char* text) {
  glLoadIdentity();
  glColor3f(c.r, c.g, c.b);
  glTranslatef(x, y, DEPTH);
  glScalef(TEXT_SCALE, TEXT_SCALE, 1.0f);
  print(MFD_FONT_SLOT_NORMAL, ALIGN_CENTRED, "%s", text);
}

}  // namespace

void mfd_vspeeds_page_keys() {
  // Entering the page takes the file as the other display unit may have left
  // it; a change not yet saved (its save failed) is kept instead.
  if (g_mfd.previous_page != MFD_PAGE_VSPEEDS && !g_mfd.accfg_dirty) mfd_read_aircraft_config();
  BezelInput& b = g_mfd.bezel;
  const int selected = selected_speed();
  if (selected >= 0 && (b.knob_increment || b.knob_decrement)) {
    *speed(selected) += b.knob_increment ? 1 : -1;
    b.knob_increment = b.knob_decrement = false;
    g_mfd.accfg_dirty = true;
  }
  for (int i = 0; i < VSPEED_COUNT; ++i) {
    int32_t* v = speed(i);
    if (*v < VSPEED_MIN) *v = VSPEED_MIN;
    if (*v > VSPEED_MAX) *v = VSPEED_MAX;
  }
}

void mfd_vspeeds_page_draw() {
  text_at(RTN_X, VALUE_ROW_Y, WHITE, "RTN");
  text_at(KEY1_X, LABEL_ROW_Y, WHITE, "FMS");
  for (int i = 0; i < VSPEED_COUNT; ++i) {
    char value[16];
    std::snprintf(value, sizeof value, "%d", static_cast<int>(*speed(i)));
    text_at(SPEED_X[i], VALUE_ROW_Y, SPEED_COLOUR[i], value);
    text_at(SPEED_X[i], LABEL_ROW_Y, SPEED_COLOUR[i], SPEED_LABEL[i]);
  }
  text_at(KEY5_X, VALUE_ROW_Y, WHITE, "VSPDS");
  text_at(SET_X, VALUE_ROW_Y, WHITE, "SET");
  const int selected = selected_speed();
  if (selected < 0) return;
  glLoadIdentity();
  glColor3f(1.0f, 1.0f, 1.0f);
  glTranslatef(BOX_X[selected], BOX_Y, DEPTH);
  glScalef(BOX_WIDTH, BOX_HEIGHT, 1.0f);
  glCallList(g_mfd.lists.unit_square_outline);
}
