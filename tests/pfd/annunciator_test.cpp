#include <gtest/gtest.h>

#include <string>

#include "pfd/annunciator_logic.h"

namespace {
// Frames with the tick changing every other frame; returns visibility per tick change.
std::string run(Annunciator* a, bool engaged, int tick_changes, bool yd) {
  std::string seen;
  for (int i = 0; i < tick_changes * 2; i++) {
    const bool tick = i % 2 == 1;
    if (yd) {
      annunciator_step_yd(a, engaged, tick);
    } else {
      annunciator_step_ap(a, engaged, tick);
    }
    if (tick) seen += a->visible ? '1' : '0';
  }
  return seen;
}
const float AMBER[3] = {1.0f, 0.75f, 0.0f};
}  // namespace

TEST(Annunciator, ApEngageFlashesGreenElevenTicksThenStays) {
  Annunciator ap;
  annunciator_make(&ap, "AP", -0.14f, 1.5f);
  EXPECT_FALSE(ap.visible);
  annunciator_step_ap(&ap, true, false);  // engaged, no tick yet
  EXPECT_TRUE(ap.engage_flash_on);
  EXPECT_FLOAT_EQ(annunciator_colour(&ap)[0], 0.156f);
  EXPECT_EQ(run(&ap, true, 12, false), "101010101011");
  EXPECT_FALSE(ap.engage_flash_on);
  EXPECT_TRUE(ap.visible);
}

TEST(Annunciator, ApDisengageFlashesAmberThenVanishes) {
  Annunciator ap;
  annunciator_make(&ap, "AP", -0.14f, 1.5f);
  run(&ap, true, 12, false);
  annunciator_step_ap(&ap, false, false);
  EXPECT_TRUE(ap.disengage_flash_on);
  EXPECT_FLOAT_EQ(annunciator_colour(&ap)[1], AMBER[1]);
  EXPECT_EQ(run(&ap, false, 12, false), "010101010100");
  EXPECT_FALSE(ap.disengage_flash_on);
}

TEST(Annunciator, FlashAdvancesOnlyOnTickChanges) {
  Annunciator ap;
  annunciator_make(&ap, "AP", -0.14f, 1.5f);
  for (int i = 0; i < 100; i++) annunciator_step_ap(&ap, true, false);
  EXPECT_EQ(ap.flash_count, 0);
  EXPECT_TRUE(ap.engage_flash_on);
}

TEST(Annunciator, YdShowsAtOnceAndBlinksAmberWhenReleased) {
  Annunciator yd;
  annunciator_make(&yd, "YD", 0.154f, 1.5f);
  annunciator_step_yd(&yd, true, false);
  EXPECT_TRUE(yd.visible);
  EXPECT_FALSE(yd.engage_flash_on);
  EXPECT_EQ(run(&yd, true, 4, true), "1111");
  annunciator_step_yd(&yd, false, false);
  EXPECT_TRUE(yd.disengage_flash_on);
  EXPECT_EQ(run(&yd, false, 12, true), "010101010100");
}

TEST(Modes, LateralModeFirstMatchWins) {
  ModeInputs in{};
  EXPECT_EQ(lateral_mode_text(in), nullptr);
  in.autopilot = true;
  in.heading_hold = true;
  EXPECT_STREQ(lateral_mode_text(in), "HDG");
  in.nav_hold = true;
  EXPECT_STREQ(lateral_mode_text(in), "NAV");
  in.nav1_localiser = true;
  EXPECT_STREQ(lateral_mode_text(in), "LOC");
  in.nav_gps_switch = 1;
  EXPECT_STREQ(lateral_mode_text(in), "FMS");
  in.nav_hold = in.heading_hold = false;
  in.approach_hold = true;
  EXPECT_STREQ(lateral_mode_text(in), "APP");
  in.autopilot = false;
  EXPECT_EQ(lateral_mode_text(in), nullptr);
}

TEST(Modes, VerticalMode) {
  ModeInputs in{};
  in.altitude_hold = true;
  EXPECT_STREQ(vertical_mode_text(in), "ALT");
  in.vertical_speed_target = 500;
  EXPECT_EQ(vertical_mode_text(in), nullptr);  // autopilot off
  in.autopilot = true;
  EXPECT_STREQ(vertical_mode_text(in), "VS");
  in.altitude_hold = false;  // the frame forces the target to 0 then
  in.vertical_speed_target = 0;
  EXPECT_EQ(vertical_mode_text(in), nullptr);
}
