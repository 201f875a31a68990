// The attitude director drawn for real: printed labels and pixel probes.
#include <GL/gl.h>

#include <cmath>

#include "pfd/pfd_groups.h"
#include "tests/pfd/picture_fixture.h"

namespace {

class AttitudePicture : public PfdPicture {
 protected:
  // Raw pitch/bank in degrees, the way the simulator counts them (negated).
  void attitude(double pitch, double bank) {
    g_pfd.raw.pitch = static_cast<int32_t>(-pitch / 8.319e-8);
    g_pfd.raw.bank = static_cast<int32_t>(-bank / 8.319e-8);
  }
  void draw(float radio_altitude = 3000) {
    begin();
    g_pfd.value.radio_altitude = radio_altitude;
    draw_attitude_group();
    draw_roll_scale();
  }
  // Window row where the sky ends going down column x, or -1.
  int horizon_row(int x) const {
    for (int y = 90; y < 260; ++y) {
      auto p = pixel(x, y);
      if (std::abs(p[0] - 169) < 30 && std::abs(p[1] - 122) < 30 && std::abs(p[2] - 102) < 30) return y;
    }
    return -1;
  }
  int red_in_sphere() const { return count_colour(110, 70, 276, 260, 255, 0, 0, 60); }
};

TEST_F(AttitudePicture, LadderLabelsBothSidesOfEveryEvenRung) {
  attitude(0, 0);
  draw();
  for (const char* label : {"10", "20", "30", "40", "60", "90"}) {
    auto hits = found(label);
    ASSERT_EQ(hits.size(), 4u) << label;  // above and below, left and right
    float mid = W / 2.0f;
    EXPECT_LT(hits[0].x, mid);
    EXPECT_GT(hits[1].x, mid);
    EXPECT_NEAR(hits[0].y, hits[1].y, 0.5f);
    EXPECT_EQ(hits[0].slot, 2);
  }
  EXPECT_FALSE(printed("5"));
  EXPECT_FALSE(printed("0"));
  // Labels rise and fall with the sky: 10 up is above 10 down.
  auto ten = found("10");
  EXPECT_LT(ten[0].y, ten[2].y);
}

TEST_F(AttitudePicture, HorizonMovesWithPitchAndRotatesWithBank) {
  attitude(0, 0);
  draw();
  // A column clear of the aircraft symbol, the labels and the wing bars.
  const int column = W / 2 - 46;
  int level = horizon_row(column);
  ASSERT_GT(level, 0);
  attitude(10, 0);
  draw();
  int nose_up = horizon_row(column);
  // 10 degrees = 0.216 units at depth 5: 0.216 / (2 * 5 * tan 22.5) of the height.
  EXPECT_NEAR(nose_up - level, 0.216 / (10 * std::tan(22.5 * M_PI / 180)) * H, 2.0);
  attitude(0, 20);
  draw();
  int left = horizon_row(W / 2 - 50), right = horizon_row(W / 2 + 50);
  ASSERT_GT(left, 0);
  ASSERT_GT(right, 0);
  // Right bank turns the picture counter-clockwise: the horizon rises on the right.
  EXPECT_NEAR(left - right, 100 * std::tan(20 * M_PI / 180), 3.0);
  shot("attitude_bank20");
}

TEST_F(AttitudePicture, ChevronsBeyondTwentyDegreesOnly) {
  for (double pitch : {20.0, -20.0, 10.0}) {
    attitude(pitch, 0);
    draw();
    EXPECT_EQ(red_in_sphere(), 0) << pitch;
  }
  attitude(25, 0);
  draw();
  EXPECT_GT(red_in_sphere(), 50);
  shot("attitude_pitch25");
  attitude(-25, 0);
  draw();
  EXPECT_GT(red_in_sphere(), 50);
}

TEST_F(AttitudePicture, PitchBeyondNinetyDrawnAsNinety) {
  attitude(90, 0);
  draw();
  int at90 = count_colour(110, 70, 276, 260, 169, 122, 102, 30);
  attitude(120, 0);
  draw();
  EXPECT_EQ(count_colour(110, 70, 276, 260, 169, 122, 102, 30), at90);
}

TEST_F(AttitudePicture, RadioAltitudeReadoutUpTo2500Feet) {
  attitude(0, 0);
  draw(2500);
  shot("radio_altitude_2500");
  EXPECT_TRUE(printed("2500"));
  expect_colour("2500", 1, 1, 1);
  draw(2501);
  EXPECT_FALSE(printed("2501"));
  EXPECT_FALSE(printed("2500"));
  draw(-40);
  EXPECT_TRUE(printed("0"));
}

TEST_F(AttitudePicture, FlightDirectorOnlyWhenActive) {
  attitude(0, 0);
  g_pfd.raw.fd_active = 0;
  draw();
  const int magenta_off = count_colour(110, 70, 276, 260, 225, 0, 123, 40);
  g_pfd.raw.fd_active = 1;
  g_pfd.raw.fd_pitch = -5;
  g_pfd.raw.heading_hold = 1;
  g_pfd.raw.fd_bank = 120;  // beyond 90: drawn level
  draw();
  EXPECT_EQ(magenta_off, 0);
  EXPECT_GT(count_colour(110, 70, 276, 260, 225, 0, 123, 40), 20);
}

TEST_F(AttitudePicture, FailurePictureKeepsRollScaleAndSymbol) {
  attitude(15, 30);
  g_pfd.raw.avionics_master = 0;
  draw();
  expect_colour("ATT", 1, 0, 0);
  expect_colour("FAIL", 1, 0, 0);
  expect_colour("RA", 1, 0.75f, 0);
  EXPECT_FALSE(printed("10"));
  // Sky colour above and below the symbol, no ground anywhere.
  EXPECT_EQ(count_colour(110, 70, 276, 260, 169, 122, 102, 20), 0);
  auto below = pixel(W / 2 - 70, 200);
  EXPECT_NEAR(below[0], 2, 20);
  EXPECT_NEAR(below[2], 213, 20);
  // Roll scale ticks and yellow symbol still drawn.
  EXPECT_GT(count_colour(0, 0, W - 1, 110, 255, 255, 255, 60), 30);
  EXPECT_GT(count_colour(110, 100, 276, 200, 255, 255, 0, 60), 30);
  shot("attitude_failed");
}

TEST_F(AttitudePicture, BatteryOffDrawsNothing) {
  g_pfd.raw.battery_master = 0;
  begin();
  draw_attitude_group();
  EXPECT_EQ(count_colour(0, 0, W - 1, H - 1, 0, 0, 0, 5), W * H);
}

}  // namespace
