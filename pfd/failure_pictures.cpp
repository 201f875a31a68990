// What the altitude, vertical speed and heading groups show while the
// avionics master is off.
#include <GL/gl.h>

#include "framework/text.h"
#include "pfd/altitude_format.h"
#include "pfd/failure_pictures.h"
#include "pfd/heading_draw.h"
#include "pfd/heading_shapes.h"
#include "pfd/pfd_draw_util.h"
#include "pfd/pfd_state.h"

namespace {
constexpr Rgb FAILED_TAPE_GREY = {0.5f, 0.5f, 0.5f};
}

void draw_altitude_failure() {
  pfd_clip_box(0.7329f, 0.547f, 0.1438f, 0.327f);
  pfd_place(1.145f, 0.315f, 8.199f);
  pfd_set_colour(FAILED_TAPE_GREY);
  pfd_filled_rect(0, 0, 0.676f, 2.218f);
  pfd_no_clip();
  pfd_place(0, 0, 7.7f);
  pfd_set_colour(PFD_WHITE);
  glLineWidth(3);
  pfd_line(1.085f, 0.14f, 1.085f, 0.14f + 2.237f);
  draw_altitude_readout_box();
  pfd_place(SELECTED_READOUT_X, SELECTED_READOUT_Y, SELECTED_READOUT_DEPTH);
  pfd_set_colour(PFD_AMBER);
  print(PFD_FONT, ALIGN_RIGHT, "---_ _");
  pfd_place(1, 0.1f, 5);
  glScalef(0.11f, 0.11f, 1);
  glPushMatrix();
  print(PFD_FONT, ALIGN_RIGHT, "-- . -- ");
  glPopMatrix();
  glTranslatef(glyph_advance(' '), 0, 0);
  pfd_set_colour(PFD_CYAN);
  print(PFD_FONT, ALIGN_LEFT, "IN");
}

void draw_vertical_speed_failure() {
  pfd_set_colour(PFD_RED);
  pfd_place(0.93f, -0.639f, 5);
  glScalef(0.109f, 0.109f, 1);
  print(PFD_FONT, ALIGN_CENTRED, "V");
  pfd_place(0.93f, -0.639f - 0.12f, 5);
  glScalef(0.109f, 0.109f, 1);
  print(PFD_FONT, ALIGN_CENTRED, "S");
}

void draw_heading_failure() {
  draw_rose_card(0.0);
  pfd_place(ROSE_X, ROSE_Y, HEADING_DEPTH);
  glScalef(0.3569f, 0.3569f, 1);
  pfd_aircraft_symbol();
  pfd_place(ROSE_X, -3.789f, HEADING_DEPTH);
  draw_deviation_circles();
  pfd_set_colour(PFD_RED);
  pfd_place(ROSE_X, ROSE_Y + 0.9f, HEADING_DEPTH);
  glScalef(0.8f, 0.8f, 1);
  print(PFD_FONT, ALIGN_CENTRED, "HDG");
  pfd_place(ROSE_X, ROSE_Y - 1.4f, HEADING_DEPTH);
  glScalef(0.8f, 0.8f, 1);
  print(PFD_FONT, ALIGN_CENTRED, "FAIL");
  // Heading bug readout: "HDG" over amber dashes.
  pfd_set_colour(PFD_AMBER);
  pfd_place(0.61f, -0.15f, 5);
  glScalef(0.12f, 0.12f, 1);
  print(PFD_FONT, ALIGN_CENTRED, "---");
  pfd_set_colour(PFD_MAGENTA);
  pfd_place(0.61f, -0.15f + 0.14f, 5);
  glScalef(0.12f, 0.12f, 1);
  print(PFD_FONT, ALIGN_CENTRED, "HDG");
  // Course readout: amber dashes, then a green "CRS".
  pfd_set_colour(PFD_AMBER);
  pfd_place(-6.57f, -0.19f, HEADING_DEPTH);
  glScalef(0.65f, 0.65f, 1);
  print(PFD_FONT, ALIGN_LEFT, "---");
  glTranslatef(0.2f, 0, 0);  // the glyphs leave the point at the text's end
  glScalef(0.749f, 0.749f, 1);
  pfd_set_colour(PFD_V2_GREEN);
  print(PFD_FONT, ALIGN_LEFT, "CRS");
}
