// The bezel overlay drawn the way the display unit draws it: its painted soft
// keys and knob must lie under the click boxes, and the screen must show the
// picture through it.
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>
#include <string>

#include "framework/tga.h"
#include "framework/unit_common.h"
#include "platform/gl_test_context.h"
#include "tests/support/picture_dump.h"

namespace {

// The default drawing area: 605 high, 0.7165 x 605 wide.
constexpr int WIDTH = 433, HEIGHT = 605;
constexpr int OVERLAY_SLOT = 4, BACKGROUND_SLOT = 3;
constexpr double QUAD_HALF_WIDTH = 0.7164, FULL_SCREEN_DEPTH = 2.425, OVERLAY_EXTRA_DEPTH = 0.15;

// Hit boxes of the bezel, percent of the drawing area.
struct Box {
  double x0, x1, y0, y1;
};
const Box SOFT_KEYS[6] = {{17, 24, 87, 90}, {27, 34, 87, 90}, {38, 45, 87, 90},
                          {49, 56, 87, 90}, {59, 66, 87, 90}, {70, 76, 87, 90}};
const Box KNOB_DECREMENT = {83, 87, 87, 92}, KNOB_INCREMENT = {87, 91, 87, 92};

std::string artwork(const char* name) { return std::string(COCKPIT_BINARY_DIR) + "/artwork/" + name + ".tga"; }

void textured_quad(GLuint texture, double depth) {
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, texture);
  glColor3f(1, 1, 1);
  glLoadIdentity();
  glTranslated(0, 0, -depth);
  glBegin(GL_QUADS);
  glTexCoord2f(0, 0);
  glVertex2d(-QUAD_HALF_WIDTH, -1);
  glTexCoord2f(1, 0);
  glVertex2d(QUAD_HALF_WIDTH, -1);
  glTexCoord2f(1, 1);
  glVertex2d(QUAD_HALF_WIDTH, 1);
  glTexCoord2f(0, 1);
  glVertex2d(-QUAD_HALF_WIDTH, 1);
  glEnd();
  glDisable(GL_BLEND);
  glDisable(GL_TEXTURE_2D);
}

struct Rgba {
  int r, g, b, a;
  int luminance() const { return (r * 3 + g * 6 + b) / 10; }
  bool magenta() const { return r > 240 && g < 15 && b > 240; }
  bool grey() const { return std::abs(r - g) < 24 && std::abs(g - b) < 24; }
};

class BezelArtwork : public ::testing::Test {
 protected:
  void SetUp() override {
    context = gl_test_context_create(WIDTH, HEIGHT);
    ASSERT_NE(context, nullptr);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, static_cast<double>(WIDTH) / HEIGHT, 0.1, 100.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
  }
  void TearDown() override { gl_test_context_destroy(context); }

  Rgba at(double px, double py) const {
    int x = static_cast<int>(px / 100 * WIDTH), y = static_cast<int>(py / 100 * HEIGHT);
    const uint8_t* p = &pixels[(static_cast<size_t>(y) * WIDTH + x) * 4];
    return {p[0], p[1], p[2], p[3]};
  }

  GlTestContext* context = nullptr;
  uint32_t slots[TEXTURE_SLOT_COUNT] = {};
  std::vector<uint8_t> pixels;
};

}  // namespace

TEST_F(BezelArtwork, OverlayKeysLieOnTheClickBoxesAndTheScreenShowsThrough) {
  TgaImage image;
  ASSERT_TRUE(load_tga(artwork("MFD_Overlay").c_str(), &image));
  EXPECT_EQ(image.bytes_per_pixel, 4u);  // needs alpha for the screen opening
  ASSERT_TRUE(make_texture(slots, artwork("MFD_Overlay").c_str(), OVERLAY_SLOT));

  // The picture under the bezel is plain magenta; the overlay goes on top as
  // the frame draws it, 0.15 behind the full-screen quads.
  glClearColor(1, 0, 1, 1);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  textured_quad(slots[OVERLAY_SLOT], FULL_SCREEN_DEPTH + OVERLAY_EXTRA_DEPTH);
  pixels = read_gl_pixels(WIDTH, HEIGHT);
  dump_picture("artwork_mfd_overlay", pixels, WIDTH, HEIGHT);

  for (int key = 0; key < 6; ++key) {
    const Box& b = SOFT_KEYS[key];
    Rgba centre = at((b.x0 + b.x1) / 2, (b.y0 + b.y1) / 2);
    EXPECT_TRUE(centre.grey() && centre.luminance() > 85)
        << "soft key " << key << ": " << centre.r << "," << centre.g << "," << centre.b;
    // Just inside each corner of the box is still key.
    for (double px : {b.x0 + 0.6, b.x1 - 0.6})
      for (double py : {b.y0 + 0.5, b.y1 - 0.5}) {
        Rgba inner = at(px, py);
        EXPECT_GT(inner.luminance(), 70) << "soft key " << key << " at " << px << "," << py;
      }
  }
  // Between the keys there is only bezel: clicks there do nothing.
  for (double px : {25.5, 36.0, 47.0, 57.5, 68.0}) {
    Rgba gap = at(px, 88.5);
    EXPECT_FALSE(gap.magenta()) << px;
    EXPECT_LT(gap.luminance(), 60) << px;
  }
  for (const Box& b : {KNOB_DECREMENT, KNOB_INCREMENT}) {
    Rgba knob = at((b.x0 + b.x1) / 2, (b.y0 + b.y1) / 2);
    EXPECT_TRUE(knob.grey() && knob.luminance() > 85) << b.x0 << ": " << knob.r << "," << knob.g << "," << knob.b;
  }
  // The screen opening is transparent right to its corners, the bezel is
  // opaque around it.
  for (double px : {9.0, 50.0, 91.0})
    for (double py : {7.0, 45.0, 83.0}) EXPECT_TRUE(at(px, py).magenta()) << px << "," << py;
  for (auto p : {std::pair{50.0, 86.0}, std::pair{5.0, 50.0}, std::pair{95.0, 50.0}, std::pair{50.0, 4.5},
                 std::pair{50.0, 95.0}})
    EXPECT_FALSE(at(p.first, p.second).magenta()) << p.first << "," << p.second;
}

TEST_F(BezelArtwork, ScreenBackgroundIsOpaqueAndDark) {
  ASSERT_TRUE(make_texture(slots, artwork("MFD_NoBezel").c_str(), BACKGROUND_SLOT));
  glClearColor(1, 0, 1, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  textured_quad(slots[BACKGROUND_SLOT], FULL_SCREEN_DEPTH);
  pixels = read_gl_pixels(WIDTH, HEIGHT);
  int brightest = 0;
  for (int y = 1; y < 99; ++y)
    for (int x = 1; x < 99; ++x) brightest = std::max(brightest, at(x, y).luminance());
  EXPECT_LT(brightest, 20);
}
