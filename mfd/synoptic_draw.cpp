#include "mfd/synoptic_draw.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "framework/text.h"
#include "mfd/alert_logic.h"
#include "mfd/mfd_state.h"
#include "mfd/mfd_unit.h"

namespace {
constexpr ReadoutRange WHOLE_RANGE = {-999999, 999999};
constexpr ReadoutRange TENTHS_RANGE = {-9999.9, 9999.9};
constexpr ReadoutRange CABIN_RATE_RANGE = {0, 99999};
}  // namespace

bool synoptic_whole(char* out, size_t size, double value) {
  return eicas_format_whole(out, size, value, WHOLE_RANGE);
}

bool synoptic_tenths(char* out, size_t size, double value) {
  return eicas_format_fixed(out, size, value, 2, 1, TENTHS_RANGE);
}

bool synoptic_cabin_rate(char* out, size_t size, double vertical_speed) {
  char whole[16];
  if (!eicas_format_whole(whole, sizeof whole, std::fabs(vertical_speed * CABIN_RATE_FACTOR), CABIN_RATE_RANGE)) {
    if (size) out[0] = '\0';
    return false;
  }
  std::snprintf(out, size, "%4s", whole);
  return true;
}

bool synoptic_side_trim(char* out, size_t size, double degrees) {
  char tenths[16];
  if (!eicas_format_fixed(tenths, sizeof tenths, std::fabs(degrees), 2, 1, READOUT_TRIM)) {
    if (size) out[0] = '\0';
    return false;
  }
  std::snprintf(out, size, "%c%s", degrees >= 0 ? 'R' : 'L', tenths);
  return true;
}

void synoptic_spoilers(char* out, size_t size, int32_t left_deg, int32_t right_deg) {
  if (left_deg > 0 && right_deg > 0) std::snprintf(out, size, "%d", static_cast<int>(left_deg));
  else if (right_deg > 0) std::snprintf(out, size, "R%d", static_cast<int>(right_deg));
  else if (left_deg > 0) std::snprintf(out, size, "L%d", static_cast<int>(left_deg));
  else std::snprintf(out, size, "%s", "0");
}

int32_t synoptic_spoiler_readout(int32_t spoiler_control) {
  const double degrees = spoiler_control * SPOILER_CONTROL_SCALE - SPOILER_CONTROL_OFFSET;
  return static_cast<int32_t>(std::clamp(degrees, 0.0, static_cast<double>(SPOILER_READOUT_MAX)));
}

bool synoptic_tank_low(double pounds) { return pounds <= FUEL_QTY_LOW_LB; }

TrimBoxes synoptic_trim_boxes(bool high_power, bool on_ground, double pitch, double aileron_deg, double rudder_deg) {
  if (!high_power || !on_ground) return TrimBoxes{false, false, false};
  return TrimBoxes{pitch < TAKEOFF_PITCH_TRIM_MIN, std::fabs(aileron_deg) > TAKEOFF_TRIM_MAX_DEG,
                   std::fabs(rudder_deg) > TAKEOFF_TRIM_MAX_DEG};
}

void synoptic_text(float x, float y, float scale, int alignment, const EicasColour& colour, const char* text) {
  glColor3f(colour.r, colour.g, colour.b);
  glLoadIdentity();
  glTranslatef(x, y, -SYNOPTIC_DEPTH);
  glScalef(scale, scale, scale);
  print(MFD_FONT_SLOT_NORMAL, alignment, "%s", text);
}

void synoptic_return_label(float x, float scale) {
  constexpr float RETURN_LABEL_Y = -6.757f;
  if (g_mfd.mfd_shown) synoptic_text(x, RETURN_LABEL_Y, scale, ALIGN_CENTRED, EICAS_WHITE, "RTN");
}

void synoptic_box(float x, float y, float w, float h, const EicasColour& colour) {
  glColor3f(colour.r, colour.g, colour.b);
  glLoadIdentity();
  glTranslatef(x, y, -SYNOPTIC_DEPTH);
  glScalef(w, h, 1.0f);
  glCallList(g_mfd.lists.unit_square_outline);
}

void synoptic_triangle(float x, float y, float w, float h, float degrees, const EicasColour& colour) {
  glColor3f(colour.r, colour.g, colour.b);
  glLoadIdentity();
  glTranslatef(x, y, -SYNOPTIC_DEPTH);
  glRotatef(degrees, 0, 0, 1);
  glScalef(w, h, 1.0f);
  glTranslatef(-0.5f, 0.0f, 0.0f);  // turns about the middle of its base
  glCallList(g_mfd.lists.unit_triangle);
}

void synoptic_line(float x0, float y0, float x1, float y1, const EicasColour& colour) {
  glColor3f(colour.r, colour.g, colour.b);
  glLoadIdentity();
  glBegin(GL_LINES);
  glVertex3f(x0, y0, -SYNOPTIC_DEPTH);
  glVertex3f(x1, y1, -SYNOPTIC_DEPTH);
  glEnd();
}
