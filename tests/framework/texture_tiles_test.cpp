// A full-area texture drawn by its tiles gives the picture of the whole
// blended quad, at the unit's window size, smaller ones, and one so small
// that the whole quad is drawn instead.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cstdlib>
#include <string>

#include "framework/drawing_area.h"
#include "framework/overlay_quads.h"
#include "framework/tga.h"
#include "framework/unit_common.h"
#include "platform/gl_test_context.h"

namespace {

constexpr int MAX_WIDTH = 433, MAX_HEIGHT = 605;

// A blue-green frame with a red band, so that transparent texels show.
void background(int width, int height) {
  glViewport(0, 0, width, height);
  glDisable(GL_BLEND);
  glClearColor(0.1f, 0.5f, 0.8f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  apply_drawing_area(DrawingArea{width, height});
  glColor3f(0.9f, 0.2f, 0.1f);
  glTranslatef(0.0f, 0.0f, -FULL_QUAD_DEPTH);
  glBegin(GL_QUADS);
  glVertex2f(-0.2f, -1.0f);
  glVertex2f(0.2f, -1.0f);
  glVertex2f(0.2f, 1.0f);
  glVertex2f(-0.2f, 1.0f);
  glEnd();
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

}  // namespace

TEST(TextureTiles, DrawTheSamePictureAsTheWholeQuad) {
  GlTestContext* context = gl_test_context_create(MAX_WIDTH, MAX_HEIGHT);
  ASSERT_NE(context, nullptr);
  const char* const pictures[] = {"DU_NoBezel", "MFD_NoBezel", "DU_BezelOverlay"};
  const int sizes[][2] = {{433, 605}, {300, 419}, {200, 279}, {100, 140}};
  for (const char* picture : pictures) {
    uint32_t slots[TEXTURE_SLOT_COUNT] = {};
    const std::string path = std::string(COCKPIT_BINARY_DIR) + "/artwork/" + picture + ".tga";
    ASSERT_TRUE(make_texture(slots, path.c_str(), 0)) << path;
    const TextureTiles tiles = plan_texture_tiles(slots[0]);
    ASSERT_GT(tiles.width, 0) << picture;
    for (const auto& size : sizes) {
      SCOPED_TRACE(std::string(picture) + " at " + std::to_string(size[0]) + "x" + std::to_string(size[1]));
      background(size[0], size[1]);
      draw_full_textured_quad(slots[0]);
      const std::vector<uint8_t> whole = read_gl_pixels(size[0], size[1]);
      background(size[0], size[1]);
      draw_full_textured_quad(slots[0], tiles);
      EXPECT_TRUE(glIsEnabled(GL_BLEND));
      const std::vector<uint8_t> tiled = read_gl_pixels(size[0], size[1]);
      ASSERT_EQ(whole.size(), tiled.size());
      int differing = 0, largest = 0;
      for (size_t i = 0; i < whole.size(); ++i) {
        const int d = std::abs(whole[i] - tiled[i]);
        differing += d != 0;
        largest = d > largest ? d : largest;
      }
      EXPECT_LE(largest, 1);
      EXPECT_LE(differing, size[0] * size[1] / 200);
    }
    glDeleteTextures(1, &slots[0]);
  }
  gl_test_context_destroy(context);
}
