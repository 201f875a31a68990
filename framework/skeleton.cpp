// The unit program skeleton: start-up, main loop and shutdown shared by every unit.
#include "framework/skeleton.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "framework/drawing_area.h"
#include "framework/frame_capture.h"
#include "framework/harness.h"
#include "framework/link_state.h"
#include "framework/settings_file.h"
#include "framework/text.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "platform/sound.h"
#include "platform/window.h"

namespace {

constexpr int KEY_ESCAPE = 0x1B;
constexpr int KEY_FRAMELESS = 'F';
constexpr int IDLE_SLEEP_MS = 1;
constexpr int EXIT_OK = 0;
constexpr int EXIT_FAILED = 1;
constexpr int EXIT_USAGE = 2;  // the command line itself is wrong
constexpr int64_t PROGRESS_PERIOD_MS = 1000;

UnitCommon* g_common = nullptr;
const UnitHooks* g_hooks = nullptr;
HarnessOptions g_options;
GLUquadric* g_quadric = nullptr;

void record_placement() {
  int x = g_common->x_position, y = g_common->y_position;
  platform_window_position(&x, &y);
  g_common->x_position = x;
  g_common->y_position = y;
}

void resize(int client_width, int client_height) {
  DrawingArea area;
  // A minimised window reports 0 x 0: keep the previous size and projection.
  if (!drawing_area_for_client(g_hooks->aspect, g_hooks->aspect_factor, client_width, client_height, &area))
    return;
  g_common->x_size = area.width;
  g_common->y_size = area.height;
  record_placement();
  apply_drawing_area(area);
}

void set_gl_defaults() {
  glShadeModel(GL_SMOOTH);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glEnable(GL_LINE_SMOOTH);
  glHint(GL_LINE_SMOOTH_HINT, GL_NICEST);
  glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
  glClearDepth(1.0);
  g_quadric = gluNewQuadric();
  if (g_quadric) gluQuadricNormals(g_quadric, GLU_SMOOTH);
}

// Releases what the window owns: GL objects while the context is still
// current, then the context and the window.
void release_window() {
  if (!platform_window_exists()) return;
  if (g_hooks->before_shutdown) g_hooks->before_shutdown();
  delete_fonts();
  if (g_quadric) gluDeleteQuadric(g_quadric);
  g_quadric = nullptr;
  platform_window_destroy();
}

void shutdown() {
  if (g_common->window_created && !g_common->settings_kept && file_readable(g_hooks->settings_file))
    g_hooks->write_settings(false);
  release_window();
  link_close(g_common);
  platform_wait_sounds();
}

void handle_event(const PlatformEvent& event) {
  switch (event.type) {
    case EVENT_QUIT:
      g_common->quit_requested = true;
      g_common->done = true;
      g_common->exit_code = EXIT_OK;
      break;
    case EVENT_ACTIVATE:
      g_common->active = event.value != 0;
      break;
    case EVENT_KEY_DOWN:
    case EVENT_KEY_UP:
      if (event.value > 0 && event.value < KEY_STATE_COUNT) g_common->keys[event.value] = event.type == EVENT_KEY_DOWN;
      break;
    case EVENT_RESIZE:
      resize(event.a, event.b);
      if (g_hooks->window_moved) g_hooks->window_moved();
      break;
    case EVENT_MOVED:
      record_placement();
      if (g_hooks->window_moved) g_hooks->window_moved();
      break;
    case EVENT_LEFT_CLICK:
      g_common->click_x = event.a;
      g_common->click_y = event.b;
      if (g_hooks->left_click) g_hooks->left_click(event.a, event.b);
      break;
    case EVENT_RIGHT_CLICK:
      if (g_hooks->right_click) g_hooks->right_click();
      break;
    case EVENT_NONE:
      break;
  }
}

// The --set values: the window block here, everything else by the unit.
bool apply_settings(std::string* error) {
  constexpr int MAX_SIDE = SETTINGS_MAX_WINDOW_SIDE, MAX_COORDINATE = 32767;
  for (const auto& [name, value] : g_options.settings) {
    int a = 0, b = 0;
    bool ok;
    if (name == "size") {
      ok = settings_value_int_pair(value.c_str(), &a, &b) && a > 0 && b > 0 && a <= MAX_SIDE && b <= MAX_SIDE;
      if (ok) g_common->x_size = a, g_common->y_size = b;
    } else if (name == "position") {
      ok = settings_value_int_pair(value.c_str(), &a, &b) && a >= -MAX_COORDINATE && a <= MAX_COORDINATE &&
           b >= -MAX_COORDINATE && b <= MAX_COORDINATE;
      if (ok) g_common->x_position = a, g_common->y_position = b;
    } else {
      ok = g_hooks->set_setting && g_hooks->set_setting(name.c_str(), value.c_str());
    }
    if (!ok) {
      *error = "--set " + harness_printable(name + "=" + value) + ": no such setting, or a value it cannot take";
      return false;
    }
  }
  return true;
}

// Only a settings file that does not exist is written with the defaults. One
// that exists but cannot be read (no permission, damaged disk) may hold the
// other side's or the user's own settings: it is kept as it is, and this run
// works with the defaults in memory.
void prepare_settings_file() {
  const char* file = g_hooks->settings_file;
  remove_stale_temporaries(file);
  std::string reason;
  switch (file_probe(file, SETTINGS_FILE_LIMIT, &reason)) {
    case FILE_MISSING:
      g_hooks->write_settings(true);
      break;
    case FILE_UNREADABLE:
      g_common->settings_kept = true;
      std::fprintf(stderr, "%s cannot be read (%s): running with the default settings, the file is left as it is\n",
                   file, reason.c_str());
      break;
    case FILE_PRESENT:
      break;
  }
}

void inject_scheduled_keys(int pass) {
  for (const KeyPress& press : g_options.key_presses) {
    if (press.pass == pass) platform_inject_key(press.virtual_key, true);
    if (press.pass + 1 == pass) platform_inject_key(press.virtual_key, false);
  }
}

void write_last_frame_outputs() {
  if (!g_options.screenshot.empty() && !capture_frame_png(g_options.screenshot.c_str()))
    std::fprintf(stderr, "could not write the screenshot %s\n", g_options.screenshot.c_str());
  if (!g_options.dump_text.empty() && !text_capture_write(g_options.dump_text.c_str()))
    std::fprintf(stderr, "could not write the text dump %s\n", g_options.dump_text.c_str());
}

// For soak runs: how far the unit got and whether it holds the link, in a
// file another program may read at any moment (so written whole).
void report_progress(long frames) {
  static int64_t last_ms = -PROGRESS_PERIOD_MS;
  const int64_t now = platform_clock_ms();
  if (g_options.progress.empty() || now - last_ms < PROGRESS_PERIOD_MS) return;
  last_ms = now;
  const std::string text = "frames " + std::to_string(frames) + "\nconnected " + (g_common->connected ? "1" : "0") + "\n";
  write_file_atomic(g_options.progress.c_str(), text);
}

void toggle_frameless() {
  record_placement();
  platform_window_set_frameless(!g_common->frameless);
  clear_key(g_common, KEY_FRAMELESS);
  g_common->frameless = !g_common->frameless;
}

void main_loop() {
  int pass = 0;
  long frames_drawn = 0;
  inject_scheduled_keys(1);
  while (!g_common->done) {
    PlatformEvent event;
    if (platform_poll_event(&event)) {
      handle_event(event);
      continue;
    }
    ++pass;
    if (g_common->active) {
      text_capture_clear();
      if (!g_hooks->frame()) {
        g_common->done = true;
        g_common->exit_code = EXIT_FAILED;
      }
      report_progress(++frames_drawn);
    } else {
      // Nothing drawn: do not spin.
      platform_sleep_ms(IDLE_SLEEP_MS);
    }
    if (!g_common->done && key_down(g_common, KEY_ESCAPE)) {
      g_common->done = true;
      g_common->exit_code = EXIT_OK;
    }
    if (!g_common->done) {
      bool last = g_options.frames > 0 && pass >= g_options.frames;
      if (last) write_last_frame_outputs();
      platform_window_swap();
      if (last) {
        g_common->done = true;
        g_common->exit_code = EXIT_OK;
      }
    }
    if (key_down(g_common, KEY_FRAMELESS)) toggle_frameless();
    inject_scheduled_keys(pass + 1);
  }
}

}  // namespace

GLUquadric* skeleton_quadric() { return g_quadric; }

bool key_down(const UnitCommon* common, int virtual_key) {
  return virtual_key >= 0 && virtual_key < KEY_STATE_COUNT && common->keys[virtual_key];
}

void clear_key(UnitCommon* common, int virtual_key) {
  if (virtual_key >= 0 && virtual_key < KEY_STATE_COUNT) common->keys[virtual_key] = false;
}

void fatal_texture_missing() {
  std::fputs("\nUnable to load TGA File!\n", stderr);
  std::fflush(stdout);
  if (g_common) {
    release_window();
    link_close(g_common);
  }
  std::exit(EXIT_FAILED);
}

int run_unit(int argc, char** argv, UnitCommon* common, const UnitHooks* hooks) {
  g_common = common;
  g_hooks = hooks;
  std::string error;
  const std::string program = argc > 0 ? std::filesystem::path(argv[0]).stem().string() : "unit";
  if (!parse_harness_options(argc, argv, &g_options, &error)) {
    std::fprintf(stderr, "%s: %s\n(%s --help lists the options)\n", program.c_str(), error.c_str(), program.c_str());
    return EXIT_USAGE;
  }
  if (g_options.help) {
    std::fputs(harness_usage(program.c_str(), hooks->unit_options).c_str(), stdout);
    return EXIT_OK;
  }
  platform_set_headless(g_options.headless);
  // Output paths name places as seen from where the program was started.
  std::error_code ec;
  if (!g_options.screenshot.empty()) g_options.screenshot = std::filesystem::absolute(g_options.screenshot, ec).string();
  if (!g_options.dump_text.empty()) g_options.dump_text = std::filesystem::absolute(g_options.dump_text, ec).string();
  if (!g_options.progress.empty()) g_options.progress = std::filesystem::absolute(g_options.progress, ec).string();
  text_capture_enable(!g_options.dump_text.empty());
  if (!g_options.workdir.empty() && !change_directory(g_options.workdir.c_str())) {
    std::fprintf(stderr, "cannot change to the working folder %s\n", harness_printable(g_options.workdir).c_str());
    return EXIT_FAILED;
  }
  platform_clock_ms();  // the process clock starts here

  if (!g_options.write_settings) link_try_open(common);
  prepare_settings_file();
  hooks->read_settings();
  if (!apply_settings(&error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    link_close(common);
    return EXIT_USAGE;
  }
  if (g_options.write_settings) {
    if (hooks->write_settings(false)) return EXIT_OK;
    std::fprintf(stderr, "cannot write the settings file %s\n", hooks->settings_file);
    return EXIT_FAILED;
  }

  PlatformWindowParams params{hooks->startup_title(), common->x_size, common->y_size, common->x_position,
                          common->y_position, common->frameless,
                          hooks->limit_tracking_size ? MAX_TRACKING_SIZE : 0};
  const char* failure = nullptr;
  if (!platform_window_create(params, &failure)) {
    // The settings are not saved from a window that never existed.
    link_close(common);
    platform_message_box("ERROR", failure, ICON_EXCLAMATION);
    return EXIT_FAILED;
  }
  platform_window_show();
  common->active = true;
  resize(params.client_width, params.client_height);
  set_gl_defaults();
  if (!hooks->gl_init()) {
    release_window();
    link_close(common);
    platform_message_box("ERROR", "Initialization Failed.", ICON_EXCLAMATION);
    return EXIT_FAILED;
  }
  common->window_created = true;

  main_loop();
  shutdown();
  return common->exit_code;
}
