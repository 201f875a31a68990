// Textures made from TGA files: tightly packed rows, alpha kept, filters set.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "framework/tga.h"
#include "framework/unit_common.h"
#include "platform/gl_test_context.h"

namespace {

using Bytes = std::vector<uint8_t>;

class TgaTexture : public ::testing::Test {
 protected:
  void SetUp() override {
    context = gl_test_context_create(64, 64);
    ASSERT_NE(context, nullptr);
  }
  void TearDown() override {
    for (const auto& path : files) std::filesystem::remove(path);
    gl_test_context_destroy(context);
  }
  std::string write_tga(uint16_t width, uint16_t height, uint8_t depth, const Bytes& pixels) {
    Bytes file(18, 0);
    file[2] = 2;
    file[12] = width & 0xFF;
    file[14] = height & 0xFF;
    file[16] = depth;
    file.insert(file.end(), pixels.begin(), pixels.end());
    auto path = std::filesystem::temp_directory_path() / ("tga_texture_" + std::to_string(std::random_device{}()) + ".tga");
    FILE* f = std::fopen(path.string().c_str(), "wb");
    EXPECT_NE(f, nullptr);
    if (f) {
      std::fwrite(file.data(), 1, file.size(), f);
      std::fclose(f);
    }
    files.push_back(path);
    return path.string();
  }
  GLint level0(GLenum parameter) {
    GLint value = -1;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, parameter, &value);
    return value;
  }

  GlTestContext* context = nullptr;
  std::vector<std::filesystem::path> files;
  uint32_t slots[TEXTURE_SLOT_COUNT] = {};
};

}  // namespace

TEST_F(TgaTexture, RgbRowsOfThreeBytesArriveUnskewed) {
  // 1 x 4 needs no rescaling; each 3-byte row would be misread with GL's
  // default 4-byte row alignment. File rows: red, green, blue, white (B G R).
  std::string path = write_tga(1, 4, 24, {0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255});
  ASSERT_TRUE(make_texture(slots, path.c_str(), 2));
  ASSERT_NE(slots[2], 0u);
  glBindTexture(GL_TEXTURE_2D, slots[2]);
  EXPECT_EQ(level0(GL_TEXTURE_WIDTH), 1);
  EXPECT_EQ(level0(GL_TEXTURE_HEIGHT), 4);
  EXPECT_EQ(level0(GL_TEXTURE_ALPHA_SIZE), 0);
  Bytes texels(12, 0);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
  EXPECT_EQ(texels, (Bytes{255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255}));

  GLint filter = 0, alignment = 0;
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &filter);
  EXPECT_EQ(filter, GL_LINEAR_MIPMAP_NEAREST);
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &filter);
  EXPECT_EQ(filter, GL_LINEAR);
  glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
  EXPECT_EQ(alignment, 4);  // left as it was
}

TEST_F(TgaTexture, AlphaIsKeptAndOddSizesAreAccepted) {
  std::string rgba = write_tga(2, 2, 32, Bytes(16, 128));
  ASSERT_TRUE(make_texture(slots, rgba.c_str(), 4));
  glBindTexture(GL_TEXTURE_2D, slots[4]);
  EXPECT_GT(level0(GL_TEXTURE_ALPHA_SIZE), 0);

  std::string odd = write_tga(3, 5, 24, Bytes(45, 200));
  ASSERT_TRUE(make_texture(slots, odd.c_str(), 3));
  glBindTexture(GL_TEXTURE_2D, slots[3]);
  EXPECT_GT(level0(GL_TEXTURE_WIDTH), 0);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(TgaTexture, MissingOrUnusableFilesMakeNoTexture) {
  testing::internal::CaptureStdout();
  EXPECT_FALSE(make_texture(slots, "no/such/file.tga", 3));
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "\nUnable to load TGA File!\n");
  EXPECT_EQ(slots[3], 0u);
  std::string greyscale_depth = write_tga(1, 1, 8, {7});
  testing::internal::CaptureStdout();
  EXPECT_FALSE(make_texture(slots, greyscale_depth.c_str(), 3));
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "\nUnable to load TGA File!\n");  // as for a missing one
  EXPECT_EQ(slots[3], 0u);
  EXPECT_FALSE(make_texture(slots, greyscale_depth.c_str(), TEXTURE_SLOT_COUNT));
  EXPECT_TRUE(make_texture(slots, nullptr, 3));  // no path: nothing to do
  EXPECT_EQ(slots[3], 0u);
}
