#include <gtest/gtest.h>

#include "framework/display_power.h"
#include "framework/drawing_area.h"
#include "framework/harness.h"
#include "framework/overlay_quads.h"

#include <algorithm>
#include <vector>

namespace {

TEST(DrawingArea, DisplayUnitWidthFollowsHeight) {
  DrawingArea area{};
  ASSERT_TRUE(drawing_area_for_client(ASPECT_WIDTH_FROM_HEIGHT, DU_WIDTH_PER_HEIGHT, 484, 605, &area));
  EXPECT_EQ(area.width, 433);
  EXPECT_EQ(area.height, 605);
  ASSERT_TRUE(drawing_area_for_client(ASPECT_WIDTH_FROM_HEIGHT, DU_WIDTH_PER_HEIGHT, 2000, 1000, &area));
  EXPECT_EQ(area.width, 716);  // a wider window shows black to the right
  ASSERT_TRUE(drawing_area_for_client(ASPECT_WIDTH_FROM_HEIGHT, DU_WIDTH_PER_HEIGHT, 3000, 2000, &area));
  EXPECT_EQ(area.width, 1433);  // an exact product is not cut one pixel short
  ASSERT_TRUE(drawing_area_for_client(ASPECT_WIDTH_FROM_HEIGHT, DU_WIDTH_PER_HEIGHT, 5, 1, &area));
  EXPECT_EQ(area.width, 1);
}

TEST(DrawingArea, EfisHeightFollowsWidthAndStaysPositive) {
  DrawingArea area{};
  ASSERT_TRUE(drawing_area_for_client(ASPECT_HEIGHT_FROM_WIDTH, EFIS_WIDTH_PER_HEIGHT, 549, 400, &area));
  EXPECT_EQ(area.width, 549);
  EXPECT_EQ(area.height, 200);
  ASSERT_TRUE(drawing_area_for_client(ASPECT_HEIGHT_FROM_WIDTH, EFIS_WIDTH_PER_HEIGHT, 2, 400, &area));
  EXPECT_EQ(area.height, 1);
}

TEST(DrawingArea, MinimisedClientKeepsThePreviousArea) {
  DrawingArea area{433, 605};
  EXPECT_FALSE(drawing_area_for_client(ASPECT_WIDTH_FROM_HEIGHT, DU_WIDTH_PER_HEIGHT, 0, 0, &area));
  EXPECT_FALSE(drawing_area_for_client(ASPECT_WIDTH_FROM_HEIGHT, DU_WIDTH_PER_HEIGHT, 484, 0, &area));
  EXPECT_FALSE(drawing_area_for_client(ASPECT_HEIGHT_FROM_WIDTH, EFIS_WIDTH_PER_HEIGHT, 0, 200, &area));
  EXPECT_EQ(area.width, 433);
  EXPECT_EQ(area.height, 605);
}

// Runs one powered frame and returns the alpha of its quad.
float powered_frame(DisplayPower* power, bool* fading) {
  float alpha = display_power_quad_alpha(power, fading);
  display_power_end_frame(power);
  return alpha;
}

TEST(DisplayPower, PowerUpFadesInOver200FramesThenFollowsBrightness) {
  DisplayPower power{};
  power.brightness = 51;
  display_power_off(&power);  // battery reads off at first
  power.battery_on = 1;
  bool fading = false;
  for (int frame = 1; frame <= 200; ++frame) {
    float alpha = powered_frame(&power, &fading);
    ASSERT_TRUE(fading) << frame;
    EXPECT_NEAR(alpha, 1.0f - FADE_STEP_PER_FRAME * (frame - 1), 1e-4f) << frame;
    ASSERT_GT(alpha, 0.004f) << frame;
  }
  // The 201st quad is fully transparent; the fade then ends.
  float last = powered_frame(&power, &fading);
  EXPECT_TRUE(fading);
  EXPECT_LT(last, 1e-5f);
  EXPECT_TRUE(power.fade_complete);
  float dimmed = powered_frame(&power, &fading);
  EXPECT_FALSE(fading);
  EXPECT_FLOAT_EQ(dimmed, 51 / 255.0f);
  power.brightness = 255;
  EXPECT_FLOAT_EQ(powered_frame(&power, &fading), 1.0f);
}

TEST(DisplayPower, BatteryOffBlanksAtOnceAndTheNextPowerUpFadesAgain) {
  DisplayPower power{};
  power.battery_on = 1;
  power.fade_complete = true;
  bool fading = false;
  powered_frame(&power, &fading);
  power.battery_on = 0;
  display_power_off(&power);
  display_power_end_frame(&power);
  EXPECT_FLOAT_EQ(power.fade_alpha, 1.0f);
  EXPECT_FALSE(power.fade_complete);
  EXPECT_EQ(power.previous_battery_on, 0);
  power.battery_on = 1;
  EXPECT_FLOAT_EQ(powered_frame(&power, &fading), 1.0f);
  EXPECT_TRUE(fading);
}

// An opaque frame around a clear window with rounded corners of radius 6.
std::vector<uint8_t> framed_alpha(int width, int height, int border) {
  std::vector<uint8_t> alpha(static_cast<size_t>(width) * height, 255);
  for (int y = border; y < height - border; ++y)
    for (int x = border; x < width - border; ++x) {
      int dx = std::min(x - border, width - border - 1 - x), dy = std::min(y - border, height - border - 1 - y);
      bool corner = dx < 6 && dy < 6 && (6 - dx) * (6 - dx) + (6 - dy) * (6 - dy) > 36;
      alpha[static_cast<size_t>(y) * width + x] = corner ? 255 : 0;
    }
  return alpha;
}

TEST(OverlayOpening, FoundInsideTheClearWindowWithItsMargin) {
  const int w = 200, h = 100, border = 20;
  std::vector<uint8_t> alpha = framed_alpha(w, h, border);
  OverlayOpening o = find_alpha_opening(alpha.data(), w, h);
  ASSERT_TRUE(o.found);
  int x0 = static_cast<int>(o.u_min * w + 0.5f), x1 = static_cast<int>(o.u_max * w + 0.5f) - 1;
  int y0 = static_cast<int>(o.v_min * h + 0.5f), y1 = static_cast<int>(o.v_max * h + 0.5f) - 1;
  // Every texel of the opening and its margin is clear.
  for (int y = y0 - OVERLAY_OPENING_MARGIN_TEXELS; y <= y1 + OVERLAY_OPENING_MARGIN_TEXELS; ++y)
    for (int x = x0 - OVERLAY_OPENING_MARGIN_TEXELS; x <= x1 + OVERLAY_OPENING_MARGIN_TEXELS; ++x)
      ASSERT_EQ(alpha[static_cast<size_t>(y) * w + x], 0) << x << "," << y;
  EXPECT_GT(x1 - x0, w - 2 * border - 2 * OVERLAY_OPENING_MARGIN_TEXELS - 12);
}

TEST(OverlayOpening, NoneWhenTheMiddleIsPaintedOrTheWindowTooSmall) {
  std::vector<uint8_t> solid(64 * 64, 255);
  EXPECT_FALSE(find_alpha_opening(solid.data(), 64, 64).found);
  std::vector<uint8_t> narrow = framed_alpha(64, 64, 24);  // 16 texels: nothing left after the margins
  EXPECT_FALSE(find_alpha_opening(narrow.data(), 64, 64).found);
  EXPECT_FALSE(find_alpha_opening(solid.data(), 2, 2).found);
}

TEST(HarnessOptions, ParsesKnownOptionsInDecimalOrHex) {
  const char* argv[] = {"unit", "--frames", "012", "--screenshot", "a.png", "--dump-text", "t.txt",
                        "--headless", "--workdir", "w", "--press-key", "3:0x1B"};
  HarnessOptions options;
  std::string error;
  ASSERT_TRUE(parse_harness_options(12, const_cast<char**>(argv), &options, &error)) << error;
  EXPECT_EQ(options.frames, 12);
  EXPECT_EQ(options.screenshot, "a.png");
  EXPECT_EQ(options.dump_text, "t.txt");
  EXPECT_EQ(options.workdir, "w");
  EXPECT_TRUE(options.headless);
  ASSERT_EQ(options.key_presses.size(), 1u);
  EXPECT_EQ(options.key_presses[0].pass, 3);
  EXPECT_EQ(options.key_presses[0].virtual_key, 27);

  HarnessOptions none;
  const char* plain[] = {"unit"};
  ASSERT_TRUE(parse_harness_options(1, const_cast<char**>(plain), &none, &error));
  EXPECT_EQ(none.frames, 0);
  EXPECT_FALSE(none.headless);
}

TEST(HarnessOptions, RejectsMalformedValues) {
  std::string error;
  HarnessOptions options;
  for (const char* bad : {"0", "-3", "ten", "99999999999", "", "0x", "1e3", " 5"}) {
    const char* argv[] = {"unit", "--frames", bad};
    EXPECT_FALSE(parse_harness_options(3, const_cast<char**>(argv), &options, &error)) << bad;
  }
  for (const char* unknown : {"-something", "--frame", "extra"}) {
    const char* argv[] = {"unit", unknown, "3"};
    EXPECT_FALSE(parse_harness_options(3, const_cast<char**>(argv), &options, &error)) << unknown;
    EXPECT_NE(error.find("unknown option"), std::string::npos) << unknown;
  }
  const char* missing[] = {"unit", "--screenshot"};
  EXPECT_FALSE(parse_harness_options(2, const_cast<char**>(missing), &options, &error));
  for (const char* bad : {"3", "3:", ":27", "3:256", "0:27"}) {
    const char* argv[] = {"unit", "--press-key", bad};
    EXPECT_FALSE(parse_harness_options(3, const_cast<char**>(argv), &options, &error)) << bad;
  }
}

}  // namespace
