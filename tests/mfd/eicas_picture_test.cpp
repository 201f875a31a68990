// The EICAS picture through the text capture and pixel probes: readouts and
// their colours in several engine states, the crew-alert list with its blink,
// and the oil-pressure boxes by simulator version.
#include <gtest/gtest.h>
#include <GL/gl.h>

#include <cmath>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "framework/display_lists.h"
#include "framework/drawing_area.h"
#include "framework/text.h"
#include "mfd/eicas_draw.h"
#include "mfd/mfd_state.h"
#include "mfd/mfd_unit.h"
#include "tests/mfd/picture_context.h"
#include "platform/gl_test_context.h"
#include "platform/png_file.h"
#include "simlink/cells.h"
#include "tests/support/golden.h"

namespace {

constexpr int W = 433, H = 605;
constexpr int64_t BLINK_ON_MS = 700, BLINK_OFF_MS = 200;

struct Colour { float r, g, b; };
constexpr Colour WHITE{1, 1, 1}, RED{1, 0, 0}, AMBER{0.933f, 0.596f, 0}, GREEN{0.156f, 0.803f, 0.215f},
    CYAN{0, 1, 1}, MAGENTA{0.882f, 0, 0.482f}, BLACK{0, 0, 0};

class EicasPicture : public ::testing::Test {
 protected:
  static GlTestContext* context;
  static StaticLists lists;
  static void SetUpTestSuite() { context = mfd_picture_open(W, H, true, &lists); }
  static void TearDownTestSuite() { mfd_picture_close(context, &lists); }
  void SetUp() override {
    if (!context) GTEST_SKIP() << "no display";
    g_mfd = MfdState{};
    g_mfd.lists = lists;
    g_mfd.sim_version = 8;
    MfdValues& v = g_mfd.value;
    v.left_n1 = v.right_n1 = 85;
    v.left_n2 = v.right_n2 = 90;
    v.left_itt = v.right_itt = 650;
    v.left_oil_pressure = v.right_oil_pressure = 72;
    v.left_oil_temperature = v.right_oil_temperature = 80;
    v.left_tank_lb = v.right_tank_lb = 2000;
    v.fuselage_tank_lb = 500;
    v.total_fuel_lb = 4500;
    v.pitch_trim = 1.9;
    v.air_temperature = -21;
    v.outside_air_temperature = 15;  // with altitude 0: N1 limit 86.6 when shown
    g_mfd.raw.left_fuel_flow = g_mfd.raw.right_fuel_flow = 820;
  }
  void draw(int64_t now_ms = BLINK_ON_MS) {
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    text_capture_clear();
    pixels_.clear();
    eicas_draw_engines();
    eicas_draw_alert_list(now_ms);
    eicas_draw_start_and_reversers();
    shot();
  }
  static std::vector<PrintedText> found(const std::string& text) {
    std::vector<PrintedText> out;
    for (const PrintedText& p : text_captured())
      if (p.text == text) out.push_back(p);
    return out;
  }
  static bool colour_is(const PrintedText& p, Colour c) {
    return std::fabs(p.r - c.r) < 0.01f && std::fabs(p.g - c.g) < 0.01f && std::fabs(p.b - c.b) < 0.01f;
  }
  // Pixels close to the colour in a window rectangle.
  int count_colour(int x0, int y0, int x1, int y1, int r, int g, int b) {
    if (pixels_.empty()) {
      glFinish();
      pixels_ = read_gl_pixels(W, H);
    }
    int n = 0;
    for (int y = std::max(y0, 0); y <= y1 && y < H; ++y)
      for (int x = std::max(x0, 0); x <= x1 && x < W; ++x) {
        const uint8_t* p = &pixels_[(static_cast<size_t>(y) * W + x) * 4];
        if (std::abs(p[0] - r) <= 40 && std::abs(p[1] - g) <= 40 && std::abs(p[2] - b) <= 40) ++n;
      }
    return n;
  }
  // Compares the frame with its golden picture "eicas_<test>_<n>"; also
  // writes it when COCKPIT_TEST_PICTURES names a folder (for looking at).
  void shot() {
    glFinish();
    std::vector<uint8_t> rgba = read_gl_pixels(W, H);
    const RgbImage image = golden_image_from_rgba(rgba, W, H);
    std::string name = std::string("eicas_") + ::testing::UnitTest::GetInstance()->current_test_info()->name() +
                       "_" + std::to_string(shots_++);
    EXPECT_EQ(golden_check(name, image), "");
    const char* dir = std::getenv("COCKPIT_TEST_PICTURES");
    if (dir) png_write_rgb((std::string(dir) + "/" + name + ".png").c_str(), image);
  }

  std::vector<uint8_t> pixels_;
  int shots_ = 0;
};
GlTestContext* EicasPicture::context = nullptr;
StaticLists EicasPicture::lists{};

TEST_F(EicasPicture, EngineReadoutsAndTheirColoursByState) {
  struct Shown { const char* text; Colour colour; };
  struct Case {
    const char* name;
    std::function<void()> change;
    std::vector<Shown> shown;
    std::vector<const char*> absent;
  };
  const std::vector<Case> cases = {
      {"cruise", [] {},
       {{"85.0", WHITE}, {"90.00", WHITE}, {"650", WHITE}, {"72", WHITE}, {"80", WHITE}, {"820", WHITE},
        {"2000", WHITE}, {"500", WHITE}, {"4500", WHITE}, {"-21", WHITE}, {"1.9", WHITE}, {"0", WHITE},
        {"N1", CYAN}, {"OIL  C", CYAN}, {"PITCH TRIM", CYAN}},
       {"IGN", "SYNC", "MAN", "START", "REV", "DEP"}},
      {"N1 beyond its red band stays red; N2 bands", [] {
         g_mfd.value.left_n1 = 112; g_mfd.value.left_n2 = 101; g_mfd.value.right_n2 = 103; g_mfd.value.right_n1 = -3; },
       {{"112.0", RED}, {"101.00", AMBER}, {"103.00", RED}, {"-3.0", WHITE}}, {}},
      {"start of the left engine on the ground", [] {
         g_mfd.raw.left_starter_switch = 1; g_mfd.value.left_n2 = 30; g_mfd.value.on_ground = true;
         g_mfd.value.left_thrust_lever = -3; g_mfd.value.right_thrust_lever = -20; },
       {{"IGN", GREEN}, {"S", GREEN}, {"A", GREEN}, {"86.6", MAGENTA}, {"REV", WHITE}, {"DEP", GREEN}}, {}},
      {"start past 51 % N2 turns amber", [] { g_mfd.raw.right_starter_switch = 1; g_mfd.value.right_n2 = 51; },
       {{"S", AMBER}}, {}},
      {"sync with the gear down, manual N1 hides the limit", [] {
         g_mfd.value.sync = true; g_mfd.raw.gear_control = 16383; g_mfd.raw.alert_cell = ALERT_MANUAL_N1;
         g_mfd.value.on_ground = true; },
       {{"SYNC", AMBER}, {"MAN", WHITE}}, {"86.6"}},
      {"non-finite and huge values", [] {
         g_mfd.value.pitch_trim = NAN; g_mfd.value.left_itt = INFINITY; g_mfd.raw.right_fuel_flow = 7e13;
         g_mfd.value.flap_angle = 55; },
       {{"99999", WHITE}, {"40", WHITE}}, {"nan", "-nan", "inf", "1.9"}},
  };
  for (const Case& c : cases) {
    SetUp();
    c.change();
    draw();
    for (const Shown& s : c.shown) {
      const auto hits = found(s.text);
      ASSERT_FALSE(hits.empty()) << c.name << ": \"" << s.text << "\" not printed";
      EXPECT_TRUE(colour_is(hits[0], s.colour)) << c.name << ": " << s.text << " " << hits[0].r << "," << hits[0].g;
    }
    for (const char* text : c.absent) EXPECT_TRUE(found(text).empty()) << c.name << ": " << text;
  }
}

TEST_F(EicasPicture, AlertListOrderColoursBlinkAndEnd) {
  AlertLists& a = g_mfd.alerts;
  a.advisories[ADV_AUTOSPOILER_ARM].active = true;
  a.cautions[CAUT_PITOT_HEAT].active = a.cautions[CAUT_PITOT_HEAT].flashing = true;
  a.warnings[WARN_GEAR].active = true;
  a.advisories[ADV_END].active = true;
  for (int64_t now : {BLINK_ON_MS, BLINK_OFF_MS}) {
    draw(now);
    std::vector<std::string> lines;
    for (const PrintedText& p : text_captured())
      if (p.slot == MFD_FONT_SLOT_BOLD) lines.push_back(p.text);
    EXPECT_EQ(lines, (std::vector<std::string>{"    GEAR", "L R PITOT HT", "    AUTOSPLR ARM", "END"}));
    EXPECT_TRUE(colour_is(found("    GEAR")[0], RED));
    EXPECT_TRUE(colour_is(found("L R PITOT HT")[0], now == BLINK_ON_MS ? AMBER : BLACK)) << now;
    EXPECT_TRUE(colour_is(found("    AUTOSPLR ARM")[0], WHITE));
    EXPECT_TRUE(colour_is(found("END")[0], CYAN));
    // One line apart, top to bottom; "END" further right.
    const float step = found("L R PITOT HT")[0].y - found("    GEAR")[0].y;
    EXPECT_GT(step, 5);
    EXPECT_NEAR(found("    AUTOSPLR ARM")[0].y - found("L R PITOT HT")[0].y, step, 1);
    EXPECT_GT(found("END")[0].x, found("    GEAR")[0].x + 20);
  }
}

TEST_F(EicasPicture, OilPressureBoxesBySimulatorVersion) {
  struct Case { double psi; uint32_t version; int red, amber; };
  const Case cases[] = {{30, 8, 1, 0}, {30, 7, 0, 0}, {400, 8, 1, 0}, {55, 7, 0, 1}, {72, 8, 0, 0}};
  for (const Case& c : cases) {
    SetUp();
    g_mfd.value.left_oil_pressure = c.psi;
    g_mfd.sim_version = c.version;
    draw();
    char text[16];
    std::snprintf(text, sizeof text, "%d", static_cast<int>(c.psi));
    const auto hits = found(text);
    ASSERT_FALSE(hits.empty()) << c.psi;
    // The box surrounds the readout: look left of and around its current point.
    const int x = static_cast<int>(hits[0].x), y = static_cast<int>(hits[0].y);
    EXPECT_EQ(count_colour(x - 22, y - 16, x + 14, y + 6, 255, 0, 0) > 20, c.red == 1) << c.psi << " v" << c.version;
    EXPECT_EQ(count_colour(x - 22, y - 16, x + 14, y + 6, 238, 152, 0) > 20, c.amber == 1) << c.psi << " v" << c.version;
  }
}

}  // namespace
