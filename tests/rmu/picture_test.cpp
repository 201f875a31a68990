// The RMU's pictures in a hidden window sized like the default drawing area:
// the bezel picture under every click zone, the pages' texts (what, where,
// which colour) and the dim page and layer.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cmath>
#include <string>
#include <vector>

#include "framework/drawing_area.h"
#include "framework/text.h"
#include "framework/tga.h"
#include "platform/gl_test_context.h"
#include "rmu/rmu_dim.h"
#include "rmu/rmu_draw.h"
#include "rmu/rmu_input.h"
#include "rmu/rmu_pages.h"
#include "rmu/rmu_picture.h"
#include "rmu/rmu_state.h"
#include "tests/support/golden.h"
#include "tests/support/picture_dump.h"

namespace {

constexpr int W = 497, H = 605;  // 605 high at the unit's 0.8219

struct Rgb {
  int r, g, b;
  int luminance() const { return (r * 3 + g * 6 + b) / 10; }
  bool magenta() const { return r > 240 && g < 15 && b > 240; }
  bool grey() const { return std::abs(r - g) < 24 && std::abs(g - b) < 24; }
};

class RmuPicture : public ::testing::Test {
 protected:
  static GlTestContext* context;
  static uint32_t bezel;
  static void SetUpTestSuite() {
    context = gl_test_context_create(W, H);
    if (!context) return;
    apply_drawing_area(DrawingArea{W, H});
    glDisable(GL_DEPTH_TEST);
    build_font("Korvu", RMU_FONT, 10, 400);
    uint32_t slots[TEXTURE_SLOT_COUNT] = {};
    const std::string path = std::string(COCKPIT_BINARY_DIR) + "/artwork/RMU_Bezel3.tga";
    if (make_texture(slots, path.c_str(), 0)) bezel = slots[0];
  }
  static void TearDownTestSuite() {
    delete_fonts();
    if (context) gl_test_context_destroy(context);
    context = nullptr;
  }
  void SetUp() override {
    if (!context) GTEST_SKIP() << "no display";
    ASSERT_NE(bezel, 0u) << "the bezel artwork was not built";
    g_rmu = RmuState{};
    rmu_state_start_values();
    g_rmu.common.bezel_shown = true;
    g_rmu.common.x_size = W;
    g_rmu.common.y_size = H;
    g_rmu.raw.battery = 1;
  }
  // One frame's picture as the unit draws it: page, dim page and layer, bezel.
  void draw(int32_t page, uint32_t clear_rgb = 0x000000) {
    glClearColor((clear_rgb >> 16) / 255.0f, (clear_rgb >> 8 & 0xFF) / 255.0f, (clear_rgb & 0xFF) / 255.0f, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    text_capture_clear();
    g_rmu.page = page;
    rmu_place_display_group(g_rmu);
    if (page >= 0) rmu_page(page)->draw();
    rmu_place_display_group(g_rmu);
    rmu_dim_draw(g_rmu);
    if (g_rmu.common.bezel_shown) rmu_draw_bezel(bezel);
    pixels = read_gl_pixels(W, H);
  }
  Rgb at_percent(double px, double py) const { return at(static_cast<int>(px / 100 * W), static_cast<int>(py / 100 * H)); }
  Rgb at(int x, int y) const {
    const uint8_t* p = &pixels[(static_cast<size_t>(y) * W + x) * 4];
    return {p[0], p[1], p[2]};
  }
  // The first printed text equal to `text`; fails when there is none.
  PrintedText printed(const std::string& text) const {
    for (const PrintedText& p : text_captured())
      if (p.text == text) return p;
    ADD_FAILURE() << "\"" << text << "\" was not printed";
    return PrintedText{};
  }
  bool was_printed(const std::string& text) const {
    for (const PrintedText& p : text_captured())
      if (p.text == text) return true;
    return false;
  }
  // The frame against its golden picture (and dumped for looking at).
  void golden(const char* name) const {
    EXPECT_EQ(golden_check(name, golden_image_from_rgba(pixels, W, H)), "");
    dump_picture(name, pixels, W, H);
  }
  std::vector<uint8_t> pixels;
};
GlTestContext* RmuPicture::context = nullptr;
uint32_t RmuPicture::bezel = 0;

TEST_F(RmuPicture, EveryClickZoneLandsOnAPaintedKeyAndTheScreenShowsThrough) {
  draw(-1, 0xFF00FF);  // no page: the bezel over magenta
  golden("rmu_bezel");
  struct Zone { double x0, x1, y0, y1; };
  std::vector<Zone> keys;
  const double rows[6][2] = {{18, 24}, {27, 32}, {38, 43}, {45, 50}, {57, 63}, {65, 70}};
  for (const auto& row : rows) {
    keys.push_back({5, 14.36, row[0], row[1]});
    keys.push_back({84, 95, row[0], row[1]});
  }
  const double columns[4][2] = {{18, 29}, {31, 40}, {43, 52}, {54, 64}};
  for (const auto& column : columns) {
    keys.push_back({column[0], column[1], 80, 86});
    keys.push_back({column[0], column[1], 90, 96});
  }
  for (const Zone& k : keys) {
    // The centre and just inside each corner are key, not bezel or screen.
    for (double px : {(k.x0 + k.x1) / 2, k.x0 + 0.8, k.x1 - 0.8})
      for (double py : {(k.y0 + k.y1) / 2, k.y0 + 0.8, k.y1 - 0.8}) {
        Rgb c = at_percent(px, py);
        EXPECT_TRUE(c.grey() && c.luminance() > 85) << "key at " << px << "," << py << ": " << c.r << "," << c.g << "," << c.b;
      }
  }
  // Every knob event has knob under its zone: inner down and up, ring down and up.
  for (auto p : {std::pair{75.5, 93.5}, std::pair{78.5, 93.5}, std::pair{72.0, 92.0}, std::pair{82.0, 92.0},
                 std::pair{77.0, 88.0}, std::pair{76.0, 97.0}}) {
    Rgb c = at_percent(p.first, p.second);
    EXPECT_TRUE(c.grey() && c.luminance() > 70) << "knob at " << p.first << "," << p.second << ": " << c.luminance();
  }
  // Between keys there is only bezel; the screen opening is open.
  for (auto p : {std::pair{10.0, 25.5}, std::pair{89.0, 54.0}, std::pair{30.0, 83.0}, std::pair{53.0, 93.0},
                 std::pair{50.0, 88.0}}) {
    Rgb c = at_percent(p.first, p.second);
    EXPECT_TRUE(!c.magenta() && c.luminance() < 60) << "bezel at " << p.first << "," << p.second;
  }
  for (double px : {18.0, 50.0, 82.0})
    for (double py : {12.0, 45.0, 76.0}) EXPECT_TRUE(at_percent(px, py).magenta()) << "screen at " << px << "," << py;
}

TEST_F(RmuPicture, RadioPageShowsEachSidesRadios) {
  struct Case { int side; float adf; const char* adf_text; };
  const Case cases[] = {{RMU_SIDE_1, 1750.0f, "1750.0"}, {RMU_SIDE_1, 350.0f, "0350.0"}, {RMU_SIDE_1, 25.5f, "0025.5"},
                        {RMU_SIDE_1, 5.0f, "0005.0"},    {RMU_SIDE_1, 0.5f, "0000.0"},   {RMU_SIDE_2, 350.0f, nullptr}};
  for (const Case& c : cases) {
    SetUp();
    RmuRadios& r = g_rmu.radios;
    g_rmu.settings.side = c.side;
    r.com_active = 119.9f;
    r.com_standby = 121.7001f;  // as read back from the simulator: still memory 2
    r.com_memories = RmuMemoryList{{118.0f, 121.7f}, 2};
    r.nav_active = 110.3f;
    r.nav_standby = 113.4f;
    r.adf_frequency = c.adf;
    g_rmu.cursor = 1;
    draw(RMU_PAGE_RADIO);
    const char* titles[] = {c.side ? "COM2" : "COM1", c.side ? "NAV2" : "NAV1", "ATC/TCAS", "ADF", "TCAS DSPY"};
    for (const char* title : titles) EXPECT_EQ(printed(title).r, 1.0f) << title;
    PrintedText active = printed("119.90"), standby = printed("121.70");
    EXPECT_EQ(active.b, 1.0f);
    EXPECT_NEAR(standby.g, 0.658f, 1e-3);
    EXPECT_LT(active.y, standby.y);  // active above standby
    EXPECT_NEAR(printed("MEMORY-2").x, standby.x, 8);
    EXPECT_TRUE(was_printed("TEMP-1"));  // NAV standby in no memory
    EXPECT_GT(printed("110.30").x, active.x + 60);
    EXPECT_EQ(was_printed("ANT"), c.side == RMU_SIDE_1);
    if (c.adf_text) {
      EXPECT_TRUE(was_printed(c.adf_text)) << c.adf_text;
    }
    // The yellow box around COM standby.
    int yellow = 0;
    for (int x = 0; x < W / 2; ++x) {
      Rgb p = at(x, static_cast<int>(standby.y) - 10);
      Rgb q = at(x, static_cast<int>(standby.y) + 14);
      yellow += (p.r > 200 && p.g > 200 && p.b < 60) + (q.r > 200 && q.g > 200 && q.b < 60);
    }
    EXPECT_GT(yellow, 0) << c.side;
    if (c.side == RMU_SIDE_1 && c.adf == 1750.0f) golden("rmu_radio_page");
  }
}

TEST_F(RmuPicture, MemoryPagesShowTheirHalfAndMenuNamesTheSide) {
  RmuRadios& r = g_rmu.radios;
  r.nav_memories = RmuMemoryList{{108.1f, 108.2f, 108.3f, 108.4f, 108.5f, 108.6f, 108.7f, 108.8f}, 8};
  r.second_memory_half = true;
  g_rmu.settings.side = RMU_SIDE_2;
  draw(RMU_PAGE_NAV_MEMORY);
  golden("rmu_nav_memory_page");
  for (const char* text : {"NAV2", "MEMORIES", "7", "9", "10", "12", "108.70", "108.80", "MORE", "RADIOS", "INSERT",
                           "DELETE", "FMS", "ENABLED"})
    EXPECT_TRUE(was_printed(text)) << text;
  EXPECT_FALSE(was_printed("108.60"));  // first half
  EXPECT_LT(printed("7").x, W / 3);
  EXPECT_GT(printed("10").x, 2 * W / 3);
  EXPECT_NEAR(printed("108.70").y, printed("7").y, 2);

  draw(RMU_PAGE_MENU);
  golden("rmu_page_menu");
  EXPECT_TRUE(was_printed("PAGE MENU SYSTEM 2"));
  for (const char* left : {"RADIO PAGE", "COM MEMORY", "NAV MEMORY", "ATC/TCAS", "MLS", "RETURN"})
    EXPECT_LT(printed(left).x, W / 3) << left;
  for (const char* right : {"NAVIGATION", "ENGINE PG1", "ENGINE PG2", "MAINTENANCE"})
    EXPECT_GT(printed(right).x, 2 * W / 3) << right;
  EXPECT_LT(printed("RADIO PAGE").y, printed("COM MEMORY").y);
  EXPECT_NEAR(printed("COM MEMORY").y, printed("NAVIGATION").y, 1);
}

TEST_F(RmuPicture, DimPageBarShortensAndTheLayerDarkensAllButTheBezel) {
  auto bar_pixels = [&](int y) {
    int white = 0;
    for (int x = W / 4; x < 3 * W / 4; ++x) white += at(x, y).luminance() > 30 && at(x, y).grey();
    return white;
  };
  g_rmu.dim_page_shown = true;
  g_rmu.radios.com_active = 119.9f;
  draw(RMU_PAGE_RADIO);
  golden("rmu_dim_page");
  EXPECT_EQ(printed("TUNE TO DIM DISPLAY").r, 0.882f);
  EXPECT_EQ(printed("ANY KEY TO RETURN").g, 1.0f);
  const int bar_y = static_cast<int>(printed("TUNE TO DIM DISPLAY").y + printed("ANY KEY TO RETURN").y) / 2;
  const int full = bar_pixels(bar_y);
  g_rmu.dim_level = 200;  // the bar keeps (0.318 - 0.24) / 0.318 of its length, darkened
  draw(RMU_PAGE_RADIO);
  const int dim = bar_pixels(bar_y);
  EXPECT_GT(full, 150);
  EXPECT_GT(dim, full / 5);
  EXPECT_LT(dim, full / 3);
  // At 255 the page is black under the layer; the bezel stays lit.
  g_rmu.dim_level = 255;
  g_rmu.dim_page_shown = false;
  draw(RMU_PAGE_RADIO);
  EXPECT_LT(at(static_cast<int>(printed("119.90").x), static_cast<int>(printed("119.90").y) - 5).luminance(), 3);
  EXPECT_GT(at_percent(10, 21).luminance(), 85);
}

}  // namespace
