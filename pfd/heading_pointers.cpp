// The two bearing pointers of the rose and the arc.
#include <GL/gl.h>

#include "framework/text.h"
#include "pfd/heading_draw.h"
#include "pfd/heading_shapes.h"
#include "pfd/pfd_draw_util.h"
#include "pfd/pfd_state.h"

namespace {
constexpr Rgb POINTER2_VOR_ARC = {0.36f, 0.317f, 0.486f};
constexpr float HEAD_RADIUS = 0.229f;

void single_shaft(float head_y) {
  pfd_line(0, -0.859f, 0, -2.57f);
  pfd_line(0, 1.447f, 0, 2.908f);
  pfd_circle_outline(0.0199f, head_y, HEAD_RADIUS, 20);
}

void double_shaft() {
  const float w = 0.25f;
  for (float side : {-w, w}) {
    pfd_line(side, -2.66f, side, -0.93f);
    pfd_line(side, 0.93f, side, 2.66f);
  }
  pfd_diamond(0, 1.6f, w);
}

void arc_shaft(float head_y, bool diamond_head) {
  pfd_line(0, -0.859f, 0, -4.3f);
  pfd_line(0, head_y + 0.23f, 0, 4.5f);
  pfd_line(0, 1.15f, 0, head_y - 0.23f);
  if (diamond_head) {
    pfd_diamond(0, head_y, 0.23f);
  } else {
    pfd_circle_outline(0.0199f, head_y, HEAD_RADIUS, 20);
  }
}
}  // namespace

void draw_bearing_pointer_shape(int index, const BearingPointer& p, bool arc) {
  if (p.kind == POINTER_NONE) return;
  pfd_place(arc ? ARC_X : ROSE_X, arc ? ARC_Y : ROSE_Y, HEADING_DEPTH);
  glRotatef(static_cast<float>(p.rotation), 0, 0, 1);
  glLineWidth(2);
  if (arc) {
    const bool vor2 = index == 2 && p.kind == POINTER_VOR;
    pfd_set_colour(vor2 ? POINTER2_VOR_ARC : PFD_CYAN);
    arc_shaft(vor2 ? 19.32f * 0.2f : 3.25f, vor2);
    return;
  }
  if (index == 1) {
    pfd_set_colour(p.kind == POINTER_FMS ? PFD_MAGENTA : PFD_CYAN);
    single_shaft(1.26f);
    if (p.kind == POINTER_FMS) {
      pfd_place(-1, -1.06f, 5);
      glScalef(0.09f, 0.09f, 1);
      print(PFD_FONT, ALIGN_LEFT, "FMS");
      pfd_place(-1.02f, -1.06f + 0.03f, 5);
      pfd_circle_outline(0, 0, 0.012f, 12);
    }
    return;
  }
  pfd_set_colour(PFD_GREY);
  if (p.kind == POINTER_VOR) {
    double_shaft();
  } else {
    single_shaft(1.26f);
  }
}
