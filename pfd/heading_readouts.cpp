// Readouts of the heading group: navigation source, bearing pointers,
// heading bug, wind.
#include <GL/gl.h>

#include <cstring>

#include "framework/text.h"
#include "pfd/heading_draw.h"
#include "pfd/heading_shapes.h"
#include "pfd/pfd_draw_util.h"
#include "pfd/pfd_state.h"

namespace {
constexpr float READOUT_X = -6.57f, READOUT_DEPTH = 30.0f;
constexpr float SOURCE_SCALE = 0.65f, CRS_SCALE = 0.749f, POINTER_SCALE = 0.55f, CRS_GAP = 0.2f;
constexpr float SOURCE_LINES[4] = {-0.19f, -0.71f, -1.26f, -1.8f};
constexpr float POINTER1_LINES[3] = {-2.39f, -2.83f, -3.28f};
constexpr float POINTER2_LINES[3] = {-3.83f, -4.26f, -4.71f};
constexpr double DISTANCE_LIMIT_NM = 9999.9;
constexpr float LEGEND_X = -1.0f, LEGEND1_Y = -1.06f, LEGEND2_Y = -1.197f, LEGEND_SCALE = 0.09f;

int nudged(double v) { return static_cast<int>(v >= 0 ? v + 0.1 : v - 0.1); }

void at_line(float y, float scale) {
  pfd_place(READOUT_X, y, READOUT_DEPTH);
  glScalef(scale, scale, 1);
}

void distance_line(float y, float scale, double nm) {
  at_line(y, scale);
  print(PFD_FONT, ALIGN_LEFT, "%3.1fNM", clamp_readout(nm, 0.0, DISTANCE_LIMIT_NM));
}

void legend(float y, const char* text, bool diamond_symbol) {
  pfd_place(LEGEND_X, y, 5);
  glScalef(LEGEND_SCALE, LEGEND_SCALE, 1);
  print(PFD_FONT, ALIGN_LEFT, "%s", text);
  pfd_place(LEGEND_X - 0.02f, y + 0.03f, 5);
  if (diamond_symbol) {
    pfd_diamond(0, 0, 0.014f);
  } else {
    pfd_circle_outline(0, 0, 0.012f, 12);
  }
}

void pointer_readout(int index, const BearingPointer& p) {
  const PfdDerived& v = g_pfd.value;
  const float* lines = index == 1 ? POINTER1_LINES : POINTER2_LINES;
  const Rgb colour = index == 1 ? PFD_CYAN : PFD_GREY;
  const bool vor = p.kind == POINTER_VOR;
  if (!vor && p.kind != POINTER_ADF) return;
  pfd_set_colour(colour);
  at_line(lines[0], POINTER_SCALE);
  if (vor) {
    const bool ils = index == 1 ? v.nav1_localiser : v.nav2_localiser;
    print(PFD_FONT, ALIGN_LEFT, "%s", index == 1 ? (ils ? "ILS1" : "VOR1") : (ils ? "ILS2" : "VOR2"));
    at_line(lines[1], POINTER_SCALE);
    print(PFD_FONT, ALIGN_LEFT, "%s", index == 1 ? v.vor1_ident : v.vor2_ident);
    const bool dme = index == 1 ? v.nav1_dme : v.nav2_dme;
    const uint16_t tenths = index == 1 ? g_pfd.raw.dme1_distance : g_pfd.raw.dme2_distance;
    if (dme) distance_line(lines[2], POINTER_SCALE, tenths / 10.0);
  } else {
    print(PFD_FONT, ALIGN_LEFT, "%s", index == 1 ? "ADF1" : "ADF2");
    at_line(lines[1], POINTER_SCALE);
    print(PFD_FONT, ALIGN_LEFT, "%s", v.adf_ident);
  }
  pfd_set_colour(colour);
  legend(index == 1 ? LEGEND1_Y : LEGEND2_Y, index == 1 ? (vor ? "VOR1" : "ADF1") : (vor ? "VOR2" : "ADF2"),
         index == 2 && vor);
}
}  // namespace

void draw_course_readout_digits(int course) {
  char digits[8];
  format_three_digits(digits, sizeof digits, course);
  at_line(SOURCE_LINES[0], SOURCE_SCALE);
  print(PFD_FONT, ALIGN_LEFT, "%s", digits);
  glTranslatef(CRS_GAP, 0, 0);  // the glyphs leave the point at the text's end
  glScalef(CRS_SCALE, CRS_SCALE, 1);
  print(PFD_FONT, ALIGN_LEFT, "CRS");
}

void draw_navigation_readouts() {
  const PfdDerived& v = g_pfd.value;
  if (v.course_source == COURSE_SOURCE_FMS) {
    pfd_set_colour(PFD_YELLOW);
    at_line(SOURCE_LINES[0], SOURCE_SCALE);
    print(PFD_FONT, ALIGN_LEFT, "%d DTK", nudged(clamp_readout(v.gps_desired_track, 0.0, 360.0)));
    at_line(SOURCE_LINES[1], SOURCE_SCALE);
    print(PFD_FONT, ALIGN_LEFT, "FMS");
    pfd_set_colour(PFD_MAGENTA);
    at_line(SOURCE_LINES[2], SOURCE_SCALE);
    print(PFD_FONT, ALIGN_LEFT, "%s", v.gps_waypoint);
    pfd_set_colour(PFD_YELLOW);
    distance_line(SOURCE_LINES[3], SOURCE_SCALE, v.gps_distance);
    return;
  }
  const bool nav1 = v.course_source == COURSE_SOURCE_NAV1;
  pfd_set_colour(PFD_V2_GREEN);
  draw_course_readout_digits(nav1 ? g_pfd.raw.nav1_course : g_pfd.raw.nav2_course);
  at_line(SOURCE_LINES[1], SOURCE_SCALE);
  print(PFD_FONT, ALIGN_LEFT, "%s", nav1 ? "VOR1" : "VOR2");
  at_line(SOURCE_LINES[2], SOURCE_SCALE);
  print(PFD_FONT, ALIGN_LEFT, "%s", nav1 ? v.vor1_ident : v.vor2_ident);
  if (nav1 ? v.nav1_dme : v.nav2_dme) {
    distance_line(SOURCE_LINES[3], SOURCE_SCALE, (nav1 ? g_pfd.raw.dme1_distance : g_pfd.raw.dme2_distance) / 10.0);
  }
}

void draw_bearing_readouts(bool arc) {
  pointer_readout(1, bearing_pointer(1, g_pfd.raw.bearing1_source, g_pfd.value, arc));
  pointer_readout(2, bearing_pointer(2, g_pfd.raw.bearing2_source, g_pfd.value, arc));
}

void draw_heading_bug_readout() {
  char digits[8];
  format_three_digits(digits, sizeof digits, g_pfd.value.heading_bug);
  pfd_set_colour(PFD_MAGENTA);
  pfd_place(0.61f, -0.15f, 5);
  glScalef(0.12f, 0.12f, 1);
  print(PFD_FONT, ALIGN_CENTRED, "%s", digits);
  pfd_place(0.61f, -0.15f + 0.14f, 5);
  glScalef(0.12f, 0.12f, 1);
  print(PFD_FONT, ALIGN_CENTRED, "HDG");
}

void draw_wind() {
  pfd_place(-5.5f, -5.51f, HEADING_DEPTH);
  glRotatef(static_cast<float>(g_pfd.value.heading - g_pfd.value.wind_direction), 0, 0, 1);
  glScalef(-0.8f, -0.8f, 1);
  pfd_set_colour(PFD_WHITE);
  glLineWidth(2);
  pfd_small_arrow();
  pfd_place(-6.28f, -5.52f, HEADING_DEPTH);
  glScalef(0.6f, 0.6f, 1);
  print(PFD_FONT, ALIGN_RIGHT, "%d", static_cast<int>(g_pfd.raw.wind_speed > 999 ? 999 : g_pfd.raw.wind_speed));
}
