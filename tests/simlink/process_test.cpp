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
#include "tests/support/private_link.h"
#include "tests/support/programs.h"

namespace {

// Few attempts and short pauses; a killed server fails at once, not by time-out.
const SimlinkTiming fast_timing{2000, 3, 10, 5, 5};

class ProcessTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = private_link_folder("cl");
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

// Both children toggle their own bit of the alert byte at the same time. Their
// write-backs may race each other (the cell protocol has no lock), but a bit
// that nobody clears (bit 6, the hardware's) must be in every byte they see
// and write. Each child ends with its bit clear.
int toggle_own_bit(uint8_t mask) {
  uint32_t code = 0;
  if (!simlink_open(0, &code)) return 10;
  for (int i = 1; i <= 60; ++i) {
    uint8_t now = 0;
    if (!update_shared_bits(CELL_ALERT, mask, (i & 1) ? mask : 0, &now, &code)) return 11;
    if (!(now & ALERT_PFD_CONTROL)) return 12;
  }
  simlink_close();
  return 0;
}

int set_own_bit(uint8_t mask) {
  uint32_t code = 0;
  uint8_t now = 0;
  if (!simlink_open(0, &code) || !update_shared_bits(CELL_ALERT, mask, mask, &now, &code)) return 20;
  simlink_close();
  return 0;
}

int run_child(int (*body)(uint8_t), uint8_t mask) {
  pid_t pid = fork();
  if (pid == 0) _exit(body(mask));
  return pid;
}

TEST_F(ProcessTest, TwoClientsChangeDifferentBitsOfOneCell) {
  server_pid = start_sim_server({"--hold"});
  ASSERT_GT(server_pid, 0);
  uint32_t code = 0;
  ASSERT_TRUE(simlink_open(0, &code));
  ASSERT_TRUE(write_byte(CELL_ALERT, ALERT_PFD_CONTROL, &code));
  simlink_close();  // the children must not inherit an open link

  int captain = run_child(toggle_own_bit, ALERT_RELOAD_CAPT);
  int first_officer = run_child(toggle_own_bit, ALERT_RELOAD_FO);
  EXPECT_EQ(wait_program(captain, 30000), 0);
  EXPECT_EQ(wait_program(first_officer, 30000), 0);

  // One after the other, each keeps the bits the other set.
  EXPECT_EQ(wait_program(run_child(set_own_bit, ALERT_RELOAD_FO), 30000), 0);
  EXPECT_EQ(wait_program(run_child(set_own_bit, ALERT_RELOAD_CAPT), 30000), 0);
  uint8_t alert = 0;
  ASSERT_TRUE(simlink_open(0, &code));
  ASSERT_TRUE(read_byte(CELL_ALERT, &alert, &code));
  EXPECT_EQ(alert, ALERT_PFD_CONTROL | ALERT_RELOAD_CAPT | ALERT_RELOAD_FO);
}

}  // namespace
