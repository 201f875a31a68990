// The bezel drawn as strips around its opening gives the same picture as the
// framework's single quad.
#include <GL/gl.h>

#include <string>

#include "framework/overlay_quads.h"
#include "pfd/pfd_frame_bezel.h"
#include "pfd/pfd_groups.h"
#include "pfd2_picture_fixture.h"

namespace {

TEST(BezelOpening, GrowsFromTheCentreAndKeepsAMargin) {
  TgaImage im{4, 100, 50, std::vector<uint8_t>(100 * 50 * 4, 255)};
  for (uint32_t y = 10; y < 40; ++y)
    for (uint32_t x = 20; x < 90; ++x) im.pixels[(y * 100 + x) * 4 + 3] = 0;
  TexRect r = transparent_opening(im, 2);
  EXPECT_FLOAT_EQ(r.u0, 22 / 100.0f);
  EXPECT_FLOAT_EQ(r.u1, 88 / 100.0f);
  EXPECT_FLOAT_EQ(r.v0, 12 / 50.0f);
  EXPECT_FLOAT_EQ(r.v1, 38 / 50.0f);
  im.pixels[(25 * 100 + 50) * 4 + 3] = 255;  // an opaque centre: no opening
  r = transparent_opening(im, 2);
  EXPECT_GE(r.u0, r.u1);
  TgaImage rgb{3, 10, 10, std::vector<uint8_t>(300, 0)};
  r = transparent_opening(rgb, 0);
  EXPECT_GE(r.u0, r.u1);
}

class BezelStrips : public PfdPicture {};

TEST_F(BezelStrips, SamePictureAsTheWholeQuad) {
  const std::string path = std::string(COCKPIT_BINARY_DIR) + "/artwork/DU_BezelOverlay.tga";
  uint32_t textures[8] = {};
  ASSERT_TRUE(make_texture(textures, path.c_str(), 4));
  ASSERT_TRUE(bezel_opening_load(path.c_str()));
  auto frame = [&](bool strips) {
    begin();
    draw_attitude_group();  // something under the bezel
    draw_speed_group();
    glEnable(GL_BLEND);
    if (strips) draw_bezel_overlay_strips(textures[4]);
    else draw_bezel_overlay(textures[4]);
    read_pixels();
    return pixels_;
  };
  const std::vector<uint8_t> whole = frame(false);
  const std::vector<uint8_t> cut = frame(true);
  ASSERT_EQ(whole.size(), cut.size());
  size_t different = 0;
  for (size_t i = 0; i < whole.size(); ++i)
    if (std::abs(whole[i] - cut[i]) > 2) ++different;
  EXPECT_EQ(different, 0u);
  glDeleteTextures(1, &textures[4]);
}

}  // namespace
