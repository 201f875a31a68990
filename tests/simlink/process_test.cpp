// The client against sim_server running in a process of its own.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "simlink/cells.h"
#include "simlink/link_folder.h"
#include "simlink/simlink.h"
#include "simlink/simlink_testing.h"
#include "tests/simlink/link_test_support.h"

namespace {

const SimlinkTiming fast_timing{300, 3, 10, 5, 5};

class ProcessTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = make_private_link_folder();
    simlink_set_timing(fast_timing);
  }
  void TearDown() override {
    simlink_close();
    if (server_pid > 0) stop_program(server_pid, SIGKILL);
    remove_link_folder(folder);
  }
  std::string folder;
  int server_pid = -1;
};

bool write_byte(uint32_t offset, uint8_t value, uint32_t* code) {
  return simlink_write(offset, 1, &value, code) && simlink_process(code);
}
bool read_byte(uint32_t offset, uint8_t* value, uint32_t* code) {
  return simlink_read(offset, 1, value, code) && simlink_process(code);
}

TEST_F(ProcessTest, ReconnectsAfterTheServerIsKilledAndRestarted) {
  server_pid = start_sim_server({"--hold"});
  ASSERT_GT(server_pid, 0);
  uint32_t code = 0;
  ASSERT_TRUE(simlink_open(0, &code)) << simlink_error_message(code);
  ASSERT_TRUE(write_byte(CELL_TCAS_RANGE, 20, &code));

  EXPECT_EQ(stop_program(server_pid, SIGKILL), 128 + SIGKILL);
  server_pid = -1;
  uint8_t kept = 20;
  EXPECT_FALSE(read_byte(CELL_TCAS_RANGE, &kept, &code));
  EXPECT_TRUE(simlink_error_lost_server(code)) << code;
  EXPECT_EQ(kept, 20);  // previous value stays
  EXPECT_FALSE(simlink_is_open());
  // The dead server's socket is still there, but nobody answers it.
  EXPECT_TRUE(std::filesystem::exists(link_socket_path(folder, "UIPCMAIN")));
  EXPECT_FALSE(simlink_open(0, &code));
  EXPECT_EQ(code, uint32_t(SIMLINK_ERR_NOFS));

  server_pid = start_sim_server({"--hold"});  // replaces the stale socket
  ASSERT_GT(server_pid, 0);
  ASSERT_TRUE(simlink_open(0, &code)) << simlink_error_message(code);
  ASSERT_TRUE(read_byte(CELL_TCAS_RANGE, &kept, &code));
  EXPECT_EQ(kept, 0);  // a fresh simulator

  // SIGTERM stops it cleanly and removes the socket.
  EXPECT_EQ(stop_program(server_pid, SIGTERM), 0);
  server_pid = -1;
  EXPECT_FALSE(std::filesystem::exists(link_socket_path(folder, "UIPCMAIN")));
}

TEST_F(ProcessTest, LiveServerIsNeverTakenOver) {
  server_pid = start_sim_server();
  ASSERT_GT(server_pid, 0);
  int second = spawn_program(sim_server_path(), {"--hold"});
  EXPECT_EQ(wait_program(second, 5000), 1);
  uint32_t code = 0;
  EXPECT_TRUE(simlink_open(0, &code)) << simlink_error_message(code);
}

TEST_F(ProcessTest, LegacyClassAndWrongVersionFromTheCommandLine) {
  server_pid = start_sim_server({"--class", "FS98MAIN", "--wrong-version"});
  ASSERT_GT(server_pid, 0);
  uint32_t code = 0;
  EXPECT_FALSE(simlink_open(0, &code));
  EXPECT_EQ(code, uint32_t(SIMLINK_ERR_RUNNING));
  EXPECT_EQ(wait_program(spawn_program(sim_server_path(), {"--class", "OTHER"}), 5000), 1);
  EXPECT_EQ(wait_program(spawn_program(sim_server_path(), {"--bogus"}), 5000), 2);
}

// Each child toggles its own bit of the alert byte many times and finally sets
// it; a peer's bit that nobody clears (bit 6, the hardware's) must survive
// every write-back, and both final bits must stand.
int toggle_own_bit(uint8_t mask) {
  uint32_t code = 0;
  if (!simlink_open(0, &code)) return 10;
  for (int i = 0; i < 60; ++i)
    if (!update_shared_bits(CELL_ALERT, mask, (i & 1) ? mask : 0, nullptr, &code)) return 11;
  for (int tries = 0; tries < 200; ++tries) {
    uint8_t now = 0;
    // A peer's write-back may have raced ours; set again until it holds.
    if (!update_shared_bits(CELL_ALERT, mask, mask, &now, &code)) return 12;
    usleep(5000);
    if (!read_byte(CELL_ALERT, &now, &code)) return 13;
    if (now & mask) {
      simlink_close();
      return 0;
    }
  }
  return 14;
}

TEST_F(ProcessTest, TwoClientsChangeDifferentBitsOfOneCell) {
  server_pid = start_sim_server({"--hold"});
  ASSERT_GT(server_pid, 0);
  uint32_t code = 0;
  ASSERT_TRUE(simlink_open(0, &code));
  ASSERT_TRUE(write_byte(CELL_ALERT, ALERT_PFD_CONTROL, &code));
  simlink_close();  // the children must not inherit an open link

  pid_t children[2];
  const uint8_t masks[2] = {ALERT_RELOAD_CAPT, ALERT_RELOAD_FO};
  for (int i = 0; i < 2; ++i) {
    children[i] = fork();
    if (children[i] == 0) _exit(toggle_own_bit(masks[i]));
  }
  for (pid_t child : children) EXPECT_EQ(wait_program(child, 30000), 0);

  uint8_t alert = 0;
  ASSERT_TRUE(simlink_open(0, &code));
  ASSERT_TRUE(read_byte(CELL_ALERT, &alert, &code));
  EXPECT_EQ(alert, ALERT_PFD_CONTROL | ALERT_RELOAD_CAPT | ALERT_RELOAD_FO);
}

}  // namespace
