// The stand-in aircraft follows the RMU: sim_server flies the default
// scenario, each side's rmu_panel runs in a private network namespace, and
// hardware keys and knob steps swap and tune COM, NAV and ADF. The aircraft
// republishes its own radios every step, so a word that still reads back
// after some steps is a word the aircraft took.
#include <gtest/gtest.h>

#include <signal.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>

#include "simlink/cells.h"
#include "simlink/simlink.h"
#include "tests/support/private_link.h"
#include "tests/support/private_network.h"
#include "tests/support/programs.h"

namespace fs = std::filesystem;

namespace {

constexpr int WAIT_MS = 20000;

struct Radio {
  uint32_t active, standby;
};

class RmuWithSimServer : public ::testing::Test {
 protected:
  std::string folder_;
  int server_ = -1;

  void SetUp() override {
    std::string why;
    if (!private_network_available(&why)) GTEST_SKIP() << why;
    folder_ = private_link_folder("rmu-sim");
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    server_ = start_sim_server({"--time-scale", "20"});
    ASSERT_GT(server_, 0);
    uint32_t result = 0;
    ASSERT_TRUE(simlink_open(0, &result)) << simlink_error_message(result);
    ASSERT_TRUE(wait_for([&] { return get<int32_t>(0x281C) != 0; })) << "the battery never came on";
  }
  void TearDown() override {
    simlink_close();
    if (server_ > 0) stop_program(server_, SIGTERM);
    remove_link_folder(folder_);
  }

  template <typename T>
  T get(uint32_t offset) {
    T value{};
    uint32_t result = 0;
    simlink_read(offset, sizeof value, &value, &result);
    simlink_process(&result);
    return value;
  }
  void set_cell(uint32_t offset, uint8_t value) {
    uint32_t result = 0;
    simlink_write(offset, 1, &value, &result);
    simlink_process(&result);
  }
  bool wait_for(const std::function<bool()>& condition) {
    for (int waited = 0; waited < WAIT_MS; waited += 20) {
      if (condition()) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
  }
  bool press(uint32_t cell, int bit) {
    set_cell(cell, static_cast<uint8_t>(1u << bit));
    return wait_for([&] { return get<uint8_t>(cell) == 0; });
  }
  void step(uint32_t counter, int direction) { set_cell(counter, static_cast<uint8_t>(get<uint8_t>(counter) + direction)); }
  // The word reaches the expected value and keeps it while the aircraft steps on.
  void expect_word(uint32_t offset, uint16_t expected) {
    EXPECT_TRUE(wait_for([&] { return get<uint16_t>(offset) == expected; }))
        << std::hex << "0x" << offset << " reads 0x" << get<uint16_t>(offset) << ", not 0x" << expected;
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_EQ(get<uint16_t>(offset), expected) << std::hex << "0x" << offset << " was not taken by the aircraft";
  }
  // The side's panel, started in its own folder.
  int start_panel(int side, const fs::path& dir) {
    fs::remove_all(dir);
    fs::create_directories(dir);
    fs::copy(fs::path(COCKPIT_RUN_DIR) / "rmu1" / "textures", dir / "textures");
    return spawn_in_private_network(std::string(COCKPIT_BINARY_DIR) + "/apps/rmu_panel",
                                    {"--headless", "--workdir", dir.string(), "--set", "side=" + std::to_string(side),
                                     "--frames", "100000000"});
  }
};

TEST_F(RmuWithSimServer, TheAircraftFollowsEachSidesSwapsAndTuning) {
  const Radio com[2] = {{0x034E, 0x311A}, {0x3118, 0x311C}};
  const Radio nav[2] = {{0x0350, 0x311E}, {0x0352, 0x3120}};
  for (int side : {0, 1}) {
    SCOPED_TRACE(side == 0 ? "RMU1" : "RMU2");
    const fs::path dir = fs::path(folder_) / ("rmu" + std::to_string(side + 1));
    const RmuCells cells = rmu_cells(side);
    const uint16_t com_active = get<uint16_t>(com[side].active), com_standby = get<uint16_t>(com[side].standby);
    const uint16_t nav_active = get<uint16_t>(nav[side].active), nav_standby = get<uint16_t>(nav[side].standby);
    int panel = start_panel(side, dir);
    ASSERT_GT(panel, 0);
    // Swaps: both words of each radio.
    ASSERT_TRUE(press(cells.buttons_a, 0));  // L1
    expect_word(com[side].active, com_standby);
    expect_word(com[side].standby, com_active);
    ASSERT_TRUE(press(cells.buttons_a, 1));  // R1
    expect_word(nav[side].active, nav_standby);
    expect_word(nav[side].standby, nav_active);
    // Standby tuning: COM 10 kHz up, NAV 1 MHz down.
    ASSERT_TRUE(press(cells.buttons_a, 2));  // L2
    step(cells.inner_knob, +1);
    expect_word(com[side].standby, static_cast<uint16_t>(com_active + 1));
    ASSERT_TRUE(press(cells.buttons_a, 7));  // R2
    step(cells.outer_knob, -1);
    expect_word(nav[side].standby, static_cast<uint16_t>(nav_active - 0x100));
    if (side == 0) {
      // The ADF, RMU1 only: 256 kHz one unit up, the extension word cleared.
      ASSERT_TRUE(press(cells.buttons_b, 0));  // R3
      step(cells.outer_knob, +1);
      expect_word(0x034C, 0x0257);
      expect_word(0x0356, 0x0000);
      std::string state;
      run_command(cockpit_ctl_path() + " state", &state);
      EXPECT_NE(state.find("adf 257.0"), std::string::npos) << state;
    }
    EXPECT_EQ(stop_program(panel, SIGTERM), 0);
  }
  // The aircraft's NAV1 receiver is tuned to what RMU1 left there.
  std::string state;
  run_command(cockpit_ctl_path() + " state", &state);
  EXPECT_NE(state.find("nav1 113.40"), std::string::npos) << state;
}

}  // namespace
