// The traffic picture below the map arc: frame, range arc, intruders with
// their tags and arrows, the 2 NM marks and the range.
#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>
#include <cstdlib>

#include "mfd/map_draw.h"
#include "mfd/mfd_state.h"

namespace {

constexpr float CENTRE_Y = -4.027f;
constexpr float RANGE_RADIUS = 4.769f;
constexpr int VERTICAL_SPEED_ARROW_FPM = 500;
constexpr float DEG_TO_RAD = 0.017453292519943295f;

void line(float x1, float y1, float x2, float y2) {
  glVertex2f(x1, y1);
  glVertex2f(x2, y2);
}

void label(float x, float y, const char* text) {
  map_place(x, y);
  glScalef(0.6f, 0.6f, 0.6f);
  print(MAP_FONT_NORMAL, ALIGN_LEFT, "%s", text);
}

void intruder(const TrafficSlot& s, double heading, int32_t range, int32_t own_altitude) {
  const float r = static_cast<float>(s.distance / range * RANGE_RADIUS);
  const float c = s.display_course * DEG_TO_RAD;
  map_place(0, CENTRE_Y);
  glRotatef(static_cast<float>(heading + 90.0), 0, 0, 1);
  glTranslatef(r * std::cos(c), r * std::sin(c), 0);
  glScalef(0.2f, 0.2f, 0.2f);
  glRotatef(static_cast<float>(-90.0 - heading), 0, 0, 1);
  if (s.threat_class == TRAFFIC_RESOLUTION) {
    map_colour(MAP_RED);
    glRectf(-0.9f, -0.9f, 0.9f, 0.9f);
  } else if (s.threat_class == TRAFFIC_ADVISORY) {
    map_colour(MAP_YELLOW);
    glLineWidth(4.0f);
    gluDisk(map_quadric(), 0, 0.93, 32, 1);
  } else {
    map_colour(MAP_CYAN);
    glBegin(GL_QUADS);
    glVertex2f(0, 1), glVertex2f(1, 0), glVertex2f(0, -1), glVertex2f(-1, 0);
    glEnd();
  }
  char tag[MAP_TEXT_CAPACITY];
  traffic_tag_text(s.altitude, own_altitude, tag);
  map_colour(MAP_WHITE);
  glTranslatef(0, -2.53f, 0);
  glScalef(2.199f, 2.199f, 2.199f);
  print(MAP_FONT_NORMAL, ALIGN_CENTRED, "%s", tag);
  if (std::abs(static_cast<int>(s.vertical_speed)) < VERTICAL_SPEED_ARROW_FPM) return;
  glTranslatef(0.2f, 0.18f, 0);
  glLineWidth(2.0f);
  glBegin(GL_LINES);
  line(0, 0.409f, 0, 1.39f);
  if (s.vertical_speed < 0) {
    line(0.06f, 0.439f, 0.32f, 0.869f);
    line(-0.06f, 0.439f, -0.32f, 0.869f);
  } else {
    line(0.06f, 1.33f, 0.32f, 0.901f);
    line(-0.06f, 1.33f, -0.32f, 0.901f);
  }
  glEnd();
}

}  // namespace

void map_draw_traffic(double heading) {
  const MapTraffic& t = g_mfd.traffic;
  const int32_t own_altitude = g_mfd.raw.indicated_altitude;
  map_colour(MAP_BLACK);
  map_place(-6.84f, -5.77f);
  glScalef(13.69f, 4.54f, 1);
  glCallList(g_mfd.lists.unit_square);

  map_colour(MAP_WHITE);
  glLineWidth(2.0f);
  map_place(0, 0);
  glBegin(GL_LINES);
  line(-6.85f, -1.6f, -5.11f, -1.6f);
  line(5.15f, -1.6f, 6.84f, -1.6f);
  glEnd();
  label(-4.89f, 0.829f, "TCAS");
  label(-4.89f, -0.22f, "FL");
  if (t.band == TRAFFIC_BAND_ABOVE) label(-4.89f, 0.28f, "ABV");
  if (t.band == TRAFFIC_BAND_BELOW) label(-4.89f, 0.28f, "BLW");

  map_scissor(0.189f, 0.2689f, 0.619f, 0.29f);
  map_colour(MAP_WHITE);
  glLineWidth(2.0f);
  map_place(0, 0);
  glBegin(GL_LINES);
  line(5.149f, 1.378f, -5.149f, 1.378f);
  line(-5.149f, 1.378f, -5.149f, -5.819f);
  line(5.149f, 1.378f, 5.149f, -5.819f);
  glEnd();
  map_place(0, CENTRE_Y);
  gluPartialDisk(map_quadric(), RANGE_RADIUS, 4.869, 32, 1, -60.0, 120.0);

  const int32_t range = t.range < TRAFFIC_RANGE_MIN ? TRAFFIC_RANGE_MIN : t.range;
  for (const TrafficSlot& s : t.slot) {
    if (s.indicator == 0 || s.latitude == 0.0f || !(s.distance <= range)) continue;
    if (!traffic_visible(t.band, own_altitude - static_cast<double>(s.altitude))) continue;
    intruder(s, heading, range, own_altitude);
  }

  map_colour(MAP_WHITE);
  glLineWidth(1.0f);
  map_place(0, CENTRE_Y);
  glScalef(0.29f, 0.29f, 0.29f);
  glCallList(g_mfd.lists.own_aircraft);
  if (range < 20) {
    const float mark = 2.0f / static_cast<float>(range);
    for (int i = 0; i < 12; ++i) {
      glLineWidth(1.0f);
      map_colour(MAP_WHITE);
      map_place(0, CENTRE_Y);
      glRotatef(30.0f * static_cast<float>(i), 0, 0, 1);
      glTranslatef(0, mark * RANGE_RADIUS, 0);
      glScalef(mark, mark, 1);
      gluDisk(map_quadric(), 0.24, 0.359, 32, 1);
    }
  }
  map_colour(MAP_WHITE);
  map_place(4.39f, -2.199f);
  glScalef(0.499f, 0.499f, 0.499f);
  print(MAP_FONT_NORMAL, ALIGN_CENTRED, "%d", static_cast<int>(range));
  glDisable(GL_SCISSOR_TEST);

  map_colour(MAP_WHITE);
  glLineWidth(2.0f);
  map_place(0.419f, -3.409f);
  glBegin(GL_LINE_STRIP);
  const float box[][2] = {{-0.839f, -4.109f}, {0.839f, -4.109f}, {0.839f, -3.4199f}, {-0.839f, -3.4199f}, {-0.839f, -4.109f}};
  for (const auto& p : box) glVertex2f(p[0], p[1]);
  glEnd();
  glLineWidth(1.0f);
}
