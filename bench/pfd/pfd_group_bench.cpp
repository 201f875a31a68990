// Time per frame of the PFD's exchange (against a link server in this
// process) and of each drawing group, with a moving aircraft, and the frame
// rate of whole frames against empty frames measured in the same run.
// Usage: pfd_group_bench [frames]   (needs a display, e.g. Xvfb)
#include <GL/gl.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "framework/drawing_area.h"
#include "framework/text.h"
#include "framework/tga.h"
#include "pfd/pfd_exchange.h"
#include "pfd/pfd_frame.h"
#include "pfd/pfd_groups.h"
#include "pfd/pfd_settings.h"
#include "pfd/pfd_state.h"
#include "platform/gl_test_context.h"
#include "server/link_server.h"
#include "server/offset_space.h"
#include "simlink/simlink.h"

namespace {
constexpr int W = 433, H = 605;
using Clock = std::chrono::steady_clock;
OffsetSpace space;

template <typename T>
void put(uint32_t offset, T v) {
  std::lock_guard<std::mutex> lock(space.lock);
  space_put(space.bytes, offset, &v, sizeof v);
}

void fly(int frame) {
  const double t = frame / 60.0;
  put(0x281C, uint32_t{1});
  put(0x2E80, uint32_t{1});
  put(0x0578, static_cast<int32_t>(-8 * std::sin(t) / 8.319e-8));
  put(0x057C, static_cast<int32_t>(-25 * std::sin(t * 0.3) / 8.319e-8));
  put(0x02BC, static_cast<int32_t>((230 + 30 * std::sin(t * 0.2)) * 128));
  put(0x02B8, static_cast<int32_t>((280 + 30 * std::sin(t * 0.2)) * 128));
  put(0x3070, 2.0 * std::cos(t * 0.2));
  put(0x3324, static_cast<int32_t>(9000 + 3000 * std::sin(t * 0.1)));
  put(0x0580, static_cast<uint32_t>(std::fmod(t * 3.0, 360.0) / 8.381e-8));
  put(0x31E4, static_cast<uint32_t>(std::fabs(800 * std::sin(t * 0.05)) * 65536));
  put(0x2EE0, uint32_t{1});
  put(0x07C8, uint32_t{1});
  put(0x2EF0, 15 * std::sin(t * 0.4));
}

double ms_since(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}
}  // namespace

int main(int argc, char** argv) {
  const int frames = argc > 1 ? std::atoi(argv[1]) : 600;
  // "finish": wait for the GL after each group, so each time includes its rasterising.
  const bool finish_each = argc > 2 && std::string(argv[2]) == "finish";
  GlTestContext* context = gl_test_context_create(W, H);
  if (!context) return 1;
  apply_drawing_area(DrawingArea{W, H});
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  pfd_prepare();
  pfd.common.x_size = W;
  pfd.common.y_size = H;
  pfd.common.bezel_shown = true;
  pfd.side = pfd_side_table(0);
  build_font("Korvu", 2, 12, 700);
  heading_lists_init();
  const std::string art = std::string(COCKPIT_BINARY_DIR) + "/artwork/";
  make_texture(pfd.common.textures, (art + "zero_flag.tga").c_str(), 2);
  make_texture(pfd.common.textures, (art + "DU_NoBezel.tga").c_str(), 3);
  make_texture(pfd.common.textures, (art + "DU_BezelOverlay.tga").c_str(), 4);
  pfd.bezel_opening = find_overlay_opening(pfd.common.textures[4]);
  annunciators_init();
  pfd.config.vmo = 335;
  pfd.config.mmo = 0.81f;
  pfd.config.vmin = 110;
  pfd.config.max_flaps = 40;

  const auto dir = std::filesystem::temp_directory_path() / "pfd-group-bench-link";
  std::filesystem::create_directories(dir);
  offset_space_init(&space);
  LinkServerOptions options;
  options.link_dir = dir.string();
  std::string error;
  LinkServer* server = link_server_start(&space, options, &error);
  setenv("COCKPIT_LINK_DIR", dir.c_str(), 1);
  uint32_t result = 0;
  pfd.common.connected = server && simlink_open(0, &result);
  if (!pfd.common.connected) std::fprintf(stderr, "no link: %s\n", error.c_str());

  // Empty frames: clear and finish, as the baseline of this machine and run.
  auto start = Clock::now();
  for (int f = 0; f < frames; ++f) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glFinish();
  }
  const double empty_fps = frames / (ms_since(start) / 1000);
  // Textures only: the screen background and bezel every powered frame draws.
  start = Clock::now();
  for (int f = 0; f < frames; ++f) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    pfd_draw_screen_background();
    pfd_draw_overlays(0.2f);
    glFinish();
  }
  const double textures_fps = frames / (ms_since(start) / 1000);

  enum { EXCHANGE, ATTITUDE, SCREEN_AND_ROLL, ANNUNCIATIONS, HEADING, ALTITUDE, SPEED, VERTICAL, OVERLAYS, GROUPS };
  const char* names[GROUPS] = {"exchange", "attitude", "screen+roll scale", "annunciations", "heading",
                               "altitude", "speed (with its exchange)", "vertical speed", "dim+bezel"};
  double spent[GROUPS] = {};
  auto ms_since = [finish_each](Clock::time_point t0) {
    if (finish_each) glFinish();
    return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
  };
  start = Clock::now();
  for (int f = 0; f < frames; ++f) {
    fly(f);
    auto t = Clock::now();
    pfd_exchange();
    spent[EXCHANGE] += ms_since(t);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    t = Clock::now(); draw_attitude_group(); spent[ATTITUDE] += ms_since(t);
    t = Clock::now();
    pfd_draw_screen_background();
    draw_roll_scale();
    spent[SCREEN_AND_ROLL] += ms_since(t);
    t = Clock::now(); draw_annunciations(); spent[ANNUNCIATIONS] += ms_since(t);
    t = Clock::now(); heading_logic_step(); draw_heading_group(); spent[HEADING] += ms_since(t);
    t = Clock::now(); altitude_control_step(); draw_altitude_group(); spent[ALTITUDE] += ms_since(t);
    t = Clock::now(); draw_speed_group(); spent[SPEED] += ms_since(t);
    t = Clock::now(); draw_vertical_speed_group(); spent[VERTICAL] += ms_since(t);
    t = Clock::now(); pfd_draw_overlays(0.2f); spent[OVERLAYS] += ms_since(t);
    glFinish();
  }
  const double full_fps = frames / (ms_since(start) / 1000);

  std::printf("pfd_group_bench: %d frames of %dx%d\n", frames, W, H);
  std::printf("  empty frames   %8.1f fps\n", empty_fps);
  std::printf("  texture frames %8.1f fps  (screen background, dimming and bezel quads only)\n", textures_fps);
  std::printf("  full frames    %8.1f fps  (%.0f%% of empty, %.0f%% of texture frames)\n", full_fps,
              100 * full_fps / empty_fps, 100 * full_fps / textures_fps);
  std::printf(finish_each ? "  per frame, each group finished on the GL:\n"
                          : "  per frame, submission time on the main thread (GL work finishes at glFinish):\n");
  for (int g = 0; g < GROUPS; ++g) std::printf("    %-26s %7.3f ms\n", names[g], spent[g] / frames);

  simlink_close();
  link_server_stop(server);
  gl_test_context_destroy(context);
  std::filesystem::remove_all(dir);
  return 0;
}
