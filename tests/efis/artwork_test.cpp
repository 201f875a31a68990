// The panel picture agrees with the program: every button zone's centre lands
// on a painted button, the knob centres are where the pointers start, each
// pointer tip falls on its OFF / VOR / ADF / FMS mark, and the source light
// falls on the FMS and NAV annunciator windows.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "efis/efis_geometry.h"
#include "framework/tga.h"

namespace {

constexpr double PI = 3.14159265358979323846;

struct Rgb { int r, g, b; };

struct Picture {
  TgaImage image;
  // (u, v) in texture coordinates, v from the bottom as the quad maps it.
  Rgb at(double u, double v) const {
    uint32_t x = static_cast<uint32_t>(u * image.width);
    uint32_t y = static_cast<uint32_t>(v * image.height);
    const uint8_t* p = &image.pixels[(static_cast<size_t>(y) * image.width + x) * image.bytes_per_pixel];
    return Rgb{p[0], p[1], p[2]};
  }
};

// A point of the drawing space projected onto the panel quad's plane, as
// texture coordinates.
void world_to_texture(double x, double y, double z, double* u, double* v) {
  double scale = EFIS_QUAD_Z / z;
  *u = (x * scale - EFIS_QUAD_X) / EFIS_QUAD_WIDTH;
  *v = (y * scale - EFIS_QUAD_Y) / EFIS_QUAD_HEIGHT;
}

// A click position in percent of the drawing area (py from the top), as
// texture coordinates.
void percent_to_texture(double px, double py, double* u, double* v) {
  double half_height = -EFIS_QUAD_Z * std::tan(EFIS_FIELD_OF_VIEW / 2.0 * PI / 180.0);
  double half_width = half_height * EFIS_ASPECT;
  world_to_texture((px / 50.0 - 1.0) * half_width, (1.0 - py / 50.0) * half_height, EFIS_QUAD_Z, u, v);
}

bool is_button_face(Rgb c) { return std::abs(c.r - 0x4b) < 12 && std::abs(c.g - 0x4f) < 12 && std::abs(c.b - 0x56) < 12; }
bool is_mark(Rgb c) { return c.r > 200 && c.g > 200 && c.b > 200; }
// Darker than any part of the panel face: the knob caps and the annunciator windows.
bool is_dark(Rgb c) { return c.r < 24 && c.g < 24 && c.b < 24; }

class EfisArtwork : public ::testing::Test {
 protected:
  Picture picture;
  void SetUp() override {
    std::string path = std::string(COCKPIT_BINARY_DIR) + "/artwork/EFIS_2.tga";
    ASSERT_TRUE(load_tga(path.c_str(), &picture.image)) << path;
    ASSERT_NEAR(static_cast<double>(picture.image.width) / picture.image.height, EFIS_ASPECT, 0.01);
  }
};

}  // namespace

TEST_F(EfisArtwork, EveryZoneCentreIsOnAButton) {
  const double zones[][2] = {{9, 20}, {21, 31}, {33, 43}, {57, 67}, {68, 78}, {79, 89}};
  const double row_middle = (8.0 + 35.0) / 2.0;
  for (const auto& zone : zones) {
    double u, v;
    percent_to_texture((zone[0] + zone[1]) / 2.0, row_middle, &u, &v);
    Rgb c = picture.at(u, v);
    EXPECT_TRUE(is_button_face(c)) << "zone " << zone[0] << ".." << zone[1] << ": " << c.r << "," << c.g << "," << c.b;
    // The gap between zones 0 and 1 is panel, not button.
    percent_to_texture(20.5, row_middle, &u, &v);
    EXPECT_FALSE(is_button_face(picture.at(u, v)));
  }
}

TEST_F(EfisArtwork, KnobsSitUnderThePointersWithAMarkAtEachTip) {
  struct Knob { float x; const float* angles; double zone_left, zone_right; };
  const Knob knobs[] = {{EFIS_KNOB1_X, EFIS_KNOB1_ANGLES, 12, 21}, {EFIS_KNOB2_X, EFIS_KNOB2_ANGLES, 70, 80}};
  for (const Knob& knob : knobs) {
    double u, v;
    world_to_texture(knob.x, EFIS_KNOB_Y, EFIS_POINTER_Z, &u, &v);
    EXPECT_TRUE(is_dark(picture.at(u, v))) << "knob centre at u " << u;
    // The knob centre is inside its click zone.
    double left_u, top_v, right_u, bottom_v;
    percent_to_texture(knob.zone_left, 53, &left_u, &top_v);
    percent_to_texture(knob.zone_right, 77, &right_u, &bottom_v);
    EXPECT_GT(u, left_u);
    EXPECT_LT(u, right_u);
    EXPECT_LT(v, top_v);
    EXPECT_GT(v, bottom_v);
    for (int position = 0; position < 4; ++position) {
      double angle = knob.angles[position] * PI / 180.0;
      double tip_x = knob.x + EFIS_POINTER_LENGTH * std::cos(angle);
      double tip_y = EFIS_KNOB_Y + EFIS_POINTER_LENGTH * std::sin(angle);
      world_to_texture(tip_x, tip_y, EFIS_POINTER_Z, &u, &v);
      Rgb c = picture.at(u, v);
      EXPECT_TRUE(is_mark(c)) << "knob at " << knob.x << " position " << position << ": " << c.r << "," << c.g << "," << c.b;
    }
  }
}

TEST_F(EfisArtwork, SourceLightLiesOnTheFmsAndNavWindows) {
  for (float x : {EFIS_LIGHT_FMS_X, EFIS_LIGHT_NAV_X}) {
    for (float along : {0.0f, EFIS_LIGHT_LENGTH / 2, EFIS_LIGHT_LENGTH}) {
      double u, v;
      world_to_texture(x + along, EFIS_LIGHT_Y, EFIS_POINTER_Z, &u, &v);
      Rgb c = picture.at(u, v);
      EXPECT_TRUE(is_dark(c)) << "light at " << x << "+" << along << ": " << c.r << "," << c.g << "," << c.b;
    }
  }
}
