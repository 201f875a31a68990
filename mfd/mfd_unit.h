#pragma once
// mfd_display's pieces for the skeleton: start-up list, frame, input.
#include "framework/skeleton.h"

constexpr const char* MFD_STARTUP_TITLE = "Starting Up Please Wait";
constexpr const char* MFD_TITLE_DU2 = "Korvu DU2 EICAS - v1.0.0.4 build 203";
constexpr const char* MFD_TITLE_DU3 = "Korvu DU3 MFD - v1.0.0.4 build 203";
constexpr const char* MFD_FONT_FACE = "Korvu";
constexpr int MFD_FONT_HEIGHT = 10;
constexpr int FONT_WEIGHT_NORMAL = 400;
constexpr int FONT_WEIGHT_BOLD = 700;
constexpr int MFD_FONT_SLOT_NORMAL = 2;
constexpr int MFD_FONT_SLOT_BOLD = 3;

bool mfd_gl_init();
bool mfd_frame();
void mfd_left_click(int x, int y);
void mfd_release_gl();  // display lists, while the context is current
// Frame step 4: range keys, layer toggles and the knob counter.
void mfd_keyboard_handling();
// The skeleton hooks of mfd_display.
const UnitHooks& mfd_unit_hooks();
