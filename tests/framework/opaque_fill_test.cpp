// Opaque fills skip blending only where that leaves the very same pixel, and
// hand the blending state back as they found it.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include "framework/opaque_fill.h"
#include "platform/gl_test_context.h"

namespace {

constexpr int FRAME_PIXELS = 8;

struct Case {
  const char* name;
  bool blend;
  GLenum source, destination;
  float alpha;
  bool compiling;
  bool paused;  // blending off while drawing
};

// A red fill of `alpha` over the frame, through opaque_fill_begin/end.
void fill(float alpha, bool* paused) {
  glColor4f(1.0f, 0.0f, 0.0f, alpha);
  *paused = opaque_fill_begin();
  glBegin(GL_QUADS);
  glVertex2f(-1, -1);
  glVertex2f(1, -1);
  glVertex2f(1, 1);
  glVertex2f(-1, 1);
  glEnd();
  opaque_fill_end(*paused);
}

}  // namespace

TEST(OpaqueFill, BlendsExactlyAsBeforeAndRestoresTheState) {
  GlTestContext* context = gl_test_context_create(FRAME_PIXELS, FRAME_PIXELS);
  ASSERT_NE(context, nullptr);
  const Case cases[] = {
      {"opaque, blending on", true, GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, 1.0f, false, true},
      {"translucent", true, GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, 0.5f, false, false},
      {"blending off", false, GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, 1.0f, false, false},
      {"additive", true, GL_ONE, GL_ONE, 1.0f, false, false},
      {"compiling a list", true, GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, 1.0f, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    glClearColor(0.0f, 0.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    if (c.blend) {
      glEnable(GL_BLEND);
    } else {
      glDisable(GL_BLEND);
    }
    glBlendFunc(c.source, c.destination);
    const GLuint list = glGenLists(1);
    if (c.compiling) glNewList(list, GL_COMPILE_AND_EXECUTE);
    bool paused = false;
    fill(c.alpha, &paused);
    if (c.compiling) glEndList();
    glDeleteLists(list, 1);
    uint8_t pixel[4] = {0, 0, 0, 0};
    glReadPixels(FRAME_PIXELS / 2, FRAME_PIXELS / 2, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    EXPECT_EQ(paused, c.paused);
    EXPECT_EQ(glIsEnabled(GL_BLEND) == GL_TRUE, c.blend);
    // Whatever the path, the pixel is what the blending state asks for:
    // red over blue, half and half when translucent, both when additive.
    const bool half = c.blend && c.alpha < 1.0f;
    const bool additive = c.blend && c.source == GL_ONE;
    EXPECT_NEAR(pixel[0], half ? 128 : 255, 1);
    EXPECT_NEAR(pixel[2], half ? 128 : (additive ? 255 : 0), 1);
  }
  gl_test_context_destroy(context);
}
