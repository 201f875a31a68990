// The navigation page: NAV and ADF frequencies and the magnetic heading on
// top, a compass arc cut by the stencil to an upward wedge, the VOR and ADF
// bearing pointers, the course pointer with its deviation bar, the
// glideslope scale, the marker and TO/FROM, and the course and DME below.
// L1 tunes the NAV active frequency, L6 the NAV1 course (0x0C4E, 2 bytes,
// on either side); neither key is consumed.
#include <GL/gl.h>

#include <cmath>

#include "framework/text.h"
#include "rmu/rmu_backup_logic.h"
#include "rmu/rmu_draw.h"
#include "rmu/rmu_frequency.h"
#include "rmu/rmu_page_parts.h"
#include "rmu/rmu_sim_words.h"
#include "rmu/rmu_state.h"

namespace {

constexpr float PI = 3.14159265f;
constexpr float CARD_RADIUS = 0.236f;
constexpr float LONG_TICK_INNER = 0.214f, SHORT_TICK_INNER = 0.228f, SHORT_TICK_OUTER = 0.237f;
constexpr float LABEL_RADIUS = 0.192f;
constexpr float WEDGE_APEX_Y = -0.091f;
const char* const CARD_LABELS[12] = {"N", "3", "6", "E", "12", "15", "S", "21", "24", "W", "30", "33"};
constexpr RmuColour POINTER_CYAN = {0.0f, 0.658f, 0.921f};
constexpr float NEEDLE_SCALE = 0.0183f * 0.042f;  // localiser needle units to display units
constexpr float DEVIATION_DOTS[4] = {-0.099f, -0.048f, 0.048f, 0.099f};
constexpr float GLIDESLOPE_X = 0.146f;
constexpr float GLIDESLOPE_DOTS[4] = {-0.055f, -0.028f, 0.029f, 0.056f};
constexpr float GLIDESLOPE_PER_UNIT = 0.014f;  // per needle / 32
constexpr float HEADER_BOX_HALF_W = 0.0555f, HEADER_BOX_HALF_H = 0.022f;
constexpr float CURSOR_NAV_BOX[4] = {-0.19f, 0.262f, -0.076f, 0.287f};
constexpr float BOTTOM_Y = -0.16f;
constexpr float CURSOR_COURSE_BOX[4] = {-0.135f, BOTTOM_Y - 0.008f, -0.075f, BOTTOM_Y + 0.027f};

// x, y of a point at radius r and an angle in degrees clockwise from up.
void polar(float r, float degrees, float* x, float* y) {
  float a = degrees * PI / 180.0f;
  *x = r * std::sin(a);
  *y = r * std::cos(a);
}

void circle(float cx, float cy, float r, bool filled) {
  glBegin(filled ? GL_POLYGON : GL_LINE_LOOP);
  for (int i = 0; i < 48; ++i) glVertex2f(cx + r * std::cos(i * PI / 24.0f), cy + r * std::sin(i * PI / 24.0f));
  glEnd();
}

const char* three_digits(int value) { return value < 10 ? "00%d" : value < 100 ? "0%d" : "%d"; }

void header(const RmuState& s) {
  const float box_x[2] = {-0.136f, 0.136f};
  rmu_green_lines(s.common.bezel_shown);
  for (float x : box_x) rmu_box(x - HEADER_BOX_HALF_W, 0.291f - HEADER_BOX_HALF_H, x + HEADER_BOX_HALF_W, 0.291f + HEADER_BOX_HALF_H);
  rmu_text(-0.133f, 0.3f, RMU_TEXT_SMALL, RMU_WHITE, ALIGN_CENTRED, "NAV");
  rmu_text(-0.133f, 0.271f, RMU_TEXT_SMALL, RMU_WHITE, ALIGN_CENTRED, "%3.2f", static_cast<double>(s.radios.nav_active));
  rmu_text(0.141f, 0.3f, RMU_TEXT_SMALL, RMU_WHITE, ALIGN_CENTRED, "ADF");
  rmu_text(0.138f, 0.271f, RMU_TEXT_SMALL, RMU_WHITE, ALIGN_CENTRED, "%3.1f", static_cast<double>(s.radios.adf_frequency));
  int heading = static_cast<int>(s.value.magnetic_heading);
  rmu_green_lines(s.common.bezel_shown);
  rmu_box(-0.035f, 0.276f, 0.035f, 0.314f);
  rmu_line(0.0f, 0.276f, 0.0f, 0.246f);  // lubber line
  rmu_text(0.0f, 0.286f, RMU_TEXT_NORMAL, RMU_WHITE, ALIGN_CENTRED, three_digits(heading), heading);
}

// The upward wedge whose inside the card may paint.
void stencil_wedge() {
  glClearStencil(0);
  glClear(GL_STENCIL_BUFFER_BIT);
  glEnable(GL_STENCIL_TEST);
  glStencilFunc(GL_ALWAYS, 1, 1);
  glStencilOp(GL_REPLACE, GL_REPLACE, GL_REPLACE);
  glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
  float rise = CARD_RADIUS + 0.01f - WEDGE_APEX_Y;
  glBegin(GL_TRIANGLES);
  glVertex2f(0.0f, WEDGE_APEX_Y);
  glVertex2f(rise, WEDGE_APEX_Y + rise);
  glVertex2f(-rise, WEDGE_APEX_Y + rise);
  glEnd();
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  glStencilFunc(GL_EQUAL, 1, 1);
  glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);
}

void compass_card(double heading) {
  stencil_wedge();
  rmu_colour(RMU_WHITE);
  rmu_line_width(1.5f);
  circle(0.0f, 0.0f, CARD_RADIUS, false);
  glBegin(GL_LINES);
  for (int bearing = 0; bearing < 360; bearing += 5) {
    bool long_tick = bearing % 10 == 0;
    float angle = static_cast<float>(bearing - heading), x, y;
    polar(long_tick ? LONG_TICK_INNER : SHORT_TICK_INNER, angle, &x, &y);
    glVertex2f(x, y);
    polar(long_tick ? CARD_RADIUS : SHORT_TICK_OUTER, angle, &x, &y);
    glVertex2f(x, y);
  }
  glEnd();
  for (int i = 0; i < 12; ++i) {
    float angle = static_cast<float>(30 * i - heading), x, y;
    polar(LABEL_RADIUS, angle, &x, &y);
    glPushMatrix();
    glTranslatef(x, y, 0.0f);
    glRotatef(-angle, 0.0f, 0.0f, 1.0f);
    rmu_text(0.0f, -0.008f, RMU_TEXT_SMALL, RMU_WHITE, ALIGN_CENTRED, "%s", CARD_LABELS[i]);
    glPopMatrix();
  }
  glDisable(GL_STENCIL_TEST);
}

void aircraft_symbol() {
  rmu_colour(RMU_WHITE);
  rmu_line_width(2.0f);
  glBegin(GL_LINES);
  glVertex2f(0.0f, 0.03f), glVertex2f(0.0f, -0.03f);     // fuselage
  glVertex2f(-0.025f, 0.0f), glVertex2f(0.025f, 0.0f);   // wings
  glVertex2f(-0.01f, -0.025f), glVertex2f(0.01f, -0.025f);  // tail
  glEnd();
}

// A bearing pointer through the centre at an angle clockwise from the nose.
void bearing_pointer(float angle, RmuColour colour, const char* legend, float legend_x) {
  rmu_colour(colour);
  rmu_line_width(2.0f);
  glPushMatrix();
  glRotatef(-angle, 0.0f, 0.0f, 1.0f);
  glBegin(GL_LINES);
  glVertex2f(0.0f, -0.2f), glVertex2f(0.0f, -0.05f);
  glVertex2f(0.0f, 0.05f), glVertex2f(0.0f, 0.2f);
  glVertex2f(0.0f, 0.2f), glVertex2f(-0.012f, 0.185f);
  glVertex2f(0.0f, 0.2f), glVertex2f(0.012f, 0.185f);
  glEnd();
  circle(0.0f, 0.16f, 0.008f, false);
  glPopMatrix();
  rmu_text(legend_x, -0.12f, RMU_TEXT_SMALL, colour, ALIGN_LEFT, "%s", legend);
}

void course_pointer(const RmuState& s) {
  double course = s.value.nav1_course, heading = s.value.magnetic_heading;
  glPushMatrix();
  glRotatef(static_cast<float>(heading - course), 0.0f, 0.0f, 1.0f);
  rmu_colour(RMU_GREEN);
  rmu_line_width(4.0f);
  glBegin(GL_LINES);
  glVertex2f(0.0f, 0.11f), glVertex2f(0.0f, 0.2f);
  glVertex2f(0.0f, -0.11f), glVertex2f(0.0f, -0.2f);
  glEnd();
  if (rmu_course_arrow_shown(course, heading)) {
    glBegin(GL_TRIANGLES);
    glVertex2f(0.0f, 0.225f), glVertex2f(-0.014f, 0.2f), glVertex2f(0.014f, 0.2f);
    glEnd();
  }
  float deviation = s.raw.localiser * NEEDLE_SCALE;
  glBegin(GL_LINES);
  glVertex2f(deviation, 0.1f), glVertex2f(deviation, -0.1f);
  glEnd();
  rmu_colour(RMU_WHITE);
  for (float x : DEVIATION_DOTS) circle(x, 0.0f, 0.006f, false);
  glPopMatrix();
}

void glideslope(const RmuState& s) {
  rmu_colour(RMU_WHITE);
  rmu_line_width(1.5f);
  for (float y : GLIDESLOPE_DOTS) circle(GLIDESLOPE_X, y, 0.006f, false);
  rmu_line(GLIDESLOPE_X - 0.012f, 0.0f, GLIDESLOPE_X + 0.012f, 0.0f);
  float y = s.raw.glideslope / 32.0f * GLIDESLOPE_PER_UNIT;
  rmu_colour(RMU_MAGENTA);
  glBegin(GL_TRIANGLES);
  glVertex2f(GLIDESLOPE_X - 0.004f, y), glVertex2f(GLIDESLOPE_X + 0.014f, y + 0.008f),
      glVertex2f(GLIDESLOPE_X + 0.014f, y - 0.008f);
  glEnd();
}

void marker_and_to_from(const RmuState& s) {
  const char* marker = s.value.marker_inner ? "IM" : s.value.marker_middle ? "MM" : s.value.marker_outer ? "OM" : nullptr;
  if (marker) {
    rmu_colour(RMU_BLACK);
    rmu_filled_box(0.12f, 0.11f, 0.18f, 0.14f);
    rmu_colour(RMU_WHITE);
    rmu_line_width(1.0f);
    rmu_box(0.12f, 0.11f, 0.18f, 0.14f);
    rmu_text(0.15f, 0.117f, RMU_TEXT_SMALL, RMU_WHITE, ALIGN_CENTRED, "%s", marker);
  }
  if (s.raw.to_from == 1 || s.raw.to_from == 2)
    rmu_text(-0.15f, 0.117f, RMU_TEXT_SMALL, RMU_GREEN, ALIGN_CENTRED, "%s", s.raw.to_from == 1 ? "TO" : "FROM");
}

void bottom_row(const RmuState& s) {
  int course = s.value.nav1_course;
  rmu_text(-0.19f, BOTTOM_Y, RMU_TEXT_NORMAL, RMU_GREEN, ALIGN_LEFT, "CRS");
  rmu_text(-0.105f, BOTTOM_Y, RMU_TEXT_NORMAL, RMU_WHITE, ALIGN_CENTRED, three_digits(course), course);
  rmu_text(0.03f, BOTTOM_Y, RMU_TEXT_NORMAL, RMU_GREEN, ALIGN_LEFT, "DME");
  if (s.value.identity[0] != '\0')
    rmu_text(0.17f, BOTTOM_Y, RMU_TEXT_NORMAL, RMU_WHITE, ALIGN_RIGHT, "%3.1f", s.value.dme);
}

// The pointer keeps its own angle between frames; it follows the bearing
// only while it is shown, and takes it raw while hidden.
void move_vor_pointer(RmuState* s) {
  float bearing = s->value.vor_bearing;
  if (!s->vor_pointer_started) {
    s->vor_pointer_angle = bearing;
    s->vor_pointer_started = true;
  }
  if (s->value.vor_pointer) s->vor_pointer_angle = rmu_vor_pointer_step(s->vor_pointer_angle, bearing);
  else s->vor_pointer_angle = bearing;
}

void vor_pointer(const RmuState* s) {
  if (!s->value.vor_pointer) return;
  double shown = s->value.magnetic_heading + s->vor_pointer_angle;
  shown = std::fmod(shown, 360.0);
  if (shown < 0.0) shown += 360.0;
  bearing_pointer(s->vor_pointer_angle, POINTER_CYAN, "VOR", -0.19f);
  rmu_text(-0.085f, -0.12f, RMU_TEXT_SMALL, POINTER_CYAN, ALIGN_RIGHT, "%3.0f", shown);
}

}  // namespace

void rmu_navigation_page_keys() {
  RmuState& s = g_rmu;
  const RmuRadioWords words = rmu_radio_words(s.settings.side);
  move_vor_pointer(&s);
  if (s.input.selected_line == RMU_KEY_L1) {
    rmu_frequency_knob_step(&s.radios.nav_active, RMU_NAV_BAND, &s.input.knobs);
    s.radios.nav_active = rmu_normalise(s.radios.nav_active, RMU_NAV_BAND);
    rmu_queue_write(&s.writes, words.nav_active, 2, rmu_frequency_word(s.radios.nav_active));
  } else if (s.input.selected_line == RMU_KEY_L6) {
    rmu_course_knob_step(&s.value.nav1_course, &s.input.knobs);
    // Two bytes: the word after the course is not ours.
    rmu_queue_write(&s.writes, OFFSET_NAV1_COURSE, 2, static_cast<uint32_t>(s.value.nav1_course));
  }
}

void rmu_navigation_page_draw() {
  RmuState& s = g_rmu;
  header(s);
  compass_card(s.value.magnetic_heading);
  course_pointer(s);
  vor_pointer(&s);
  if (s.value.adf_pointer) {
    // No bearing source drives it: it stands at the nose and reads 000.
    bearing_pointer(0.0f, RMU_WHITE, "ADF", 0.09f);
    rmu_text(0.185f, -0.12f, RMU_TEXT_SMALL, RMU_WHITE, ALIGN_RIGHT, "00%1.0f", 0.0);
  }
  aircraft_symbol();
  if (s.value.glideslope_scale) glideslope(s);
  marker_and_to_from(s);
  bottom_row(s);
  const float* box = s.input.selected_line == RMU_KEY_L1 ? CURSOR_NAV_BOX
                     : s.input.selected_line == RMU_KEY_L6 ? CURSOR_COURSE_BOX : nullptr;
  if (box) rmu_selection_box(box[0], box[1], box[2], box[3]);
}
