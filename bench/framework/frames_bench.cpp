// Frame rates of the display-unit loop at 433 x 605 and the start-up time to
// the first presented frame. Prints figures and ratios against the empty
// frame measured in the same run.
#include <GL/gl.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "framework/drawing_area.h"
#include "framework/overlay_quads.h"
#include "framework/text.h"
#include "mfd/mfd_state.h"
#include "mfd/mfd_unit.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/window.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int CLIENT_WIDTH = 484, CLIENT_HEIGHT = 605;
constexpr double RUN_SECONDS = 2.0;
constexpr int PRINTS_PER_FRAME = 200;
constexpr int STARTUP_RUNS = 5;

double seconds_since(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// Frames per second of `frame` followed by a buffer swap.
template <typename Frame>
double frames_per_second(Frame frame) {
  for (int i = 0; i < 20; ++i) {  // warm-up
    frame();
    platform_window_swap();
  }
  glFinish();
  int frames = 0;
  Clock::time_point start = Clock::now();
  while (seconds_since(start) < RUN_SECONDS) {
    frame();
    platform_window_swap();
    ++frames;
  }
  glFinish();
  return frames / seconds_since(start);
}

void empty_frame() {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  platform_sleep_ms(1);  // the loop's fixed sleep
}

void skeleton_frame() { mfd_unit_hooks().frame(); }

void fade_quad_frame() {
  empty_frame();
  draw_fade_quad(0.0f);
}

void bezel_frame() {
  empty_frame();
  draw_bezel_overlay(g_mfd.common.textures[MFD_TEXTURE_OVERLAY]);
}

void bezel_around_frame() {
  empty_frame();
  draw_bezel_overlay_around(g_mfd.common.textures[MFD_TEXTURE_OVERLAY], g_mfd.bezel_opening);
}

void print_frame() {
  mfd_unit_hooks().frame();
  glColor3f(0.156f, 0.803f, 0.215f);
  for (int i = 0; i < PRINTS_PER_FRAME; ++i) {
    glLoadIdentity();
    glTranslatef(-12.0f + (i % 10) * 2.4f, -14.0f + (i / 10) * 1.4f, -30.0f);
    glScalef(0.8f, 0.8f, 1.0f);
    print(MFD_FONT_SLOT_NORMAL, i % 3, "N1 %3d.%d", i, i % 10);
  }
}

bool open_unit(const fs::path& folder) {
  if (!change_directory(folder.string().c_str())) return false;
  PlatformWindowParams params{MFD_STARTUP_TITLE, CLIENT_WIDTH, CLIENT_HEIGHT, 100, 100, false, MAX_TRACKING_SIZE};
  const char* error = nullptr;
  if (!platform_window_create(params, &error)) {
    std::fprintf(stderr, "no window: %s\n", error);
    return false;
  }
  platform_window_show();
  DrawingArea area{};
  drawing_area_for_client(ASPECT_WIDTH_FROM_HEIGHT, DU_WIDTH_PER_HEIGHT, CLIENT_WIDTH, CLIENT_HEIGHT, &area);
  g_mfd.common.x_size = area.width;
  g_mfd.common.y_size = area.height;
  apply_drawing_area(area);
  return mfd_unit_hooks().gl_init();
}

void close_unit() {
  mfd_unit_hooks().before_shutdown();
  delete_fonts();
  platform_window_destroy();
}

// Whole program: process start to exit after one presented frame.
double program_seconds(const fs::path& folder) {
  std::string command = "SDL_AUDIODRIVER=dummy \"" COCKPIT_BINARY_DIR "/apps/mfd_display\" --headless --frames 1 --workdir \"" +
                        folder.string() + "\" > /dev/null 2>&1";
  Clock::time_point start = Clock::now();
  int status = std::system(command.c_str());
  double elapsed = seconds_since(start);
  return status == 0 ? elapsed : -1.0;
}

}  // namespace

int main() {
  fs::path folder = fs::temp_directory_path() / "framework_frames_bench_du3";
  fs::remove_all(folder);
  fs::create_directories(folder / "textures");
  for (const char* name : {"MFD_Overlay.tga", "MFD_NoBezel.tga"})
    fs::copy_file(fs::path(COCKPIT_BINARY_DIR) / "artwork" / name, folder / "textures" / name);

  // Start-up: window, context, fonts (tessellated), lists, textures, first frame presented.
  double best_startup = 1e9;
  for (int run = 0; run < STARTUP_RUNS; ++run) {
    g_mfd = MfdState{};
    g_mfd.common.bezel_shown = true;
    Clock::time_point start = Clock::now();
    if (!open_unit(folder)) return 1;
    mfd_unit_hooks().frame();
    platform_window_swap();
    glFinish();
    double elapsed = seconds_since(start);
    if (elapsed < best_startup) best_startup = elapsed;
    close_unit();
  }

  g_mfd = MfdState{};
  g_mfd.common.bezel_shown = true;
  if (!open_unit(folder)) return 1;
  g_mfd.power.battery_on = 1;
  g_mfd.power.fade_complete = true;
  double empty = frames_per_second(empty_frame);
  double fade_only = frames_per_second(fade_quad_frame);
  double bezel_only = frames_per_second(bezel_frame);
  double bezel_around = frames_per_second(bezel_around_frame);
  double skeleton = frames_per_second(skeleton_frame);
  double printing = frames_per_second(print_frame);
  close_unit();

  double program = 1e9;
  for (int run = 0; run < STARTUP_RUNS; ++run) {
    double s = program_seconds(folder);
    if (s >= 0 && s < program) program = s;
  }
  fs::remove_all(folder);

  std::printf("drawing area                      433 x 605\n");
  std::printf("empty frame (clear, 1 ms, swap)   %8.1f fps\n", empty);
  std::printf("empty + fade quad                 %8.1f fps  (%.2f of empty)\n", fade_only, fade_only / empty);
  std::printf("empty + bezel overlay, whole quad %8.1f fps  (%.2f of empty)\n", bezel_only, bezel_only / empty);
  std::printf("empty + bezel around its opening  %8.1f fps  (%.2f of empty)\n", bezel_around, bezel_around / empty);
  std::printf("skeleton frame with bezel         %8.1f fps  (%.2f of empty)\n", skeleton, skeleton / empty);
  std::printf("skeleton + %d print calls        %8.1f fps  (%.2f of empty)\n", PRINTS_PER_FRAME, printing,
              printing / empty);
  std::printf("start-up to first presented frame %8.1f ms (best of %d, in process)\n", best_startup * 1000.0,
              STARTUP_RUNS);
  std::printf("mfd_display --frames 1, whole run %8.1f ms (best of %d, process start to exit)\n", program * 1000.0,
              STARTUP_RUNS);
  return 0;
}
