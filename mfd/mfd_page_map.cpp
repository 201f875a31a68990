// The map page: the heading-up arc map of the MFD display. Link reads are
// done by the frame before it (mfd_exchange_map, mfd_traffic_step); the page
// refreshes its in-range lists on the four-frame cycle and draws.
#include <GL/gl.h>
#include <GL/glu.h>

#include <cstdio>

#include "mfd/map_draw.h"
#include "mfd/map_logic.h"
#include "mfd/mfd_page_parts.h"
#include "mfd/mfd_state.h"
#include "simlink/cells.h"

namespace {

constexpr int NAVAID_REFRESH_FRAME = 0, AIRPORT_REFRESH_FRAME = 3, REFRESH_CYCLE = 4;
// The window fractions of the map's clip, as single-precision constants.
constexpr float CLIP_LEFT = 0.15289999544620514f, CLIP_WIDTH = 0.695900022983551f;
constexpr float CLIP_BOTTOM = 0.456f, CLIP_HEIGHT = 0.409f;
constexpr float CLIP_BOTTOM_SMALL = 0.556f, CLIP_HEIGHT_SMALL = 0.3249f;
constexpr float ROSE_Y = 2.28f;

NavMapOrigin origin(double range_nm) {
  const MfdValues& v = g_mfd.value;
  return {v.latitude, v.longitude, v.magnetic_variation, range_nm};
}

void refresh_lists(double range_nm) {
  MapWork& m = g_mfd.map;
  if ((g_mfd.show_vors || g_mfd.show_ndbs) && m.frame_counter == NAVAID_REFRESH_FRAME && !g_mfd.nav.navaids.empty())
    nav_map_select(g_mfd.nav.navaids, &m.navaid_index, origin(range_nm), NAV_FILTER_ALL, &m.navaids);
  // Airports: the runway and plan filters come before the cut to the nearest.
  if (g_mfd.show_airports && m.frame_counter == AIRPORT_REFRESH_FRAME && !g_mfd.nav.airports.empty())
    nav_map_select(g_mfd.nav.airports, &m.airport_index, origin(range_nm), NAV_FILTER_DRAWABLE_AIRPORT, &m.airports);
}

void text_at(float x, float y, float scale, int slot, int alignment, MapColour c, const char* text) {
  map_colour(c);
  map_place(x, y);
  glScalef(scale, scale, scale);
  print(slot, alignment, "%s", text);
}

void partial_ring(float y, float inner, float outer, int slices, float start, float sweep) {
  map_place(0, y);
  gluPartialDisk(map_quadric(), inner, outer, slices, 1, start, sweep);
}

void draw_rings_and_labels(double range_nm) {
  map_colour(MAP_WHITE);
  partial_ring(2.34f, 6.61f, 6.71f, 30, -65.0f, 130.0f);
  partial_ring(2.34f, 3.305f, 3.405f, 30, -90.0f, 180.0f);
  map_place(6.03f, 3.57f, 55.0f);
  print(MAP_FONT_NORMAL, ALIGN_CENTRED, "%3.1f", range_nm / 2.0);
  glTranslatef(-12.72f, 0, 0);
  print(MAP_FONT_NORMAL, ALIGN_CENTRED, "%3.1f", range_nm / 2.0);
}

void data_row(float y, const char* label, float gap, bool shown, int value) {
  text_at(6.259f, y, 0.6f, MAP_FONT_NORMAL, ALIGN_RIGHT, MAP_CYAN, label);
  glTranslatef(gap, 0, 0);
  map_colour(shown ? MAP_WHITE : MAP_AMBER);
  if (shown) print(MAP_FONT_NORMAL, ALIGN_RIGHT, "%d", value);
  else print(MAP_FONT_NORMAL, ALIGN_RIGHT, "----");
}

void draw_data_block(bool avionics) {
  const MfdValues& v = g_mfd.value;
  data_row(9.489f, "TAS", -2.6f, avionics, v.true_airspeed);
  data_row(8.89f, "SAT", -2.6f, avionics, static_cast<int>(v.air_temperature));
  data_row(8.3f, "GSPD", -2.54f, avionics, static_cast<int>(v.ground_speed));
}

void draw_heading_readout_and_box(double heading, bool avionics) {
  char text[MAP_TEXT_CAPACITY];
  map_heading_text(heading, text);
  text_at(0, 9.549f, 0.75f, MAP_FONT_NORMAL, ALIGN_CENTRED, avionics ? MAP_WHITE : MAP_AMBER, avionics ? text : "---");
  map_colour(MAP_WHITE);
  glLineWidth(2.0f);
  map_place(0, 0);
  glBegin(GL_LINE_STRIP);
  const float box[][2] = {{-0.689f, 10.12f}, {-0.689f, 9.439f}, {-0.369f, 9.439f}, {0, 9.0f},
                          {0.369f, 9.439f},  {0.689f, 9.439f},  {0.689f, 10.12f}};
  for (const auto& p : box) glVertex2f(p[0], p[1]);
  glEnd();
}

void draw_heading_bug(double heading) {
  const double bug = g_mfd.value.heading_bug;
  const MapBugPlace place = map_bug_place(bug, heading);
  if (place != MAP_BUG_ON_ARC) {
    glLoadIdentity();  // the arrows place themselves
    glCallList(place == MAP_BUG_RIGHT_ARROW ? g_mfd.lists.right_arrow : g_mfd.lists.left_arrow);
    return;
  }
  map_colour(MAP_MAGENTA);
  glLineWidth(2.0f);
  map_place(0, ROSE_Y);
  glRotatef(static_cast<float>(-bug + heading + 90.0), 0, 0, 1);
  glScalef(0.909f, 1.09f, 1);
  glTranslatef(7.389f, -0.529f, 0);
  glBegin(GL_LINE_STRIP);
  const float strip[][2] = {{0, 0}, {0.484f, 0}, {0.484f, 0.182f}, {0, 0.5f}, {0.484f, 0.818f}, {0.484f, 1}, {0, 1}, {0, 0}};
  for (const auto& p : strip) glVertex2f(p[0], p[1]);
  glEnd();
}

void draw_wind(double heading, bool avionics, bool battery) {
  const MfdValues& v = g_mfd.value;
  if (avionics) {
    map_colour(MAP_WHITE);
    glLineWidth(2.0f);
    map_place(-5.42f, 3.32f);
    glRotatef(static_cast<float>(heading - v.wind_direction), 0, 0, 1);
    glScalef(-0.8f, -0.8f, -0.8f);
    glBegin(GL_LINES);
    glVertex2f(0, -0.4f), glVertex2f(0, 0.4f);
    glVertex2f(0, 0.4f), glVertex2f(0.18f, 0.25f);
    glVertex2f(0, 0.4f), glVertex2f(-0.18f, 0.25f);
    glEnd();
  }
  map_place(-6.02f, 3.2f);
  glScalef(0.499f, 0.499f, 0.499f);
  if (avionics && battery) {
    map_colour(MAP_WHITE);
    print(MAP_FONT_NORMAL, ALIGN_RIGHT, "%d", static_cast<int>(v.wind_speed));
  } else if (battery) {
    map_colour(MAP_AMBER);
    print(MAP_FONT_NORMAL, ALIGN_RIGHT, "- - -");
  }
}

void draw_next_waypoint() {
  const MfdValues& v = g_mfd.value;
  const MfdRaw& r = g_mfd.raw;
  char line[MAP_TEXT_CAPACITY * 2];
  text_at(-6.6f, 9.18f, 0.55f, MAP_FONT_BOLD, ALIGN_LEFT, MAP_YELLOW, "FMS");
  text_at(-6.6f, 8.74f, 0.55f, MAP_FONT_BOLD, ALIGN_LEFT, MAP_MAGENTA, v.gps_next_waypoint);
  std::snprintf(line, sizeof line, "%3.1f NM", v.gps_distance_nm);
  text_at(-6.6f, 8.31f, 0.55f, MAP_FONT_BOLD, ALIGN_LEFT, MAP_YELLOW, line);
  std::snprintf(line, sizeof line, "%d MIN",
                static_cast<int>(map_minutes_to_go(r.gps_arrival_time, r.clock_hour, r.clock_minute, r.clock_second)));
  text_at(-6.6f, 7.85f, 0.55f, MAP_FONT_BOLD, ALIGN_LEFT, MAP_YELLOW, line);
}

}  // namespace

void mfd_map_page_draw() {
  const bool avionics = g_mfd.power.avionics_on != 0, battery = g_mfd.power.battery_on != 0;
  const double range_nm = map_range_nm(g_mfd.map_range_index);
  const double heading = avionics ? g_mfd.value.magnetic_heading : 0.0;

  if (g_mfd.traffic.drawn) map_draw_traffic(heading);
  const bool small = g_mfd.traffic.display_active;
  map_scissor(CLIP_LEFT, small ? CLIP_BOTTOM_SMALL : CLIP_BOTTOM, CLIP_WIDTH, small ? CLIP_HEIGHT_SMALL : CLIP_HEIGHT);

  map_place(0, ROSE_Y);
  glScalef(0.8f, 0.8f, 0.8f);
  glRotatef(static_cast<float>(heading), 0, 0, 1);
  glLineWidth(2.0f);
  map_colour(MAP_WHITE);
  glCallList(g_mfd.lists.compass_rose);

  if (avionics && battery) {
    refresh_lists(range_nm);
    if (g_mfd.show_vors || g_mfd.show_ndbs) map_draw_navaids(heading, range_nm);
    if (g_mfd.show_airports) map_draw_airports(heading, range_nm);
    if (g_mfd.show_plan && g_mfd.active_plan.loaded) map_draw_route(heading, range_nm);
  }
  g_mfd.map.frame_counter = (g_mfd.map.frame_counter + 1) % REFRESH_CYCLE;

  draw_rings_and_labels(range_nm);
  map_colour(MAP_WHITE);
  glLineWidth(1.0f);
  map_place(MAP_CENTRE_X, MAP_CENTRE_Y);
  glScalef(0.75f, 0.75f, 0.75f);
  glCallList(g_mfd.lists.own_aircraft);
  glDisable(GL_SCISSOR_TEST);

  draw_data_block(avionics);
  if (g_mfd.raw.alert_cell & (ALERT_MASTER_CAUTION | ALERT_MASTER_WARNING)) {
    map_colour(MAP_YELLOW);
    map_place(-0.679f, 1.59f, 5.0f);
    glScalef(0.11f, 0.11f, 0.11f);
    print(MAP_FONT_BOLD, ALIGN_LEFT, "CHECK EICAS");
  }
  draw_heading_readout_and_box(heading, avionics);
  // With the avionics off no symbol is drawn: no bug arrows, wind arrow or FMS block.
  if (avionics) draw_heading_bug(heading);
  draw_wind(heading, avionics, battery);
  if (avionics && g_mfd.map.navigation_source != 0) draw_next_waypoint();
  glLineWidth(1.0f);
}
