#pragma once
// Reading back the rendered frame: screenshots and pixel probes for tests.
#include <cstdint>

#include "platform/png_file.h"

struct ProbeColour {
  uint8_t r, g, b;
};

// The back buffer of the whole client area, first row = top. Call before the swap.
bool capture_frame(RgbImage* image);
bool capture_frame_png(const char* path);
// The pixel at x, y counted from the top left; black outside the image.
ProbeColour probe_pixel(const RgbImage& image, int x, int y);
// True when every channel is within `tolerance` of the expected one.
bool colour_near(ProbeColour colour, uint8_t r, uint8_t g, uint8_t b, int tolerance);
