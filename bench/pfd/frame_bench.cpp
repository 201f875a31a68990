// The PFD frame against frames measured in the same run: the whole picture of
// a scripted cruise (arc format with a 100-waypoint plan, and without a plan)
// against the frame of the three textured quads every powered frame draws;
// 200 prints on that textured frame; the CPU time of a frame with the bezel
// off; and the time of each group and of the link exchange against a server
// in this process. Rounds alternate and the best of each is kept, so that a
// busy machine slows every round alike.
// Usage: pfd_frame_bench [seconds per round] [finish]   (needs a display, e.g. Xvfb)
//   finish: wait for the GL after each group, so each time includes its rasterising.
//   BENCH_NO_SMOOTH=1 in the environment draws lines unsmoothed (the program smooths them);
//   BENCH_WHOLE_SCREEN=1 draws the screen background as one textured quad, as it was.
#include <GL/gl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <functional>
#include <string>

#include "framework/drawing_area.h"
#include "framework/overlay_quads.h"
#include "framework/text.h"
#include "framework/tga.h"
#include "pfd/pfd_convert.h"
#include "pfd/pfd_exchange.h"
#include "pfd/pfd_picture.h"
#include "pfd/pfd_groups.h"
#include "pfd/pfd_settings.h"
#include "pfd/pfd_state.h"
#include "platform/gl_test_context.h"
#include "server/link_server.h"
#include "server/offset_space.h"
#include "simlink/simlink.h"

namespace {

constexpr int W = 433, H = 605;  // the default client height with the unit's aspect
constexpr int ROUNDS = 3;
constexpr int PRINTS_PER_FRAME = 200;
using Clock = std::chrono::steady_clock;
OffsetSpace space;
bool finish_each = false;

double seconds_since(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

struct Rate {
  double fps = 0;
  double cpu_ms = 0;  // process CPU time per frame, the renderer's threads included
  int frames = 0;
};

// Frames per second of `frame` (each finished on the GL) over `seconds`.
Rate rate(double seconds, const std::function<void(int)>& frame) {
  int frames = 0;
  const std::clock_t cpu_start = std::clock();
  const auto start = Clock::now();
  double elapsed = 0;
  while (elapsed < seconds) {
    frame(frames);
    glFinish();
    ++frames;
    elapsed = seconds_since(start);
  }
  Rate r;
  r.fps = frames / elapsed;
  r.cpu_ms = 1000.0 * static_cast<double>(std::clock() - cpu_start) / CLOCKS_PER_SEC / frames;
  r.frames = frames;
  return r;
}

// The best of the rounds of the same frame: the highest rate and, apart from
// it, the least CPU time.
void keep_best(Rate* best, const Rate& r) {
  const double cpu_ms = best->frames > 0 ? std::min(best->cpu_ms, r.cpu_ms) : r.cpu_ms;
  if (r.fps > best->fps) *best = r;
  best->cpu_ms = cpu_ms;
}

// 100 waypoints along a route north, 6 NM apart: the few ahead within the
// 50 NM range are drawn, the way a flight plan usually lies on the map.
void route_plan() {
  for (int i = 0; i < PFD_PLAN_CAPACITY; i++) {
    PlanWaypoint& w = g_pfd.config.plan[i];
    w.latitude = 0.1f * i;
    w.longitude = (i % 2 ? 0.05f : -0.05f);
  }
}

// 100 waypoints in a zig-zag 0.6 NM apart: most of them within range.
void dense_plan() {
  for (int i = 0; i < PFD_PLAN_CAPACITY; i++) {
    PlanWaypoint& w = g_pfd.config.plan[i];
    w.latitude = 0.01f * i;
    w.longitude = (i % 2 ? 0.05f : -0.05f);
    std::snprintf(w.ident, sizeof w.ident, "WP%03d", i);
  }
}

void empty_frame(int) { glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT); }

// The state record of a scripted flight, set directly: the picture without the link.
void scripted_state(int frame) {
  const double t = frame / 60.0;
  PfdRaw& r = g_pfd.raw;
  r.battery_master = r.avionics_master = 1;
  r.indicated_altitude = static_cast<int32_t>(31000 + 2000 * std::sin(t * 0.1));
  r.vertical_speed = static_cast<int32_t>(1500 * std::cos(t * 0.1) / 0.768946875);
  r.heading = static_cast<uint32_t>(std::fmod(t * 3.0, 360.0) / 8.381e-8);
  r.pitch = static_cast<int32_t>(-5 * std::sin(t) / 8.319e-8);
  r.bank = static_cast<int32_t>(-20 * std::sin(t * 0.3) / 8.319e-8);
  r.ias = static_cast<int32_t>((250 + 20 * std::sin(t * 0.2)) * 128);
  r.tas = static_cast<int32_t>((420 + 20 * std::sin(t * 0.2)) * 128);
  r.mach = static_cast<uint16_t>(0.72 * 20480);
  r.acceleration = 0.5 * std::cos(t * 0.2);
  r.radio_altitude = static_cast<uint32_t>(std::fabs(2000 * std::sin(t * 0.05)) / 3.28084 * 65536);
  r.latitude = static_cast<int64_t>((0.2 * std::sin(t * 0.01)) * 10001750.0 * 65536.0 * 65536.0 / 90.0);
  r.efis_mode = 0x04 | 0x10 | 0x08;  // arc with the FMS: the map is drawn
  r.bearing1_source = 4;
  r.bearing2_source = 2;
  r.nav_flags = (1 << 1) | (1 << 3) | (1 << 4) | (1 << 11);
  r.autopilot_master = r.yaw_damper = r.heading_hold = r.altitude_hold = 1;
  r.glideslope_alive = 1;
  r.marker_outer = (frame / 30) % 2;
  r.baro = 16211;
  convert_raw(g_pfd.raw, g_pfd.config, &g_pfd.value);
  g_pfd.tick_changed = frame % 30 == 0;
}

// 200 prints of six to nine characters, spread over the screen as the
// instruments spread theirs.
void print_frame(int) {
  glColor3f(0.156f, 0.803f, 0.215f);
  for (int i = 0; i < PRINTS_PER_FRAME; ++i) {
    glLoadIdentity();
    glTranslatef(-7.5f + (i % 4) * 4.5f, 11.0f - (i / 4) * 0.45f, -30.0f);
    glScalef(0.4f, 0.4f, 1.0f);
    print(2, i % 3, "N%03d %5.1f", i, i * 1.25);
  }
}

void full_frame(int frame) {
  scripted_state(frame);
  pfd_draw_picture(0.2f);  // with a dimming quad, as a dimmed unit draws
}

// A moving aircraft in the server's offset space: the frame brings it in over the link.
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

enum Part { EXCHANGE, ATTITUDE, SCREEN_AND_ROLL, ANNUNCIATIONS, HEADING, ALTITUDE, SPEED, VERTICAL, OVERLAYS, PARTS };
const char* const PART_NAMES[PARTS] = {"exchange", "attitude", "screen+roll scale", "annunciations", "heading",
                                       "altitude", "speed", "vertical speed", "dim+bezel"};
double spent_ms[PARTS];

void timed(Part part, void (*step)()) {
  const auto start = Clock::now();
  step();
  if (finish_each) glFinish();
  spent_ms[part] += seconds_since(start) * 1000.0;
}

void linked_frame(int frame) {
  fly(frame);
  timed(EXCHANGE, [] {
    pfd_exchange_main();
    pfd_exchange_bearing_sources();
    pfd_exchange_altitude_controls();
    pfd_exchange_speed_data();
  });
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  timed(ATTITUDE, draw_attitude_group);
  timed(SCREEN_AND_ROLL, [] {
    pfd_draw_screen_background();
    draw_roll_scale();
  });
  timed(ANNUNCIATIONS, draw_annunciations);
  timed(HEADING, draw_heading_group);
  timed(ALTITUDE, draw_altitude_group);
  timed(SPEED, draw_speed_group);
  timed(VERTICAL, draw_vertical_speed_group);
  timed(OVERLAYS, [] { pfd_draw_overlays(0.2f); });
}

bool set_up_unit() {
  apply_drawing_area(DrawingArea{W, H});
  // The skeleton's GL state: blending and smoothed lines.
  glDisable(GL_DEPTH_TEST);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  if (!std::getenv("BENCH_NO_SMOOTH")) glEnable(GL_LINE_SMOOTH);
  glHint(GL_LINE_SMOOTH_HINT, GL_NICEST);
  pfd_state_start_values();
  g_pfd.common.x_size = W;
  g_pfd.common.y_size = H;
  g_pfd.common.bezel_shown = true;
  g_pfd.side = pfd_side_table(0);
  if (!build_font("Korvu", 2, 12, 700)) return false;
  heading_lists_init();
  annunciators_init();
  const std::string art = std::string(COCKPIT_BINARY_DIR) + "/artwork/";
  if (!make_texture(g_pfd.common.textures, (art + "zero_flag.tga").c_str(), 2) ||
      !make_texture(g_pfd.common.textures, (art + "DU_NoBezel.tga").c_str(), 3) ||
      !make_texture(g_pfd.common.textures, (art + "DU_BezelOverlay.tga").c_str(), 4))
    return false;
  g_pfd.bezel_opening = find_overlay_opening(g_pfd.common.textures[4]);
  if (!std::getenv("BENCH_WHOLE_SCREEN")) g_pfd.screen_tiles = plan_texture_tiles(g_pfd.common.textures[3]);
  g_pfd.config.vmo = 335;
  g_pfd.config.mmo = 0.81f;
  g_pfd.config.vmin = 110;
  g_pfd.config.max_flaps = 40;
  dense_plan();
  g_pfd.config.plan_length = PFD_PLAN_CAPACITY;
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const double seconds = argc > 1 ? std::atof(argv[1]) : 1.5;
  finish_each = argc > 2 && std::string(argv[2]) == "finish";
  GlTestContext* context = gl_test_context_create(W, H);
  if (!context) {
    std::fprintf(stderr, "pfd_frame_bench: no display\n");
    return 1;
  }
  text_capture_enable(false);  // as the program runs unless it dumps its text
  if (!set_up_unit()) {
    std::fprintf(stderr, "pfd_frame_bench: no font or textures (build the artwork first)\n");
    return 1;
  }

  const auto link_dir = std::filesystem::temp_directory_path() / ("pfd-frame-bench-" + std::to_string(getpid()));
  std::filesystem::create_directories(link_dir);
  offset_space_init(&space);
  LinkServerOptions options;
  options.link_dir = link_dir.string();
  std::string error;
  LinkServer* server = link_server_start(&space, options, &error);
  setenv("COCKPIT_LINK_DIR", link_dir.c_str(), 1);
  uint32_t result = 0;
  g_pfd.common.connected = server && simlink_open(0, &result);
  if (!g_pfd.common.connected) std::fprintf(stderr, "pfd_frame_bench: no link (%s), exchange not timed\n", error.c_str());

  // The reference frame: the three quads whole, the screen background as one
  // textured quad; the same frame with the background drawn by its tiles, as
  // the picture draws it.
  const auto textures_frame = [](int) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    draw_full_textured_quad(g_pfd.common.textures[3]);
    pfd_draw_overlays(0.2f);
  };
  const auto tiled_textures_frame = [](int) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    pfd_draw_screen_background();
    pfd_draw_overlays(0.2f);
  };
  const int plan_length = g_pfd.config.plan_length;
  Rate empty, textures, tiled_textures, printing, full, route, bare, bare_no_bezel, linked;
  for (int round = 0; round < ROUNDS; ++round) {
    keep_best(&empty, rate(seconds, empty_frame));
    keep_best(&textures, rate(seconds, textures_frame));
    keep_best(&tiled_textures, rate(seconds, tiled_textures_frame));
    keep_best(&printing, rate(seconds, [&](int frame) {
                textures_frame(frame);
                print_frame(frame);
              }));
    g_pfd.config.plan_length = plan_length;
    keep_best(&full, rate(seconds, full_frame));
    route_plan();
    keep_best(&route, rate(seconds, full_frame));
    dense_plan();
    g_pfd.config.plan_length = 0;
    keep_best(&bare, rate(seconds, full_frame));
    g_pfd.common.bezel_shown = false;
    keep_best(&bare_no_bezel, rate(seconds, full_frame));
    g_pfd.common.bezel_shown = true;
  }
  if (g_pfd.common.connected) {
    g_pfd.config.plan_length = plan_length;
    linked = rate(seconds, linked_frame);
  }

  std::printf("pfd_frame_bench: %dx%d, best of %d rounds of %.1f s\n", W, H, ROUNDS, seconds);
  const auto line = [&](const char* name, const Rate& r, const Rate& base, const char* base_name) {
    // The CPU ratio is the steadier of the two on a shared machine: other
    // processes delay frames far more than they lengthen their CPU time.
    std::printf("  %-32s %7.1f fps %6.2f ms CPU  %5.2f of %s (CPU: %4.2f)\n", name, r.fps, r.cpu_ms,
                r.fps / base.fps, base_name, base.cpu_ms / r.cpu_ms);
  };
  std::printf("  %-32s %7.1f fps %6.2f ms CPU\n", "empty frame", empty.fps, empty.cpu_ms);
  line("three textured quads", textures, empty, "empty");
  line("the same, screen in tiles", tiled_textures, textures, "textures");
  line("full PFD, cruise, no plan", bare, textures, "textures");
  line("full PFD, 100 wpts 0.6 NM apart", full, textures, "textures");
  line("full PFD, 100 wpts 6 NM apart", route, textures, "textures");
  line("full PFD, no plan, bezel off", bare_no_bezel, textures, "textures");
  line("textures + 200 prints", printing, textures, "textures");
  std::printf("  over no plan, 100 waypoints cost %.1f %% (0.6 NM apart), %.1f %% (6 NM apart) in frame rate,\n",
              100.0 * (bare.fps / full.fps - 1.0), 100.0 * (bare.fps / route.fps - 1.0));
  std::printf("  %.1f %% and %.1f %% in CPU time\n", 100.0 * (full.cpu_ms / bare.cpu_ms - 1.0),
              100.0 * (route.cpu_ms / bare.cpu_ms - 1.0));
  if (linked.frames > 0) {
    std::printf("  %-32s %7.1f fps, %d frames; per frame%s:\n", "full PFD over the link, plan", linked.fps,
                linked.frames, finish_each ? ", each group finished on the GL" : "");
    for (int p = 0; p < PARTS; ++p) std::printf("    %-20s %7.3f ms\n", PART_NAMES[p], spent_ms[p] / linked.frames);
  }

  simlink_close();
  if (server) link_server_stop(server);
  std::filesystem::remove_all(link_dir);
  gl_test_context_destroy(context);
  return 0;
}
