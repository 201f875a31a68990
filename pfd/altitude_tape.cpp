// The altitude group: tape, ground band, readout with its rolling digits,
// selected altitude, barometric setting and minimums.
#include <GL/gl.h>

#include <cmath>
#include <cstdio>
#include <cstring>

#include "framework/text.h"
#include "pfd/altitude_format.h"
#include "pfd/failure_pictures.h"
#include "pfd/heading_logic.h"
#include "pfd/heading_shapes.h"
#include "pfd/minimums.h"
#include "pfd/pfd_draw_util.h"
#include "pfd/pfd_groups.h"
#include "pfd/pfd_state.h"

namespace {
constexpr Rgb TAPE_GREY = {0.6f, 0.6f, 0.6f};
constexpr Rgb GROUND_BROWN = {0.662f, 0.478f, 0.4f};
constexpr Rgb ALERT_ORANGE = {0.933f, 0.596f, 0.0f};
constexpr const char* MINIMUMS_SOUND = "data/minimums.wav";
constexpr double FEET_PER_TAPE_UNIT = 500.0;
constexpr double ALTITUDE_ALERT_LOW = 250.0, ALTITUDE_ALERT_HIGH = 1000.0;
constexpr int ZERO_FLAG_TEXTURE = 2;

void tape_steps(double altitude) {
  const double tape = clamp_readout(altitude, TAPE_MIN_ALTITUDE, TAPE_MAX_ALTITUDE);
  const float d = static_cast<float>(tape * -0.002 + 0.4);
  for (int i = -4; i <= 139; i++) {
    const int value = 500 * i;
    if (std::fabs(value - tape) > 1000.0) continue;
    pfd_place(1.15f, d + static_cast<float>(i) + 1.0f, 8.199f);
    pfd_set_colour(PFD_WHITE);
    glLineWidth(2);
    static const float bracket[] = {0, 0, 0.3f, 0.3f, 0.3f, 0.7f, 0, 1};
    pfd_line_strip(bracket, 4);
    if (value % 1000 == 0) {
      static const float upper[] = {0.3f, 0.3f, 0.3f, 0.184f, 0.217f, 0.101f};
      static const float lower[] = {0.3f, -0.3f, 0.3f, -0.184f, 0.217f, -0.101f};
      pfd_line_strip(upper, 3);
      pfd_line_strip(lower, 3);
    }
    glLineWidth(1.5f);
    for (int t = 1; t <= 4; t++) pfd_line(0, 0.2f * t, 0.1f, 0.2f * t);
    glTranslatef(0.116f, -0.058f, 0);
    glScalef(0.2f, 0.2f, 1);
    print(PFD_FONT, ALIGN_LEFT, "%d", value);
  }
}

void ground_band(double radio_altitude) {
  const float y = static_cast<float>(clamp_readout(radio_altitude * -0.0019 + 0.3128, -0.73, 0.3128));
  pfd_place(1.085f, y, 7.7f);
  pfd_set_colour(GROUND_BROWN);
  pfd_filled_rect(0, -0.03f, 0.628f, 0.992f);
  pfd_set_colour({1, 1, 0});
  glLineWidth(3);
  pfd_line(0, 0.992f, 0.628f, 0.992f);
  pfd_place(0, 0, 7.7f);
  pfd_set_colour(PFD_WHITE);
  pfd_line(1.085f, 0.14f, 1.085f, 0.14f + 2.237f);
}

void rolling_digits(double altitude) {
  pfd_clip_box(0.833f, 0.683f, 0.039f, 0.049f);
  static const char* const column[] = {"40", "20", "00", "80", "60", "40", "20", "00",
                                       "80", "60", "40", "20", "00", "80", "60"};
  const int r = altitude_roll_remainder(altitude);
  pfd_place(1.698f, static_cast<float>(r * -0.0057 + 2.1399), 8.17f);
  glScalef(0.16f, 0.16f, 1);
  pfd_set_colour(PFD_WHITE);
  // The column moves down as the remainder grows: entry 7 - r / 20 sits in the
  // window and only its neighbours can show through the clip box.
  const int centre = 7 - static_cast<int>(std::lround(r / 20.0));
  for (int k = centre - 2; k <= centre + 2; k++) {
    if (k < 0 || k >= 15) continue;
    glPushMatrix();
    glTranslatef(0, -0.712f * k, 0);
    print(PFD_FONT, ALIGN_RIGHT, "%s", column[k]);
    glPopMatrix();
  }
  pfd_no_clip();
}

void leading_digits(double altitude) {
  const LeadingDigits d = altitude_leading_digits(altitude);
  if (d.text[0]) {
    pfd_place(6.219f, 5.406f, 33.59f);
    pfd_set_colour(PFD_WHITE);
    print(PFD_FONT, ALIGN_RIGHT, "%s", d.text);
  }
  // The flags stand in for the leading digits not shown, the rightmost first.
  static const float flag_offsets[3] = {0.0f, 1.064f, 1.064f + 1.075f};
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, g_pfd.common.textures[ZERO_FLAG_TEXTURE]);
  glColor3f(1, 1, 1);
  for (int k = 3 - d.zero_flags; k < 3; k++) {
    pfd_place(1.559f, 1.39f, 8.17f);
    glScalef(-0.1f, -0.094f, 1);
    glTranslatef(flag_offsets[k], 0, 0);
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0); glVertex2f(0, 0);
    glTexCoord2f(1, 0); glVertex2f(1, 0);
    glTexCoord2f(1, 1); glVertex2f(1, 1);
    glTexCoord2f(0, 1); glVertex2f(0, 1);
    glEnd();
  }
  glDisable(GL_TEXTURE_2D);
}

void selected_altitude(double altitude, double selected, bool altitude_hold) {
  if (altitude_hold) {
    pfd_clip_box(0.729f, 0.5469f, 0.028f, 0.3279f);
    const double offset = clamp_readout(selected - altitude, -600.0, 600.0);
    const float y = static_cast<float>(clamp_readout(offset * 0.0075 + 4.527, 0.5175, 8.7));
    pfd_place(4.249f, y + 0.213f, 30.8f);
    pfd_set_colour(PFD_MAGENTA);
    glLineWidth(3);
    static const float notch[] = {0.35f, 0.15f, 0, 0.15f, 0, 0.4f, 0.15f, 0.5f, 0, 0.6f, 0, 0.85f, 0.35f, 0.85f};
    pfd_line_strip(notch, 7);
    pfd_no_clip();
  }
  const double apart = std::fabs(altitude - selected);
  const bool alert = apart > ALTITUDE_ALERT_LOW && apart < ALTITUDE_ALERT_HIGH;
  pfd_place(0, 0, 10);
  pfd_set_colour(alert ? PFD_AMBER : PFD_CYAN);
  glLineWidth(3);
  pfd_line(1.39f, 3.135f, 1.39f, 3.4f);
  pfd_line(1.39f, 3.15f, 2.22f, 3.15f);
  pfd_place(SELECTED_READOUT_X, SELECTED_READOUT_Y, SELECTED_READOUT_DEPTH);
  pfd_set_colour(alert ? PFD_AMBER : PFD_MAGENTA);
  if (selected == 0.0) {
    print(PFD_FONT, ALIGN_RIGHT, "---_ _");
    return;
  }
  const int hundreds = static_cast<int>(clamp_readout(selected / 100.0, -999.0, 999.0));
  char text[16];
  std::snprintf(text, sizeof text, "%d", hundreds);
  glPushMatrix();
  print(PFD_FONT, ALIGN_RIGHT, "%s", text);
  glPopMatrix();
  // The smaller "00" follows the last digit.
  glTranslatef(glyph_advance(static_cast<unsigned char>(text[std::strlen(text) - 1])), 0, 0);
  glScalef(0.7f, 0.7f, 1);
  print(PFD_FONT, ALIGN_LEFT, "00");
}

void baro_readout() {
  char text[24];
  format_baro(text, sizeof text, g_pfd.value.baro_hpa_shown, g_pfd.value.baro_hpa, g_pfd.value.baro_inches);
  pfd_place(1, 0.1f, 5);
  glScalef(0.11f, 0.11f, 1);
  pfd_set_colour(PFD_CYAN);
  print(PFD_FONT, ALIGN_RIGHT, "%s", text);
}

void minimums_readouts(double altitude) {
  const MinimumsState& m = g_pfd.minimums;
  pfd_place(3.14f, 0.56f, 30);
  glScalef(0.55f, 0.55f, 1);
  pfd_set_colour(PFD_MAGENTA);
  if (m.mode == MINIMUMS_RA) print(PFD_FONT, ALIGN_RIGHT, "%d RA", static_cast<int>(m.ra_minimums));
  if (m.mode == MINIMUMS_BARO) print(PFD_FONT, ALIGN_RIGHT, "%d BARO", static_cast<int>(m.baro_minimums));

  const double above = m.baro_minimums - altitude;
  if (m.mode == MINIMUMS_BARO && above > -540.0 && above < 570.0) {
    pfd_place(4.17f, static_cast<float>(above * 0.0073 + 0.0449 + 5.08), 30);
    pfd_set_colour(PFD_MAGENTA);
    glLineWidth(3);
    pfd_line(0, 0, 2.48f, 0);
    // The marker's letter, in the unit's own font slot.
    glTranslatef(2.6f, -0.15f, 0);
    glScalef(0.4f, 0.4f, 1);
    print(PFD_FONT, ALIGN_LEFT, "D");
  }
  if (minimums_alert_shown(&m)) {
    pfd_place(1.63f, 3.65f, 30);
    glScalef(1.17f, 0.67f, 1);
    pfd_boxed_square(0.05f, 0.1f, 0.95f, 0.9f);
    glTranslatef(0.49f, 0.23f, 0);
    glScalef(0.49f, 0.86f, 1);
    pfd_set_colour(ALERT_ORANGE);
    print(PFD_FONT, ALIGN_CENTRED, "MIN");
  }
}

void live_altitude_group() {
  const double altitude = g_pfd.value.indicated_altitude;
  pfd_clip_box(0.7329f, 0.547f, 0.1438f, 0.327f);
  pfd_place(1.145f, 0.315f, 8.199f);
  pfd_set_colour(TAPE_GREY);
  pfd_filled_rect(0, 0, 0.676f, 2.218f);
  tape_steps(altitude);
  ground_band(g_pfd.value.radio_altitude);
  pfd_no_clip();
  draw_altitude_readout_box();
  rolling_digits(altitude);
  leading_digits(altitude);
  pfd_place(0, 0, 10);
  pfd_set_colour(PFD_WHITE);
  glLineWidth(2);
  pfd_line(1.311f, 1.709f, 1.396f, 1.709f);
  // Where the altitude will be in six seconds.
  pfd_place(0.03f, 0, 10);
  pfd_set_colour(PFD_MAGENTA);
  glLineWidth(4);
  const double trend = clamp_readout(g_pfd.value.vertical_speed / 60.0 * 6.0 * 0.00206, -1.325, 1.39);
  pfd_line(1.306f, 1.698f, 1.306f, static_cast<float>(1.698 + trend));
  selected_altitude(altitude, g_pfd.value.selected_altitude, g_pfd.raw.altitude_hold != 0);
  baro_readout();
  minimums_readouts(altitude);
}
}  // namespace

void draw_altitude_readout_box() {
  pfd_place(1.77f, 2.148f, 12.59f);
  pfd_set_colour(PFD_BLACK);
  static const float tip[] = {0, 0, 0.261f, 0.169f, 0.261f, -0.169f};
  pfd_fill_polygon(tip, 3);
  pfd_filled_rect(0.26f, -0.169f, 0.69f, 0.169f);
  pfd_filled_rect(0.689f, -0.276f, 1, 0.276f);
  static const float outline[] = {0,     0,      0.261f, 0.169f,  0.689f, 0.169f,  0.689f, 0.276f, 1,
                                  0.276f, 1,     -0.276f, 0.689f, -0.276f, 0.689f, -0.169f, 0.261f, -0.169f};
  pfd_set_colour(PFD_CYAN);
  glLineWidth(2);
  pfd_line_loop(outline, 9);
}

void draw_altitude_group() {
  if (g_pfd.raw.avionics_master) {
    live_altitude_group();
  } else {
    draw_altitude_failure();
  }
  if (minimums_alert_due(&g_pfd.minimums)) minimums_alert_play(MINIMUMS_SOUND);
  // The flags the next frame shows and sounds come from this frame's values.
  minimums_update_passed(&g_pfd.minimums, g_pfd.value.height_above_ground, g_pfd.value.indicated_altitude);
}
