// The EICAS frame against the display unit's texture-only frame, both
// measured in the same run: every engine instrument and annunciation shown,
// every message of the three tables in the list (a third of them flashing),
// the systems menu's labels, and the bezel picture.
// Usage: mfd_eicas_bench [seconds per row]   (needs a display, e.g. Xvfb)
#include <GL/gl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "framework/display_lists.h"
#include "framework/drawing_area.h"
#include "framework/overlay_quads.h"
#include "framework/text.h"
#include "framework/tga.h"
#include "mfd/eicas_draw.h"
#include "mfd/mfd_menu.h"
#include "mfd/mfd_pages.h"
#include "mfd/mfd_state.h"
#include "mfd/mfd_unit.h"
#include "platform/gl_test_context.h"
#include "simlink/cells.h"

namespace {

constexpr int W = 433, H = 605;  // the default client height with the unit's aspect
using Clock = std::chrono::steady_clock;

double rate(double seconds, const std::function<void(int)>& frame) {
  int frames = 0;
  const auto start = Clock::now();
  double elapsed = 0;
  while (elapsed < seconds) {
    frame(frames);
    glFinish();
    ++frames;
    elapsed = std::chrono::duration<double>(Clock::now() - start).count();
  }
  return frames / elapsed;
}

void texture_frame(int) {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  draw_bezel_overlay_around(g_mfd.common.textures[MFD_TEXTURE_OVERLAY], g_mfd.bezel_opening);
}

template <int N>
void all_active(AlertRecord (&records)[N]) {
  for (int i = 0; i < N; ++i) {
    records[i].active = true;
    records[i].flashing = i % 3 == 0;
  }
}

// Every instrument and annunciation on: starts, reversers, sync, the N1
// limit, the flaps box and the oil boxes.
void busy_state() {
  MfdValues& v = g_mfd.value;
  MfdRaw& r = g_mfd.raw;
  v.left_n1 = 104;
  v.right_n1 = 86;
  v.left_n2 = 55;
  v.right_n2 = 101;
  v.left_itt = 720;
  v.right_itt = 690;
  v.left_oil_pressure = 30;
  v.right_oil_pressure = 90;
  v.left_oil_temperature = 20;
  v.right_oil_temperature = 140;
  v.left_thrust_lever = -20;
  v.right_thrust_lever = -2;
  v.left_tank_lb = v.right_tank_lb = 1800;
  v.fuselage_tank_lb = 450;
  v.total_fuel_lb = 4050;
  v.pitch_trim = 2.3;
  v.air_temperature = 12;
  v.outside_air_temperature = 12;
  v.flap_angle = 12;
  v.on_ground = true;
  v.sync = true;
  r.left_starter_switch = r.right_starter_switch = 1;
  r.left_fuel_flow = r.right_fuel_flow = 900;
  g_mfd.sim_version = 8;
  all_active(g_mfd.alerts.warnings);
  all_active(g_mfd.alerts.cautions);
  all_active(g_mfd.alerts.advisories);
  g_mfd.alerts.advisories[ADV_END].flashing = false;
  g_mfd.power.battery_on = g_mfd.power.avionics_on = 1;
  g_mfd.eicas_shown = true;
  g_mfd.menu_level = MFD_MENU_SYSTEMS;
  g_mfd.page = MFD_PAGE_NONE;
}

void eicas_frame(int) {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  mfd_menu_step();
  mfd_run_page(MFD_PAGE_EICAS);
  draw_bezel_overlay_around(g_mfd.common.textures[MFD_TEXTURE_OVERLAY], g_mfd.bezel_opening);
}

void engines_frame(int) {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  eicas_draw_engines();
  eicas_draw_start_and_reversers();
  draw_bezel_overlay_around(g_mfd.common.textures[MFD_TEXTURE_OVERLAY], g_mfd.bezel_opening);
}

void list_frame(int) {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  eicas_draw_alert_list(700);
  draw_bezel_overlay_around(g_mfd.common.textures[MFD_TEXTURE_OVERLAY], g_mfd.bezel_opening);
}

}  // namespace

int main(int argc, char** argv) {
  const double seconds = argc > 1 ? std::atof(argv[1]) : 3.0;
  GlTestContext* context = gl_test_context_create(W, H);
  if (!context) {
    std::fprintf(stderr, "mfd_eicas_bench: no display\n");
    return 1;
  }
  apply_drawing_area(DrawingArea{W, H});
  g_mfd.common.x_size = W;
  g_mfd.common.y_size = H;
  const std::string art = std::string(COCKPIT_BINARY_DIR) + "/artwork/";
  if (!build_font(MFD_FONT_FACE, MFD_FONT_SLOT_NORMAL, MFD_FONT_HEIGHT, FONT_WEIGHT_NORMAL) ||
      !build_font(MFD_FONT_FACE, MFD_FONT_SLOT_BOLD, MFD_FONT_HEIGHT, FONT_WEIGHT_BOLD) ||
      !build_display_lists(&g_mfd.lists, nullptr) ||
      !make_texture(g_mfd.common.textures, (art + "MFD_Overlay.tga").c_str(), MFD_TEXTURE_OVERLAY)) {
    std::fprintf(stderr, "mfd_eicas_bench: no font, lists or textures (build the artwork first)\n");
    return 1;
  }
  g_mfd.bezel_opening = find_overlay_opening(g_mfd.common.textures[MFD_TEXTURE_OVERLAY]);
  busy_state();

  // Short rounds alternate with the baseline, and the median ratio is kept,
  // so that load from other programs shifts both sides of each ratio alike.
  constexpr int ROUNDS = 7;
  struct Row { const char* name; void (*frame)(int); std::vector<double> ratios; double fps = 0; };
  Row rows[] = {{"EICAS, full list", eicas_frame, {}}, {"  engines alone", engines_frame, {}},
                {"  list alone", list_frame, {}}};
  double baseline_fps = 0;
  for (int round = 0; round < ROUNDS; ++round) {
    for (Row& row : rows) {
      const double before = rate(seconds / ROUNDS / 2, texture_frame);
      const double fps = rate(seconds / ROUNDS, row.frame);
      const double after = rate(seconds / ROUNDS / 2, texture_frame);
      row.ratios.push_back(fps * 2 / (before + after));
      row.fps += fps / ROUNDS;
      baseline_fps += (before + after) / 2 / ROUNDS / 3;
    }
  }
  std::printf("mfd_eicas_bench: %dx%d, %.1f s per row in %d rounds; median ratio to the texture-only frame\n", W,
              H, seconds, ROUNDS);
  std::printf("  texture-only frame  %8.1f fps (mean)\n", baseline_fps);
  for (Row& row : rows) {
    std::sort(row.ratios.begin(), row.ratios.end());
    std::printf("  %-18s  %8.1f fps  ratio %.2f (%.2f to %.2f)\n", row.name, row.fps, row.ratios[ROUNDS / 2],
                row.ratios.front(), row.ratios.back());
  }

  delete_display_lists(&g_mfd.lists);
  delete_fonts();
  gl_test_context_destroy(context);
  return 0;
}
