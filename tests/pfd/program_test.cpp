// pfd_display as a process against a link server: raw offsets in, drawn
// values and cell writes out.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "server/link_server.h"
#include "server/offset_space.h"
#include "simlink/cells.h"
#include "tests/support/private_link.h"

namespace fs = std::filesystem;

namespace {

OffsetSpace space;

template <typename T>
void put(uint32_t offset, T v) {
  space_store(&space, offset, v);
}
template <typename T>
T get(uint32_t offset) {
  return space_load<T>(&space, offset);
}

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
    std::string field;
    std::getline(s, p.text, '\t');
    s >> p.r >> p.g >> p.b >> p.x >> p.y;
    out.push_back(p);
  }
  return out;
}

const Printed* find(const std::vector<Printed>& all, const std::string& text) {
  for (const Printed& p : all)
    if (p.text == text) return &p;
  return nullptr;
}

TEST(PfdEndToEnd, DrawsRawOffsetsAndServesTheCells) {
  const fs::path dir = fs::temp_directory_path() /
                       ("pfd-e2e-" + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
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

  PrivateLink link;
  std::string error;
  ASSERT_TRUE(private_link_start(&link, &space, "pfd", &error)) << error;
  put(0x281C, uint32_t{1});
  put(0x2E80, uint32_t{1});
  put(0x02BC, int32_t{30 * 128});            // IAS up to 40: the V-speed list
  put(0x31E4, uint32_t{20000000});           // 998.2 ft
  put(0x07E2, uint16_t{145});                // speed target
  put(CELL_CAPT_EFIS_MODE, uint8_t{EFIS_MODE_FMS | EFIS_MODE_NAV1});
  put(CELL_ALERT, uint8_t{ALERT_RELOAD_CAPT | ALERT_RELOAD_FO});
  put(OFFSET_NAV_GPS_SWITCH, uint32_t{9});

  const fs::path dump = dir / "text.tsv";
  std::string command = "COCKPIT_LINK_DIR='" + link.folder.string() + "' SDL_AUDIODRIVER=dummy '" +
                        std::string(COCKPIT_BINARY_DIR) + "/apps/pfd_display' --headless --frames 40 --workdir '" +
                        (dir / "work").string() + "' --dump-text '" + dump.string() + "'";
  int status = std::system(command.c_str());
  private_link_stop(&link);
  ASSERT_EQ(status, 0) << command;

  auto printed = read_dump(dump);
  ASSERT_FALSE(printed.empty());
  const Printed* v1 = find(printed, "118-| 1");
  ASSERT_NE(v1, nullptr);
  EXPECT_FLOAT_EQ(v1->r, 1.0f);
  ASSERT_NE(find(printed, "124-| R"), nullptr);
  const Printed* v2 = find(printed, "131-| 2");
  ASSERT_NE(v2, nullptr);
  EXPECT_NEAR(v2->g, 0.98f, 0.01f);
  EXPECT_NE(find(printed, "998"), nullptr);      // radio altitude
  EXPECT_NE(find(printed, "145"), nullptr);      // speed target
  const Printed* ra = find(printed, "998");
  if (ra) {
    EXPECT_GT(ra->x, 433 * 0.4f);
    EXPECT_LT(ra->x, 433 * 0.6f);
  }

  // The reload bit of this side was served, the other one left; the FMS
  // source set the switch to GPS.
  EXPECT_EQ(get<uint8_t>(CELL_ALERT), ALERT_RELOAD_FO);
  EXPECT_EQ(get<uint32_t>(OFFSET_NAV_GPS_SWITCH), 1u);
  // Settings were saved at shutdown, the paths kept.
  std::ifstream ini(dir / "work" / "PFD.ini");
  std::stringstream s;
  s << ini.rdbuf();
  EXPECT_NE(s.str().find((dir / "du2").string()), std::string::npos);

  std::error_code ec;
  fs::remove_all(dir, ec);
}

}  // namespace
