// The crew-alert list's exchange of the alert cell against a link server:
// master bits set and cleared, the acknowledge bit taken, other units' bits
// kept, and the cell written only in the frames that change it.
#include <gtest/gtest.h>

#include <string>

#include "framework/display_power.h"
#include "mfd/mfd_alert_exchange.h"
#include "mfd/mfd_exchange.h"
#include "mfd/mfd_state.h"
#include "platform/environment.h"
#include "platform/sound.h"
#include "server/offset_space.h"
#include "simlink/cells.h"
#include "simlink/simlink.h"
#include "tests/support/private_link.h"

namespace {

OffsetSpace space;
int alert_writes;

void count_alert_writes(void*, uint32_t offset, uint32_t size, uint8_t*) {
  if (offset <= CELL_ALERT && CELL_ALERT < offset + size) ++alert_writes;
}

// Battery on, both engines running at cruise power, every system healthy.
void store_healthy_aircraft() {
  space_store(&space, 0x281C, int32_t{1});
  space_store(&space, 0x029C, uint8_t{1});
  space_store(&space, 0x2EA0, 0.05);  // elevator trim: pitch trim 1.9
  space_store(&space, 0x0AF4, int16_t{6 * 256});
  for (uint32_t offset : {0x0898u, 0x0930u}) space_store(&space, offset, int16_t{14000});  // N1 85 %
  for (uint32_t offset : {0x3B60u, 0x3AA0u}) space_store(&space, offset, 144.0 * 90);     // oil psi
  for (uint32_t offset : {0x2880u, 0x2890u}) space_store(&space, offset, 28.0);           // bus volts
  for (uint32_t offset : {0x3AF0u, 0x3A30u}) space_store(&space, offset, 1.0);            // combustion
  for (uint32_t offset : {0x08F8u, 0x0990u}) space_store(&space, offset, uint32_t{20});   // fuel psi
  for (uint32_t offset : {0x0B80u, 0x0B98u}) space_store(&space, offset, int32_t{300});   // gallons
  for (uint32_t offset : {0x0B7Cu, 0x0B94u}) space_store(&space, offset, int32_t{8388608});
}

class MfdAlertExchange : public ::testing::Test {
 protected:
  static PrivateLink link;
  static void SetUpTestSuite() {
    platform_set_environment("SDL_AUDIODRIVER", "dummy");
    std::string error;
    ASSERT_TRUE(private_link_start(&link, &space, "mfd-alerts", &error)) << error;
    space.write_hook = count_alert_writes;
    uint32_t result = 0;
    ASSERT_TRUE(simlink_open(0, &result)) << simlink_error_message(result);
  }
  static void TearDownTestSuite() {
    platform_wait_sounds();
    private_link_stop(&link);
  }
};
PrivateLink MfdAlertExchange::link;

TEST_F(MfdAlertExchange, MasterBitsAcknowledgementAndWritesOnlyOnChange) {
  g_mfd = MfdState{};
  g_mfd.common.connected = true;
  g_mfd.mode = MFD_MODE_EICAS;
  g_mfd.eicas_shown = true;
  store_healthy_aircraft();
  space_store(&space, CELL_ALERT, uint8_t{0});
  struct Frame {
    const char* name;
    uint8_t door;       // 0x3367: a warning while nonzero
    uint8_t set_bits;   // bits another unit sets in the cell before the frame
    uint8_t cell_after;
    int writes;
  };
  const Frame frames[] = {
      {"healthy: nothing to write", 0, 0, 0x00, 0},
      {"a warning lights the master warning", 1, 0, ALERT_MASTER_WARNING, 1},
      {"still flashing: the same byte, not written", 1, 0, ALERT_MASTER_WARNING, 0},
      {"a PFD's reload bit is left alone", 1, ALERT_RELOAD_FO, ALERT_MASTER_WARNING | ALERT_RELOAD_FO, 0},
      {"acknowledged: request cleared, lamp still on", 1, ALERT_ACKNOWLEDGE, ALERT_MASTER_WARNING | ALERT_RELOAD_FO, 1},
      {"lamp out one frame later", 1, 0, ALERT_RELOAD_FO, 1},
      {"the condition goes: nothing changes", 0, 0, ALERT_RELOAD_FO, 0},
  };
  for (const Frame& f : frames) {
    space_store(&space, 0x3367, f.door);
    space_store(&space, CELL_ALERT, uint8_t(space_load<uint8_t>(&space, CELL_ALERT) | f.set_bits));
    alert_writes = 0;
    uint32_t result = 0;
    ASSERT_TRUE(mfd_exchange(&result)) << simlink_error_message(result);
    mfd_convert();
    ASSERT_TRUE(mfd_alert_exchange(0, &result)) << simlink_error_message(result);
    display_power_end_frame(&g_mfd.power);
    EXPECT_EQ(space_load<uint8_t>(&space, CELL_ALERT), f.cell_after) << f.name;
    EXPECT_EQ(g_mfd.raw.alert_cell, f.cell_after) << f.name;
    EXPECT_EQ(alert_writes, f.writes) << f.name;
  }
  EXPECT_TRUE(g_mfd.alerts.warnings[2].acknowledged);
  EXPECT_FALSE(g_mfd.alerts.warnings[2].active);
}

}  // namespace
