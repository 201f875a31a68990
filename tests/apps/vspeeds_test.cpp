// A V2 change on the display unit reaches both PFDs: sim_server (held still),
// mfd_display as DU3 and the two pfd_display units in a run tree of their
// own. The test plays the cockpit hardware: soft keys and the knob of DU3
// through their cells. Leaving the V-speed page saves accfg.ini into du3/ and
// du2/ and sets both reload bits; each PFD re-reads its folder's copy and
// clears its bit, and its last frame lists the new V2.
#include <gtest/gtest.h>

#include <signal.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <thread>

#include "simlink/cells.h"
#include "simlink/simlink.h"
#include "tests/support/private_link.h"
#include "tests/support/programs.h"
#include "tests/support/temp_folder.h"

namespace fs = std::filesystem;

namespace {

constexpr int WAIT_MS = 30000;
constexpr int MIN_HOLD_MS = 300;
constexpr int HOLD_FRAMES = 6;  // a key is held, and released, for several of DU3's frames
constexpr int KNOB_STEPS = 7;

std::string read_all(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

bool wait_for(const std::function<bool()>& condition) {
  for (int waited = 0; waited < WAIT_MS; waited += 20) {
    if (condition()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return false;
}

class VSpeedsEndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    link_ = private_link_folder("vspeeds");
    for (const char* unit : {"du3", "pfd1", "pfd2"}) {
      fs::create_directories(root_ / unit);
      fs::copy(fs::path(COCKPIT_RUN_DIR) / unit / "textures", root_ / unit / "textures");
    }
    fs::create_directories(root_ / "du2");
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    server_ = start_sim_server({"--hold"});
    ASSERT_GT(server_, 0);
    uint32_t result = 0;
    ASSERT_TRUE(simlink_open(0, &result)) << simlink_error_message(result);
    put<int32_t>(0x281C, 1);          // battery
    put<int32_t>(0x2E80, 1);          // avionics
    put<int32_t>(0x02BC, 30 * 128);   // 30 kt: the PFDs list the V-speeds
  }
  void TearDown() override {
    for (int pid : {du3_, pfd_[0], pfd_[1]})
      if (pid > 0) stop_program(pid, SIGKILL);
    simlink_close();
    if (server_ > 0) stop_program(server_, SIGTERM);
    remove_link_folder(link_);
  }
  template <typename T>
  void put(uint32_t offset, T value) {
    uint32_t result = 0;
    simlink_write(offset, sizeof value, &value, &result);
    simlink_process(&result);
  }
  uint8_t get_cell(uint32_t cell) {
    uint8_t value = 0;
    uint32_t result = 0;
    simlink_read(cell, 1, &value, &result);
    simlink_process(&result);
    return value;
  }
  void press(int key) {
    const uint32_t cell = du_cells(0).softkeys;
    put<uint8_t>(cell, static_cast<uint8_t>(1u << key));
    std::this_thread::sleep_for(std::chrono::milliseconds(hold_ms_));
    put<uint8_t>(cell, 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(hold_ms_));
  }
  void turn(int steps) {
    const uint32_t cell = du_cells(0).knob;
    for (int i = 0; i < steps; ++i) {
      put<uint8_t>(cell, static_cast<uint8_t>(get_cell(cell) + 1));
      std::this_thread::sleep_for(std::chrono::milliseconds(hold_ms_));
    }
  }
  // DU3's frame time from its progress file (rewritten about once a second):
  // on a loaded machine a key held for a fixed time could fall between frames.
  void measure_du3() {
    auto frames = [&] {
      const std::string text = read_all(root_ / "du3" / "progress.txt");
      return text.rfind("frames ", 0) == 0 ? std::atol(text.c_str() + 7) : 0L;
    };
    const long first = frames();
    const auto start = std::chrono::steady_clock::now();
    wait_for([&] { return frames() >= first + 2; });
    std::this_thread::sleep_for(std::chrono::milliseconds(1100));
    const long drawn = std::max(1L, frames() - first);
    const long ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
    frame_ms_ = std::max(1L, ms / drawn);
    hold_ms_ = std::max<long>(MIN_HOLD_MS, frame_ms_ * HOLD_FRAMES);
  }
  int start_unit(const char* program, const char* folder, const std::vector<std::string>& extra) {
    std::vector<std::string> args = {"--headless", "--workdir", (root_ / folder).string(), "--progress",
                                     (root_ / folder / "progress.txt").string(), "--set", "path_to_du2=../du2",
                                     "--set", "path_to_du3=../du3"};
    args.insert(args.end(), extra.begin(), extra.end());
    return spawn_program(std::string(COCKPIT_BINARY_DIR) + "/apps/" + program, args);
  }
  bool running_and_connected(const char* folder) {
    return read_all(root_ / folder / "progress.txt").find("connected 1") != std::string::npos;
  }
  std::string link_;
  TempFolder run_{"vspeeds_run"};
  const fs::path root_ = run_.path;
  int server_ = -1, du3_ = -1, pfd_[2] = {-1, -1};
  long hold_ms_ = MIN_HOLD_MS, frame_ms_ = 10;
};

TEST_F(VSpeedsEndToEnd, AV2ChangeOnDu3ReachesBothSpeedTapes) {
  du3_ = start_unit("mfd_display", "du3", {"--set", "side=0", "--frames", "100000000"});
  ASSERT_GT(du3_, 0);
  ASSERT_TRUE(wait_for([&] { return running_and_connected("du3"); })) << "DU3 never connected";
  // Its first start wrote the default file.
  ASSERT_NE(read_all(root_ / "du3" / "accfg.ini").find("[VMAX_FLAP_8]"), std::string::npos);
  measure_du3();
  press(1);  // "MFD"
  press(1);  // "SPDS": the V-speed page
  press(4);  // V2
  turn(KNOB_STEPS);

  // The PFDs run from here, each on its side's folder, still at V2 100. With
  // three units drawing, DU3 takes about three times as long a frame; the
  // PFDs draw until well after the save and the reload.
  hold_ms_ *= 3;
  const long pfd_frames = std::max(300L, 2 * (2 * hold_ms_ + 3000) / frame_ms_);
  for (int side : {0, 1}) {
    const char* folder = side == 0 ? "pfd1" : "pfd2";
    pfd_[side] = start_unit("pfd_display", folder,
                            {"--set", "side=" + std::to_string(side), "--frames", std::to_string(pfd_frames),
                             "--dump-text", (root_ / folder / "text.tsv").string()});
    ASSERT_GT(pfd_[side], 0);
  }
  ASSERT_TRUE(wait_for([&] { return running_and_connected("pfd1") && running_and_connected("pfd2"); }));
  EXPECT_EQ(get_cell(CELL_ALERT) & (ALERT_RELOAD_CAPT | ALERT_RELOAD_FO), 0);

  press(0);  // leaving the page saves and announces
  std::string du2_copy;
  ASSERT_TRUE(wait_for([&] { return (du2_copy = read_all(root_ / "du2" / "accfg.ini")).find("[MM0]") != std::string::npos; }))
      << "DU3 never saved into DU2's folder";
  EXPECT_EQ(read_all(root_ / "du3" / "accfg.ini"), du2_copy);
  const size_t at = du2_copy.find("[V2]\n");
  ASSERT_NE(at, std::string::npos);
  const int v2 = std::atoi(du2_copy.c_str() + at + 5);
  EXPECT_GT(v2, 100) << du2_copy;
  EXPECT_LE(v2, 100 + KNOB_STEPS);

  for (int side : {0, 1}) {
    EXPECT_EQ(wait_program(pfd_[side], 120000), 0) << "PFD " << side + 1;
    pfd_[side] = -1;
  }
  // Each PFD took its reload bit, and its last frame lists the new V2.
  EXPECT_EQ(get_cell(CELL_ALERT) & (ALERT_RELOAD_CAPT | ALERT_RELOAD_FO), 0) << "a PFD ended before the reload";
  for (const char* folder : {"pfd1", "pfd2"}) {
    const std::string text = read_all(root_ / folder / "text.tsv");
    EXPECT_NE(text.find(std::to_string(v2) + "-| 2\t"), std::string::npos) << folder << ":\n" << text;
    EXPECT_EQ(text.find("100-| 2\t"), std::string::npos) << folder;
  }
}

}  // namespace
