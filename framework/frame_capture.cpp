#include "framework/frame_capture.h"

#include <GL/gl.h>

#include <cstdlib>
#include <cstring>

#include "platform/window.h"

bool capture_frame(RgbImage* image) {
  int width = 0, height = 0;
  platform_window_client_size(&width, &height);
  if (width <= 0 || height <= 0) return false;
  std::vector<uint8_t> bottom_up(static_cast<size_t>(width) * height * 3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadBuffer(GL_BACK);
  glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, bottom_up.data());
  image->width = width;
  image->height = height;
  image->pixels.resize(bottom_up.size());
  size_t row = static_cast<size_t>(width) * 3;
  for (int y = 0; y < height; ++y)
    std::memcpy(&image->pixels[y * row], &bottom_up[(height - 1 - y) * row], row);
  return true;
}

bool capture_frame_png(const char* path) {
  RgbImage image;
  return capture_frame(&image) && png_write_rgb(path, image);
}

ProbeColour probe_pixel(const RgbImage& image, int x, int y) {
  if (x < 0 || y < 0 || x >= image.width || y >= image.height) return ProbeColour{0, 0, 0};
  size_t at = (static_cast<size_t>(y) * image.width + x) * 3;
  return ProbeColour{image.pixels[at], image.pixels[at + 1], image.pixels[at + 2]};
}

bool colour_near(ProbeColour colour, uint8_t r, uint8_t g, uint8_t b, int tolerance) {
  return std::abs(colour.r - r) <= tolerance && std::abs(colour.g - g) <= tolerance &&
         std::abs(colour.b - b) <= tolerance;
}
