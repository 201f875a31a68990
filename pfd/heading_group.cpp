// The heading group: its display lists and the choice of format.
#include <GL/gl.h>

#include "framework/text.h"
#include "pfd/failure_pictures.h"
#include "pfd/heading_draw.h"
#include "pfd/heading_shapes.h"
#include "pfd/pfd_draw_util.h"
#include "pfd/pfd_groups.h"
#include "pfd/pfd_state.h"

const float PFD_STAR_OUTLINE[2 * PFD_STAR_POINTS] = {0,      0.5f,   0.148f,  0.153f,  0.487f, 0,      0.148f,  -0.153f,
                                                     0,      -0.5f,  -0.148f, -0.153f, -0.487f, 0,     -0.148f, 0.153f};

void heading_lists_init() {
  g_pfd.star_list = glGenLists(2);
  if (g_pfd.star_list == 0) return;
  g_pfd.square_list = g_pfd.star_list + 1;
  glNewList(g_pfd.star_list, GL_COMPILE);
  pfd_line_loop(PFD_STAR_OUTLINE, PFD_STAR_POINTS);
  glEndList();
  glNewList(g_pfd.square_list, GL_COMPILE);
  static const float square[] = {0, 0, 1, 0, 1, 1, 0, 1};
  pfd_fill_polygon(square, 4);
  glEndList();
}

void draw_heading_group() {
  if (!g_pfd.raw.avionics_master) {
    draw_heading_failure();
    return;
  }
  const bool arc = g_pfd.value.arc_compass;
  if (arc) {
    draw_arc_format();
  } else {
    draw_rose_format();
  }
  draw_navigation_readouts();
  draw_bearing_readouts(arc);
  draw_wind();
}
