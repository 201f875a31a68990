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
  void (*write_settings)(bool defaults);  // defaults: write the default file
  void (*read_settings)();            // fills common->x_size... and the unit's own values
  const char* (*startup_title)();     // title given at window creation
  AspectRule aspect;
  double aspect_factor;              // kept in double: float would truncate exact products one pixel short
  bool limit_tracking_size;           // display units cap the window at 3000 x 3000
  bool (*gl_init)();                  // the unit's GL initialisation list; false = "Initialization Failed."
  bool (*frame)();                    // one frame, its exchange and its 1 ms sleep; false ends the loop (exit 1)
  void (*left_click)(int x, int y);   // client pixels, origin top left; may be null
  void (*window_moved)();             // after the placement is recorded; may be null
  void (*before_shutdown)();          // unit teardown while the GL context is current; may be null
};

// Runs the program: parses the common options (--frames N, --screenshot FILE,
// --dump-text FILE, --headless, --workdir DIR), then start-up, main loop and
// shutdown. Returns the process exit code.
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
