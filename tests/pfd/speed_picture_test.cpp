// The airspeed group drawn for real: printed values and the red limit bars.
#include <GL/gl.h>

#include <cmath>
#include <string>

#include "pfd/accfg.h"
#include "pfd/pfd_groups.h"
#include "pfd/speed_tape_logic.h"
#include "tests/pfd/picture_fixture.h"
#include "simlink/cells.h"

namespace {

class SpeedPicture : public PfdPicture {
 protected:
  void SetUp() override {
    PfdPicture::SetUp();
    g_pfd.speed = SpeedTapeState{};
    g_pfd.config.v1 = 120;
    g_pfd.config.vr = 125;
    g_pfd.config.v2 = 130;
    g_pfd.config.vmin = 110;
    g_pfd.config.vmo = 335;
    g_pfd.config.mmo = 0.81f;
    g_pfd.raw.outside_temperature = 15 * 256;
    g_pfd.raw.alert_cell = 0;
    g_pfd.raw.acceleration = 0.001;  // a trend speed next to IAS
  }
  void speed(double ias, double mach = 0.2) {
    g_pfd.raw.ias = static_cast<int32_t>(ias * 128);
    g_pfd.raw.tas = g_pfd.raw.ias;
    g_pfd.raw.mach = static_cast<uint16_t>(mach * 20480);
  }
  // Twice: the Mach limit uses the previous frame's maximum Mach.
  void draw() {
    begin();
    draw_speed_group();
    begin();
    draw_speed_group();
  }
  // Red pixels in the column of the limit bars.
  int red_bar(int y0, int y1) const { return count_colour(80, y0, 94, y1, 255, 0, 0, 60); }
};

TEST_F(SpeedPicture, TargetReadoutDashesValueOrFailure) {
  speed(250);
  draw();
  expect_colour("_ _ _", 0.882f, 0, 0.482f);
  // Inside the window, above the top of the tape.
  EXPECT_GT(found("_ _ _")[0].y, 0.0f);
  EXPECT_LT(found("_ _ _")[0].y, (1 - 0.874f) * H);
  g_pfd.raw.airspeed_target = 230;
  draw();
  expect_colour("230", 0.882f, 0, 0.482f);
  g_pfd.raw.altitude_hold = 1;
  g_pfd.raw.vertical_speed_target = 1200;  // a vertical speed target takes over
  draw();
  EXPECT_TRUE(printed("_ _ _"));
  EXPECT_FALSE(printed("230"));
  g_pfd.raw.avionics_master = 0;
  draw();
  expect_colour("- - -", 1, 0.75f, 0);
  EXPECT_FALSE(printed("_ _ _"));
  EXPECT_FALSE(printed("20"));  // no tape labels, no readout
}

TEST_F(SpeedPicture, VSpeedListAt40AndBugsAbove) {
  speed(40);
  g_pfd.raw.on_ground = 1;
  draw();
  expect_colour("120-| 1", 1, 1, 1);
  expect_colour("125-| R", 0, 1, 1);
  expect_colour("130-| 2", 0, 0.98f, 0.027f);
  EXPECT_FALSE(printed("--| 1"));
  speed(40.01);
  draw();
  EXPECT_FALSE(printed("120-| 1"));
  EXPECT_FALSE(printed("--| 1"));  // V1 is 79.99 knots away
  speed(84);                       // V1 36 away, V2 46 away
  draw();
  EXPECT_TRUE(printed("--| 1"));
  EXPECT_TRUE(printed("--| R"));
  EXPECT_FALSE(printed("--| 2"));
  auto v1 = found("--| 1"), vr = found("--| R");
  EXPECT_LT(vr[0].y, v1[0].y);  // higher speed higher up
  shot("speed_bugs");
}

TEST_F(SpeedPicture, ReadoutTensAndLowerReadout) {
  speed(123.4, 0.45);
  draw();
  expect_colour("12", 1, 1, 1);
  expect_colour(".450 M", 1, 1, 1);
  EXPECT_TRUE(printed("120"));  // tape label
  speed(600, 1.0);              // IAS clamps to 500; Mach exactly 1
  draw();
  EXPECT_TRUE(printed("1.00 M"));
  EXPECT_FALSE(printed(".1000 M"));
  speed(60, 0.1);
  g_pfd.raw.on_ground = 1;
  g_pfd.raw.ground_speed = static_cast<uint32_t>(55 / 2.9661e-05) + 1;
  draw();
  EXPECT_TRUE(printed("55 KTS"));
}

// The tens and the drum digit level with them read the speed to the knot.
TEST_F(SpeedPicture, ReadoutTensAgreeWithTheDrumInTheWindow) {
  struct Case { double ias; const char* tens; const char* units; };
  const Case cases[] = {{138.6, "13", "9"}, {139.0, "13", "9"}, {139.2, "13", "9"},
                        {139.5, "14", "0"}, {139.9, "14", "0"}};
  for (const Case& c : cases) {
    speed(c.ias);
    draw();
    const auto tens = found(c.tens);
    ASSERT_EQ(tens.size(), 1u) << c.ias;
    const PrintedText* level = nullptr;
    for (const auto& p : text_captured())
      if (p.text.size() == 1 && p.text[0] >= '0' && p.text[0] <= '9' && p.x > tens[0].x &&
          (!level || std::abs(p.y - tens[0].y) < std::abs(level->y - tens[0].y)))
        level = &p;
    ASSERT_NE(level, nullptr) << c.ias;
    EXPECT_EQ(level->text, c.units) << c.ias;
    if (c.ias == 139.5) shot("speed_readout_139_5");
  }
}

// A PFD that has read no accfg.ini yet flies with the aircraft's defaults:
// no over-speed bar down the tape and a normal readout at everyday speeds.
TEST_F(SpeedPicture, AircraftDefaultsBeforeAnyConfigurationFile) {
  accfg_set_defaults(&g_pfd.config);
  for (double ias : {135.0, 280.0}) {
    speed(ias, ias / 600);
    draw();
    EXPECT_EQ(red_bar(60, 150), 0) << ias;  // VMIN 90 may just show at the bottom at 135
    EXPECT_EQ(speed_readout_colour(g_pfd.speed, g_pfd.value, g_pfd.config), READOUT_NORMAL) << ias;
    expect_colour(std::to_string(speed_readout_tens(ias)), 1, 1, 1);
  }
  shot("speed_defaults_280");
}

TEST_F(SpeedPicture, MachTapeFromMach040WithBit6) {
  speed(260, 0.39);
  g_pfd.raw.alert_cell = ALERT_PFD_CONTROL;
  draw();
  EXPECT_TRUE(printed("260"));
  EXPECT_FALSE(printed(".42"));
  speed(260, 0.40);
  draw();
  EXPECT_TRUE(printed(".42"));
  EXPECT_TRUE(printed(". 2") == false);  // only ticks within 0.2 Mach are labelled
  EXPECT_FALSE(printed("260"));
  EXPECT_TRUE(printed(".4"));            // tenths in the readout
  EXPECT_TRUE(printed("260 KTS"));       // lower readout on the Mach tape
  g_pfd.raw.airspeed_target = 250;
  g_pfd.raw.mach_target = static_cast<uint32_t>(0.78 * 65536) + 1;
  draw();
  EXPECT_TRUE(printed("0.78"));
  shot("speed_mach");
}

TEST_F(SpeedPicture, RedLimitBars) {
  speed(200);
  draw();
  EXPECT_EQ(red_bar(60, 150), 0);
  speed(330);  // near VMO: the high-speed bar comes down the tape
  draw();
  EXPECT_GT(red_bar(60, 150), 50);
  speed(120);  // airborne near VMIN: the low-speed bar
  draw();
  EXPECT_GT(red_bar(175, 245), 50);
  shot("speed_low_bar");
  g_pfd.raw.on_ground = 1;  // no low-speed bar on the ground
  draw();
  EXPECT_EQ(red_bar(175, 245), 0);
}

}  // namespace
