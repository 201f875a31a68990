#pragma once
// What the display unit hands the unit skeleton, and the names it shows.
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

const UnitHooks& mfd_unit_hooks();
