// The six system pages through the text capture: every text in its colour
// in a few aircraft states, readouts that never print what the field cannot
// hold, and one golden picture per page.
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
#include "mfd/mfd_pages.h"
#include "mfd/mfd_state.h"
#include "mfd/mfd_unit.h"
#include "tests/mfd/picture_context.h"
#include "mfd/synoptic_draw.h"
#include "platform/gl_test_context.h"
#include "platform/png_file.h"
#include "tests/support/golden.h"

namespace {

constexpr int W = 433, H = 605;

TEST(SynopticFormats, ReadoutsClampAndBlankWhatTheFieldCannotHold) {
  struct Case { const char* name; std::function<bool(char*, size_t)> format; bool shown; const char* text; };
  const std::vector<Case> cases = {
      {"whole truncates toward zero", [](char* o, size_t n) { return synoptic_whole(o, n, -2.9); }, true, "-2"},
      {"whole of a huge value", [](char* o, size_t n) { return synoptic_whole(o, n, 7e13); }, true, "999999"},
      {"whole of NaN", [](char* o, size_t n) { return synoptic_whole(o, n, NAN); }, false, ""},
      {"tenths", [](char* o, size_t n) { return synoptic_tenths(o, n, 27.96); }, true, "28.0"},
      {"tenths of infinity", [](char* o, size_t n) { return synoptic_tenths(o, n, -INFINITY); }, false, ""},
      {"right trim", [](char* o, size_t n) { return synoptic_side_trim(o, n, 0.0); }, true, "R0.0"},
      {"left trim loses its sign", [](char* o, size_t n) { return synoptic_side_trim(o, n, -1.5); }, true, "L1.5"},
      {"trim of NaN", [](char* o, size_t n) { return synoptic_side_trim(o, n, NAN); }, false, ""},
      {"cabin rate of a descent", [](char* o, size_t n) { return synoptic_cabin_rate(o, n, -1234); }, true, " 123"},
      {"cabin rate of the largest climb", [](char* o, size_t n) { return synoptic_cabin_rate(o, n, 2147483647.0); },
       true, "99999"},
  };
  for (const Case& c : cases) {
    char out[32] = "junk";
    EXPECT_EQ(c.format(out, sizeof out), c.shown) << c.name;
    EXPECT_STREQ(out, c.text) << c.name;
  }
  struct Spoilers { int32_t left, right; const char* text; };
  for (const Spoilers& s : {Spoilers{5, 7, "5"}, Spoilers{0, 7, "R7"}, Spoilers{6, -1, "L6"}, Spoilers{0, 0, "0"}}) {
    char out[16];
    synoptic_spoilers(out, sizeof out, s.left, s.right);
    EXPECT_STREQ(out, s.text) << s.left << " " << s.right;
  }
  // 0.0035 x control - 16.576 degrees, within 0..40.
  struct Control { int32_t control, degrees; };
  for (const Control& c : {Control{0, 0}, Control{4736, 0}, Control{10000, 18}, Control{16383, 40}, Control{-2147483647, 0},
                           Control{2147483647, 40}})
    EXPECT_EQ(synoptic_spoiler_readout(c.control), c.degrees) << c.control;
}

struct Colour { float r, g, b; };
constexpr Colour WHITE{1, 1, 1}, CYAN{0, 1, 1}, AMBER{0.933f, 0.596f, 0};

class SynopticPicture : public ::testing::Test {
 protected:
  static GlTestContext* context;
  static StaticLists lists;
  static void SetUpTestSuite() { context = mfd_picture_open(W, H, false, &lists); }
  static void TearDownTestSuite() { mfd_picture_close(context, &lists); }
  // A cruising aircraft with round figures on every page.
  void SetUp() override {
    if (!context) GTEST_SKIP() << "no display";
    g_mfd = MfdState{};
    g_mfd.lists = lists;
    g_mfd.mfd_shown = true;
    MfdRaw& r = g_mfd.raw;
    MfdValues& v = g_mfd.value;
    r.left_bus_voltage = 28.04;
    r.right_bus_voltage = 27.96;
    r.left_generator_current = 61.25;
    r.right_generator_current = 58.75;
    r.vertical_speed = -1234;
    r.spoiler_control = 10000;  // 18 degrees
    v.left_hydraulic_pressure = 3000;
    v.right_hydraulic_pressure = 2990;
    v.indicated_altitude = 10000;  // cabin 1960 ft
    v.left_spoiler_angle = 5;
    v.right_spoiler_angle = 7;
    v.pitch_trim = 4.25;
    v.aileron_trim = 0.5;
    v.rudder_trim = -1.5;
    v.flap_angle = 8;
    v.left_tank_lb = 2100.7;
    v.right_tank_lb = 2050.2;
    v.fuselage_tank_lb = 400.9;
    v.left_tank_fraction = 0.8;
    v.right_tank_fraction = 0.78;
    v.fuselage_tank_fraction = 0.5;
    v.total_fuel_lb = 4551;
    v.fuel_used_lb = 1511;
  }
  void draw(int32_t page) {
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    text_capture_clear();
    mfd_run_page(page);
    glFinish();
    pixels_ = read_gl_pixels(W, H);
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
  // Pixels near the colour in a window rectangle (rows top first).
  int count_colour(int x0, int y0, int x1, int y1, Colour c) const {
    int n = 0;
    for (int y = std::max(y0, 0); y <= y1 && y < H; ++y)
      for (int x = std::max(x0, 0); x <= x1 && x < W; ++x) {
        const uint8_t* p = &pixels_[(static_cast<size_t>(y) * W + x) * 4];
        if (std::abs(p[0] - c.r * 255) <= 40 && std::abs(p[1] - c.g * 255) <= 40 && std::abs(p[2] - c.b * 255) <= 40) ++n;
      }
    return n;
  }
  std::vector<uint8_t> pixels_;
};
GlTestContext* SynopticPicture::context = nullptr;
StaticLists SynopticPicture::lists{};

struct Shown { const char* text; Colour colour; int count; };
struct PageCase {
  const char* name;
  int32_t page;
  std::function<void()> change;
  std::vector<Shown> shown;
  std::vector<const char*> absent;
};

void check(const PageCase& c) {
  for (const Shown& s : c.shown) {
    std::vector<PrintedText> hits;
    for (const PrintedText& p : text_captured())
      if (p.text == s.text) hits.push_back(p);
    ASSERT_EQ(static_cast<int>(hits.size()), s.count) << c.name << ": \"" << s.text << "\"";
    for (const PrintedText& p : hits)
      EXPECT_TRUE(std::fabs(p.r - s.colour.r) < 0.01f && std::fabs(p.g - s.colour.g) < 0.01f &&
                  std::fabs(p.b - s.colour.b) < 0.01f)
          << c.name << ": " << s.text << " " << p.r << "," << p.g << "," << p.b;
  }
  for (const char* text : c.absent)
    for (const PrintedText& p : text_captured()) EXPECT_NE(p.text, text) << c.name;
}

TEST_F(SynopticPicture, EveryPageTextInItsColourByState) {
  const std::vector<PageCase> cases = {
      {"SUMRY", MFD_PAGE_SUMMARY, [] {},
       {{"RTN", WHITE, 1}, {"ELEC", CYAN, 1}, {"HYD/ECS", CYAN, 1}, {"FLT", CYAN, 1}, {"VOLTS", CYAN, 1},
        {"OXY PSI", CYAN, 1}, {"RUD", CYAN, 1}, {"28.0", WHITE, 2}, {"0.0", WHITE, 1}, {"61.2", WHITE, 1},
        {"58.8", WHITE, 1}, {"35", WHITE, 1}, {"34", WHITE, 1}, {"3000", WHITE, 1}, {"2990", WHITE, 1},
        {"1960", WHITE, 1}, {"1390", WHITE, 1}, {"5", WHITE, 1}, {"4.2", WHITE, 1}, {"R0.5", WHITE, 1},
        {"L1.5", WHITE, 1}},
       {}},
      {"SUMRY, one spoiler out, EICAS shown: no RTN", MFD_PAGE_SUMMARY, [] {
         g_mfd.value.left_spoiler_angle = 0; g_mfd.mfd_shown = false; g_mfd.value.pitch_trim = NAN; },
       {{"R7", WHITE, 1}}, {"RTN", "nan", "-nan"}},
      {"ELEC", MFD_PAGE_ELECTRICAL, [] {},
       {{"RTN", WHITE, 1}, {"L ESS VOLT", CYAN, 1}, {"EMER BUS VOLTS", CYAN, 1}, {"R ESS VOLT", CYAN, 1},
        {"28.0", WHITE, 2}, {"0.0", WHITE, 1}, {"- - - - - - - -", CYAN, 2}, {"BATT TEMPS", CYAN, 1},
        {"35", WHITE, 1}, {"38", WHITE, 1}, {"C", CYAN, 1}, {"GEN L", CYAN, 1}, {"R GEN", CYAN, 1},
        {"AMPS", CYAN, 3}, {"61.2", WHITE, 1}, {"58.8", WHITE, 1}, {"EXT PWR", CYAN, 1}, {"A", WHITE, 1},
        {"0", WHITE, 1}},
       {}},
      {"HYD", MFD_PAGE_HYDRAULIC, [] {},
       {{"RTN", WHITE, 1}, {"MAIN", CYAN, 1}, {"ENGINE PUMPS", CYAN, 1}, {"RESERVOIR", CYAN, 1}, {"AUX", CYAN, 1},
        {"BRAKE", CYAN, 1}, {"ACCUM", CYAN, 1}, {"PSI", CYAN, 1}, {"PUMP", CYAN, 1}, {"L", CYAN, 1},
        {"R", CYAN, 1}, {"A", CYAN, 1}, {"2995", WHITE, 2}},
       {}},
      {"ECS", MFD_PAGE_ECS, [] {},
       {{"RTN", WHITE, 1}, {"CAB TEMP", CYAN, 1}, {"CABIN RATE", CYAN, 1}, {" 123", WHITE, 1}, {"DELTA P", CYAN, 1},
        {"9.0", WHITE, 1}, {"CABIN ALT", CYAN, 1}, {"1960", WHITE, 1}, {"MANUAL RATE", CYAN, 1},
        {"2200", WHITE, 1}, {"LDG ALT", CYAN, 1}, {"---", WHITE, 1}, {"OXY QTY", CYAN, 1}, {"LTRS", CYAN, 1},
        {"754", WHITE, 1}, {"CAB       CKPT", CYAN, 1}, {"H", WHITE, 1}, {"C", WHITE, 1}, {"78", WHITE, 1},
        {"F", CYAN, 1}},
       {}},
      {"FLT", MFD_PAGE_FLIGHT_CONTROLS, [] {},
       {{"RTN", WHITE, 1}, {"PITCH", CYAN, 1}, {"4.2", WHITE, 1}, {"NDN", CYAN, 1}, {"NUP", CYAN, 1},
        {"T", CYAN, 1}, {"I", CYAN, 1}, {"M", CYAN, 1}, {"S", CYAN, 1}, {"AILERON", CYAN, 1}, {"RUDDER", CYAN, 1},
        {"R0.5", WHITE, 1}, {"L1.5", WHITE, 1}, {"0.0", WHITE, 2}, {"10", WHITE, 5}, {"SPLRS", CYAN, 1},
        {"18", WHITE, 1}, {"EXT", CYAN, 1}, {"RET", CYAN, 1}, {"FLAPS", CYAN, 1}, {"UP", WHITE, 1},
        {"8", WHITE, 1}, {"20", WHITE, 1}, {"DN", WHITE, 1}},
       {}},
      {"FLT, spoiler control below its range", MFD_PAGE_FLIGHT_CONTROLS, [] { g_mfd.raw.spoiler_control = 0; },
       {{"0", WHITE, 2}}, {"-16"}},
      {"FUEL", MFD_PAGE_FUEL, [] {},
       {{"RTN", WHITE, 1}, {"LBS ON BOARD", CYAN, 1}, {"4551", WHITE, 1}, {"L WING", CYAN, 1}, {"R WING", CYAN, 1},
        {"2100", WHITE, 1}, {"2050", WHITE, 1}, {"FUSELAGE", CYAN, 1}, {"400", WHITE, 1},
        {"-----------", WHITE, 1}, {"L ENG", CYAN, 1}, {"R ENG", CYAN, 1}, {"USED", CYAN, 1}, {"1511", WHITE, 1}},
       {}},
      {"FUEL, both wings at 330 lb", MFD_PAGE_FUEL, [] { g_mfd.value.left_tank_lb = g_mfd.value.right_tank_lb = 330; },
       {{"330", AMBER, 2}}, {}},
      {"FUEL, left wing just above", MFD_PAGE_FUEL, [] { g_mfd.value.left_tank_lb = 330.5; },
       {{"330", WHITE, 1}, {"2050", WHITE, 1}}, {}},
  };
  for (const PageCase& c : cases) {
    SetUp();
    c.change();
    draw(c.page);
    check(c);
  }
}

TEST_F(SynopticPicture, LowTanksAndOffRangeTrimsAreBoxed) {
  // Wing tank boxes and pointers turn amber when low (left half of the page
  // for the left tank).
  g_mfd.value.left_tank_lb = 300;
  draw(MFD_PAGE_FUEL);
  EXPECT_GT(count_colour(0, 0, W / 2, H - 1, AMBER), 40);
  EXPECT_EQ(count_colour(W / 2, 0, W - 1, H - 1, AMBER), 0);

  // Red trim boxes on SUMRY only on the ground at high power, around each
  // trim out of the take-off range (pitch 1.2, rudder -1.5; aileron 0.5 is in).
  struct Case { bool on_ground; double n1; int boxes; };
  int red_pixels[3] = {};
  const Case cases[] = {{true, 90, 2}, {false, 90, 0}, {true, 40, 0}};
  for (int i = 0; i < 3; ++i) {
    SetUp();
    g_mfd.value.pitch_trim = 1.2;
    g_mfd.value.on_ground = cases[i].on_ground;
    g_mfd.value.left_n1 = g_mfd.value.right_n1 = cases[i].n1;
    draw(MFD_PAGE_SUMMARY);
    red_pixels[i] = count_colour(0, 0, W - 1, H - 1, Colour{1, 0, 0});
  }
  EXPECT_GT(red_pixels[0], 100);
  EXPECT_EQ(red_pixels[1], 0);
  EXPECT_EQ(red_pixels[2], 0);
}

TEST_F(SynopticPicture, GoldenPictures) {
  const std::pair<const char*, int32_t> pages[] = {
      {"mfd_summary", MFD_PAGE_SUMMARY}, {"mfd_electrical", MFD_PAGE_ELECTRICAL},
      {"mfd_hydraulic", MFD_PAGE_HYDRAULIC}, {"mfd_ecs", MFD_PAGE_ECS},
      {"mfd_flight_controls", MFD_PAGE_FLIGHT_CONTROLS}, {"mfd_fuel", MFD_PAGE_FUEL}};
  for (const auto& [name, page] : pages) {
    SetUp();
    g_mfd.value.right_tank_lb = 310;  // one amber tank on the fuel page
    draw(page);
    EXPECT_EQ(golden_check(name, golden_image_from_rgba(pixels_, W, H)), "") << name;
  }
}

}  // namespace
