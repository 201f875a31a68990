// The display unit's frame under Xvfb with the battery driven directly: the
// fade-in, the dimming, the blanking and the bezel overlay, seen in pixels.
#include <gtest/gtest.h>
#include <GL/gl.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "framework/drawing_area.h"
#include "framework/frame_capture.h"
#include "framework/overlay_quads.h"
#include "framework/text.h"
#include "mfd/mfd_menu.h"
#include "mfd/mfd_state.h"
#include "mfd/mfd_unit.h"
#include "platform/files.h"
#include "platform/window.h"
#include "tests/support/golden.h"

namespace fs = std::filesystem;

namespace {

constexpr int CENTRE_X = 216, CENTRE_Y = 300;

class MfdFrame : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = fs::temp_directory_path() / "mfd_frame_test";
    fs::remove_all(dir_);
    fs::create_directories(dir_ / "textures");
    for (const char* name : {"MFD_Overlay.tga", "MFD_NoBezel.tga"})
      fs::copy_file(fs::path(COCKPIT_BINARY_DIR) / "artwork" / name, dir_ / "textures" / name);
  }
  static void TearDownTestSuite() { fs::remove_all(dir_); }
  void SetUp() override {
    ASSERT_TRUE(change_directory(dir_.string().c_str()));
    g_mfd = MfdState{};
    PlatformWindowParams params{"frame test", 484, 605, 0, 0, false, 0};
    const char* error = nullptr;
    ASSERT_TRUE(platform_window_create(params, &error)) << error;
    apply_drawing_area(DrawingArea{433, 605});
    ASSERT_TRUE(mfd_unit_hooks().gl_init());
    // A white clear stands in for a page picture under the fade quad.
    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
  }
  void TearDown() override {
    mfd_unit_hooks().before_shutdown();
    platform_window_destroy();
  }
  static ProbeColour frame_centre() {
    EXPECT_TRUE(mfd_unit_hooks().frame());
    RgbImage image;
    EXPECT_TRUE(capture_frame(&image));
    platform_window_swap();
    return probe_pixel(image, CENTRE_X, CENTRE_Y);
  }
  static fs::path dir_;
};
fs::path MfdFrame::dir_;

TEST_F(MfdFrame, PowerUpFadesInThenDimsAndBatteryOffBlanksAndRepeats) {
  g_mfd.common.bezel_shown = false;
  g_mfd.power.battery_on = 0;
  frame_centre();
  EXPECT_FLOAT_EQ(g_mfd.power.fade_alpha, 1.0f);

  g_mfd.power.battery_on = 1;
  EXPECT_TRUE(colour_near(frame_centre(), 0, 0, 0, 2));  // first powered frame: black
  for (int frame = 2; frame <= 100; ++frame) frame_centre();
  ProbeColour half = frame_centre();  // frame 101: alpha 0.5
  EXPECT_TRUE(colour_near(half, 128, 128, 128, 3)) << int(half.r);
  for (int frame = 102; frame <= 201; ++frame) frame_centre();
  EXPECT_TRUE(g_mfd.power.fade_complete);
  EXPECT_TRUE(colour_near(frame_centre(), 255, 255, 255, 2));
  g_mfd.power.brightness = 255;
  EXPECT_TRUE(colour_near(frame_centre(), 0, 0, 0, 2));
  g_mfd.power.brightness = 51;
  EXPECT_TRUE(colour_near(frame_centre(), 204, 204, 204, 3));

  g_mfd.power.battery_on = 0;
  frame_centre();  // nothing is drawn over the clear
  EXPECT_FALSE(g_mfd.power.fade_complete);
  EXPECT_EQ(g_mfd.power.previous_battery_on, 0);
  g_mfd.power.battery_on = 1;
  EXPECT_TRUE(colour_near(frame_centre(), 0, 0, 0, 2));  // the fade starts again
}

TEST_F(MfdFrame, BezelOverlayCoversTheEdgesAndLeavesTheScreenOpen) {
  g_mfd.common.bezel_shown = true;
  g_mfd.power.battery_on = 1;
  g_mfd.power.fade_complete = true;
  ASSERT_TRUE(mfd_unit_hooks().frame());
  RgbImage image;
  ASSERT_TRUE(capture_frame(&image));
  platform_window_swap();
  EXPECT_TRUE(colour_near(probe_pixel(image, CENTRE_X, CENTRE_Y), 255, 255, 255, 2));
  ProbeColour frame_edge = probe_pixel(image, 20, 300);
  EXPECT_FALSE(colour_near(frame_edge, 255, 255, 255, 40));
  // Each soft key's hit box centre is painted, not screen.
  const int centres[SOFT_KEY_COUNT] = {20, 30, 41, 52, 62, 73};
  for (int key = 0; key < SOFT_KEY_COUNT; ++key) {
    ProbeColour c = probe_pixel(image, centres[key] * 433 / 100, 535);
    EXPECT_FALSE(colour_near(c, 255, 255, 255, 40)) << key;
  }
}

TEST_F(MfdFrame, BezelDrawnAroundItsOpeningGivesTheSamePicture) {
  ASSERT_TRUE(g_mfd.bezel_opening.found);
  EXPECT_LT(g_mfd.bezel_opening.u_min, 0.15f);
  EXPECT_GT(g_mfd.bezel_opening.u_max, 0.85f);
  RgbImage whole, around;
  for (int pass = 0; pass < 2; ++pass) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    uint32_t texture = g_mfd.common.textures[MFD_TEXTURE_OVERLAY];
    if (pass == 0) draw_bezel_overlay(texture);
    if (pass == 1) draw_bezel_overlay_around(texture, g_mfd.bezel_opening);
    ASSERT_TRUE(capture_frame(pass == 0 ? &whole : &around));
    platform_window_swap();
  }
  ASSERT_EQ(whole.pixels.size(), around.pixels.size());
  size_t differing = 0;
  for (size_t i = 0; i < whole.pixels.size(); ++i) differing += whole.pixels[i] != around.pixels[i];
  EXPECT_EQ(differing, 0u);
}

TEST_F(MfdFrame, TitleAndShownDisplayFollowTheMode) {
  EXPECT_TRUE(g_mfd.mfd_shown);
  EXPECT_FALSE(g_mfd.eicas_shown);
  EXPECT_EQ(g_mfd.bezel.soft_key_event, SOFT_KEY_NONE);
  g_mfd.mode = 1;
  ASSERT_TRUE(mfd_unit_hooks().gl_init());
  EXPECT_TRUE(g_mfd.eicas_shown);
  EXPECT_FALSE(g_mfd.mfd_shown);
  ASSERT_TRUE(mfd_unit_hooks().frame());
  EXPECT_EQ(g_mfd.menu_level, 1);
  EXPECT_EQ(g_mfd.page, 1);
  platform_window_swap();
}

TEST_F(MfdFrame, MenuLabelsByLevelAndTheInopNotice) {
  struct Case {
    int32_t level;
    bool mfd_shown;
    int32_t avionics;
    std::string texts;  // every printed text in order, one blank between
  };
  const Case cases[] = {
      {0, true, 1, "SYS MFD CKLST TCAS TERR PLAN MENU WX MAP M/P RNG"},
      {1, true, 1, "SUMRY ELEC HYD ECS FLT FUEL M/P RNG"},
      {2, true, 1, "RTN SPDS JSTK FPLN APT NAV DATA M/P RNG LOAD"},
      {1, false, 1, "SUMRY ELEC HYD ECS FLT FUEL CAS"},
      {4, true, 1, "RTN FMS 100 V1 100 VR 100 V2 VSPDS SET"},  // the V-speed page draws instead
      {0, true, 0, "MENU INOP HDG FAIL"},
      {1, false, 0, "MENU INOP"},
  };
  for (const Case& c : cases) {
    g_mfd.menu_level = c.level;
    g_mfd.page = c.level == 4 ? 7 : 0;
    g_mfd.mfd_shown = c.mfd_shown;
    g_mfd.eicas_shown = !c.mfd_shown;
    g_mfd.power.avionics_on = c.avionics;
    text_capture_clear();
    mfd_menu_step();
    std::string texts;
    for (const PrintedText& t : text_captured()) texts += (texts.empty() ? "" : " ") + t.text;
    EXPECT_EQ(texts, c.texts) << c.level << " " << c.mfd_shown << " " << c.avionics;
  }
}

TEST_F(MfdFrame, PlanListShowsItsPageAndNamesAsTheyStand) {
  g_mfd.power.avionics_on = 1;
  g_mfd.plan_list_shown = true;
  g_mfd.page = 9;
  g_mfd.menu_level = 2;
  g_mfd.plan_list.count = 7;
  for (int i = 0; i < 7; ++i) std::snprintf(g_mfd.plan_list.shown[i], NAV_PLAN_NAME_CAPACITY, "P%d%%S%%N", i);
  g_mfd.selected_plan = 6;
  text_capture_clear();
  mfd_menu_step();
  std::vector<std::string> texts;
  for (const PrintedText& t : text_captured()) texts.push_back(t.text);
  ASSERT_GE(texts.size(), 2u);
  EXPECT_EQ(texts[0], "PAGE 2/2");
  EXPECT_EQ(texts[1], "P6%S%N");
}

TEST_F(MfdFrame, VSpeedPageShowsTheSpeedsInTheirColoursAndBoxesTheSelection) {
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  g_mfd.power.avionics_on = 1;
  g_mfd.menu_level = 4;
  g_mfd.page = g_mfd.previous_page = 7;
  g_mfd.aircraft.v1 = 118;
  g_mfd.aircraft.vr = 124;
  g_mfd.aircraft.v2 = 131;
  g_mfd.bezel.soft_key_event = 4;  // V2 selected
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  text_capture_clear();
  mfd_menu_step();
  struct Expected { const char* text; float r, g, b; };
  const Expected expected[] = {{"118", 1, 1, 1}, {"124", 0, 1, 1}, {"131", 0.156f, 0.803f, 0.215f},
                               {"V1", 1, 1, 1},  {"VR", 0, 1, 1},  {"V2", 0.156f, 0.803f, 0.215f}};
  float value_y = -1;
  for (const Expected& e : expected) {
    const PrintedText* found = nullptr;
    for (const PrintedText& t : text_captured())
      if (t.text == e.text) found = &t;
    ASSERT_NE(found, nullptr) << e.text;
    EXPECT_NEAR(found->r, e.r, 0.01f) << e.text;
    EXPECT_NEAR(found->g, e.g, 0.01f) << e.text;
    EXPECT_NEAR(found->b, e.b, 0.01f) << e.text;
    if (e.text[0] != 'V') value_y = found->y;
    else EXPECT_LT(found->y, value_y) << e.text;  // the names above the values
  }
  RgbImage image;
  ASSERT_TRUE(capture_frame(&image));
  platform_window_swap();
  EXPECT_EQ(golden_check("mfd_vspeeds", image), "");
}

}  // namespace
