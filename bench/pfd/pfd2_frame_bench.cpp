// Frames per second of the whole PFD picture in a scripted flight with a
// 100-waypoint plan on the arc, against empty frames measured in the same run.
// Usage: pfd2_frame_bench [seconds per round]   (needs a display, e.g. Xvfb)
#include <GL/gl.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "framework/drawing_area.h"
#include "framework/text.h"
#include "framework/tga.h"
#include "pfd/pfd_convert.h"
#include "pfd/pfd_frame.h"
#include "pfd/pfd_groups.h"
#include "pfd/pfd_state.h"
#include "platform/gl_test_context.h"

namespace {
constexpr int W = 433, H = 605;  // the default client height with the unit's aspect
using Clock = std::chrono::steady_clock;

void scripted_state(int frame) {
  const double t = frame / 60.0;
  PfdRaw& r = pfd.raw;
  r.battery_master = r.avionics_master = 1;
  r.indicated_altitude = static_cast<int32_t>(3000 + 2000 * std::sin(t * 0.1));
  r.vertical_speed = static_cast<int32_t>(1500 * std::cos(t * 0.1) / 0.768946875);
  r.heading = static_cast<uint32_t>(std::fmod(t * 3.0, 360.0) / 8.381e-8);
  r.pitch = static_cast<int32_t>(-5 * std::sin(t) / 8.319e-8);
  r.bank = static_cast<int32_t>(-20 * std::sin(t * 0.3) / 8.319e-8);
  r.ias = static_cast<int32_t>((220 + 20 * std::sin(t * 0.2)) * 128);
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
  convert_raw(pfd.raw, pfd.config, &pfd.value);
  pfd.tick_changed = frame % 30 == 0;
}

double rate(bool full, double seconds, int* frames_out) {
  int frames = 0;
  const auto start = Clock::now();
  double elapsed = 0;
  while (elapsed < seconds) {
    if (full) {
      scripted_state(frames);
      pfd_draw();
    } else {
      glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }
    glFinish();
    frames++;
    elapsed = std::chrono::duration<double>(Clock::now() - start).count();
  }
  *frames_out = frames;
  return frames / elapsed;
}
}  // namespace

int main(int argc, char** argv) {
  const double seconds = argc > 1 ? std::atof(argv[1]) : 3.0;
  GlTestContext* context = gl_test_context_create(W, H);
  if (!context) {
    std::fprintf(stderr, "pfd2_frame_bench: no display\n");
    return 1;
  }
  apply_drawing_area(DrawingArea{W, H});
  pfd_prepare();
  pfd.common.x_size = W;
  pfd.common.y_size = H;
  pfd.common.bezel_shown = true;
  glDisable(GL_DEPTH_TEST);
  build_font("Korvu", 2, 12, 700);
  heading_lists_init();
  annunciators_init();
  const std::string art = std::string(COCKPIT_BINARY_DIR) + "/artwork/";
  make_texture(pfd.common.textures, (art + "zero_flag.tga").c_str(), 2);
  make_texture(pfd.common.textures, (art + "DU_NoBezel.tga").c_str(), 3);
  make_texture(pfd.common.textures, (art + "DU_BezelOverlay.tga").c_str(), 4);
  // 100 waypoints in a zig-zag north of the aircraft, most of them within range.
  for (int i = 0; i < PFD_PLAN_CAPACITY; i++) {
    PlanWaypoint& w = pfd.config.plan[i];
    w.latitude = 0.01f * i;
    w.longitude = (i % 2 ? 0.05f : -0.05f);
    std::snprintf(w.ident, sizeof w.ident, "WP%03d", i);
  }
  pfd.config.plan_length = PFD_PLAN_CAPACITY;
  pfd.fading = false;
  pfd.dim_alpha = 0;

  int empty_frames = 0, full_frames = 0;
  const double empty = rate(false, seconds, &empty_frames);
  const double full = rate(true, seconds, &full_frames);
  pfd.config.plan_length = 0;
  int bare_frames = 0;
  const double bare = rate(true, seconds, &bare_frames);
  pfd.config.plan_length = PFD_PLAN_CAPACITY;
  const double empty_again = rate(false, seconds, &empty_frames);
  const double baseline = (empty + empty_again) / 2;
  std::printf("empty frames: %.1f fps (%.1f, %.1f)\n", baseline, empty, empty_again);
  std::printf("full PFD, 100-waypoint plan: %.1f fps over %d frames\n", full, full_frames);
  std::printf("full PFD, no plan: %.1f fps over %d frames\n", bare, bare_frames);
  std::printf("ratio full / empty: %.1f %% (goal 50 %%); without the plan %.1f %%\n", 100.0 * full / baseline,
              100.0 * bare / baseline);
  gl_test_context_destroy(context);
  return 0;
}
