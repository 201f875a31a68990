#pragma once
// The unit program skeleton: start-up, main loop, shutdown. Each program fills
// a UnitHooks record and calls run_unit() from main().
#include "framework/unit_common.h"

// How the drawing area follows the client size.
enum AspectRule {
  ASPECT_WIDTH_FROM_HEIGHT,  // display units: width = height * factor (0.7165), truncated
  ASPECT_HEIGHT_FROM_WIDTH,  // EFIS panel: height = width / factor (2.745), truncated, >= 1
};

struct UnitHooks {
  const char* settings_file;          // "MFD.ini", "PFD.ini", "EFIS.ini", "RMU.ini"
  bool (*write_settings)(bool defaults);  // defaults: the default file; false when it could not be written
  void (*read_settings)();            // fills common->x_size... and the unit's own values
  // One of the unit's own settings by name from the command line (--set
  // NAME=VALUE), after the file was read; false for a name or value it does
  // not take. The skeleton takes "size" (W,H) and "position" (X,Y) itself.
  bool (*set_setting)(const char* name, const char* value);
  const char* (*startup_title)();     // title given at window creation
  AspectRule aspect;
  double aspect_factor;              // kept in double: float would truncate exact products one pixel short
  bool limit_tracking_size;           // display units cap the window at 3000 x 3000
  bool (*gl_init)();                  // the unit's GL initialisation list; false = "Initialization Failed."
  bool (*frame)();                    // one frame, its exchange and its 1 ms sleep; false ends the loop (exit 1)
  void (*left_click)(int x, int y);   // client pixels, origin top left; may be null
  void (*window_moved)();             // after the placement is recorded; may be null
  void (*before_shutdown)();          // unit teardown while the GL context is current; may be null
  void (*right_click)();              // right button pressed; may be null
  const char* unit_options;           // the unit's own lines of the --help text; may be null
};

// Runs the program: parses the common options (--frames N, --screenshot FILE,
// --dump-text FILE, --headless, --workdir DIR, --set NAME=VALUE,
// --write-settings, and the test hook --press-key PASS:VK; --help prints the
// usage and ends with 0, an unknown option or a bad value ends with 2), then:
//   start-up: open the link silently; remove temporaries of the settings file
//     left by killed processes; write the default settings when the file does
//     not exist (one that exists but cannot be read is kept, never written,
//     and the unit runs with its defaults), then read_settings() and the --set
//     values (an unknown name or a bad value: message, exit 2). With --write-settings the
//     settings file is written from those values and the program ends there
//     (0, or 1 when the file could not be written), before the link, the
//     window or anything else is touched. Otherwise create the window (client size
//     x_size by y_size at x_position, y_position; failure: message box
//     "ERROR", exit 1, settings untouched); show it; resize; the shared GL
//     state and quadric; gl_init() (false: "Initialization Failed.", exit 1);
//   main loop: every waiting event first (close, key table, resize,
//     move -> window_moved(), left click -> left_click(), right click ->
//     right_click()); then, while active,
//     the text capture is cleared and frame() runs; Escape ends the loop (0);
//     the frame is presented; 'F' toggles the frame keeping the position.
//     A minimised window draws nothing and sleeps 1 ms per pass;
//   shutdown: write_settings(false) when the file exists and was read, before_shutdown(),
//     fonts and quadric deleted with the context current, window released,
//     link closed.
// The unit's frame() reopens the link itself while common->connected is false
// (framework/link_state.h). Returns the process exit code: 0 after a close,
// Escape or --frames, 1 after a failed frame or start-up.
int run_unit(int argc, char** argv, UnitCommon* common, const UnitHooks* hooks);

// A texture the unit cannot do without failed to load: reports it on stdout
// and stderr, releases the window and the link, and ends the process with 1.
[[noreturn]] void fatal_texture_missing();

// The window's GLU quadric (smooth normals) for disks and rings, made at
// start-up and kept for the life of the window.
typedef struct GLUquadric GLUquadric;
GLUquadric* skeleton_quadric();

// The key-state entry of a virtual-key code, false outside the table.
bool key_down(const UnitCommon* common, int virtual_key);
void clear_key(UnitCommon* common, int virtual_key);
