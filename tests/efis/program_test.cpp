// efis_panel end to end: a real window under Xvfb, a link server in this
// process, scripted clicks, and the cells, the NAV/GPS switch, the settings
// file and the picture read back afterwards.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "efis/efis_geometry.h"
#include "efis/efis_settings.h"
#include "platform/png_file.h"
#include "server/link_server.h"
#include "server/offset_space.h"
#include "simlink/cells.h"
#include "simlink/link_wire.h"
#include "simlink/simlink.h"
#include "tests/support/private_link.h"

namespace fs = std::filesystem;

namespace {

constexpr uint32_t UNTOUCHED = 0x5A5A5A5A;
// The default window: 617 x 225 client, 617 x 224 panel at the bottom.
constexpr int PANEL_WIDTH = 617, PANEL_HEIGHT = 224, CLIENT_HEIGHT = 225;

// A click at a point given in percent of the panel, as the program scales it.
std::string click(int frame, double px, double py) {
  int x = static_cast<int>(px / 100.0 * PANEL_WIDTH + 0.5);
  int y = static_cast<int>(py / 100.0 * PANEL_HEIGHT + 0.5);
  return " --click " + std::to_string(frame) + ":" + std::to_string(x) + ":" + std::to_string(y);
}

class EfisPanelRun : public ::testing::Test {
 protected:
  fs::path dir_, link_dir_;
  OffsetSpace space_;
  PrivateLink link_;

  void SetUp() override {
    std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    dir_ = fs::temp_directory_path() / ("efis_panel_" + name);
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    fs::copy(fs::path(COCKPIT_RUN_DIR) / "efis1" / "textures", dir_ / "textures");
    std::string error;
    ASSERT_TRUE(private_link_start(&link_, &space_, "efis", &error)) << error;
    link_dir_ = link_.folder;
  }
  void TearDown() override {
    private_link_stop(&link_);
    if (!HasFailure()) fs::remove_all(dir_);
  }

  int run(const std::string& args) {
    // The shell's own id becomes the panel's (exec): its mappings are named after it.
    std::string command = "echo $$ >\"" + (dir_ / "pid.txt").string() + "\"; SDL_AUDIODRIVER=dummy COCKPIT_LINK_DIR=\"" +
                          link_dir_.string() + "\" exec \"" + COCKPIT_BINARY_DIR + "/apps/efis_panel\" --headless --workdir \"" + dir_.string() +
                          "\" " + args + " >\"" + (dir_ / "stdout.txt").string() + "\" 2>\"" +
                          (dir_ / "stderr.txt").string() + "\"";
    int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  std::string read(const char* name) {
    std::ifstream in(dir_ / name, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  void write(const char* name, const std::string& text) { std::ofstream(dir_ / name, std::ios::binary) << text; }

  uint8_t cell(uint32_t offset) { return space_load<uint8_t>(&space_, offset); }
  void set_cell(uint32_t offset, uint8_t value) { space_store(&space_, offset, value); }
  uint32_t nav_gps() { return space_load<uint32_t>(&space_, OFFSET_NAV_GPS_SWITCH); }
  void mark_nav_gps() { space_store(&space_, OFFSET_NAV_GPS_SWITCH, UNTOUCHED); }
  // Reads a cell as another unit would, over the link.
  uint8_t cell_over_link(uint32_t offset) {
    setenv("COCKPIT_LINK_DIR", link_dir_.c_str(), 1);
    uint32_t result = 0;
    uint8_t value = 0xEE;
    EXPECT_TRUE(simlink_open(0, &result)) << simlink_error_message(result);
    EXPECT_TRUE(simlink_read(offset, 1, &value, &result));
    EXPECT_TRUE(simlink_process(&result)) << simlink_error_message(result);
    simlink_close();
    return value;
  }
};

bool near(const RgbImage& image, double px, double py, int r, int g, int b, int tolerance) {
  int x = static_cast<int>(px / 100.0 * PANEL_WIDTH);
  int y = CLIENT_HEIGHT - PANEL_HEIGHT + static_cast<int>(py / 100.0 * PANEL_HEIGHT);
  const uint8_t* p = &image.pixels[(static_cast<size_t>(y) * image.width + x) * 3];
  return std::abs(p[0] - r) <= tolerance && std::abs(p[1] - g) <= tolerance && std::abs(p[2] - b) <= tolerance;
}

// Brightest pixel around a point of the drawing space at instrument depth,
// projected as the default window's perspective does.
int brightest_around(const RgbImage& image, double x, double y) {
  double half_height = 30.0 * std::tan(22.5 * 3.14159265358979 / 180.0);
  double half_width = half_height * PANEL_WIDTH / PANEL_HEIGHT;
  int cx = static_cast<int>((x / half_width + 1.0) / 2.0 * PANEL_WIDTH);
  int cy = CLIENT_HEIGHT - PANEL_HEIGHT + static_cast<int>((1.0 - y / half_height) / 2.0 * PANEL_HEIGHT);
  int best = 0;
  for (int dy = -1; dy <= 1; ++dy)
    for (int dx = -1; dx <= 1; ++dx) {
      const uint8_t* p = &image.pixels[(static_cast<size_t>(cy + dy) * image.width + cx + dx) * 3];
      best = std::max(best, std::min({p[0], p[1], p[2]}) + 0);
    }
  return best;
}

// A point on the knob body along the pointer of a position: grey when the
// pointer is drawn there, dark knob otherwise.
int pointer_brightness(const RgbImage& image, float knob_x, const float* angles, int position) {
  double angle = angles[position] * 3.14159265358979 / 180.0;
  double along = 0.6 * EFIS_POINTER_LENGTH;
  return brightest_around(image, knob_x + along * std::cos(angle), EFIS_KNOB_Y + along * std::sin(angle));
}

// Where the source light is drawn, in percent of the default panel.
constexpr double LIGHT_PY = 14.2;
constexpr double LIGHT_FMS_PX = 73.1, LIGHT_NAV_PX = 85.8;
constexpr int GREEN_R = 40, GREEN_G = 205, GREEN_B = 55;

}  // namespace

TEST_F(EfisPanelRun, CaptainClicksReachTheCellsAndTheKnobsAreSaved) {
  std::string shot = (dir_ / "shot.png").string();
  std::string clicks = click(3, 14.5, 21.5) +   // barometric unit
                       click(4, 73, 21.5) +     // FMS
                       click(5, 16.5, 60) + click(6, 16.5, 60) +  // bearing 1 up twice: ADF
                       click(7, 75, 60) + click(8, 75, 60) + click(9, 75, 70);  // bearing 2: VOR
  ASSERT_EQ(run("--frames 20 --screenshot " + shot + clicks), 0) << read("stderr.txt");
  EXPECT_EQ(cell_over_link(CELL_CAPT_EFIS_MODE), 1 + 8 + 16);
  EXPECT_EQ(cell_over_link(CELL_CAPT_BEARING1_SOURCE), BEARING_SOURCE_ADF);
  EXPECT_EQ(cell_over_link(CELL_CAPT_BEARING2_SOURCE), BEARING_SOURCE_VOR);
  EXPECT_EQ(nav_gps(), 1u);
  EXPECT_EQ(cell(CELL_FO_EFIS_MODE), 0);
  // The default file was written first; the panel's height is 617 / 2.745 truncated.
  EXPECT_EQ(read("EFIS.ini"), efis_settings_text(EfisSettings{617, 224, 100, 100, 0, 0, 2, 1}));

  RgbImage image;
  ASSERT_TRUE(png_read_rgb(shot.c_str(), &image));
  EXPECT_EQ(image.width, 617);
  EXPECT_EQ(image.height, 225);
  EXPECT_TRUE(near(image, LIGHT_FMS_PX, LIGHT_PY, GREEN_R, GREEN_G, GREEN_B, 40));
  EXPECT_FALSE(near(image, LIGHT_NAV_PX, LIGHT_PY, GREEN_R, GREEN_G, GREEN_B, 40));
  // The pointers stand at ADF and VOR, over the dark knobs.
  for (int position = 0; position < 4; ++position) {
    EXPECT_EQ(pointer_brightness(image, EFIS_KNOB1_X, EFIS_KNOB1_ANGLES, position) > 120, position == 2) << position;
    EXPECT_EQ(pointer_brightness(image, EFIS_KNOB2_X, EFIS_KNOB2_ANGLES, position) > 120, position == 1) << position;
  }
  // Each button zone's centre shows a painted button.
  for (double px : {14.5, 26.0, 38.0, 62.0, 73.0, 84.0})
    EXPECT_TRUE(near(image, px, 21.5, 0x4b, 0x4f, 0x56, 16)) << px;

  // The next start keeps the knobs, not the buttons: NAV1, light on NAV.
  ASSERT_EQ(run("--frames 5 --screenshot " + shot), 0) << read("stderr.txt");
  EXPECT_EQ(cell(CELL_CAPT_EFIS_MODE), 8);
  EXPECT_EQ(cell(CELL_CAPT_BEARING1_SOURCE), BEARING_SOURCE_ADF);
  EXPECT_EQ(nav_gps(), 0u);
  ASSERT_TRUE(png_read_rgb(shot.c_str(), &image));
  EXPECT_TRUE(near(image, LIGHT_NAV_PX, LIGHT_PY, GREEN_R, GREEN_G, GREEN_B, 40));
}

TEST_F(EfisPanelRun, CouplingBitHandsTheSwitchToTheFirstOfficer) {
  set_cell(CELL_TCAS_FLAGS, TCAS_FLAG_FO_COUPLED);
  mark_nav_gps();
  // Captain: only the first frame (coupling byte still 0) writes the switch.
  ASSERT_EQ(run("--frames 12" + click(3, 73, 21.5)), 0) << read("stderr.txt");
  EXPECT_EQ(cell(CELL_CAPT_EFIS_MODE), 24);
  EXPECT_EQ(nav_gps(), 0u);

  write("EFIS.ini", efis_settings_text(EfisSettings{617, 225, 100, 100, 0, 1, 3, 0}));
  set_cell(CELL_FO_EFIS_COMPANION, 0x55);
  ASSERT_EQ(run("--frames 12" + click(3, 73, 21.5) + click(4, 38, 21.5)), 0) << read("stderr.txt");
  EXPECT_EQ(cell(CELL_FO_EFIS_MODE), 24);
  EXPECT_EQ(cell(CELL_FO_EFIS_COMPANION), 0);
  EXPECT_EQ(cell(CELL_FO_BEARING1_SOURCE), BEARING_SOURCE_FMS);
  EXPECT_EQ(cell(CELL_FO_BEARING2_SOURCE), BEARING_SOURCE_NONE);
  EXPECT_EQ(nav_gps(), 1u);
  EXPECT_EQ(cell(CELL_CAPT_BEARING1_SOURCE), 0);
}

TEST_F(EfisPanelRun, DamagedAndShortSettingsFilesStartSafely) {
  write("EFIS.ini", "[X_SIZE,Y_SIZE]\n0,-3\n[X_POSITION,Y_POSISTION]\n40,50\n[F]\n0\n[S]\n7\n[B1]\n9\n[B2]\n-4\n");
  ASSERT_EQ(run("--frames 3"), 0) << read("stderr.txt");
  EXPECT_EQ(read("EFIS.ini"), efis_settings_text(EfisSettings{617, 224, 40, 50, 0, 1, 3, 0}));
  EXPECT_EQ(cell(CELL_FO_BEARING1_SOURCE), BEARING_SOURCE_FMS);

  // A file that ends early: the built-in 571 x 208 at 0,0, captain, knobs off.
  write("EFIS.ini", "[X_SIZE,Y_SIZE]\n");
  ASSERT_EQ(run("--frames 3"), 0) << read("stderr.txt");
  EXPECT_EQ(read("EFIS.ini"), efis_settings_text(EfisSettings{571, 208, 0, 0, 0, 0, 0, 0}));
}

TEST_F(EfisPanelRun, MissingTextureFailsWithStatusOneAndReleasesTheLink) {
  fs::remove_all(dir_ / "textures");
  EXPECT_EQ(run("--frames 3"), 1);
  EXPECT_EQ(read("stdout.txt"), "\nUnable to load TGA File!\n");
  EXPECT_NE(read("stderr.txt").find("Unable to load TGA File!"), std::string::npos);
  // No mapping of this panel's is left (other programs' are none of its business).
  char own[64];
  std::snprintf(own, sizeof own, "%s%X:", LINK_MAPPING_PREFIX, static_cast<unsigned>(std::stoul(read("pid.txt"))));
  std::error_code error;
  for (const auto& entry : fs::directory_iterator("/dev/shm", error))
    EXPECT_NE(entry.path().filename().string().rfind(own, 0), 0u) << entry.path();
  // The server notices the hang-up on its own thread: give it a moment.
  for (int i = 0; i < 200 && link_server_client_count(link_.server) != 0; ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  EXPECT_EQ(link_server_client_count(link_.server), 0);
}

TEST_F(EfisPanelRun, BadClickOptionIsRefused) {
  EXPECT_EQ(run("--frames 3 --click 0:10:10"), 2);
  EXPECT_NE(read("stderr.txt").find("--click needs FRAME:X:Y"), std::string::npos);
}

TEST_F(EfisPanelRun, WindowTitleNamesTheSide) {
  // The window is looked up while the panel runs (for up to 30 s: a loaded
  // machine may take long to start it).
  for (int side = 0; side < 2; ++side) {
    write("EFIS.ini", efis_settings_text(EfisSettings{617, 225, 100, 100, 0, side, 0, 0}));
    std::string found = (dir_ / "found.txt").string();
    std::string command =
        "SDL_AUDIODRIVER=dummy COCKPIT_LINK_DIR=\"" + link_dir_.string() + "\" \"" + COCKPIT_BINARY_DIR +
        "/apps/efis_panel\" --headless --workdir \"" + dir_.string() + "\" --frames 4000 >/dev/null 2>&1 & pid=$!; " +
        "for i in $(seq 600); do xwininfo -root -tree 2>/dev/null | grep -o '\"Korvu [^\"]*EFIS[^\"]*\"' | head -1 >\"" +
        found + "\"; [ -s \"" + found + "\" ] && break; sleep 0.05; done; kill $pid 2>/dev/null; wait $pid; exit 0";
    ASSERT_EQ(std::system(command.c_str()), 0);
    EXPECT_EQ(read("found.txt"), side == 0 ? "\"Korvu Capt EFIS - v1.0.0.4 build 205\"\n"
                                           : "\"Korvu FO EFIS - v1.0.0.4 build 205\"\n");
  }
}

TEST_F(EfisPanelRun, EscapeQuitsAndFTogglesTheSavedFramelessFlag) {
  std::string shot = (dir_ / "never.png").string();
  ASSERT_EQ(run("--frames 100000 --press-key 3:27 --screenshot " + shot), 0) << read("stderr.txt");
  EXPECT_FALSE(fs::exists(shot));
  ASSERT_EQ(run("--frames 6 --press-key 2:70"), 0) << read("stderr.txt");
  EXPECT_EQ(read("EFIS.ini"), efis_settings_text(EfisSettings{617, 224, 100, 100, 1, 0, 0, 0}));
}
