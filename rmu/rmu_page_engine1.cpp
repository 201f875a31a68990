// Engine backup page 1: N1 scales and values, ITT, oil pressure, fuel,
// hydraulics, flaps and spoilers; engine 1 on the left, engine 2 on the right.
#include <GL/gl.h>

#include "framework/text.h"
#include "rmu/rmu_backup_logic.h"
#include "rmu/rmu_draw.h"
#include "rmu/rmu_engine_draw.h"
#include "rmu/rmu_page_parts.h"
#include "rmu/rmu_state.h"

namespace {

constexpr float BAR_BOTTOM = 0.147f, BAR_TOP = 0.310f, CAP_HEIGHT = 0.025f, BAR_HALF_WIDTH = 0.004f;
constexpr float BAR_X[2] = {-0.173f, 0.142f};
constexpr float POINTER_BASE = 0.149f, POINTER_PER_PERCENT = 0.001609f;
constexpr float RULE_Y[2] = {0.031f, -0.138f};

// A white bar with its red cap and a white pointer on its inner side.
void n1_scale(int engine, float n1) {
  float x = BAR_X[engine];
  rmu_colour(RMU_WHITE);
  rmu_filled_box(x - BAR_HALF_WIDTH, BAR_BOTTOM, x + BAR_HALF_WIDTH, BAR_TOP);
  rmu_colour(RMU_RED);
  rmu_filled_box(x - BAR_HALF_WIDTH, BAR_TOP, x + BAR_HALF_WIDTH, BAR_TOP + CAP_HEIGHT);
  float y = POINTER_BASE + POINTER_PER_PERCENT * n1;
  float side = engine == 0 ? 1.0f : -1.0f;  // points at the bar from the page's middle
  float tip = x + side * (BAR_HALF_WIDTH + 0.002f);
  rmu_colour(RMU_WHITE);
  glBegin(GL_TRIANGLES);
  glVertex2f(tip, y);
  glVertex2f(tip + side * 0.016f, y + 0.008f);
  glVertex2f(tip + side * 0.016f, y - 0.008f);
  glEnd();
}

}  // namespace

void rmu_engine1_page_keys() { rmu_engine_more_key(RMU_PAGE_ENGINE_2); }

void rmu_engine1_page_draw() {
  const RmuValues& v = g_rmu.value;
  for (int e = 0; e < 2; ++e) n1_scale(e, v.n1[e]);
  rmu_text(0.0f, 0.252f, RMU_TEXT_NORMAL, RMU_CYAN, ALIGN_CENTRED, "N1");
  rmu_text(-0.138f, 0.272f, RMU_TEXT_NORMAL, rmu_value_colour(RMU_GAUGE_N1, v.n1[0]), ALIGN_LEFT, "%3.1f",
           static_cast<double>(v.n1[0]));
  rmu_text(0.121f, 0.272f, RMU_TEXT_NORMAL, rmu_value_colour(RMU_GAUGE_N1, v.n1[1]), ALIGN_RIGHT, "%3.1f",
           static_cast<double>(v.n1[1]));

  rmu_engine_label(0.092f, "ITT");
  rmu_engine_pair(0.092f, RMU_WHITE, RMU_WHITE, "%d", rmu_display_int(v.itt[0]), rmu_display_int(v.itt[1]));
  rmu_engine_label(0.042f, "O/P");
  rmu_engine_pair(0.042f, rmu_value_colour(RMU_GAUGE_OIL_PRESSURE, static_cast<float>(v.oil_pressure[0])),
                  rmu_value_colour(RMU_GAUGE_OIL_PRESSURE, static_cast<float>(v.oil_pressure[1])), "%d",
                  rmu_display_int(v.oil_pressure[0]), rmu_display_int(v.oil_pressure[1]));
  rmu_engine_label(-0.035f, "FUEL");
  rmu_engine_pair(-0.035f, RMU_WHITE, RMU_WHITE, "%d", static_cast<int>(v.left_fuel), static_cast<int>(v.right_fuel));
  rmu_engine_label_pair(-0.089f, "HYD", "M-B");
  rmu_engine_pair(-0.089f, RMU_WHITE, RMU_WHITE, "%d", static_cast<int>(v.hydraulic), static_cast<int>(v.hydraulic));
  rmu_engine_label_pair(-0.132f, "FLP", "SPL");
  rmu_engine_pair(-0.132f, RMU_WHITE, RMU_WHITE, "%d", static_cast<int>(v.flap_angle),
                  static_cast<int>(v.spoiler_angle));

  rmu_line_width(1.0f);
  rmu_colour(RMU_GREY);
  for (float y : RULE_Y) rmu_line(RMU_FRAME_LEFT, y, RMU_FRAME_RIGHT, y);
  rmu_engine_more_label();
}
