#pragma once
// The PFD's skeleton hooks: start-up list, one frame, and the bezel click.
#include "framework/skeleton.h"

// Texture slots loaded at start.
constexpr int TEXTURE_ZERO_FLAG = 2;
constexpr int TEXTURE_SCREEN = 3;
constexpr int TEXTURE_BEZEL = 4;

// Values in place before the settings file is read.
void pfd_prepare();
bool pfd_gl_init();
bool pfd_frame();
// Draws the picture of the current values without any exchange (tests).
void pfd_draw();
// Pieces of the picture: the screen background texture, and the dimming
// quad (battery on) with the bezel overlay (when shown) over everything.
void pfd_draw_screen_background();
void pfd_draw_overlays(float dim_alpha);
void pfd_left_click(int x, int y);
void pfd_before_shutdown();
const char* pfd_startup_title();
// The hooks for run_unit().
const UnitHooks* pfd_hooks();
