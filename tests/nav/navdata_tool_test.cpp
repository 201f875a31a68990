// The navdata tool: what an import writes reads back through the display
// unit's readers as intended, and the command line answers as documented.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "nav/nav_database.h"
#include "tests/support/shared_data.h"
#include "tests/support/temp_folder.h"
#include "tools/navdata_import.h"

namespace fs = std::filesystem;

namespace {

std::string read_all(const fs::path& path) {
  std::ifstream in(path);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

const NavRecord* find(const std::vector<NavRecord>& list, const char* ident) {
  for (const NavRecord& r : list)
    if (std::strcmp(r.ident, ident) == 0) return &r;
  return nullptr;
}

class NavdataTool : public ::testing::Test {
 protected:
  std::string file(const std::string& name, const std::string& text) {
    std::ofstream((dir_ / name).string(), std::ios::binary) << text;
    return (dir_ / name).string();
  }
  // Runs navdata with `arguments`; its exit status, stdout and stderr.
  int run(const std::string& arguments, std::string* out = nullptr, std::string* err = nullptr) {
    const fs::path o = dir_ / "stdout", e = dir_ / "stderr";
    const std::string command = std::string(NAVDATA_PROGRAM) + " " + arguments + " >" + o.string() + " 2>" + e.string();
    const int status = std::system(command.c_str());
    if (out) *out = read_all(o);
    if (err) *err = read_all(e);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  TempFolder temp_{"navdata_tool"};
  const fs::path dir_ = temp_.path;
};

TEST_F(NavdataTool, XPlaneImportReadsBackAsIntended) {
  const std::string nav = file("nav.dat",
      "I\r\n810 Version - test\r\n\r\n"
      "2  46.15547222 -122.91263611     25   256  25    0.0 LSO  KELSO NDB\r\n"
      "2  10.00000000  010.00000000      0   300  25    0.0 TRP  TRAP ILS/LOC NDB\r\n"
      "3  47.43536111 -122.30961111    354 11680 130   19.0 SEA  SEATTLE VORTAC\r\n"
      "12 47.43536111 -122.30961111    354 11680 130    0.0 SEA  SEATTLE VORTAC DME\r\n"
      "3  45.00000000 -120.00000000      0 11000 130   19.0 FAR  FAR VOR\r\n"
      "12 46.00000000 -120.00000000      0 11000 130    0.0 FAR  FAR DME\r\n"
      "4  47.42939200 -122.30805600    338 11030  18  180.343 ISNQ KSEA 16L ILS-cat-I\r\n"
      "12 47.43 -122.31 338 11030 18 0.0 ISNQ KSEA 16L DME-ILS\r\n"
      "3  1.0 1.0 0 11000 130 0.0 TOOLONGID NAME | WITH BAR\r\n"
      "99\r\n");
  const std::string fix = file("fix.dat", "I\n600 Version\n\n 45.697575 -122.860661 BUXOM\n 10.0 10.0 FAR\n99\n");
  const std::string apt = file("apt.dat",
      "I\n1000 Version\n\n"
      "1    433 1 0 KSEA Seattle Tacoma Intl\n"
      "100 45.72 1 0 0.25 1 2 1 16L 47.46379733 -122.30775222 0 0 3 0 0 0 34R 47.43119 -122.30803 0 0 3 0 0 0\n"
      "1 10 0 0 ARRA ARRA AIRPARK RANCH\n"
      "102 H1 46.5 -122.5 0 10 10 1 0 0 0.25 0\n"
      "1 20 0 0 OLDF Old Field\n"
      "10  44.0 -121.0 07R 70.0 6000 0 0 100 161161 1 0 0 0.25 0\n"
      "1 20 0 0 DATM Datum Field\n1302 datum_lat 45.5\n1302 datum_lon -121.5\n"
      "1 20 0 0 NOWHERE No Runway Field\n"
      "99\n");
  ImportData data;
  std::string error;
  ASSERT_TRUE(navdata_read_xplane_nav(nav, &data, &error)) << error;
  ASSERT_TRUE(navdata_read_xplane_fix(fix, &data, &error)) << error;
  ASSERT_TRUE(navdata_read_xplane_apt(apt, &data, &error)) << error;

  std::vector<NavRecord> navaids, waypoints, airports;
  nav_parse_navaids(navdata_navaid_text(data), &navaids);
  nav_parse_waypoints(navdata_waypoint_text(data), &waypoints);
  nav_parse_airports(navdata_airport_text(data), 5000, &airports);
  ASSERT_EQ(navaids.size(), 4u);
  EXPECT_EQ(find(navaids, "LSO")->navaid_type, NAV_TYPE_NDB);
  EXPECT_EQ(find(navaids, "TRP")->navaid_type, NAV_TYPE_NDB);  // "ILS/" would drop it
  EXPECT_EQ(find(navaids, "SEA")->navaid_type, NAV_TYPE_VOR_DME);
  EXPECT_FLOAT_EQ(find(navaids, "SEA")->frequency, 116.8f);
  EXPECT_FLOAT_EQ(find(navaids, "SEA")->latitude, 47.435361f);
  EXPECT_EQ(find(navaids, "FAR")->navaid_type, NAV_TYPE_VOR);  // its DME is 60 NM away
  ASSERT_EQ(waypoints.size(), 2u);
  EXPECT_FLOAT_EQ(waypoints[0].longitude, -122.860661f);
  ASSERT_EQ(airports.size(), 4u);
  EXPECT_EQ(find(airports, "KSEA")->runway_ok, 1);  // 11,900 ft between the ends
  EXPECT_NEAR(find(airports, "KSEA")->latitude, 47.4475, 0.001);
  EXPECT_EQ(find(airports, "ARRA")->runway_ok, 0);  // name full of record markers
  EXPECT_NEAR(find(airports, "ARRA")->longitude, -122.5, 1e-5);
  EXPECT_EQ(find(airports, "OLDF")->runway_ok, 1);
  EXPECT_NEAR(find(airports, "DATM")->latitude, 45.5, 1e-5);
  EXPECT_EQ(data.dropped["DMEs without a VOR"], 1);
  EXPECT_EQ(data.dropped["localiser, glideslope and marker rows (and their DMEs)"], 2);
  EXPECT_EQ(data.dropped["airports without a runway or other position"], 1);
  EXPECT_EQ(data.dropped["records whose ident the database cannot hold (over 7 characters)"], 1);

  // A region keeps what lies in the box.
  ImportData pnw;
  ASSERT_TRUE(navdata_parse_region("42,-125,50,-116", &pnw.region));
  ASSERT_TRUE(navdata_read_xplane_nav(nav, &pnw, &error));
  EXPECT_EQ(pnw.navaids.size(), 3u);  // all but the one at 10 N 10 E
  EXPECT_FALSE(navdata_parse_region("50,-125,42,-116", &pnw.region));
}

TEST_F(NavdataTool, OurAirportsImport) {
  const std::string navaids = file("navaids.csv",
      "\"id\",\"ident\",\"name\",\"type\",\"frequency_khz\",\"latitude_deg\",\"longitude_deg\",\"elevation_ft\"\n"
      "1,\"SEA\",\"Seattle, \"\"VORTAC\"\"\",\"VORTAC\",116800,47.4353,-122.3096,354\n"
      "2,\"LBH\",\"Laker\",\"NDB-DME\",332,45.54,-122.46,125\n"
      "3,\"TCN\",\"Tacan\",\"TACAN\",0,45,-122,0\n");
  const std::string airports = file("airports.csv",
      "\"id\",\"ident\",\"type\",\"name\",\"latitude_deg\",\"longitude_deg\",\"elevation_ft\"\n"
      "1,\"KSEA\",\"large_airport\",\"Seattle Tacoma\nInternational\",47.449,-122.309,433\n"
      "2,\"KOLD\",\"closed\",\"Closed\",47,-122,0\n");
  const std::string runways = file("runways.csv",
      "\"id\",\"airport_ref\",\"airport_ident\",\"length_ft\",\"width_ft\",\"surface\",\"lighted\",\"closed\","
      "\"le_ident\",\"he_ident\"\n"
      "1,1,\"KSEA\",11901,150,\"CON\",1,0,\"16L\",\"34R\"\n");
  ImportData data;
  std::string error;
  ASSERT_TRUE(navdata_read_ourairports_navaids(navaids, &data, &error)) << error;
  ASSERT_TRUE(navdata_read_ourairports_airports(airports, runways, &data, &error)) << error;
  std::vector<NavRecord> navaid_list, airport_list;
  nav_parse_navaids(navdata_navaid_text(data), &navaid_list);
  nav_parse_airports(navdata_airport_text(data), 5000, &airport_list);
  ASSERT_EQ(navaid_list.size(), 2u);
  EXPECT_STREQ(navaid_list[0].name, "Seattle, \"VORTAC\"");
  EXPECT_EQ(navaid_list[0].navaid_type, NAV_TYPE_VOR_DME);
  EXPECT_EQ(navaid_list[1].navaid_type, NAV_TYPE_NDB);
  ASSERT_EQ(airport_list.size(), 1u);
  EXPECT_EQ(airport_list[0].runway_ok, 1);

  // Runways alone place no airport; the user is told.
  ImportData runways_only;
  ASSERT_TRUE(navdata_read_ourairports_airports("", runways, &runways_only, &error));
  EXPECT_FALSE(runways_only.has_airports);
  EXPECT_EQ(runways_only.notes.size(), 1u);
}

TEST_F(NavdataTool, CommandLine) {
  std::string out, err;
  EXPECT_EQ(run("--help", &out), 0);
  EXPECT_NE(out.find("usage: navdata import"), std::string::npos);
  for (const char* bad : {"", "import --bogus x", "import --out", "import unknown.bin", "plan", "find A --min-runway x",
                          "import --region 1,2,3 nav.dat", "frobnicate", "'\x1b]0;owned\x07'"}) {
    EXPECT_EQ(run(bad, nullptr, &err), 2) << bad;
    EXPECT_EQ(err.rfind("navdata: ", 0), 0u) << bad;
    EXPECT_EQ(err.find('\x1b'), std::string::npos) << "raw escape byte echoed";
  }

  const std::string source = COCKPIT_SOURCE_DIR;
  EXPECT_EQ(run("plan " + source + "/nav/plans/KSEA-KPDX.pln", &out), 0);
  EXPECT_EQ(out,
            "LAYOUT\ttext\n"
            "KSEA\tA\t47.450165\t-122.312332\n"
            "SEA\tV\t47.435333\t-122.309669\n"
            "OLM\tV\t46.971668\t-122.901833\n"
            "LSO\tN\t46.155499\t-122.912666\n"
            "BUXOM\tI\t45.697498\t-122.860664\n"
            "KPDX\tA\t45.588833\t-122.597336\n");
  EXPECT_EQ(run("plan " + file("route.txt", "no layout at all\n"), &out), 0);
  EXPECT_EQ(out, "LAYOUT\tnone\n");
  EXPECT_EQ(run("plan " + (dir_ / "absent.pln").string()), 1);

  EXPECT_EQ(run("find SEA --data " + source + "/nav/data", &out), 0);
  EXPECT_EQ(out.rfind("navaid\tSEA\t47.435360\t-122.309608\tVOR-DME\tSEATTLE VORTAC\t116.8\n", 0), 0u);
  EXPECT_EQ(run("find KPDX --data " + source + "/nav/data --min-runway 20000", &out), 0);
  EXPECT_NE(out.find("airport\tKPDX\t"), std::string::npos);
  EXPECT_NE(out.find("runway-ok 0"), std::string::npos);
  EXPECT_EQ(run("find NOSUCH --data " + source + "/nav/data"), 1);

  const std::string fix = file("fix.dat", "I\n600 Version\n\n 45.697575 -122.860661 BUXOM\n99\n");
  EXPECT_EQ(run("import --out " + (dir_ / "out").string() + " " + fix, &out, &err), 0);
  EXPECT_NE(out.find("waypoints.txt: 1 waypoints"), std::string::npos);
  EXPECT_NE(err.find("fix.dat 100%"), std::string::npos);
  EXPECT_EQ(read_all(dir_ / "out" / "waypoints.txt"), "BUXOM|45697575|-122860661|-\n");
  EXPECT_FALSE(fs::exists(dir_ / "out" / "navaids.txt"));  // only what was given is written
}

// The whole shared data set, when present: the world's navaids and fixes and
// the regional airports import and read back.
TEST_F(NavdataTool, SharedDataImports) {
  const fs::path xplane = shared_data_dir() / "xplane";
  if (!fs::is_directory(xplane)) GTEST_SKIP() << "no shared data at " << xplane;
  ImportData data;
  std::string error;
  ASSERT_TRUE(navdata_read_xplane_nav((xplane / "nav.dat.gz").string(), &data, &error)) << error;
  ASSERT_TRUE(navdata_read_xplane_fix((xplane / "fix.dat.gz").string(), &data, &error)) << error;
  ASSERT_TRUE(navdata_read_xplane_apt((xplane / "apt-pacific-northwest.dat").string(), &data, &error)) << error;
  std::vector<NavRecord> navaids, waypoints, airports;
  nav_parse_navaids(navdata_navaid_text(data), &navaids);
  nav_parse_waypoints(navdata_waypoint_text(data), &waypoints);
  nav_parse_airports(navdata_airport_text(data), 5000, &airports);
  EXPECT_EQ(navaids.size(), data.navaids.size());  // nothing the reader drops or shifts
  EXPECT_EQ(waypoints.size(), data.waypoints.size());
  EXPECT_EQ(airports.size(), 1000u);
  EXPECT_GT(waypoints.size(), 100000u);
  EXPECT_EQ(find(airports, "KPDX")->runway_ok, 1);
  EXPECT_EQ(find(navaids, "OLM") != nullptr, true);
}

}  // namespace
