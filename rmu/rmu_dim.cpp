#include "rmu/rmu_dim.h"

#include <GL/gl.h>

#include "framework/text.h"
#include "rmu/rmu_draw.h"

namespace {
constexpr float PANEL_LEFT = -0.19f, PANEL_RIGHT = 0.19f, PANEL_BOTTOM = -0.035f, PANEL_TOP = 0.215f;
constexpr float BAR_LEFT = -0.159f, BAR_BOTTOM = 0.06f, BAR_TOP = 0.1f;
constexpr float BAR_FULL = 0.318f, BAR_PER_LEVEL = 0.0012f, BAR_INSET = 0.004f;
// The dim layer covers the whole display group, wider than any window shows.
constexpr float LAYER_HALF_WIDTH = 0.7164f, LAYER_HALF_HEIGHT = 1.0f;

void draw_dim_page(const RmuState& s) {
  rmu_colour(RMU_BLACK);
  rmu_filled_box(PANEL_LEFT, PANEL_BOTTOM, PANEL_RIGHT, PANEL_TOP);
  glLineWidth(rmu_frame_line_width(s.common.bezel_shown));
  rmu_colour(RMU_MAGENTA);
  rmu_box(PANEL_LEFT, PANEL_BOTTOM, PANEL_RIGHT, PANEL_TOP);
  rmu_text(0.0f, 0.16f, RMU_TEXT_NORMAL, RMU_MAGENTA, ALIGN_CENTRED, "TUNE TO DIM DISPLAY");
  float length = BAR_FULL - BAR_PER_LEVEL * s.dim_level;
  rmu_colour(RMU_WHITE);
  rmu_filled_box(BAR_LEFT, BAR_BOTTOM + BAR_INSET, BAR_LEFT + length, BAR_TOP - BAR_INSET);
  rmu_colour(RMU_GREEN);
  rmu_box(BAR_LEFT, BAR_BOTTOM, BAR_LEFT + BAR_FULL, BAR_TOP);
  rmu_text(0.0f, 0.0f, RMU_TEXT_NORMAL, RMU_YELLOW, ALIGN_CENTRED, "ANY KEY TO RETURN");
}

}  // namespace

void rmu_dim_keys(RmuState* s) {
  RmuInput& in = s->input;
  if (in.pending_bottom_key == RMU_KEY_DIM) {
    in.selected_line = RMU_KEY_NONE;
    s->dim_page_shown = !s->dim_page_shown;
    in.pending_bottom_key = RMU_KEY_NONE;
  }
  if (s->dim_page_shown) {
    if (in.knobs.outer_down) {
      s->dim_level += RMU_DIM_STEP;
      in.knobs.outer_down = false;
    } else if (in.knobs.outer_up) {
      s->dim_level -= RMU_DIM_STEP;
      in.knobs.outer_up = false;
    }
  }
  if (!(s->dim_level >= 0.0f)) s->dim_level = 0.0f;
  if (s->dim_level > RMU_DIM_LEVEL_MAX) s->dim_level = RMU_DIM_LEVEL_MAX;
}

void rmu_dim_draw(const RmuState& s) {
  if (s.dim_page_shown) draw_dim_page(s);
  // A fully transparent layer changes no pixel; skipping it saves a full-screen blend.
  if (s.dim_level <= 0.0f) return;
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glColor4f(0.0f, 0.0f, 0.0f, s.dim_level / RMU_DIM_LEVEL_MAX);
  rmu_filled_box(-LAYER_HALF_WIDTH, -LAYER_HALF_HEIGHT, LAYER_HALF_WIDTH, LAYER_HALF_HEIGHT);
}
