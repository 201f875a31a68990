// The pages of the transponder, the TCAS and the back-up instruments: what
// they print, where and in which colour, and the compass card cut to its
// wedge by the stencil.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <string>
#include <vector>

#include "framework/drawing_area.h"
#include "framework/text.h"
#include "platform/gl_test_context.h"
#include "rmu/rmu_draw.h"
#include "rmu/rmu_pages.h"
#include "rmu/rmu_picture.h"
#include "rmu/rmu_state.h"
#include "tests/support/picture_dump.h"

namespace {

constexpr int W = 497, H = 605;

class RmuBackupPages : public ::testing::Test {
 protected:
  static GlTestContext* context;
  static void SetUpTestSuite() {
    context = gl_test_context_create(W, H);
    if (!context) return;
    apply_drawing_area(DrawingArea{W, H});
    glDisable(GL_DEPTH_TEST);
    build_font("Korvu", RMU_FONT, 10, 400);
  }
  static void TearDownTestSuite() {
    delete_fonts();
    if (context) gl_test_context_destroy(context);
    context = nullptr;
  }
  void SetUp() override {
    if (!context) GTEST_SKIP() << "no display";
    g_rmu = RmuState{};
    rmu_state_start_values();
    g_rmu.common.bezel_shown = false;
    g_rmu.raw.battery = 1;
    g_rmu.transponder.tcas_range = 40;
  }
  void draw(int32_t page, const char* name) {
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    text_capture_clear();
    g_rmu.page = page;
    rmu_place_display_group(g_rmu);
    const RmuPage* row = rmu_page(page);
    if (row->keys) row->keys();
    g_rmu.writes.count = 0;
    row->draw();
    pixels = read_gl_pixels(W, H);
    dump_picture(name, pixels, W, H);
    EXPECT_EQ(glIsEnabled(GL_STENCIL_TEST), GL_FALSE);
  }
  const PrintedText* find(const std::string& text) const {
    for (const PrintedText& p : text_captured())
      if (p.text == text) return &p;
    return nullptr;
  }
  std::vector<uint8_t> pixels;
};
GlTestContext* RmuBackupPages::context = nullptr;

struct Expected {
  const char* text;
  float r, g, b;  // -1: any colour
};


TEST_F(RmuBackupPages, EachPageShowsItsValuesInTheirColours) {
  struct Case {
    int32_t page;
    const char* name;
    std::vector<Expected> texts;
    std::vector<const char*> absent;
  };
  const Case cases[] = {
      {RMU_PAGE_RADIO, "rmu_radio_transponder",
       {{"0077", 1, 1, 1}, {"STANDBY", 1, 1, 0}, {"ID", 1, 1, 0}, {"RANGE", 0, 0.658f, 0.921f}, {"12", 0.156f, 0.803f, 0.215f},
        {"BELOW", 0.156f, 0.803f, 0.215f}},
       {}},
      {RMU_PAGE_ATC_TCAS, "rmu_atc_tcas_page",
       {{"ATC/TCAS CONTROL", 1, 1, 1}, {"REL", 0.156f, 0.803f, 0.215f}, {"AUTO", 0.156f, 0.803f, 0.215f},
        {"KV123456789X", 1, 1, 1}, {"32800", 1, 1, 1}, {"RETURN TO", -1, 0, 0}, {"RADIOS", -1, 0, 0}},
       {"MANUAL"}},
      {RMU_PAGE_ENGINE_1, "rmu_engine_page_1",
       {{"100.0", 1, 1, 1}, {"100.1", 0.89f, 0.22f, 0.27f}, {"ITT", 0, 0.658f, 0.921f}, {"612", 1, 1, 1},
        {"50", 1, 1, 0}, {"81", 0.89f, 0.22f, 0.27f}, {"2999", 1, 1, 1}, {"MORE", 0.156f, 0.803f, 0.215f}},
       {}},
      {RMU_PAGE_ENGINE_2, "rmu_engine_page_2",
       {{"N2", -1, 0, 0}, {"102.6", 0.89f, 0.22f, 0.27f}, {"101.0", 1, 1, 0}, {"28", 1, 1, 1}, {"28.0", 1, 1, 1},
        {"15", 1, 1, 1}, {"L0.0", 1, 1, 1}, {"R5.7", 1, 1, 1}, {"-2.9", 1, 1, 1}},
       {"L-0.0"}},
      {RMU_PAGE_NAVIGATION, "rmu_navigation_page",
       {{"110.30", 1, 1, 1}, {"350.0", -1, 0, 0}, {"005", 1, 1, 1}, {"CRS", 0.156f, 0.803f, 0.215f}, {"090", 1, 1, 1},
        {"12.5", 1, 1, 1}, {"MM", 1, 1, 1}, {"TO", 0.156f, 0.803f, 0.215f}, {"VOR", 0, 0.658f, 0.921f}},
       {"FROM"}},
  };
  for (const Case& c : cases) {
    SetUp();
    RmuTransponder& t = g_rmu.transponder;
    t.code = 77;
    t.mode = 1;
    t.ident_request = true;
    t.tcas_range = 12;
    t.band = t.band_tuning = 2;
    t.ta_mode = 1;
    RmuValues& v = g_rmu.value;
    std::snprintf(v.flight_id, sizeof v.flight_id, "KV123456789X");
    v.atc_altitude = 32800.7;
    v.n1[0] = 100.0f, v.n1[1] = 100.1f;
    v.n2[0] = 102.6f, v.n2[1] = 101.0f;
    v.itt[0] = 612.9, v.itt[1] = 600.0;
    v.oil_pressure[0] = 50.0, v.oil_pressure[1] = 81.0;
    v.left_fuel = 2999;
    v.sat = 15;
    v.aileron_trim = 0.0, v.rudder_trim = 0.1, v.elevator_trim = -0.05;
    v.magnetic_heading = 5.4;
    v.nav1_course = 90;
    v.dme = 12.5;
    std::snprintf(v.identity, sizeof v.identity, "ABC");
    v.marker_middle = true;
    v.vor_pointer = true;
    v.vor_bearing = 30.0f;
    g_rmu.raw.to_from = 1;
    g_rmu.radios.nav_active = 110.3f;
    g_rmu.radios.adf_frequency = 350.0f;
    draw(c.page, c.name);
    for (const Expected& e : c.texts) {
      const PrintedText* p = find(e.text);
      ASSERT_NE(p, nullptr) << c.name << ": \"" << e.text << "\" not printed";
      if (e.r < 0) continue;
      EXPECT_NEAR(p->r, e.r, 1e-3) << c.name << " " << e.text;
      EXPECT_NEAR(p->g, e.g, 1e-3) << c.name << " " << e.text;
      EXPECT_NEAR(p->b, e.b, 1e-3) << c.name << " " << e.text;
    }
    for (const char* text : c.absent) EXPECT_EQ(find(text), nullptr) << c.name << ": \"" << text << "\" printed";
  }
}

// The card shows only inside the upward wedge: its outer circle is painted
// straight above the centre and never straight below it.
TEST_F(RmuBackupPages, CompassCardIsCutToItsWedge) {
  g_rmu.value.magnetic_heading = 0.0;
  draw(RMU_PAGE_NAVIGATION, "rmu_navigation_wedge");
  auto lit_rows = [&](int x, int y0, int y1) {
    int lit = 0;
    for (int y = y0; y < y1; ++y) {
      const uint8_t* p = &pixels[(static_cast<size_t>(y) * W + x) * 4];
      lit += p[0] > 150 && p[1] > 150 && p[2] > 150;
    }
    return lit;
  };
  // Display-group units to pixels: the group spans about 2 x 0.67 tan(22.5) high.
  const float pixels_per_unit = H / (2.0f * 0.67f * 0.41421356f);
  int centre_y = H / 2 + static_cast<int>(0.073f * pixels_per_unit);
  int radius = static_cast<int>(0.236f * pixels_per_unit);
  EXPECT_GT(lit_rows(W / 2 + 20, centre_y - radius - 6, centre_y - radius + 6), 0) << "no card above the centre";
  EXPECT_EQ(lit_rows(W / 2 + 60, centre_y + radius - 6, centre_y + radius + 6), 0) << "card painted below the wedge";
}

}  // namespace
