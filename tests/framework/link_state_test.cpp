// The skeleton's link handling against an in-process server: silent failure
// while no server runs, connection once one serves, and reconnection after
// the server went away.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "framework/link_state.h"
#include "server/link_server.h"
#include "server/offset_space.h"
#include "simlink/simlink.h"
#include "tests/support/private_link.h"

namespace {

class LinkState : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = private_link_folder("link-state");
    space_ = std::make_unique<OffsetSpace>();
    offset_space_init(space_.get());
  }
  void TearDown() override {
    simlink_close();
    link_server_stop(server_);
    remove_link_folder(folder_);
  }
  void start_server() {
    LinkServerOptions options;
    options.link_dir = folder_;
    std::string error;
    server_ = link_server_start(space_.get(), options, &error);
    ASSERT_NE(server_, nullptr) << error;
  }
  std::string folder_;
  std::unique_ptr<OffsetSpace> space_;
  LinkServer* server_ = nullptr;
};

TEST_F(LinkState, OpensSilentlyOnceAServerRunsAndReopensAfterItWentAway) {
  UnitCommon common{};
  link_try_open(&common);
  EXPECT_FALSE(common.connected);
  link_try_open(&common);  // retried every frame, quietly
  EXPECT_FALSE(common.connected);

  start_server();
  link_try_open(&common);
  ASSERT_TRUE(common.connected);
  uint32_t value = 0, result = 0;
  ASSERT_TRUE(simlink_read(0x3304, 4, &value, &result));
  ASSERT_TRUE(simlink_process(&result));
  link_note_process(&common, true, result);
  EXPECT_TRUE(common.connected);

  link_server_stop(server_);
  server_ = nullptr;
  simlink_read(0x3304, 4, &value, &result);
  bool ok = simlink_process(&result);
  EXPECT_FALSE(ok);
  link_note_process(&common, ok, result);
  EXPECT_FALSE(common.connected) << simlink_error_message(result);

  start_server();
  link_try_open(&common);
  EXPECT_TRUE(common.connected);
  link_close(&common);
  EXPECT_FALSE(common.connected);
  EXPECT_FALSE(simlink_is_open());
}

TEST_F(LinkState, OtherFailuresKeepTheUnitConnected) {
  start_server();
  UnitCommon common{};
  link_try_open(&common);
  ASSERT_TRUE(common.connected);
  link_note_process(&common, false, SIMLINK_ERR_DATA);
  EXPECT_TRUE(common.connected);
  EXPECT_TRUE(simlink_is_open());
}

}  // namespace
