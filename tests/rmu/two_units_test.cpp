// Both radio units end to end in one private network namespace, with a link
// server in this process standing in for the simulator and the cockpit
// hardware: what one unit's user changes the other continues from, the
// shared cells keep the bits that are not the unit's, and nothing the units
// send leaves loopback, although a second interface holds the default route.
#include <gtest/gtest.h>

#include <signal.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <functional>
#include <string>
#include <thread>

#include "server/offset_space.h"
#include "simlink/cells.h"
#include "tests/support/private_link.h"
#include "tests/support/private_network.h"
#include "tests/support/programs.h"

namespace fs = std::filesystem;

namespace {

constexpr int WAIT_MS = 20000;

// Packets an interface of this process's namespace sent (/sys shows the
// namespace that mounted it, /proc/self/net our own).
uint64_t sent_packets(const std::string& interface_name) {
  std::ifstream in("/proc/self/net/dev");
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    std::string name;
    fields >> name;
    if (name != interface_name + ":") continue;
    uint64_t value = 0;
    for (int i = 0; i < 10; ++i) fields >> value;  // 8 receive columns, then bytes and packets sent
    return value;
  }
  return UINT64_MAX;
}

class TwoRmus : public ::testing::Test {
 protected:
  fs::path dir_;
  OffsetSpace space_;
  PrivateLink link_;
  int pids_[2] = {-1, -1};

  void SetUp() override {
    std::string why;
    if (!enter_private_network(true, &why)) GTEST_SKIP() << why;
    // A second interface with the default route: a datagram that did not
    // follow the multicast route to loopback would go out here.
    std::string out, err;
    ASSERT_EQ(run_command("ip link add rmu0 type veth peer name rmu1 && "
                          "echo 1 > /proc/sys/net/ipv6/conf/rmu0/disable_ipv6 && "
                          "echo 1 > /proc/sys/net/ipv6/conf/rmu1/disable_ipv6 && "
                          "ip addr add 10.77.0.1/24 dev rmu0 && ip link set rmu0 up && ip link set rmu1 up && "
                          "ip route add default dev rmu0",
                          &out, &err),
              0)
        << err;
    dir_ = fs::temp_directory_path() / ("two_rmus_" + std::to_string(::getpid()));
    fs::remove_all(dir_);
    for (const char* unit : {"rmu1", "rmu2"}) {
      fs::create_directories(dir_ / unit);
      fs::copy(fs::path(COCKPIT_RUN_DIR) / "rmu1" / "textures", dir_ / unit / "textures");
    }
    std::string error;
    ASSERT_TRUE(private_link_start(&link_, &space_, "rmus", &error)) << error;
    setenv("SDL_AUDIODRIVER", "dummy", 1);
  }
  void TearDown() override {
    for (int pid : pids_)
      if (pid > 0) stop_program(pid, SIGTERM);
    if (link_.server) private_link_stop(&link_);
    if (!HasFailure()) fs::remove_all(dir_);
  }
  int start(const char* unit, std::vector<std::string> more) {
    std::vector<std::string> arguments = {"--headless", "--workdir", (dir_ / unit).string(), "--frames", "100000000"};
    arguments.insert(arguments.end(), more.begin(), more.end());
    return spawn_program(std::string(COCKPIT_BINARY_DIR) + "/apps/rmu_panel", arguments);
  }
  bool wait_for(const std::function<bool()>& condition) {
    for (int waited = 0; waited < WAIT_MS; waited += 10) {
      if (condition()) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
  }
  template <typename T>
  T load(uint32_t offset) { return space_load<T>(&space_, offset); }
  template <typename T>
  void put(uint32_t offset, T value) { space_store(&space_, offset, value); }
  bool press(uint32_t cell, int bit) {
    put(cell, static_cast<uint8_t>(1u << bit));
    return wait_for([&] { return load<uint8_t>(cell) == 0; });
  }
};

TEST_F(TwoRmus, StayInStepAndKeepTheHardwareBits) {
  const RmuCells one = rmu_cells(0), two = rmu_cells(1);
  put(uint32_t{0x281C}, int32_t{1});  // battery
  put(uint32_t{0x0354}, uint16_t{0x1200});
  put(CELL_TCAS_FLAGS, uint8_t{TCAS_FLAG_FO_COUPLED});  // the hardware's coupling bit
  put(CELL_TCAS_BAND, uint8_t{0xF0});
  ASSERT_NE(sent_packets("rmu0"), UINT64_MAX);
  uint64_t other_before = sent_packets("rmu0"), lo_before = sent_packets("lo");
  pids_[0] = start("rmu1", {});
  pids_[1] = start("rmu2", {"--set", "side=1", "--set", "com_write_to_sim=1"});
  ASSERT_GT(pids_[0], 0);
  ASSERT_GT(pids_[1], 0);

  // RMU1: transponder line, inner knob up: 1200 becomes 1300.
  ASSERT_TRUE(press(one.buttons_a, 3));
  put(one.inner_knob, uint8_t{1});
  ASSERT_TRUE(wait_for([&] { return load<uint16_t>(0x0354) == 0x1300; })) << std::hex << load<uint16_t>(0x0354);
  // RMU2 continues from the code it heard: outer knob up gives 1301, not 1201.
  // (RMU1 sends at the end of the frame that wrote the word: give it time on a busy machine.)
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  ASSERT_TRUE(press(two.buttons_a, 3));
  put(two.outer_knob, uint8_t{1});
  EXPECT_TRUE(wait_for([&] { return load<uint16_t>(0x0354) == 0x1301; })) << std::hex << load<uint16_t>(0x0354);

  // RMU1: page menu, ATC/TCAS, TA display AUTO: bit 0 joins the hardware's bit 1.
  ASSERT_TRUE(press(one.buttons_b, 4));
  ASSERT_TRUE(press(one.buttons_a, 4));
  ASSERT_TRUE(press(one.buttons_a, 2));
  EXPECT_TRUE(wait_for([&] { return load<uint8_t>(CELL_TCAS_FLAGS) == 0x03; })) << int(load<uint8_t>(CELL_TCAS_FLAGS));
  // RMU2 heard AUTO: its own toggle makes it MANUAL again.
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  ASSERT_TRUE(press(two.buttons_b, 4));
  ASSERT_TRUE(press(two.buttons_a, 4));
  ASSERT_TRUE(press(two.buttons_a, 2));
  EXPECT_TRUE(wait_for([&] { return load<uint8_t>(CELL_TCAS_FLAGS) == 0x02; })) << int(load<uint8_t>(CELL_TCAS_FLAGS));

  // RMU1 back to the radios, band line: NORMAL in bits 3..2, the other bits kept.
  ASSERT_TRUE(press(one.buttons_a, 6));
  ASSERT_TRUE(press(one.buttons_a, 6));
  EXPECT_TRUE(wait_for([&] { return load<uint8_t>(CELL_TCAS_BAND) == 0xF4; })) << int(load<uint8_t>(CELL_TCAS_BAND));

  // RMU2's navigation page: the course line sets the NAV1 course word (2
  // bytes: the word after it is not touched), 359 inner up giving 0.
  put(uint32_t{0x0C4E}, uint16_t{359});
  put(uint32_t{0x0C50}, uint16_t{0xBEEF});
  ASSERT_TRUE(press(two.buttons_b, 4));  // page menu
  ASSERT_TRUE(press(two.buttons_a, 7));  // R2 NAVIGATION
  ASSERT_TRUE(press(two.buttons_a, 6));  // L6 course
  put(two.inner_knob, uint8_t{1});
  EXPECT_TRUE(wait_for([&] { return load<uint16_t>(0x0C4E) == 0; })) << load<uint16_t>(0x0C4E);
  EXPECT_EQ(load<uint16_t>(0x0C50), 0xBEEF);

  for (int& pid : pids_) {
    EXPECT_EQ(stop_program(pid, SIGTERM), 0);
    pid = -1;
  }
  EXPECT_EQ(sent_packets("rmu0"), other_before) << "datagrams left by the other interface";
  EXPECT_GT(sent_packets("lo"), lo_before + 20);
}

}  // namespace
