// The MFD menu pages against the display unit's texture-only frame measured
// in the same run: every menu level's labels, "MENU INOP", the plan-list
// box with a full page of names and the six system pages, each drawn by the page controller as the
// frame runs it (clear, controller, dimming quad, bezel).
// Usage: mfd_menu_bench [seconds per case]   (needs a display, e.g. Xvfb)
#include <GL/gl.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include "framework/display_lists.h"
#include "framework/drawing_area.h"
#include "framework/overlay_quads.h"
#include "framework/text.h"
#include "framework/tga.h"
#include "mfd/mfd_menu.h"
#include "mfd/mfd_pages.h"
#include "mfd/mfd_state.h"
#include "mfd/mfd_unit.h"
#include "platform/gl_test_context.h"

namespace {

constexpr int W = 433, H = 605;  // the default window's drawing area
constexpr float DIMMED = 0.2f;
using Clock = std::chrono::steady_clock;

double rate(double seconds, const std::function<void()>& frame, int* frames_out = nullptr) {
  int frames = 0;
  const auto start = Clock::now();
  double elapsed = 0;
  while (elapsed < seconds) {
    frame();
    glFinish();
    ++frames;
    elapsed = std::chrono::duration<double>(Clock::now() - start).count();
  }
  if (frames_out) *frames_out = frames;
  return frames / elapsed;
}

// What every powered frame of the unit draws besides its pages.
void texture_frame() {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  draw_fade_quad(DIMMED);
  draw_bezel_overlay_around(g_mfd.common.textures[MFD_TEXTURE_OVERLAY], g_mfd.bezel_opening);
}

void menu_frame() {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glEnable(GL_BLEND);
  mfd_menu_step();
  draw_fade_quad(DIMMED);
  draw_bezel_overlay_around(g_mfd.common.textures[MFD_TEXTURE_OVERLAY], g_mfd.bezel_opening);
}

struct MenuCase {
  const char* name;
  int32_t level, page;
  bool mfd_shown, plan_list;
  int32_t avionics;
};

bool set_up_unit() {
  apply_drawing_area(DrawingArea{W, H});
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  g_mfd.common.x_size = W;
  g_mfd.common.y_size = H;
  g_mfd.common.connected = true;
  if (!build_font(MFD_FONT_FACE, MFD_FONT_SLOT_NORMAL, MFD_FONT_HEIGHT, FONT_WEIGHT_NORMAL)) return false;
  if (!build_display_lists(&g_mfd.lists, nullptr)) return false;
  const std::string art = std::string(COCKPIT_BINARY_DIR) + "/artwork/";
  if (!make_texture(g_mfd.common.textures, (art + "MFD_Overlay.tga").c_str(), MFD_TEXTURE_OVERLAY)) return false;
  g_mfd.bezel_opening = find_overlay_opening(g_mfd.common.textures[MFD_TEXTURE_OVERLAY]);
  g_mfd.plan_list.count = 12;
  for (int i = 0; i < g_mfd.plan_list.count; ++i)
    std::snprintf(g_mfd.plan_list.shown[i], NAV_PLAN_NAME_CAPACITY, "KSEA-KPDX-%02d.PLN", i);
  g_mfd.selected_plan = 3;
  // Figures on every system page, one tank low and the trim boxes drawn.
  MfdValues& v = g_mfd.value;
  g_mfd.raw.left_bus_voltage = g_mfd.raw.right_bus_voltage = 28;
  g_mfd.raw.left_generator_current = g_mfd.raw.right_generator_current = 60;
  g_mfd.raw.vertical_speed = -1234;
  g_mfd.raw.spoiler_control = 10000;
  v.left_hydraulic_pressure = v.right_hydraulic_pressure = 3000;
  v.indicated_altitude = 10000;
  v.left_spoiler_angle = v.right_spoiler_angle = 5;
  v.pitch_trim = 1.2;
  v.aileron_trim = 1.5;
  v.rudder_trim = -1.5;
  v.on_ground = true;
  v.left_n1 = v.right_n1 = 90;
  v.flap_angle = 8;
  v.left_tank_lb = 2100;
  v.right_tank_lb = 300;
  v.fuselage_tank_lb = 400;
  v.left_tank_fraction = 0.8;
  v.right_tank_fraction = 0.1;
  v.fuselage_tank_fraction = 0.5;
  v.total_fuel_lb = 2800;
  v.fuel_used_lb = 3262;
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const double seconds = argc > 1 ? std::atof(argv[1]) : 3.0;
  GlTestContext* context = gl_test_context_create(W, H);
  if (!context) {
    std::fprintf(stderr, "mfd_menu_bench: no display\n");
    return 1;
  }
  if (!set_up_unit()) {
    std::fprintf(stderr, "mfd_menu_bench: no font, lists or textures (build the artwork first)\n");
    return 1;
  }
  const MenuCase cases[] = {
      {"top menu", MFD_MENU_TOP, MFD_PAGE_NONE, true, false, 1},
      {"systems menu", MFD_MENU_SYSTEMS, MFD_PAGE_NONE, true, false, 1},
      {"MFD menu", MFD_MENU_MFD, MFD_PAGE_JOYSTICK, true, false, 1},
      {"plan list, 6 names", MFD_MENU_MFD, MFD_PAGE_PLAN_LIST, true, true, 1},
      {"EICAS systems menu", MFD_MENU_SYSTEMS, MFD_PAGE_NONE, false, false, 1},
      {"MENU INOP", MFD_MENU_TOP, MFD_PAGE_NONE, true, false, 0},
      {"SUMRY page", MFD_MENU_SYSTEMS, MFD_PAGE_SUMMARY, true, false, 1},
      {"ELEC page", MFD_MENU_SYSTEMS, MFD_PAGE_ELECTRICAL, true, false, 1},
      {"HYD page", MFD_MENU_SYSTEMS, MFD_PAGE_HYDRAULIC, true, false, 1},
      {"ECS page", MFD_MENU_SYSTEMS, MFD_PAGE_ECS, true, false, 1},
      {"FLT page", MFD_MENU_SYSTEMS, MFD_PAGE_FLIGHT_CONTROLS, true, false, 1},
      {"FUEL page", MFD_MENU_SYSTEMS, MFD_PAGE_FUEL, true, false, 1},
  };
  // The machine's load drifts: each case alternates short slices with the
  // texture-only frame, and its ratio is taken over its own slices.
  constexpr int SLICES = 10;
  const double slice = seconds / SLICES;
  std::printf("mfd_menu_bench: %dx%d, %.1f s per case and as much texture-only, in %d slices\n", W, H, seconds,
              SLICES);
  for (const MenuCase& c : cases) {
    double menu_sum = 0, texture_sum = 0;
    int frames = 0, texture_frames = 0;
    for (int i = 0; i < SLICES; ++i) {
      int f = 0;
      texture_sum += rate(slice, texture_frame, &f);
      texture_frames += f;
      menu_sum += rate(slice, [&c] {
        g_mfd.menu_level = c.level;
        g_mfd.page = c.page;
        g_mfd.mfd_shown = c.mfd_shown;
        g_mfd.eicas_shown = !c.mfd_shown;
        g_mfd.plan_list_shown = c.plan_list;
        g_mfd.power.avionics_on = c.avionics;
        menu_frame();
      }, &f);
      frames += f;
    }
    std::printf("  %-20s %8.1f fps  %5.2f of texture-only (%.1f fps), %d and %d frames\n", c.name, menu_sum / SLICES,
                menu_sum / texture_sum, texture_sum / SLICES, frames, texture_frames);
  }
  delete_display_lists(&g_mfd.lists);
  gl_test_context_destroy(context);
  return 0;
}
