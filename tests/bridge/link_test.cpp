// A link client through the whole bridge on loopback: batches cross whole or
// not at all, a lost serving end is the link's own lost server, and strangers
// stay out.
#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "bridge/bridge_keys.h"

#include "simlink/simlink.h"
#include "simlink/simlink_testing.h"
#include "tests/bridge/bridge_rig.h"
#include "tests/support/programs.h"

namespace fs = std::filesystem;

namespace {

OffsetSpace space;

// Opens the client through the attach folder, retrying while the bridge comes up.
bool open_within(int timeout_ms, uint32_t* code) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
  do {
    if (simlink_open(0, code)) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  } while (std::chrono::steady_clock::now() < deadline);
  return false;
}

class BridgeLink : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(bridge_rig_prepare(&rig, &space, &error)) << error;
  }
  void TearDown() override { bridge_rig_stop(&rig); }
  void start_both() {
    ASSERT_GT(bridge_rig_serve(&rig), 0);
    ASSERT_GT(bridge_rig_attach(&rig), 0);
    uint32_t code = 0;
    ASSERT_TRUE(open_within(5000, &code)) << simlink_error_message(code) << "\nserve:\n"
                                          << bridge_rig_log(rig, "serve") << "attach:\n"
                                          << bridge_rig_log(rig, "attach");
  }
  BridgeRig rig;
};

TEST_F(BridgeLink, CarriesWholeBatchesOrNothing) {
  start_both();
  space_store(&space, 0x0560, int64_t{0x123456789A});
  space_store(&space, 0x0BC8, uint16_t{0x4321});
  uint32_t code = 0;
  int64_t latitude = 0;
  uint16_t brake = 0;
  uint16_t com = 0x2345;
  ASSERT_TRUE(simlink_read_value(0x0560, &latitude, &code));
  ASSERT_TRUE(simlink_write_value(0x034E, com, &code));
  ASSERT_TRUE(simlink_read_value(0x0BC8, &brake, &code));
  ASSERT_TRUE(simlink_process(&code)) << simlink_error_message(code);
  EXPECT_EQ(latitude, 0x123456789A);
  EXPECT_EQ(brake, 0x4321);
  EXPECT_EQ(space_load<uint16_t>(&space, 0x034E), 0x2345);

  // A batch the server refuses (a read past the end of the space) applies
  // none of its writes and fills none of its reads.
  uint8_t past_end[8] = {};
  latitude = 0;
  ASSERT_TRUE(simlink_write_value(0x034E, uint16_t{0x1111}, &code));
  ASSERT_TRUE(simlink_read_value(0x0560, &latitude, &code));
  ASSERT_TRUE(simlink_read(0xFFFC, sizeof past_end, past_end, &code));
  EXPECT_FALSE(simlink_process(&code));
  EXPECT_EQ(code, uint32_t(SIMLINK_ERR_DATA));
  EXPECT_EQ(space_load<uint16_t>(&space, 0x034E), 0x2345);
  EXPECT_EQ(latitude, 0);

  // The link goes on after a refusal, and a full-size batch crosses.
  std::vector<uint8_t> big(SIMLINK_USABLE_SIZE - 16 - 4);
  space_store(&space, 0x0000, uint32_t{0xCAFEF00D});
  ASSERT_TRUE(simlink_read(0, uint32_t(big.size()), big.data(), &code)) << simlink_error_message(code);
  ASSERT_TRUE(simlink_process(&code)) << simlink_error_message(code) << bridge_rig_log(rig, "serve")
                                      << bridge_rig_log(rig, "attach");
  EXPECT_EQ(big[0], 0x0D);
  EXPECT_EQ(big[3], 0xCA);
}

TEST_F(BridgeLink, LostServingEndIsTheLinksOwnLostServer) {
  start_both();
  uint32_t code = 0;
  int32_t value = 0;

  // Killed: the batch under way fails as with a server that died, the units
  // find no server until it is back, then reopen as usual.
  stop_program(rig.serve_pid, SIGKILL);
  rig.serve_pid = -1;
  ASSERT_TRUE(simlink_read_value(0x0238, &value, &code));
  EXPECT_FALSE(simlink_process(&code));
  EXPECT_TRUE(simlink_error_lost_server(code)) << simlink_error_message(code);
  EXPECT_TRUE(bridge_rig_wait_socket(rig, false, 3000));
  EXPECT_FALSE(simlink_open(0, &code));
  EXPECT_EQ(code, uint32_t(SIMLINK_ERR_NOFS));
  ASSERT_GT(bridge_rig_serve(&rig), 0);
  ASSERT_TRUE(open_within(5000, &code)) << simlink_error_message(code);

  // Frozen (no connection closed, only silence): the heartbeats notice it
  // with no batch under way.
  kill(rig.serve_pid, SIGSTOP);
  EXPECT_TRUE(bridge_rig_wait_socket(rig, false, 4000)) << "a silent serving end was not noticed";
  kill(rig.serve_pid, SIGCONT);
  EXPECT_TRUE(bridge_rig_wait_socket(rig, true, 5000));
  simlink_close();
  ASSERT_TRUE(open_within(5000, &code)) << simlink_error_message(code);

  // The serving end's own server gone: the units lose theirs too.
  private_link_stop(&rig.local);
  EXPECT_TRUE(bridge_rig_wait_socket(rig, false, 4000));
  EXPECT_NE(bridge_rig_log(rig, "attach").find("no link to its simulator"), std::string::npos)
      << bridge_rig_log(rig, "attach");
}

TEST_F(BridgeLink, StrangersAreRefused) {
  // A second pair that the serving end does not know, and a server key that is not the serving end's.
  const std::string stranger = (rig.temp.path / "stranger").string();
  const std::string wrong_server = (rig.temp.path / "wrong_server").string();
  std::string error;
  ASSERT_TRUE(bridge_keys_make(stranger, &error)) << error;
  fs::copy_file(rig.serve_keys + "/bridge.pub", stranger + "/server.pub");
  fs::create_directories(wrong_server);
  fs::copy_file(rig.attach_keys + "/bridge.key", wrong_server + "/bridge.key");
  fs::copy_file(stranger + "/bridge.pub", wrong_server + "/server.pub");
  ASSERT_GT(bridge_rig_serve(&rig), 0);
  struct Case {
    const char* what;
    std::vector<std::string> attach;
    const char* serve_says;
  } cases[] = {
      {"unknown attaching key", {"--keys", stranger}, "refused an attaching end"},
      {"wrong serving end's key", {"--keys", wrong_server}, ""},
      {"plain against keys", {"--plain"}, ""},
  };
  for (const Case& c : cases) {
    ASSERT_GT(bridge_rig_attach(&rig, c.attach), 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(2000));
    EXPECT_TRUE(bridge_rig_wait_socket(rig, false, 0)) << c.what << " was let in";
    uint32_t code = 0;
    EXPECT_FALSE(simlink_open(0, &code)) << c.what;
    EXPECT_NE(bridge_rig_log(rig, "serve").find(c.serve_says), std::string::npos) << c.what;
    stop_program(rig.attach_pid, SIGTERM);
    rig.attach_pid = -1;
  }

  // Plain only where nothing leaves the machine; refused before any socket.
  std::string out, err;
  EXPECT_EQ(run_command("'" + link_bridge_path() + "' attach --plain 192.0.2.1:5560", &out, &err), 2);
  EXPECT_NE(err.find("loopback"), std::string::npos) << err;
}

}  // namespace
