// Cost of the outline-font text: building the two display-unit fonts, and a
// frame of 200 print() calls against an empty frame measured in the same run.
// Run under a display (Xvfb): framework_text_bench [frames]
#include <GL/gl.h>
#include <GL/glu.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "framework/tga.h"
#include "framework/text.h"
#include "platform/gl_test_context.h"

namespace {

constexpr int WIDTH = 433, HEIGHT = 605;
constexpr int PRINTS_PER_FRAME = 200;
using Clock = std::chrono::steady_clock;

double seconds_since(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

void empty_frame() {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glFinish();
}

void print_frame() {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  for (int i = 0; i < PRINTS_PER_FRAME; ++i) {
    glLoadIdentity();
    glColor3f(0.156f, 0.803f, 0.215f);
    glTranslatef(-7.5f + (i % 4) * 4.5f, 11.0f - (i / 4) * 0.45f, -30.0f);
    glScalef(0.4f, 0.4f, 1.0f);
    print(2 + i % 2, i % 3, "N%03d %5.1f", i, i * 1.25);
  }
  glFinish();
}

double frames_per_second(void (*frame)(), int frames) {
  for (int i = 0; i < 20; ++i) frame();  // warm-up: lists uploaded, shaders compiled
  auto start = Clock::now();
  for (int i = 0; i < frames; ++i) frame();
  return frames / seconds_since(start);
}

}  // namespace

int main(int argc, char** argv) {
  const int frames = argc > 1 ? std::max(1, std::atoi(argv[1])) : 300;
  GlTestContext* context = gl_test_context_create(WIDTH, HEIGHT);
  if (!context) return 1;
  glMatrixMode(GL_PROJECTION);
  gluPerspective(45.0, static_cast<double>(WIDTH) / HEIGHT, 0.1, 100.0);
  glMatrixMode(GL_MODELVIEW);

  auto start = Clock::now();
  bool built = build_font("Korvu", 2, 10, 400) && build_font("Korvu", 3, 10, 700);
  const double font_seconds = seconds_since(start);
  if (!built) {
    std::fprintf(stderr, "framework_text_bench: no font\n");
    gl_test_context_destroy(context);
    return 1;
  }

  const double empty_fps = frames_per_second(empty_frame, frames);
  const double print_fps = frames_per_second(print_frame, frames);
  text_capture_clear();

  std::printf("two fonts built (2 x 256 glyph lists): %.1f ms\n", font_seconds * 1000.0);
  std::printf("empty frame:            %8.1f frames/s\n", empty_fps);
  std::printf("%d prints per frame:   %8.1f frames/s (%.2f of the empty frame, %.2f us per print)\n",
              PRINTS_PER_FRAME, print_fps, print_fps / empty_fps,
              (1.0 / print_fps - 1.0 / empty_fps) / PRINTS_PER_FRAME * 1e6);
  delete_fonts();
  gl_test_context_destroy(context);
  return 0;
}
