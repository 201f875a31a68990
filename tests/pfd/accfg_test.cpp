// The aircraft configuration reader: good, short, hostile and empty-plan files.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "pfd/accfg.h"

namespace {

const char* const VALUES =
    "[V1]\n120\n[VR]\n125\n[V2]\n130\n[MAX_FLAPS]\n40\n[VMIN]\n95\n"
    "[VMAX_FLAPS_8]\n250\n[VMAX_FLAPS_20]\n200\n[VMAX_FLAPS_40]\n150\n"
    "[VMO]\n335.000000\n[MM0]\n0.810000\n[MAX_SPOILERS]\n60\n[MIN_RUNWAY_LENGTH]\n5000\n[MAX_FUEL]\n6062\n";

AircraftConfig previous() {
  AircraftConfig c{};
  c.v1 = 1;
  c.vmo = 999;
  c.plan_length = 7;
  return c;
}

TEST(Accfg, SavedFileWithPlanRows) {
  std::string text = std::string(VALUES) +
                     "[ACTIVE_PLAN]\n3,47.450000,8.560000,LSZH\n2,47.000000,8.000000,WPT01\n1,46.5,7.5,LSGG";
  AircraftConfig c = previous();
  EXPECT_TRUE(accfg_apply(&text, &c));
  EXPECT_EQ(c.v1, 120);
  EXPECT_EQ(c.vr, 125);
  EXPECT_EQ(c.v2, 130);
  EXPECT_EQ(c.max_flaps, 40);
  EXPECT_EQ(c.vmin, 95);
  EXPECT_EQ(c.flap_placard_8, 250);
  EXPECT_EQ(c.flap_placard_40, 150);
  EXPECT_FLOAT_EQ(c.vmo, 335.0f);
  EXPECT_FLOAT_EQ(c.mmo, 0.81f);
  EXPECT_EQ(c.max_spoiler, 60);
  EXPECT_EQ(c.max_fuel, 6062);
  ASSERT_EQ(c.plan_length, 3);
  EXPECT_STREQ(c.plan[0].ident, "LSZH");
  EXPECT_FLOAT_EQ(c.plan[0].latitude, 47.45f);
  EXPECT_STREQ(c.plan[2].ident, "LSGG");
  EXPECT_FLOAT_EQ(c.plan[2].longitude, 7.5f);
}

TEST(Accfg, WindowsLineEndsReadTheSame) {
  std::string text = "[V1]\r\n111\r\n";
  for (int i = 0; i < 12; ++i) text += "[X]\r\n7\r\n";
  text += "[ACTIVE_PLAN]\r\n1,1.0,2.0,ABC\r\n";
  AircraftConfig c = previous();
  EXPECT_TRUE(accfg_apply(&text, &c));
  EXPECT_EQ(c.v1, 111);
  ASSERT_EQ(c.plan_length, 1);
  EXPECT_STREQ(c.plan[0].ident, "ABC");
}

TEST(Accfg, EmptyOrAbsentPlanLabelGivesNoRows) {
  for (std::string tail : {"", "\n", "\n\n   \n"}) {
    std::string text = std::string(VALUES) + tail;
    AircraftConfig c = previous();
    EXPECT_TRUE(accfg_apply(&text, &c));
    EXPECT_EQ(c.plan_length, 0);
    EXPECT_EQ(c.v1, 120);
  }
}

TEST(Accfg, RowsEndAtIndexOneOrZero) {
  std::string text = std::string(VALUES) + "[ACTIVE_PLAN]\n2,1,1,A\n0,2,2,B\n1,3,3,C\n";
  AircraftConfig c = previous();
  accfg_apply(&text, &c);
  EXPECT_EQ(c.plan_length, 1);  // index 0 is excluded and ends the list
  text = std::string(VALUES) + "[ACTIVE_PLAN]\n1,1,1,A\n5,2,2,B\n";
  accfg_apply(&text, &c);
  EXPECT_EQ(c.plan_length, 1);  // index 1 is included and ends the list
}

TEST(Accfg, ShortOrMalformedFileKeepsEveryValueAndDropsThePlan) {
  const std::string shorts[] = {
      "",
      "[V1]\n120\n[VR]\n125\n",
      std::string(VALUES).substr(0, std::string(VALUES).size() - 5),  // MAX_FUEL value cut
      "[V1]\nabc\n[VR]\n125\n",
      "[V1]\n99999999999\n",
  };
  for (const std::string& text : shorts) {
    AircraftConfig c = previous();
    EXPECT_FALSE(accfg_apply(&text, &c)) << text;
    EXPECT_EQ(c.v1, 1);
    EXPECT_FLOAT_EQ(c.vmo, 999.0f);
    EXPECT_EQ(c.plan_length, 0);
  }
  AircraftConfig c = previous();
  EXPECT_FALSE(accfg_apply(nullptr, &c));  // missing file
  EXPECT_EQ(c.v1, 1);
  EXPECT_EQ(c.plan_length, 0);
}

TEST(Accfg, HostilePlanRowsAreBounded) {
  // Identifier far beyond its slot: kept to 19 characters, the row still counts.
  std::string text = std::string(VALUES) + "[ACTIVE_PLAN]\n2,1,1," + std::string(500, 'X') + "\n1,2,2,B\n";
  AircraftConfig c = previous();
  EXPECT_TRUE(accfg_apply(&text, &c));
  ASSERT_EQ(c.plan_length, 2);
  EXPECT_EQ(std::string(c.plan[0].ident), std::string(19, 'X'));
  EXPECT_STREQ(c.plan[1].ident, "B");

  // Never reaching index 1: stops at 100 rows.
  text = std::string(VALUES) + "[ACTIVE_PLAN]\n";
  for (int i = 0; i < 300; ++i) text += "500,1.0,2.0,W" + std::to_string(i) + "\n";
  EXPECT_TRUE(accfg_apply(&text, &c));
  EXPECT_EQ(c.plan_length, PFD_PLAN_CAPACITY);

  // End of file without index 1, and a row that does not parse.
  text = std::string(VALUES) + "[ACTIVE_PLAN]\n3,1,1,A\n2,1,1,B";
  accfg_apply(&text, &c);
  EXPECT_EQ(c.plan_length, 2);
  text = std::string(VALUES) + "[ACTIVE_PLAN]\n3,1,1,A\n2;1;1;B\n1,1,1,C\n";
  accfg_apply(&text, &c);
  EXPECT_EQ(c.plan_length, 1);
  text = std::string(VALUES) + "[ACTIVE_PLAN]\n3,1e999,1,A\n";
  accfg_apply(&text, &c);
  EXPECT_EQ(c.plan_length, 0);
}

TEST(Accfg, PathAcceptsEitherSeparator) {
  EXPECT_EQ(accfg_path("c:\\"), "c:/accfg.ini");
  EXPECT_EQ(accfg_path("../du2"), "../du2/accfg.ini");
  EXPECT_EQ(accfg_path("a\\b"), "a/b/accfg.ini");
  EXPECT_EQ(accfg_path(""), "accfg.ini");
}

TEST(Accfg, LoadsFromFolderAndKeepsValuesWhenMissing) {
  auto dir = std::filesystem::temp_directory_path() / ("pfd_accfg_" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  {
    std::ofstream f(dir / "accfg.ini", std::ios::binary);
    f << VALUES << "[ACTIVE_PLAN]\n1,10,20,HOME";
  }
  AircraftConfig c = previous();
  EXPECT_TRUE(accfg_load(dir.string().c_str(), &c));
  EXPECT_EQ(c.v2, 130);
  EXPECT_EQ(c.plan_length, 1);
  std::filesystem::remove(dir / "accfg.ini");
  EXPECT_FALSE(accfg_load(dir.string().c_str(), &c));
  EXPECT_EQ(c.v2, 130);
  EXPECT_EQ(c.plan_length, 0);
  std::filesystem::remove_all(dir);
}

// The file the display unit writes when it finds none and the PFD's own
// start values agree.
TEST(Accfg, DefaultFileMatchesTheStartValues) {
  const std::string text = aircraft_config_default_text();
  AircraftConfig from_file = previous(), start{};
  ASSERT_TRUE(accfg_apply(&text, &from_file));
  accfg_set_defaults(&start);
  const int32_t file_ints[] = {from_file.v1, from_file.vr, from_file.v2, from_file.max_flaps, from_file.vmin,
                               from_file.flap_placard_8, from_file.flap_placard_20, from_file.flap_placard_40,
                               from_file.max_spoiler, from_file.min_runway, from_file.max_fuel};
  const int32_t start_ints[] = {100, 100, 100, 40, 90, 250, 200, 150, 60, 5000, 6062};
  const int32_t code_ints[] = {start.v1, start.vr, start.v2, start.max_flaps, start.vmin, start.flap_placard_8,
                               start.flap_placard_20, start.flap_placard_40, start.max_spoiler, start.min_runway,
                               start.max_fuel};
  for (size_t i = 0; i < sizeof file_ints / sizeof file_ints[0]; ++i) {
    EXPECT_EQ(file_ints[i], start_ints[i]) << i;
    EXPECT_EQ(code_ints[i], start_ints[i]) << i;
  }
  EXPECT_FLOAT_EQ(from_file.vmo, 335.0f);
  EXPECT_FLOAT_EQ(start.vmo, 335.0f);
  EXPECT_FLOAT_EQ(from_file.mmo, 0.81f);
  EXPECT_FLOAT_EQ(start.mmo, 0.81f);
  EXPECT_EQ(from_file.plan_length, 0);
}

}  // namespace
