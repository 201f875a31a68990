// Reading the back buffer, the same on every system.
#include <cstring>

#include "platform/gl_test_context.h"
#include <GL/gl.h>

std::vector<uint8_t> read_gl_pixels(int width, int height) {
  std::vector<uint8_t> bottom_up(static_cast<size_t>(width) * height * 4);
  glFinish();
  glReadBuffer(GL_BACK);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, bottom_up.data());
  std::vector<uint8_t> top_down(bottom_up.size());
  const size_t row = static_cast<size_t>(width) * 4;
  for (int y = 0; y < height; ++y)
    std::memcpy(&top_down[static_cast<size_t>(y) * row], &bottom_up[static_cast<size_t>(height - 1 - y) * row], row);
  return top_down;
}
