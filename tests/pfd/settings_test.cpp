// PFD.ini, the side table, the NAV/GPS rule, click zones, knob counter,
// half-second tick, dimming and the drawing area.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "framework/drawing_area.h"
#include "pfd/pfd_frame_logic.h"
#include "pfd/pfd_settings.h"
#include "pfd/pfd_unit.h"
#include "simlink/cells.h"

namespace {

std::string slurp(const std::filesystem::path& p) {
  std::ifstream f(p, std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

struct TempDir {
  std::filesystem::path path;
  TempDir() {
    path = std::filesystem::temp_directory_path() / ("pfd_settings_" + std::to_string(::getpid()));
    std::filesystem::create_directories(path);
  }
  ~TempDir() { std::filesystem::remove_all(path); }
};

TEST(PfdSettings, DefaultFileExactlyAndReadBack) {
  TempDir dir;
  auto file = (dir.path / "PFD.ini").string();
  UnitCommon c{};
  PfdSettings s{};
  ASSERT_TRUE(pfd_write_settings_to(file.c_str(), true, c, s));
  EXPECT_EQ(slurp(file),
            "[X_SIZE,Y_SIZE]\n484,605\n[X_POSITION,Y_POSISTION]\n100,100\n[FRAMELESS_WINDOW(0-1)]\n0\n"
            "[DISPLAY_BEZEL(0-1)]\n1\n[PFD1=0,PFD2=1]\n0\n[PATH_TO_DU2]\n\"c:\\\"\n[PATH_TO_DU3]\n\"c:\\\"");
  s.side = 1;
  pfd_read_settings_from(file.c_str(), &c, &s);
  EXPECT_EQ(c.x_size, 484);
  EXPECT_EQ(c.y_size, 605);
  EXPECT_EQ(c.x_position, 100);
  EXPECT_FALSE(c.frameless);
  EXPECT_TRUE(c.bezel_shown);
  EXPECT_EQ(s.side, 0);
  EXPECT_STREQ(s.du2_path, "c:\\");
  EXPECT_STREQ(s.du3_path, "c:\\");
}

TEST(PfdSettings, CurrentValuesRoundTripAndLongPathsAreCut) {
  TempDir dir;
  auto file = (dir.path / "PFD.ini").string();
  UnitCommon c{};
  c.x_size = 400;
  c.y_size = 558;
  c.x_position = 7;
  c.y_position = 9;
  c.frameless = true;
  PfdSettings s{};
  s.side = 1;
  std::snprintf(s.du2_path, sizeof s.du2_path, "%s", "C:\\Program Files\\DU 2");
  std::snprintf(s.du3_path, sizeof s.du3_path, "%s", "../du3");
  ASSERT_TRUE(pfd_write_settings_to(file.c_str(), false, c, s));
  UnitCommon c2{};
  PfdSettings s2{};
  pfd_read_settings_from(file.c_str(), &c2, &s2);
  EXPECT_EQ(c2.x_size, 400);
  EXPECT_EQ(c2.y_position, 9);
  EXPECT_TRUE(c2.frameless);
  EXPECT_FALSE(c2.bezel_shown);
  EXPECT_EQ(s2.side, 1);
  EXPECT_STREQ(s2.du2_path, "C:\\Program Files\\DU 2");
  EXPECT_STREQ(s2.du3_path, "../du3");

  std::ofstream(file, std::ios::binary) << "[A]\n1,2\n[B]\n3,4\n[C]\n0\n[D]\n1\n[E]\n1\n[F]\n\""
                                        << std::string(300, 'p') << "\"\n[G]\n\"x\"";
  pfd_read_settings_from(file.c_str(), &c2, &s2);
  EXPECT_EQ(std::string(s2.du2_path), std::string(PFD_PATH_CAPACITY - 1, 'p'));
  EXPECT_STREQ(s2.du3_path, "x");  // the rest of the long path was dropped, not spilled
}

TEST(PfdSides, CellsTitlesAndFolders) {
  PfdSide capt = pfd_side_table(0), fo = pfd_side_table(1);
  EXPECT_EQ(capt.efis_mode_cell, 0x73FEu);
  EXPECT_EQ(capt.companion_cell, 0x73FFu);
  EXPECT_EQ(capt.knob_cell, 0x73D2u);
  EXPECT_EQ(capt.dimming_cell, 0x73D7u);
  EXPECT_EQ(capt.bearing1_cell, 0x73DBu);
  EXPECT_EQ(capt.bearing2_cell, 0x73DCu);
  EXPECT_EQ(capt.reload_bit, 1);
  EXPECT_STREQ(capt.title, "Korvu Capt PFD - v1.0.0.4 build 212");
  EXPECT_EQ(fo.efis_mode_cell, 0x73D0u);
  EXPECT_EQ(fo.companion_cell, 0x73D1u);
  EXPECT_EQ(fo.knob_cell, 0x73D3u);
  EXPECT_EQ(fo.dimming_cell, 0x73DAu);
  EXPECT_EQ(fo.bearing1_cell, 0x73DDu);
  EXPECT_EQ(fo.bearing2_cell, 0x73DEu);
  EXPECT_EQ(fo.reload_bit, 2);
  EXPECT_STREQ(fo.title, "Korvu FO PFD - v1.0.0.4 build 212");
  PfdSettings s{};
  std::snprintf(s.du2_path, sizeof s.du2_path, "two");
  std::snprintf(s.du3_path, sizeof s.du3_path, "three");
  EXPECT_STREQ(pfd_side_config_folder(s), "two");
  s.side = 1;
  EXPECT_STREQ(pfd_side_config_folder(s), "three");
}

TEST(PfdSides, NavGpsSwitchDrivenByOneSideWithOneOrZero) {
  EXPECT_TRUE(side_drives_nav_gps(0, 0));
  EXPECT_FALSE(side_drives_nav_gps(1, 0));
  EXPECT_FALSE(side_drives_nav_gps(0, TCAS_FLAG_FO_COUPLED));
  EXPECT_TRUE(side_drives_nav_gps(1, TCAS_FLAG_FO_COUPLED | TCAS_FLAG_TA_AUTO));
  EXPECT_TRUE(side_drives_nav_gps(0, TCAS_FLAG_TA_AUTO));
  // The same value the EFIS panel writes: 1 for GPS, never 16.
  EXPECT_EQ(pfd_nav_gps_value(EFIS_MODE_FMS | EFIS_MODE_NAV1), 1u);
  EXPECT_EQ(pfd_nav_gps_value(EFIS_MODE_NAV1 | EFIS_MODE_ARC | EFIS_MODE_BARO_HPA), 0u);
}

TEST(PfdBezel, ZonesInPercentOfTheDrawingArea) {
  const int w = 1000, h = 1000;  // one pixel = 0.1 percent
  EXPECT_EQ(bezel_zone(120, 900, w, h), ZONE_MINIMUMS_DOWN);  // x% exactly 12
  EXPECT_EQ(bezel_zone(130, 900, w, h), ZONE_MINIMUMS_UP);    // 13
  EXPECT_EQ(bezel_zone(121, 900, w, h), ZONE_MINIMUMS_UP);
  EXPECT_EQ(bezel_zone(90, 870, w, h), ZONE_MINIMUMS_DOWN);   // inclusive corners
  EXPECT_EQ(bezel_zone(160, 920, w, h), ZONE_MINIMUMS_UP);
  EXPECT_EQ(bezel_zone(161, 900, w, h), ZONE_NONE);
  EXPECT_EQ(bezel_zone(860, 900, w, h), ZONE_BARO_DOWN);
  EXPECT_EQ(bezel_zone(861, 900, w, h), ZONE_BARO_UP);
  EXPECT_EQ(bezel_zone(910, 920, w, h), ZONE_BARO_UP);
  EXPECT_EQ(bezel_zone(190, 840, w, h), ZONE_MINIMUMS_MODE);
  EXPECT_EQ(bezel_zone(290, 900, w, h), ZONE_MINIMUMS_MODE);
  EXPECT_EQ(bezel_zone(290, 901, w, h), ZONE_NONE);
  EXPECT_EQ(bezel_zone(710, 840, w, h), ZONE_STANDARD_BARO);
  EXPECT_EQ(bezel_zone(810, 839, w, h), ZONE_NONE);
  EXPECT_EQ(bezel_zone(500, 500, w, h), ZONE_NONE);
  EXPECT_EQ(bezel_zone(10, 10, 0, 0), ZONE_NONE);
  // A 433 x 605 area: pixel 52 is x% 12.01 (up), 51 is 11.78 (down).
  EXPECT_EQ(bezel_zone(51, 540, 433, 605), ZONE_MINIMUMS_DOWN);
  EXPECT_EQ(bezel_zone(52, 540, 433, 605), ZONE_MINIMUMS_UP);
}

TEST(PfdKnob, CounterStepsSeededAndWrapping) {
  CounterReader knob{};
  EXPECT_EQ(counter_step(&knob, 200), 0);  // first read only seeds
  EXPECT_EQ(counter_step(&knob, 200), 0);
  EXPECT_EQ(counter_step(&knob, 201), 1);
  EXPECT_EQ(counter_step(&knob, 10), -1);  // any decrease: one step down
  EXPECT_EQ(counter_step(&knob, 255), 1);
  EXPECT_EQ(counter_step(&knob, 0), 1);    // 255 -> 0 is up
  EXPECT_EQ(counter_step(&knob, 255), -1); // 0 -> 255 is down
}

TEST(PfdFrame, HalfSecondTick) {
  Tick t{};
  EXPECT_TRUE(tick_step(&t, 0));  // (0 + 1000) / 500 = 2
  EXPECT_EQ(t.current, 2);
  EXPECT_FALSE(tick_step(&t, 499));
  EXPECT_TRUE(tick_step(&t, 500));
  EXPECT_EQ(t.current, 3);
  EXPECT_EQ(t.previous, 2);
}

TEST(PfdFrame, FadeInThenDimmingByteAndRestartWhenPoweredOff) {
  Dimming d{false, true, 1};
  int frames = 0;
  float alpha = 1;
  while (frames < 1000) {
    alpha = dimming_step(&d, true, 51);
    ++frames;
    if (!d.fading) break;
  }
  EXPECT_NEAR(frames, 200, 1);
  EXPECT_FLOAT_EQ(alpha, 51 / 255.0f);
  EXPECT_FLOAT_EQ(dimming_step(&d, true, 0), 0.0f);
  EXPECT_FLOAT_EQ(dimming_step(&d, false, 0), 1.0f);
  EXPECT_NEAR(dimming_step(&d, true, 0), 0.995f, 1e-6);  // fades again
}

TEST(PfdUnit, DrawingAreaIsTheDisplayUnitsShare) {
  // 0.7165 kept in double: taken as a float it gives 2000 x 0.71649998 = 1432.99997, one pixel short.
  struct Case { int height, width; };
  for (const Case& c : {Case{605, 433}, Case{540, 386}, Case{2000, 1433}}) {
    DrawingArea area{};
    ASSERT_TRUE(drawing_area_for_client(pfd_unit_hooks().aspect, pfd_unit_hooks().aspect_factor, 3000, c.height, &area));
    EXPECT_EQ(area.width, c.width) << c.height;
  }
}

}  // namespace
