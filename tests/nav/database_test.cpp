// The three database readers: the running field stream, navaid
// classification, airport records and runway-ok, bounded fields, and the
// files of a data folder with their error lines.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "nav/nav_database.h"
#include "nav/nav_database_files.h"
#include "nav/nav_error_log.h"
#include "tests/support/temp_folder.h"

namespace fs = std::filesystem;

namespace {

std::string read_all(const fs::path& path) {
  std::ifstream in(path);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(NavDatabase, NavaidClassification) {
  const struct {
    const char* line;
    int32_t type;  // 0: dropped
  } cases[] = {
      {"SEA|SEATTLE VORTAC|116.80|1|1|354|47435361|-122309611|130|VOR-DME", NAV_TYPE_VOR_DME},
      {"AB|SOME VOR|112.00|1|0|0|1000000|2000000|0|VOR", NAV_TYPE_VOR},
      {"LSO|KELSO NDB|256|0|0|0|46155472|-122912636|0|NDB", NAV_TYPE_NDB},
      {"IXY|ILS/DME RWY 16|110.3|0|0|0|1|1|0|x", 0},
      {"ILS|ILSE BEACON|300|0|0|0|1|1|0|x", NAV_TYPE_NDB},  // no slash after ILS
      {"DM|DME ONLY|113.0|0|1|0|1|1|0|x", 0},
      {"NUM|NON NUMERIC|x|y|z|0|abc|-|0|x", NAV_TYPE_NDB},  // numbers that do not parse read 0
  };
  for (const auto& c : cases) {
    std::vector<NavRecord> list;
    nav_parse_navaids(c.line, &list);
    ASSERT_EQ(list.size(), c.type ? 1u : 0u) << c.line;
    if (c.type) {
      EXPECT_EQ(list[0].navaid_type, c.type) << c.line;
      EXPECT_EQ(list[0].category, NAV_CATEGORY_NAVAID);
    }
  }
  std::vector<NavRecord> list;
  nav_parse_navaids("SEA|SEATTLE VORTAC|116.80|1|1|354|47435361|-122309611|130|VOR-DME\r\n", &list);
  ASSERT_EQ(list.size(), 1u);
  EXPECT_STREQ(list[0].ident, "SEA");
  EXPECT_STREQ(list[0].name, "SEATTLE VORTAC");
  EXPECT_FLOAT_EQ(list[0].latitude, 47.435361f);
  EXPECT_FLOAT_EQ(list[0].longitude, -122.309611f);
  EXPECT_FLOAT_EQ(list[0].frequency, 116.8f);
}

TEST(NavDatabase, FieldsAreBoundedAndShiftedLinesShiftRecords) {
  std::vector<NavRecord> list;
  // A long name is cut, a long ident too; neither touches the fields after them.
  nav_parse_navaids("ABCDEFGHIJ|A NAME FAR LONGER THAN TWENTY-TWO CHARACTERS|1|1|0|0|-33000000|151000000|0|x\n",
                    &list);
  ASSERT_EQ(list.size(), 1u);
  EXPECT_STREQ(list[0].ident, "ABCDEFG");
  EXPECT_STREQ(list[0].name, "A NAME FAR LONGER THAN");
  EXPECT_FLOAT_EQ(list[0].latitude, -33.0f);
  EXPECT_FLOAT_EQ(list[0].longitude, 151.0f);

  // Five-letter waypoints fit; a line with a field too few takes the next
  // line's first field; blank lines hold no record.
  nav_parse_waypoints("BUXOM|45697575|-122860661|K1\n\nSHORT|1000000|2000000\nNEXT|3000000|4000000|x\n\n", &list);
  ASSERT_EQ(list.size(), 2u);
  EXPECT_STREQ(list[0].ident, "BUXOM");
  EXPECT_FLOAT_EQ(list[0].latitude, 45.697575f);
  EXPECT_STREQ(list[1].ident, "SHORT");
  EXPECT_FLOAT_EQ(list[1].latitude, 1.0f);
  // "NEXT" became the short record's fourth field; the rest of its line
  // starts a record that the end of the text cuts short.
}

TEST(NavDatabase, AirportsAndRunwayOk) {
  const char* text =
      "R|99|0|99999\n"                                     // no airport yet: ignored
      "A|KSEA|SEATTLE TACOMA INTL|47449889|-122311778|433\n"  // name with A and R consumed as the name
      "R|16R/34L|150|5000\n"                               // exactly the minimum
      "A|KXYZ|ARRA|-45000000|-70000000|10\n"
      "R|09/27|75|4999\n"
      "A|0R1|NAME|1|2|3\n";
  std::vector<NavRecord> list;
  nav_parse_airports(text, 5000, &list);
  ASSERT_EQ(list.size(), 3u);
  EXPECT_STREQ(list[0].ident, "KSEA");
  EXPECT_EQ(list[0].runway_ok, 1);
  EXPECT_EQ(list[0].on_plan, 0);
  EXPECT_EQ(list[0].category, NAV_CATEGORY_AIRPORT);
  EXPECT_STREQ(list[1].ident, "KXYZ");
  EXPECT_EQ(list[1].runway_ok, 0);
  EXPECT_FLOAT_EQ(list[1].latitude, -45.0f);
  EXPECT_FLOAT_EQ(list[1].longitude, -70.0f);
  EXPECT_STREQ(list[2].ident, "0R1");
}

class NavDatabaseFiles : public ::testing::Test {
 protected:
  void SetUp() override { fs::create_directories(dir_ / "data"); }
  TempFolder folder_{"nav_database_files"};
  const fs::path dir_ = folder_.path;
  const std::string log_ = (dir_ / NAV_ERROR_LOG).string();
};

TEST_F(NavDatabaseFiles, MissingFilesLogTheirLinesAndLeaveListsEmpty) {
  NavDatabase db;
  db.airports.push_back(NavRecord{});
  nav_database_load(&db, (dir_ / "data").string().c_str(), 5000, log_.c_str());
  EXPECT_TRUE(db.navaids.empty() && db.waypoints.empty() && db.airports.empty());
  // The navaid file shares the waypoint file's message.
  EXPECT_EQ(read_all(log_),
            "ERROR - Could not open waypoint database, none found?\n"
            "ERROR - Could not open waypoint database, none found?\n"
            "ERROR - Could not open airport database, none found?\n");
}

TEST_F(NavDatabaseFiles, NamesDifferingOnlyInCaseAreFoundAndReloadsReplace) {
  std::ofstream(dir_ / "data" / "NAVAIDS.TXT") << "SEA|SEATTLE|116.8|1|1|0|47000000|-122000000|0|x\n";
  std::ofstream(dir_ / "data" / "waypoints.txt") << "BUXOM|45000000|-122000000|x\n";
  std::ofstream(dir_ / "data" / "airports.txt") << "A|KSEA|S|47000000|-122000000|0\nR|16L|150|11900\n";
  NavDatabase db;
  const std::string folder = (dir_ / "data").string();
  for (int load = 0; load < 2; ++load) nav_database_load(&db, folder.c_str(), 5000, log_.c_str());
  EXPECT_EQ(db.navaids.size(), 1u);
  EXPECT_EQ(db.waypoints.size(), 1u);
  ASSERT_EQ(db.airports.size(), 1u);
  EXPECT_EQ(db.airports[0].runway_ok, 1);
  EXPECT_FALSE(fs::exists(log_));
}

TEST(NavDatabaseShipped, PacificNorthwestLoads) {
  const std::string folder = std::string(COCKPIT_SOURCE_DIR) + "/nav/data";
  NavDatabase db;
  nav_database_load(&db, folder.c_str(), 5000, nullptr);
  EXPECT_GT(db.navaids.size(), 50u);
  EXPECT_GT(db.waypoints.size(), 1000u);
  EXPECT_GT(db.airports.size(), 500u);
  int found = 0;
  for (const NavRecord& r : db.airports) {
    if (std::strcmp(r.ident, "KSEA") == 0 || std::strcmp(r.ident, "KPDX") == 0) {
      EXPECT_EQ(r.runway_ok, 1) << r.ident;
      EXPECT_NEAR(r.latitude, std::strcmp(r.ident, "KSEA") == 0 ? 47.45 : 45.59, 0.02);
      ++found;
    }
  }
  EXPECT_EQ(found, 2);
}

}  // namespace
