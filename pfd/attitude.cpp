#include "pfd/attitude.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "framework/text.h"
#include "pfd/pfd_draw_util.h"
#include "pfd/pfd_groups.h"
#include "pfd/pfd_state.h"

static const Rgb SKY = {0.0078f, 0.521f, 0.835f};
static const Rgb GROUND = {0.662f, 0.478f, 0.4f};
static const Rgb FD_FILL = {0.914f, 0.4648f, 0.6172f};
static const Rgb FD_OUTLINE = {0.882f, 0.0f, 0.482f};
static const float ATTITUDE_DEPTH = 5.0f;
static const float SPHERE_Y = 0.86f;
static const float LADDER_Y = 0.857f;
static const float CHEVRON_Y = 0.8699f;
static const float RADIO_ALTITUDE_TEXT_SCALE = 0.14f;
static const float RADIO_ALTITUDE_TEXT_ROOM = 0.24f;  // inside the 0.278-wide frame, clear of its lines

ClipFractions ladder_clip(float radio_altitude) {
  bool readout = radio_altitude <= RADIO_ALTITUDE_SHOWN_MAX;
  return {0.3199f, readout ? 0.6139f : 0.5939f, 0.3589f, readout ? 0.209f : 0.229f};
}

int excessive_pitch_chevrons(double pitch) {
  if (pitch > EXCESSIVE_PITCH) return 2;
  if (pitch < -EXCESSIVE_PITCH) return -3;
  return 0;
}

double drawn_fd_bank(double fd_bank) { return std::fabs(fd_bank) > 90.0 ? 0.0 : fd_bank; }

static float clamped_pitch() {
  double p = g_pfd.value.pitch;
  if (p > PITCH_LIMIT) p = PITCH_LIMIT;
  if (p < -PITCH_LIMIT) p = -PITCH_LIMIT;
  return static_cast<float>(p);
}

static void sphere(bool live) {
  pfd_clip_box(0.253f, 0.5569f, 0.4659f, 0.3149f);
  pfd_place(0, SPHERE_Y, ATTITUDE_DEPTH);
  if (live) {
    glRotatef(static_cast<float>(g_pfd.value.bank), 0, 0, 1);
    glTranslatef(0, clamped_pitch() * SPHERE_SHIFT_PER_DEGREE, 0);
  }
  const float sky[] = {-1.51f, 0, 1.51f, 0, 1.51f, 2.7f, -1.51f, 2.7f};
  const float ground[] = {-1.51f, -2.7f, 1.51f, -2.7f, 1.51f, 0, -1.51f, 0};
  pfd_set_colour(SKY);
  pfd_fill_polygon(sky, 4);
  pfd_set_colour(live ? GROUND : SKY);
  pfd_fill_polygon(ground, 4);
}

static void ladder_label(float x_right, float y, int degrees) {
  const float scale = 0.10199f;
  char text[16];
  std::snprintf(text, sizeof text, "%d", degrees);
  // Right label: its last character starts at x_right; the left one mirrors it.
  float last = glyph_advance(static_cast<unsigned char>(text[std::strlen(text) - 1])) * scale;
  glPushMatrix();
  glTranslatef(x_right, y - 0.037f, 0);
  glScalef(scale, scale, scale);
  print(PFD_FONT, ALIGN_RIGHT, "%s", text);
  glPopMatrix();
  glPushMatrix();
  glTranslatef(-(x_right + last), y - 0.037f, 0);
  glScalef(scale, scale, scale);
  print(PFD_FONT, ALIGN_LEFT, "%s", text);
  glPopMatrix();
}

static void pitch_ladder() {
  static const int steps[] = {0, 1, 2, 3, 4, 5, 6, 8, 12, 18};
  ClipFractions c = ladder_clip(g_pfd.value.radio_altitude);
  pfd_clip_box(c.left, c.bottom, c.width, c.height);
  pfd_place(0, LADDER_Y, ATTITUDE_DEPTH);
  glRotatef(static_cast<float>(g_pfd.value.bank), 0, 0, 1);
  glTranslatef(0, clamped_pitch() * SPHERE_SHIFT_PER_DEGREE, 0);
  pfd_set_colour(PFD_WHITE);
  glLineWidth(2);
  for (int direction = 1; direction >= -1; direction -= 2) {
    for (int step : steps) {
      float y = direction * step * LADDER_STEP;
      float half = (step % 2) ? 0.058f : 0.116f;
      if (step == 0 && direction == 1) half = 1.0f;  // the horizon line
      pfd_line(-half, y, half, y);
      if (step != 0 && step % 2 == 0) ladder_label(-0.17689f, y, step * 5);
    }
  }
}

static void chevron(float y, float scale, bool mirrored) {
  static const float loop[] = {-0.497f, 0.835f, -0.4049f, 0.835f, 0.002f, 0.155f,
                               0.409f, 0.835f, 0.502f, 0.835f, 0.002f, 0.0f};
  glPushMatrix();
  glTranslatef(0, y, 0);
  glScalef(scale, mirrored ? -scale : scale, 1);
  pfd_line_loop(loop, 6);
  glPopMatrix();
}

static void chevrons() {
  int count = excessive_pitch_chevrons(g_pfd.value.pitch);
  if (!count) return;
  float offset = clamped_pitch() * SPHERE_SHIFT_PER_DEGREE;
  pfd_clip_box(0.253f, 0.5569f, 0.4659f, 0.3149f);
  pfd_place(0, CHEVRON_Y, ATTITUDE_DEPTH);
  glRotatef(static_cast<float>(g_pfd.value.bank), 0, 0, 1);
  pfd_set_colour(PFD_RED);
  glLineWidth(3);
  if (count > 0) {
    chevron(offset + 1.33f, 0.564f, false);
    chevron(offset + 0.92f, 0.284f, false);
  } else {
    chevron(offset - 1.38f, 0.564f, true);
    chevron(offset - 0.95f, 0.284f, true);
    chevron(offset - 0.689f, 0.1989f, true);
  }
}

static void radio_altitude_box(Rgb text_colour, bool live) {
  pfd_clip_box(0.4489f, -0.024f, 0.105f, 0.6459f);
  pfd_place(0, 0, ATTITUDE_DEPTH);
  pfd_set_colour(PFD_WHITE);
  glLineWidth(2);
  const float box[] = {-0.137f, 0.311f, 0.141f, 0.311f, 0.141f, 0.4469f, -0.137f, 0.4469f};
  pfd_line_loop(box, 4);
  glTranslatef(0.01f, 0.33f, 0);
  pfd_set_colour(text_colour);
  char text[8] = "RA";
  if (live) {
    float ra = g_pfd.value.radio_altitude;
    ra = ra < 0 ? 0 : (ra > RADIO_ALTITUDE_SHOWN_MAX ? RADIO_ALTITUDE_SHOWN_MAX : ra);
    std::snprintf(text, sizeof text, "%d", static_cast<int>(ra));
  }
  // Four digits at the readout's size are wider than the box: narrower
  // texts keep the size, wider ones shrink to the room inside the frame.
  float scale = RADIO_ALTITUDE_TEXT_SCALE;
  const float width = text_width(text) * scale;
  if (width > RADIO_ALTITUDE_TEXT_ROOM) scale *= RADIO_ALTITUDE_TEXT_ROOM / width;
  glScalef(scale, scale, scale);
  print(PFD_FONT, ALIGN_CENTRED, "%s", text);
}

static void pfd_aircraft_symbol() {
  pfd_no_clip();
  pfd_place(-0.302f, 0.7559f, ATTITUDE_DEPTH);
  glScalef(0.5999f, 0.5999f, 0.5999f);
  static const float left_wing[] = {0, 0, 0.329f, 0.107f, 0.329f, 0};
  static const float right_wing[] = {1, 0, 0.677f, 0.107f, 0.677f, 0};
  static const float centre[] = {0.329f, 0.034f, 0.329f, 0.107f, 0.503f, 0.164f, 0.677f, 0.107f, 0.677f, 0.034f};
  static const float outline[] = {0, 0, 0.503f, 0.164f, 1, 0, 0.677f, 0, 0.677f, 0.034f, 0.329f, 0.034f, 0.329f, 0};
  static const float triangle[] = {0, 0, 0.503f, 0.107f, 1, 0};
  pfd_set_colour(PFD_BLACK);
  pfd_fill_polygon(left_wing, 3);
  pfd_fill_polygon(right_wing, 3);
  pfd_fill_polygon(centre, 5);
  pfd_set_colour(PFD_YELLOW);
  glLineWidth(2);
  pfd_line_loop(outline, 7);
  pfd_line_loop(triangle, 3);
  pfd_line(0.503f, 0.164f, 0.503f, 0.107f);
}

static void wing_bars() {
  for (int s = -1; s <= 1; s += 2) {
    pfd_place(s * 0.265f, 0.4229f, ATTITUDE_DEPTH);
    pfd_set_colour(PFD_YELLOW);
    glLineWidth(7);
    pfd_line(s * 0.265f, 0.4229f, s * 0.167f, 0.4229f);
    pfd_set_colour(PFD_BLACK);
    glLineWidth(3);
    pfd_line(s * 0.245f, 0.4229f, s * 0.179f, 0.4229f);
  }
}

static void sky_pointer() {
  pfd_place(0, LADDER_Y, ATTITUDE_DEPTH);
  glRotatef(static_cast<float>(g_pfd.value.bank), 0, 0, 1);
  glTranslatef(0, 0.5899f, 0);
  pfd_set_colour(PFD_WHITE);
  static const float triangle[] = {0, 0, -0.0559f, -0.089f, 0.0559f, -0.089f};
  pfd_fill_polygon(triangle, 3);
}

static void flight_director() {
  if (!g_pfd.raw.fd_active) return;
  float fd_pitch = static_cast<float>(g_pfd.value.fd_pitch);
  pfd_place(0, SPHERE_Y, ATTITUDE_DEPTH);
  glRotatef(static_cast<float>(g_pfd.value.bank), 0, 0, 1);
  glRotatef(static_cast<float>(drawn_fd_bank(g_pfd.value.fd_bank)), 0, 0, 1);
  glTranslatef(0, clamped_pitch() * SPHERE_SHIFT_PER_DEGREE - fd_pitch * SPHERE_SHIFT_PER_DEGREE, 0);
  glScalef(0.819f, 0.819f, 0.819f);
  glLineWidth(2);
  for (int s = -1; s <= 1; s += 2) {
    const float wing[] = {s * 0.016f, 0, s * 0.5f, -0.075f, s * 0.5f, -0.143f};
    pfd_set_colour(FD_FILL);
    pfd_fill_polygon(wing, 3);
    pfd_set_colour(FD_OUTLINE);
    pfd_line_loop(wing, 3);
    pfd_line(s * 0.5f, -0.075f, s * 0.43f, -0.12f);
  }
}

// Red "ATT" over "FAIL" in a black box between the symbol and the RA box.
static void failure_words() {
  const float scale = 0.199f;
  const char* words[] = {"ATT", "FAIL"};
  const float baselines[] = {0.605f, 0.46f};
  float widest = 0;
  for (const char* w : words) widest = std::max(widest, text_width(w) * scale);
  pfd_no_clip();
  pfd_place(0, 0, ATTITUDE_DEPTH);
  pfd_set_colour(PFD_BLACK);
  const float half = widest / 2 + 0.02f;
  const float box[] = {-half, 0.45f, half, 0.45f, half, 0.752f, -half, 0.752f};
  pfd_fill_polygon(box, 4);
  pfd_set_colour(PFD_RED);
  for (int i = 0; i < 2; ++i) {
    // Right-aligned: the last character starts where the centred word's would.
    float width = text_width(words[i]) * scale;
    float last = glyph_advance(static_cast<unsigned char>(words[i][std::strlen(words[i]) - 1])) * scale;
    pfd_place(width / 2 - last, baselines[i], ATTITUDE_DEPTH);
    glScalef(scale, scale, scale);
    print(PFD_FONT, ALIGN_RIGHT, "%s", words[i]);
  }
}

void draw_attitude_group() {
  if (!g_pfd.raw.battery_master) return;
  glDisable(GL_TEXTURE_2D);
  if (g_pfd.raw.avionics_master) {
    sphere(true);
    pitch_ladder();
    chevrons();
    if (g_pfd.value.radio_altitude <= RADIO_ALTITUDE_SHOWN_MAX) radio_altitude_box(PFD_WHITE, true);
    pfd_aircraft_symbol();
    wing_bars();
    sky_pointer();
    flight_director();
  } else {
    sphere(false);
    pfd_aircraft_symbol();
    wing_bars();
    radio_altitude_box(PFD_AMBER, false);
    failure_words();
  }
  pfd_no_clip();
  glLineWidth(1);
}

void draw_roll_scale() {
  pfd_no_clip();
  pfd_set_colour(PFD_WHITE);
  glLineWidth(2);
  pfd_place(-0.002f, 0.8609f, ATTITUDE_DEPTH);
  const float r = 0.5899f;
  const float arcs[2][2] = {{0.4737f, 2.619f}, {-2.674f, -0.5238f}};
  for (const auto& arc : arcs) {
    glBegin(GL_LINE_STRIP);
    for (float a = arc[0]; a < arc[1]; a += 0.1f) glVertex2f(r * std::cos(a), r * std::sin(a));
    glVertex2f(r * std::cos(arc[1]), r * std::sin(arc[1]));
    glEnd();
  }
  pfd_line(-0.5269f, -0.27f, -0.5269f, 0.271f);
  pfd_line(0.5269f, -0.27f, 0.5269f, 0.271f);

  pfd_place(0, 1.45f, ATTITUDE_DEPTH);
  const float zero_index[] = {0.001f, 0, 0.044f, 0.05789f, -0.044f, 0.05789f};
  pfd_line_loop(zero_index, 3);

  // The 45-degree indices: rotated with the frame, then moved out onto the arc.
  const float small_index[] = {0.001f, 0, 0.0379f, 0.05289f, -0.0379f, 0.05289f};
  for (int s = -1; s <= 1; s += 2) {
    glLoadIdentity();
    glRotatef(s * 45.0f, 0, 0, 1);
    glTranslatef(s * 0.595f, 1.1969f, -ATTITUDE_DEPTH);
    pfd_line_loop(small_index, 3);
  }

  glLineWidth(3);
  pfd_place(0, 0.8499f, ATTITUDE_DEPTH);
  struct Tick { float degrees, inner, outer; };
  static const Tick ticks[] = {{60, 0.5899f, 0.6399f}, {30, 0.5919f, 0.6699f},
                               {20, 0.6f, 0.6399f}, {10, 0.6f, 0.6399f}};
  for (const Tick& t : ticks) {
    for (int s = -1; s <= 1; s += 2) {
      float a = s * t.degrees * 3.14159265f / 180.0f;
      pfd_line(t.inner * std::sin(a), t.inner * std::cos(a), t.outer * std::sin(a), t.outer * std::cos(a));
    }
  }
  glLineWidth(1);
}
