// TGA decoding from hand-made files in memory.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "framework/tga.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes header(uint8_t type, uint16_t width, uint16_t height, uint8_t depth) {
  Bytes h(18, 0);
  h[2] = type;
  h[12] = width & 0xFF;
  h[13] = width >> 8;
  h[14] = height & 0xFF;
  h[15] = height >> 8;
  h[16] = depth;
  return h;
}

void append(Bytes* b, std::initializer_list<uint8_t> bytes) { b->insert(b->end(), bytes); }

bool decode(const Bytes& b, TgaImage* image) { return decode_tga(b.data(), b.size(), image); }

}  // namespace

TEST(TgaDecode, UncompressedTrueColourSwapsToRgbAndKeepsFileRowOrder) {
  // 3 x 2 RGB: a row of 9 bytes, not a multiple of four.
  Bytes f = header(2, 3, 2, 24);
  append(&f, {1, 2, 3, 4, 5, 6, 7, 8, 9});         // first file row (B, G, R)
  append(&f, {10, 11, 12, 13, 14, 15, 16, 17, 18}); // second file row
  TgaImage img;
  ASSERT_TRUE(decode(f, &img));
  EXPECT_EQ(img.bytes_per_pixel, 3u);
  EXPECT_EQ(img.width, 3u);
  EXPECT_EQ(img.height, 2u);
  EXPECT_EQ(img.pixels, (Bytes{3, 2, 1, 6, 5, 4, 9, 8, 7, 12, 11, 10, 15, 14, 13, 18, 17, 16}));

  Bytes g = header(2, 2, 1, 32);
  append(&g, {1, 2, 3, 200, 4, 5, 6, 0});
  ASSERT_TRUE(decode(g, &img));
  EXPECT_EQ(img.bytes_per_pixel, 4u);
  EXPECT_EQ(img.pixels, (Bytes{3, 2, 1, 200, 6, 5, 4, 0}));
}

TEST(TgaDecode, SixteenBitBecomesRgbInStepsOfEight) {
  Bytes f = header(2, 2, 1, 16);
  // Top bit set (ignored), R 31, G 16, B 1; then all zero.
  uint16_t p = (1u << 15) | (31u << 10) | (16u << 5) | 1u;
  append(&f, {static_cast<uint8_t>(p & 0xFF), static_cast<uint8_t>(p >> 8), 0, 0});
  TgaImage img;
  ASSERT_TRUE(decode(f, &img));
  EXPECT_EQ(img.bytes_per_pixel, 3u);
  EXPECT_EQ(img.pixels, (Bytes{248, 128, 8, 0, 0, 0}));
}

TEST(TgaDecode, RunLengthPacketsOfBothKinds) {
  // 24-bit: the longest run (header 255 = 128 copies), then a raw packet of 2.
  Bytes f = header(10, 130, 1, 24);
  append(&f, {255, 10, 20, 30});
  append(&f, {1, 1, 2, 3, 4, 5, 6});
  TgaImage img;
  ASSERT_TRUE(decode(f, &img));
  ASSERT_EQ(img.pixels.size(), 130u * 3);
  for (int i = 0; i < 128; ++i) {
    ASSERT_EQ(img.pixels[i * 3 + 0], 30) << i;
    ASSERT_EQ(img.pixels[i * 3 + 1], 20) << i;
    ASSERT_EQ(img.pixels[i * 3 + 2], 10) << i;
  }
  EXPECT_EQ(Bytes(img.pixels.begin() + 384, img.pixels.end()), (Bytes{3, 2, 1, 6, 5, 4}));

  // 32-bit keeps alpha; a run longer than the image stops at its last pixel.
  Bytes g = header(10, 3, 1, 32);
  append(&g, {0x80 + 9, 1, 2, 3, 77});
  ASSERT_TRUE(decode(g, &img));
  EXPECT_EQ(img.bytes_per_pixel, 4u);
  EXPECT_EQ(img.pixels, (Bytes{3, 2, 1, 77, 3, 2, 1, 77, 3, 2, 1, 77}));

  // A raw packet longer than the image also stops there.
  Bytes h = header(10, 1, 1, 24);
  append(&h, {5, 1, 2, 3, 4, 5, 6, 7, 8, 9});
  ASSERT_TRUE(decode(h, &img));
  EXPECT_EQ(img.pixels, (Bytes{3, 2, 1}));
}

TEST(TgaDecode, SkipsIdFieldAndColourMap) {
  Bytes f = header(2, 1, 1, 24);
  f[0] = 3;   // ID length
  f[1] = 1;   // colour map present
  f[5] = 2;   // two entries
  f[7] = 15;  // of 15 bits, stored in two bytes each
  append(&f, {'i', 'd', '!'});
  append(&f, {0xEE, 0xEE, 0xEE, 0xEE});
  append(&f, {1, 2, 3});
  TgaImage img;
  ASSERT_TRUE(decode(f, &img));
  EXPECT_EQ(img.pixels, (Bytes{3, 2, 1}));
}

TEST(TgaDecode, TruncatedFilesLeaveTheRestBlack) {
  Bytes f = header(2, 2, 2, 24);
  append(&f, {1, 2, 3, 4, 5});  // one whole pixel and part of the next
  TgaImage img;
  ASSERT_TRUE(decode(f, &img));
  EXPECT_EQ(img.pixels, (Bytes{3, 2, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0}));

  Bytes g = header(10, 4, 1, 24);
  append(&g, {0x81, 9, 9, 9, 3, 1, 2});  // run of 2, then a raw packet cut short
  ASSERT_TRUE(decode(g, &img));
  EXPECT_EQ(img.pixels, (Bytes{9, 9, 9, 9, 9, 9, 0, 0, 0, 0, 0, 0}));

  Bytes h = header(10, 2, 1, 24);
  append(&h, {0x81, 1});  // run packet whose pixel is cut short
  ASSERT_TRUE(decode(h, &img));
  EXPECT_EQ(img.pixels, Bytes(6, 0));
}

TEST(TgaDecode, RefusesUnsupportedAndHostileHeaders) {
  TgaImage img;
  for (uint8_t type : {0, 1, 3, 9, 11, 255}) EXPECT_FALSE(decode(header(type, 1, 1, 24), &img)) << int(type);
  for (uint8_t depth : {0, 8, 15, 16, 31, 255}) EXPECT_FALSE(decode(header(10, 1, 1, depth), &img)) << int(depth);
  for (uint8_t depth : {0, 8, 15, 31, 64}) EXPECT_FALSE(decode(header(2, 1, 1, depth), &img)) << int(depth);
  EXPECT_FALSE(decode(header(2, 0, 5, 24), &img));
  EXPECT_FALSE(decode(header(2, 5, 0, 24), &img));
  EXPECT_FALSE(decode(header(10, TGA_MAX_SIDE + 1, 1, 32), &img));
  EXPECT_FALSE(decode(header(2, 1, 65535, 32), &img));
  Bytes short_header = header(2, 1, 1, 24);
  short_header.resize(17);
  EXPECT_FALSE(decode(short_header, &img));
  EXPECT_FALSE(decode_tga(nullptr, 0, &img));
  // The largest accepted side is still decoded (all black, nothing to read).
  ASSERT_TRUE(decode(header(2, TGA_MAX_SIDE, 1, 24), &img));
  EXPECT_EQ(img.pixels.size(), size_t{TGA_MAX_SIDE} * 3);
}

TEST(TgaLoad, ReadsAFileAndReportsOneThatCannotBeOpened) {
  auto path = std::filesystem::temp_directory_path() / ("tga_load_test_" + std::to_string(std::random_device{}()) + ".tga");
  Bytes f = header(2, 1, 1, 24);
  append(&f, {1, 2, 3});
  FILE* out = std::fopen(path.string().c_str(), "wb");
  ASSERT_NE(out, nullptr);
  std::fwrite(f.data(), 1, f.size(), out);
  std::fclose(out);
  TgaImage img;
  testing::internal::CaptureStdout();
  EXPECT_TRUE(load_tga(path.string().c_str(), &img));
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  EXPECT_EQ(img.pixels, (Bytes{3, 2, 1}));
  std::filesystem::remove(path);

  testing::internal::CaptureStdout();
  EXPECT_FALSE(load_tga(path.string().c_str(), &img));
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "\nUnable to load TGA File!\n");
}
