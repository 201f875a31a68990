// A unit on the far side of the bridge: pfd_display served by the attaching
// end, the server behind the serving end, all on loopback. The unit draws
// the server's values and its writes reach the server, with no change to it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "simlink/cells.h"
#include "tests/bridge/bridge_rig.h"

namespace fs = std::filesystem;

namespace {

OffsetSpace space;

struct Printed {
  std::string text;
  float r, g, b, x, y;
};

std::vector<Printed> read_dump(const fs::path& file) {
  std::vector<Printed> out;
  std::ifstream f(file);
  std::string line;
  while (std::getline(f, line)) {
    std::stringstream s(line);
    Printed p;
    std::getline(s, p.text, '\t');
    s >> p.r >> p.g >> p.b >> p.x >> p.y;
    out.push_back(p);
  }
  return out;
}

void prepare_pfd_folder(const fs::path& dir) {
  fs::create_directories(dir / "work" / "textures");
  fs::create_directories(dir / "du2");
  for (const char* t : {"zero_flag", "DU_NoBezel", "DU_BezelOverlay"})
    fs::copy_file(fs::path(COCKPIT_BINARY_DIR) / "artwork" / (std::string(t) + ".tga"),
                  dir / "work" / "textures" / (std::string(t) + ".tga"));
  std::ofstream(dir / "work" / "PFD.ini", std::ios::binary)
      << "[X_SIZE,Y_SIZE]\n433,605\n[X_POSITION,Y_POSISTION]\n0,0\n[FRAMELESS_WINDOW(0-1)]\n0\n"
      << "[DISPLAY_BEZEL(0-1)]\n1\n[PFD1=0,PFD2=1]\n0\n[PATH_TO_DU2]\n\"" << (dir / "du2").string()
      << "\"\n[PATH_TO_DU3]\n\"c:\\\"";
  std::ofstream(dir / "du2" / "accfg.ini", std::ios::binary)
      << "[V1]\n118\n[VR]\n124\n[V2]\n131\n[MAX_FLAPS]\n40\n[VMIN]\n95\n[VMAX_FLAP_8]\n250\n[VMAX_FLAP_20]\n200\n"
      << "[VMAX_FLAP_40]\n150\n[VMO]\n335\n[MMO]\n0.81\n[MAX_SPOILERS]\n60\n[MIN_RUNWAY_LENGTH]\n5000\n[MAX_FUEL]\n6062";
}

TEST(BridgeUnit, PfdDrawsTheFarServersValuesAndWritesBack) {
  BridgeRig rig;
  std::string error;
  ASSERT_TRUE(bridge_rig_prepare(&rig, &space, &error)) << error;
  prepare_pfd_folder(rig.temp.path);
  space_store(&space, 0x281C, uint32_t{1});             // battery
  space_store(&space, 0x2E80, uint32_t{1});             // avionics
  space_store(&space, 0x02BC, int32_t{30 * 128});       // slow: the V-speed list shows
  space_store(&space, 0x31E4, uint32_t{20000000});      // radio altitude 998.2 ft
  space_store(&space, 0x07E2, uint16_t{145});           // speed target
  space_store(&space, CELL_CAPT_EFIS_MODE, uint8_t{EFIS_MODE_FMS | EFIS_MODE_NAV1});
  space_store(&space, CELL_ALERT, uint8_t{ALERT_RELOAD_CAPT | ALERT_RELOAD_FO});
  space_store(&space, OFFSET_NAV_GPS_SWITCH, uint32_t{9});
  ASSERT_GT(bridge_rig_serve(&rig), 0);
  ASSERT_GT(bridge_rig_attach(&rig), 0);
  ASSERT_TRUE(bridge_rig_wait_socket(rig, true, 5000)) << bridge_rig_log(rig, "attach");

  const fs::path dump = rig.temp.path / "text.tsv";
  std::string command = "SDL_AUDIODRIVER=dummy '" + std::string(COCKPIT_BINARY_DIR) +
                        "/apps/pfd_display' --headless --frames 60 --workdir '" + (rig.temp.path / "work").string() +
                        "' --dump-text '" + dump.string() + "'";
  int status = std::system(command.c_str());
  const uint8_t alert = space_load<uint8_t>(&space, CELL_ALERT);
  const uint32_t nav_gps = space_load<uint32_t>(&space, OFFSET_NAV_GPS_SWITCH);
  const std::string logs = "serve:\n" + bridge_rig_log(rig, "serve") + "attach:\n" + bridge_rig_log(rig, "attach");
  bridge_rig_stop(&rig);
  ASSERT_EQ(status, 0) << command;

  std::vector<Printed> printed = read_dump(dump);
  struct Expected {
    const char* text;
    float r, g, b;
  } expected[] = {
      {"118-| 1", 1.0f, 1.0f, 1.0f},   // V1 from the unit's own file, shown because IAS is low
      {"998", -1, -1, -1},             // radio altitude from the far server
      {"145", -1, -1, -1},             // speed target from the far server
  };
  for (const Expected& e : expected) {
    auto hit = std::find_if(printed.begin(), printed.end(), [&](const Printed& p) { return p.text == e.text; });
    ASSERT_NE(hit, printed.end()) << e.text << " not drawn\n" << logs;
    if (e.r >= 0) {
      EXPECT_NEAR(hit->r, e.r, 0.01f) << e.text;
      EXPECT_NEAR(hit->g, e.g, 0.01f) << e.text;
      EXPECT_NEAR(hit->b, e.b, 0.01f) << e.text;
    }
  }
  // The unit's writes went the other way: its reload bit served, the GPS source switched.
  EXPECT_EQ(alert, ALERT_RELOAD_FO);
  EXPECT_EQ(nav_gps, 1u);
}

}  // namespace
