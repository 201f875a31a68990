#pragma once
// Drawing helpers shared by the PFD instruments: placement in the
// perspective camera, clip boxes in fractions of the drawing area, colours.
#include <cstdint>

struct Rgb { float r, g, b; };

constexpr Rgb PFD_WHITE = {1, 1, 1};
constexpr Rgb PFD_BLACK = {0, 0, 0};
constexpr Rgb PFD_RED = {1, 0, 0};
constexpr Rgb PFD_CYAN = {0, 1, 1};
constexpr Rgb PFD_MAGENTA = {0.882f, 0, 0.482f};
constexpr Rgb PFD_YELLOW = {1, 1, 0};
constexpr Rgb PFD_AMBER = {1, 0.75f, 0};              // failure texts
constexpr Rgb PFD_GREEN = {0.156f, 0.803f, 0.215f};
constexpr Rgb PFD_V2_GREEN = {0, 0.98f, 0.027f};
constexpr Rgb PFD_GREY = {0.6f, 0.6f, 0.6f};

constexpr int PFD_FONT = 2;          // all PFD text
constexpr int PFD_FONT_SPARE = 3;    // built, unused by the instruments

void pfd_set_colour(Rgb c);
// Identity, then a translation to (x, y, -depth).
void pfd_place(float x, float y, float depth);
// A clip box (left, bottom, width, height) in fractions of the drawing width W and height H.
void pfd_clip_box(float left, float bottom, float width, float height);
void pfd_no_clip();
// Filled and outlined polygons from an array of x, y pairs.
void pfd_fill_polygon(const float* xy, int points);
void pfd_line_loop(const float* xy, int points);
void pfd_line_strip(const float* xy, int points);
void pfd_line(float x1, float y1, float x2, float y2);
