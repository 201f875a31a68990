#pragma once
// Scripted left clicks for test runs: "--click FRAME:X:Y" presses the left
// button at client pixel (X, Y) just before frame FRAME (1 = first) runs.
#include <cstdint>

constexpr int EFIS_MAX_SCRIPTED_CLICKS = 64;
constexpr const char* EFIS_CLICK_USAGE = "  --click FRAME:X:Y      a left click at client pixel X,Y before frame FRAME (tests)\n";
constexpr int EFIS_MAX_SCRIPT_FRAME = 100000000;
constexpr int EFIS_MAX_SCRIPT_PIXEL = 100000;

struct EfisClick {
  int frame, x, y;
};

struct EfisClickScript {
  EfisClick clicks[EFIS_MAX_SCRIPTED_CLICKS];
  int count;
};

// "FRAME:X:Y", each a decimal number in range (frame >= 1, pixels >= 0).
bool efis_parse_click(const char* text, EfisClick* click);
// Takes every "--click VALUE" out of argv (so the remaining arguments are the
// common ones) and into the script. False with a message for a bad value or
// too many clicks.
bool efis_take_click_options(int* argc, char** argv, EfisClickScript* script, const char** error);
