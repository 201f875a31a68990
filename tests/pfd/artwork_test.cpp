// The generated PFD textures: the painted controls sit on the click zones,
// the screen opening and the attitude window are transparent.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "framework/overlay_quads.h"
#include "framework/tga.h"
#include "pfd/pfd_frame_logic.h"

namespace {

// The bezel quad lies deeper than the screen quads: the part of the drawing
// area it covers, from the projection's 45-degree field of view.
double overlay_cover() {
  const double depth = FULL_QUAD_DEPTH + BEZEL_OVERLAY_OFFSET;
  return FULL_QUAD_HALF_HEIGHT / (depth * std::tan(22.5 * M_PI / 180));
}

struct Texture {
  TgaImage image{};
  bool ok = false;
  double cover = 1;  // 1: the texture spans the drawing area
  explicit Texture(const char* name) {
    ok = load_tga((std::string(COCKPIT_BINARY_DIR) + "/artwork/" + name + ".tga").c_str(), &image);
  }
  // RGBA at a point given in percent of the drawing area from the top left.
  void at(float x_screen, float y_screen, int rgba[4]) const {
    const float x_percent = static_cast<float>(50 + (x_screen - 50) / cover);
    const float y_percent = static_cast<float>(50 + (y_screen - 50) / cover);
    for (int i = 0; i < 4; ++i) rgba[i] = 0;  // beyond the texture: nothing drawn
    if (x_percent < 0 || x_percent >= 100 || y_percent < 0 || y_percent >= 100) return;
    uint32_t x = static_cast<uint32_t>(x_percent / 100 * image.width);
    uint32_t row_from_top = static_cast<uint32_t>(y_percent / 100 * image.height);
    uint32_t row = image.height - 1 - row_from_top;  // first file row is the bottom
    const uint8_t* p = &image.pixels[(static_cast<size_t>(row) * image.width + x) * image.bytes_per_pixel];
    for (int i = 0; i < 4; ++i) rgba[i] = i < 3 || image.bytes_per_pixel == 4 ? p[i] : 255;
  }
  bool opaque(float x, float y) const {
    int c[4];
    at(x, y, c);
    return c[3] > 240;
  }
  bool transparent(float x, float y) const {
    int c[4];
    at(x, y, c);
    return c[3] < 16;
  }
  // The controls are painted light grey; the bezel body is dark.
  bool control(float x, float y) const {
    int c[4];
    at(x, y, c);
    return c[3] > 240 && c[0] > 95 && c[1] > 95 && c[2] > 95;
  }
};

TEST(PfdArtwork, ButtonsAndKnobsSitOnTheirClickZones) {
  Texture bezel("DU_BezelOverlay");
  ASSERT_TRUE(bezel.ok);
  bezel.cover = overlay_cover();
  ASSERT_NEAR(bezel.cover, 0.9375, 0.001);
  ASSERT_EQ(bezel.image.bytes_per_pixel, 4u);
  for (const ZoneRect& button : {MINIMUMS_MODE_BUTTON, STANDARD_BARO_BUTTON}) {
    // The cap fills the zone: corners just inside and the centre are light.
    EXPECT_TRUE(bezel.control(button.x_min + 1.5f, button.y_min + 1));
    EXPECT_TRUE(bezel.control(button.x_max - 1.5f, button.y_max - 0.5f));
    EXPECT_TRUE(bezel.control((button.x_min + button.x_max) / 2, button.y_min + 0.7f));
    // and ends at it.
    EXPECT_FALSE(bezel.control(button.x_min - 1, (button.y_min + button.y_max) / 2));
    EXPECT_FALSE(bezel.control(button.x_max + 1, (button.y_min + button.y_max) / 2));
  }
  struct Knob { ZoneRect zone; float split; };
  for (const Knob& knob : {Knob{MINIMUMS_KNOB, MINIMUMS_KNOB_DOWN_MAX}, Knob{BARO_KNOB, BARO_KNOB_DOWN_MAX}}) {
    const float cy = (knob.zone.y_min + knob.zone.y_max) / 2;
    // Both halves of the knob (step down / step up) lie in the zone.
    EXPECT_TRUE(bezel.control(knob.split - 1.5f, cy));
    EXPECT_TRUE(bezel.control(knob.split + 1.5f, cy));
    EXPECT_FALSE(bezel.control(knob.zone.x_min - 1.5f, 91.5f));  // below the buttons
    EXPECT_FALSE(bezel.control(knob.zone.x_max + 1.5f, cy));
  }
  // The screen opening shows the picture; the bezel body is opaque.
  EXPECT_TRUE(bezel.transparent(50, 40));
  EXPECT_TRUE(bezel.transparent(10, 10));
  EXPECT_TRUE(bezel.opaque(50, 88));
  EXPECT_TRUE(bezel.opaque(4, 50));
  EXPECT_TRUE(bezel.transparent(1, 50));  // the outer band is beyond the overlay quad
}

TEST(PfdArtwork, ScreenBackgroundOpensTheAttitudeWindow) {
  Texture screen("DU_NoBezel");
  ASSERT_TRUE(screen.ok);
  ASSERT_EQ(screen.image.bytes_per_pixel, 4u);
  EXPECT_TRUE(screen.transparent(50, 29));   // sphere centre
  EXPECT_TRUE(screen.transparent(34, 29));   // near the left side
  EXPECT_TRUE(screen.transparent(50, 16));   // below the roll scale's top
  EXPECT_TRUE(screen.opaque(50, 12));        // above the arc
  EXPECT_TRUE(screen.opaque(25, 29));        // beyond the straight side
  EXPECT_TRUE(screen.opaque(50, 70));
  EXPECT_TRUE(screen.opaque(5, 95));
}

TEST(PfdArtwork, ZeroFlagIsHatched) {
  Texture flag("zero_flag");
  ASSERT_TRUE(flag.ok);
  int green = 0, dark = 0;
  for (float y = 2; y < 100; y += 4) {
    for (float x = 2; x < 100; x += 4) {
      int c[4];
      flag.at(x, y, c);
      if (c[1] > 150 && c[0] < 100) ++green;
      if (c[0] + c[1] + c[2] < 60) ++dark;
    }
  }
  EXPECT_GT(green, 100);
  EXPECT_GT(dark, 100);
}

}  // namespace
