#pragma once
// PNG images for screenshots and test probes: 8-bit RGB, rows top first.
#include <cstdint>
#include <vector>

struct RgbImage {
  int width, height;
  std::vector<uint8_t> pixels;  // width * height * 3, first row = top
};

bool png_write_rgb(const char* path, const RgbImage& image);  // written atomically
bool png_read_rgb(const char* path, RgbImage* image);
