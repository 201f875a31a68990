// The panel's batch against a real link server: the bytes that land in the
// cells and in the NAV/GPS switch, for both sides and both coupling states.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "efis/efis_exchange.h"
#include "server/link_server.h"
#include "server/offset_space.h"
#include "simlink/cells.h"
#include "simlink/simlink.h"
#include "simlink/simlink_testing.h"
#include "tests/support/private_link.h"

namespace fs = std::filesystem;

namespace {

constexpr uint32_t UNTOUCHED = 0x5A5A5A5A;

class EfisLink : public ::testing::Test {
 protected:
  OffsetSpace space;
  PrivateLink link;
  LinkServer*& server = link.server;
  EfisPanel panel;
  UnitCommon common{};
  const bool& connected = common.connected;

  void SetUp() override {
    SimlinkTiming timing = simlink_default_timing();
    timing.send_timeout_ms = 300;
    timing.send_attempts = 1;
    timing.retry_pause_ms = 10;
    simlink_set_timing(timing);
    std::string error;
    ASSERT_TRUE(private_link_start(&link, &space, "efis_link", &error)) << error;
    efis_panel_reset(&panel);
  }
  void TearDown() override { private_link_stop(&link); }

  uint8_t cell(uint32_t offset) { return space_load<uint8_t>(&space, offset); }
  uint32_t nav_gps() { return space_load<uint32_t>(&space, OFFSET_NAV_GPS_SWITCH); }
  void set_cell(uint32_t offset, uint8_t value) { space_store(&space, offset, value); }
  void mark_nav_gps() { space_store(&space, OFFSET_NAV_GPS_SWITCH, UNTOUCHED); }
  void frame() { efis_link_step(&panel, &common); }
};

}  // namespace

TEST_F(EfisLink, CaptainPublishesAndDrivesTheSwitchUntilCoupledToTheOtherSide) {
  frame();  // the first frame only opens the link
  ASSERT_TRUE(connected);
  panel.fms = panel.gps = 1;
  panel.bearing1_position = 1;
  panel.bearing2_position = 3;
  set_cell(CELL_TCAS_FLAGS, TCAS_FLAG_FO_COUPLED);
  mark_nav_gps();
  frame();  // still uses coupling byte 0 from before the first exchange
  EXPECT_EQ(cell(0x73FE), 24);
  EXPECT_EQ(cell(0x73DB), 4);
  EXPECT_EQ(cell(0x73DC), 1);
  EXPECT_EQ(nav_gps(), 1u);
  EXPECT_EQ(panel.coupling, TCAS_FLAG_FO_COUPLED);
  // From now on the captain's panel leaves the switch alone.
  for (int i = 0; i < 3; ++i) {
    mark_nav_gps();
    frame();
    EXPECT_EQ(nav_gps(), UNTOUCHED);
  }
  EXPECT_EQ(cell(0x73D0), 0);  // the other side's cells are not touched
  EXPECT_EQ(cell(0x73DD), 0);
  // Coupling back to the captain: the next frame's test still sees the bit,
  // the one after writes the switch again (NAV now: 0).
  panel.fms = panel.gps = 0;
  set_cell(CELL_TCAS_FLAGS, TCAS_FLAG_TA_AUTO);
  mark_nav_gps();
  frame();
  EXPECT_EQ(nav_gps(), UNTOUCHED);
  frame();
  EXPECT_EQ(nav_gps(), 0u);
  EXPECT_EQ(cell(0x73FE), 8);
}

TEST_F(EfisLink, FirstOfficerWritesItsCellsAndTheSwitchOnlyWhenCoupled) {
  panel.side = EFIS_SIDE_FIRST_OFFICER;
  panel.button_c = 1;
  panel.bearing1_position = 2;
  frame();
  ASSERT_TRUE(connected);
  set_cell(0x73D1, 0x77);
  mark_nav_gps();
  frame();
  EXPECT_EQ(cell(0x73D0), 4 + 8);
  EXPECT_EQ(cell(0x73D1), 0);
  EXPECT_EQ(cell(0x73DD), 2);
  EXPECT_EQ(cell(0x73DE), 0);
  EXPECT_EQ(nav_gps(), UNTOUCHED);
  EXPECT_EQ(cell(0x73FE), 0);
  set_cell(CELL_TCAS_FLAGS, TCAS_FLAG_FO_COUPLED);
  panel.fms = panel.gps = 1;
  frame();  // reads the bit
  frame();  // acts on it
  EXPECT_EQ(nav_gps(), 1u);
  EXPECT_EQ(cell(0x73D0), 4 + 8 + 16);
}

TEST_F(EfisLink, LostServerIsReopenedAndAFailedBatchKeepsTheCouplingByte) {
  frame();
  set_cell(CELL_TCAS_FLAGS, TCAS_FLAG_FO_COUPLED);
  frame();
  ASSERT_EQ(panel.coupling, TCAS_FLAG_FO_COUPLED);
  link_server_stop(server);
  server = nullptr;
  frame();
  EXPECT_FALSE(connected);
  EXPECT_EQ(panel.coupling, TCAS_FLAG_FO_COUPLED);
  frame();  // nobody there: stays disconnected, quietly
  EXPECT_FALSE(connected);
  // A restarted simulator starts from a fresh offset space.
  offset_space_init(&space);
  std::string error;
  server = link_server_start(&space, LinkServerOptions{link.folder.string()}, &error);
  ASSERT_NE(server, nullptr) << error;
  frame();
  EXPECT_TRUE(connected);
  panel.bearing2_position = 2;
  frame();
  EXPECT_EQ(cell(0x73DC), 2);
}
