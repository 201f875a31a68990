// rmu_panel end to end, in a private network namespace: a real window under
// Xvfb, a link server in this process standing in for the simulator and the
// cockpit hardware, and what the unit writes back (words, cells, RMU.ini).
#include <gtest/gtest.h>

#include <signal.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <thread>

#include "platform/png_file.h"
#include "rmu/rmu_settings.h"
#include "server/offset_space.h"
#include "simlink/cells.h"
#include "tests/support/picture_dump.h"
#include "tests/support/private_link.h"
#include "tests/support/private_network.h"
#include "tests/support/programs.h"

namespace fs = std::filesystem;

namespace {

constexpr int WAIT_MS = 20000;

class RmuPanelRun : public ::testing::Test {
 protected:
  fs::path dir_;
  OffsetSpace space_;
  PrivateLink link_;

  void SetUp() override {
    std::string why;
    if (!private_network_available(&why)) GTEST_SKIP() << why;
    dir_ = fs::temp_directory_path() / ("rmu_panel_" + std::to_string(::getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    fs::copy(fs::path(COCKPIT_RUN_DIR) / "rmu1" / "textures", dir_ / "textures");
    std::string error;
    ASSERT_TRUE(private_link_start(&link_, &space_, "rmu", &error)) << error;
    setenv("SDL_AUDIODRIVER", "dummy", 1);
  }
  void TearDown() override {
    if (link_.server) private_link_stop(&link_);
    if (!HasFailure()) fs::remove_all(dir_);
  }

  int start(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), {"--headless", "--workdir", dir_.string()});
    return spawn_in_private_network(std::string(COCKPIT_BINARY_DIR) + "/apps/rmu_panel", arguments);
  }
  int run(const std::vector<std::string>& arguments) { return wait_program(start(arguments), WAIT_MS); }
  bool wait_for(const std::function<bool()>& condition) {
    for (int waited = 0; waited < WAIT_MS; waited += 10) {
      if (condition()) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
  }
  uint8_t cell(uint32_t offset) { return space_load<uint8_t>(&space_, offset); }
  uint16_t word(uint32_t offset) { return space_load<uint16_t>(&space_, offset); }
  template <typename T>
  void put(uint32_t offset, T value) { space_store(&space_, offset, value); }
  // A hardware press: the bit is set until the unit takes it and clears the cell.
  bool press(uint32_t cell_offset, int bit) {
    put(cell_offset, static_cast<uint8_t>(1u << bit));
    return wait_for([&] { return cell(cell_offset) == 0; });
  }
  std::string settings_file() {
    std::ifstream in(dir_ / "RMU.ini", std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  std::string dump(const char* name) {
    std::ifstream in(dir_ / name);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
};

TEST_F(RmuPanelRun, HardwareKeysTuneThisSidesRadiosAndTheMemoriesAreSaved) {
  const RmuCells cells = rmu_cells(0), other = rmu_cells(1);
  put(uint32_t{0x281C}, int32_t{1});
  put(uint32_t{0x034E}, uint16_t{0x1990});
  put(uint32_t{0x311A}, uint16_t{0x2170});
  put(other.buttons_a, uint8_t{0x04});
  int pid = start({"--frames", "100000000"});
  ASSERT_GT(pid, 0);
  ASSERT_TRUE(wait_for([&] { return fs::exists(dir_ / "RMU.ini"); }));
  EXPECT_EQ(settings_file(), rmu_settings_text(true, UnitCommon{}, RmuSettings{}, RmuRadios{}));

  // L2, then one inner step up: the standby is written back 10 kHz higher.
  ASSERT_TRUE(press(cells.buttons_a, 2));
  put(cells.inner_knob, uint8_t{1});
  EXPECT_TRUE(wait_for([&] { return word(0x311A) == 0x2171; })) << std::hex << word(0x311A);
  // Store it, then insert after it on the COM memory page: the file is rewritten at once.
  ASSERT_TRUE(press(cells.buttons_b, 7));
  ASSERT_TRUE(press(cells.buttons_b, 4));  // page menu
  ASSERT_TRUE(press(cells.buttons_a, 2));  // COM MEMORY
  ASSERT_TRUE(press(cells.buttons_a, 2));  // memory 1
  ASSERT_TRUE(press(cells.buttons_b, 2));  // INSERT
  EXPECT_TRUE(wait_for([&] { return settings_file().find("[COM_MEMORY]\n121.71\n118.00\n") != std::string::npos; }))
      << settings_file();
  // L1 recalls memory 1 into COM active.
  ASSERT_TRUE(press(cells.buttons_a, 0));
  EXPECT_TRUE(wait_for([&] { return word(0x034E) == 0x2171; })) << std::hex << word(0x034E);
  EXPECT_EQ(cell(other.buttons_a), 0x04);  // the other side's keys are not ours
  EXPECT_EQ(word(0x3118), 0);              // nor its radios

  EXPECT_EQ(stop_program(pid, SIGTERM), 0);
  EXPECT_NE(settings_file().find("[COM_MEMORY]\n121.71\n118.00\n[NAV_MEMORY]\n[DISPLAY_POSITION]\n"),
            std::string::npos);
}

TEST_F(RmuPanelRun, PowerSideAndDisplayPositionKeys) {
  // Battery off: the page stays black, nothing is printed.
  put(uint32_t{0x281C}, int32_t{0});
  ASSERT_EQ(run({"--frames", "5", "--set", "side=1", "--dump-text", (dir_ / "off.txt").string()}), 0);
  EXPECT_EQ(dump("off.txt"), "");
  // Battery on: the first officer's radios; the W key held for one frame moves
  // the picture up by a thousandth, and that is what is saved.
  put(uint32_t{0x281C}, int32_t{1});
  const std::string shot = (dir_ / "rmu2.png").string();
  ASSERT_EQ(run({"--frames", "8", "--dump-text", (dir_ / "on.txt").string(), "--screenshot", shot, "--press-key", "3:87"}), 0);
  EXPECT_NE(dump("on.txt").find("COM2\t"), std::string::npos);
  EXPECT_NE(dump("on.txt").find("NAV2\t"), std::string::npos);
  EXPECT_NE(settings_file().find("[RMU1=0,RMU2=1]\n1\n"), std::string::npos);
  EXPECT_NE(settings_file().find("[DISPLAY_POSITION]\n0.000,-0.069,-0.670\n"), std::string::npos) << settings_file();
  RgbImage image;
  ASSERT_TRUE(png_read_rgb(shot.c_str(), &image));
  EXPECT_EQ(image.height, 605);
}

}  // namespace
