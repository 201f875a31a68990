// The map's symbols: the nearest navaids and airports, and the active plan.
#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>
#include <cstring>

#include "framework/skeleton.h"
#include "mfd/map_draw.h"
#include "mfd/mfd_state.h"
#include "nav/nav_geodesy.h"

namespace {

constexpr float NAVAID_LABEL_X = 1.14f, NAVAID_LABEL_Y = 0.14f, NAVAID_LABEL_SCALE = 0.8f;
constexpr float AIRPORT_LABEL_X = -0.62f, AIRPORT_LABEL_Y = -0.409f, AIRPORT_LABEL_SCALE = 0.479f;
constexpr float WAYPOINT_LABEL_X = 0.38f, WAYPOINT_LABEL_Y = 0.4f, WAYPOINT_LABEL_SCALE = 0.67f;
constexpr int MAX_BEACONS = 4, MAX_VORS = 4;
constexpr float DEG_TO_RAD = 0.017453292519943295f;

void upright(double heading) { glRotatef(static_cast<float>(-90.0 - heading), 0, 0, 1); }

void legend(MapColour c, float y, const char* text) {
  map_colour(c);
  map_place(0.96f, y, 5.0f);
  glScalef(0.1f, 0.1f, 0.1f);
  print(MAP_FONT_BOLD, ALIGN_RIGHT, "%s", text);
}

}  // namespace

GLUquadric* map_quadric() {
  if (GLUquadric* q = skeleton_quadric()) return q;
  // Tests drive the frame without the skeleton: the page keeps its own.
  static GLUquadric* own = gluNewQuadric();
  return own;
}

void map_colour(MapColour c) { glColor3f(c.r, c.g, c.b); }

void map_place(float x, float y, float depth) {
  glLoadIdentity();
  glTranslatef(x, y, -depth);
}

void map_scissor(float left, float bottom, float width, float height) {
  const float w = static_cast<float>(g_mfd.common.x_size), h = static_cast<float>(g_mfd.common.y_size);
  const int cw = static_cast<int>(width * w), ch = static_cast<int>(height * h);
  glEnable(GL_SCISSOR_TEST);
  glScissor(static_cast<int>(left * w), static_cast<int>(bottom * h), cw > 0 ? cw : 0, ch > 0 ? ch : 0);
}

void map_point_offset(double distance_nm, double course_deg, double range_nm, float max_radius, float* x, float* y) {
  float r = static_cast<float>(distance_nm / range_nm * MAP_RANGE_RADIUS);
  if (r > max_radius) r = max_radius;
  const float c = static_cast<float>(course_deg) * DEG_TO_RAD;
  *x = r * std::cos(c);
  *y = r * std::sin(c);
}

void map_place_point(double distance_nm, double course_deg, double heading, double range_nm, float max_radius) {
  float x, y;
  map_point_offset(distance_nm, course_deg, range_nm, max_radius, &x, &y);
  map_place(MAP_CENTRE_X, MAP_CENTRE_Y);
  glRotatef(static_cast<float>(heading + 90.0), 0, 0, 1);
  glTranslatef(x, y, 0);
}

void map_draw_navaids(double heading, double range_nm) {
  const NavMapSelection& s = g_mfd.map.navaids;
  int beacons = 0, vors = 0;
  for (int i = 0; i < s.count; ++i) {
    const NavRecord& r = s.nearest[i];
    if (r.on_plan) continue;
    uint32_t list = 0;
    // Each kind answers to its own layer flag.
    if (r.navaid_type == NAV_TYPE_NDB) {
      if (!g_mfd.show_ndbs || beacons >= MAX_BEACONS) continue;
      ++beacons;
      list = g_mfd.lists.double_ring;
    } else {
      if (!g_mfd.show_vors || vors >= MAX_VORS) continue;
      ++vors;
      list = r.navaid_type == NAV_TYPE_VOR ? g_mfd.lists.hexagon : g_mfd.lists.three_lobe;
    }
    map_place_point(r.distance, r.display_course, heading, range_nm, 1e9f);
    glPushMatrix();
    glCallList(list);
    glPopMatrix();
    upright(heading);
    glTranslatef(NAVAID_LABEL_X, NAVAID_LABEL_Y, 0);
    glScalef(NAVAID_LABEL_SCALE, NAVAID_LABEL_SCALE, 1);
    print(MAP_FONT_BOLD, ALIGN_CENTRED, "%s", r.ident);
  }
  glLineWidth(1.0f);
  legend(MAP_GREEN, 0.25f, "NAV");
}

void map_draw_airports(double heading, double range_nm) {
  const NavMapSelection& s = g_mfd.map.airports;
  for (int i = 0; i < s.count; ++i) {
    const NavRecord& r = s.nearest[i];
    if (!r.runway_ok || r.on_plan) continue;  // a plan loaded since the refresh
    map_place_point(r.distance, r.display_course, heading, range_nm, 1e9f);
    glPushMatrix();
    glCallList(g_mfd.lists.cyan_ring);
    glPopMatrix();
    upright(heading);
    glTranslatef(AIRPORT_LABEL_X, AIRPORT_LABEL_Y, 0);
    glScalef(AIRPORT_LABEL_SCALE, AIRPORT_LABEL_SCALE, 1);
    print(MAP_FONT_BOLD, ALIGN_RIGHT, "%s", r.ident);
  }
  glLineWidth(1.0f);
  legend(MAP_CYAN, 0.36f, "APT");
}

void map_draw_route(double heading, double range_nm) {
  ActivePlan& plan = g_mfd.active_plan;
  const MfdValues& v = g_mfd.value;
  const int n = plan.leg_count < 0 ? 0 : (plan.leg_count > NAV_PLAN_MAX_LEGS ? NAV_PLAN_MAX_LEGS : plan.leg_count);
  for (int i = 0; i < n; ++i) {
    NavPlanLeg& leg = plan.legs[i];
    const double d = nav_distance(v.latitude, v.longitude, leg.latitude, leg.longitude);
    leg.distance = static_cast<float>(d);
    const double course = d >= 1e-5 ? nav_map_course(v.latitude, v.longitude, leg.latitude, leg.longitude, d) : 0.0;
    leg.course = static_cast<float>(course + v.magnetic_variation);
  }
  for (int i = 0; i < n; ++i) {
    const NavPlanLeg& leg = plan.legs[i];
    if (!(leg.distance < range_nm)) continue;
    const bool next = std::strncmp(leg.ident, v.gps_next_waypoint, sizeof leg.ident) == 0;
    map_place_point(leg.distance, leg.course, heading, range_nm, 1e9f);
    map_colour(next ? MAP_MAGENTA : MAP_WHITE);
    glPushMatrix();
    glCallList(g_mfd.lists.four_point_star);
    glPopMatrix();
    upright(heading);
    glTranslatef(WAYPOINT_LABEL_X, WAYPOINT_LABEL_Y, 0);
    glScalef(WAYPOINT_LABEL_SCALE, WAYPOINT_LABEL_SCALE, 1);
    print(MAP_FONT_BOLD, ALIGN_LEFT, "%s", leg.ident);
  }
  map_place(MAP_CENTRE_X, MAP_CENTRE_Y);
  glRotatef(static_cast<float>(heading + 90.0), 0, 0, 1);
  map_colour(MAP_WHITE);
  glLineWidth(1.5f);
  glBegin(GL_LINES);
  for (int i = 1; i < n; ++i) {
    float x0, y0, x1, y1;
    map_point_offset(plan.legs[i - 1].distance, plan.legs[i - 1].course, range_nm, MAP_RANGE_RADIUS, &x0, &y0);
    map_point_offset(plan.legs[i].distance, plan.legs[i].course, range_nm, MAP_RANGE_RADIUS, &x1, &y1);
    glVertex2f(x0, y0);
    glVertex2f(x1, y1);
  }
  glEnd();
  glLineWidth(1.0f);
}
