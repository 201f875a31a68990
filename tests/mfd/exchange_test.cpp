// The display unit's link exchange against a link server in a private
// folder: what the main batch reads for each side, reversion, and the alert
// cell's reload announcement written only when it changes the byte.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "mfd/mfd_exchange.h"
#include "mfd/mfd_pages.h"
#include "mfd/mfd_role.h"
#include "mfd/mfd_state.h"
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

class MfdExchange : public ::testing::Test {
 protected:
  static PrivateLink link;
  static void SetUpTestSuite() {
    std::string error;
    ASSERT_TRUE(private_link_start(&link, &space, "mfd-exchange", &error)) << error;
    space.write_hook = count_alert_writes;
    uint32_t result = 0;
    ASSERT_TRUE(simlink_open(0, &result)) << simlink_error_message(result);
    EXPECT_EQ(simlink_sim_version(), 8u);  // the oil-pressure boxes test it
  }
  static void TearDownTestSuite() { private_link_stop(&link); }
  void SetUp() override {
    g_mfd = MfdState{};
    g_mfd.common.connected = true;
    unit(MFD_MODE_MFD);
    for (uint32_t cell : {CELL_ALERT, CELL_REVERSION, CELL_DU2_KNOB, CELL_DU3_KNOB, CELL_DU2_DIMMING, CELL_DU3_DIMMING})
      space_store(&space, cell, uint8_t{0});
    alert_writes = 0;
  }
  static void unit(int32_t mode) {
    g_mfd.mode = mode;
    g_mfd.mfd_shown = mode == MFD_MODE_MFD;
    g_mfd.eicas_shown = !g_mfd.mfd_shown;
  }
  static void frame() {
    uint32_t result = 0;
    ASSERT_TRUE(mfd_exchange(&result)) << simlink_error_message(result);
    mfd_convert();
  }
};
PrivateLink MfdExchange::link;

TEST_F(MfdExchange, MainBatchReadsTheSimulatorAndThisDisplaysCells) {
  EXPECT_EQ(mfd_queue_main_reads(&g_mfd.raw, MFD_MODE_EICAS), 84);
  uint32_t result = 0;
  ASSERT_TRUE(simlink_process(&result));
  EXPECT_EQ(mfd_queue_main_reads(&g_mfd.raw, MFD_MODE_MFD), 85);  // and the unused 0x73D1
  ASSERT_TRUE(simlink_process(&result));

  space_store(&space, 0x281C, int32_t{1});
  space_store(&space, 0x3B60, 144.0 * 80);
  space_store(&space, 0x60A4, uint8_t{'W'});
  space_store(&space, 0x029C, uint8_t{1});
  space_store(&space, 0x07CC, uint16_t{16384});
  space_store(&space, CELL_DU2_DIMMING, uint8_t{20});
  space_store(&space, CELL_DU3_DIMMING, uint8_t{30});
  struct Case { int32_t mode; uint8_t brightness; };
  for (Case c : {Case{MFD_MODE_EICAS, 20}, Case{MFD_MODE_MFD, 30}}) {
    unit(c.mode);
    frame();
    EXPECT_EQ(g_mfd.power.battery_on, 1);
    EXPECT_EQ(g_mfd.power.brightness, c.brightness) << c.mode;
    EXPECT_DOUBLE_EQ(g_mfd.value.left_oil_pressure, 80.0);
    EXPECT_STREQ(g_mfd.value.gps_next_waypoint, "W");
    EXPECT_EQ(g_mfd.raw.pitot_heat_switch, 1);
    EXPECT_EQ(g_mfd.value.heading_bug, 90);
  }
}

TEST_F(MfdExchange, ReversionSwapsTheDisplayAndItsMenu) {
  struct Case { int32_t mode; uint8_t reversion; bool mfd_shown; int32_t level, page; bool changed; };
  const Case cases[] = {
      {MFD_MODE_EICAS, 1, true, MFD_MENU_TOP, MFD_PAGE_NONE, true},
      {MFD_MODE_EICAS, 1, true, MFD_MENU_TOP, MFD_PAGE_NONE, false},
      {MFD_MODE_EICAS, 0, false, MFD_MENU_SYSTEMS, MFD_PAGE_SUMMARY, true},
      {MFD_MODE_MFD, 1, false, MFD_MENU_SYSTEMS, MFD_PAGE_SUMMARY, true},
      {MFD_MODE_MFD, 0, true, MFD_MENU_TOP, MFD_PAGE_NONE, true},
  };
  for (const Case& c : cases) {
    if (g_mfd.mode != c.mode) {
      g_mfd = MfdState{};
      g_mfd.common.connected = true;
      unit(c.mode);
    }
    g_mfd.menu_level = g_mfd.page = 7;
    g_mfd.plan_list_shown = true;
    space_store(&space, CELL_REVERSION, uint8_t(c.reversion | 0x80));
    frame();
    EXPECT_EQ(g_mfd.mfd_shown, c.mfd_shown) << c.mode << " " << int(c.reversion);
    EXPECT_NE(g_mfd.mfd_shown, g_mfd.eicas_shown);
    EXPECT_EQ(g_mfd.menu_level, c.changed ? c.level : 7);
    EXPECT_EQ(g_mfd.page, c.changed ? c.page : 7);
    EXPECT_EQ(g_mfd.plan_list_shown, !c.changed);
  }
  EXPECT_STREQ(mfd_role_for(MFD_MODE_EICAS, false).title, "Korvu DU2 EICAS - V1.0.0.4 build 203");
  EXPECT_STREQ(mfd_role_for(MFD_MODE_MFD, true).title, "Korvu DU3 EICAS - v1.0.0.4 build 203");
}

TEST_F(MfdExchange, AlertCellIsWrittenOnlyToAnnounceARewrite) {
  struct Case { int32_t mode; bool pending; uint8_t before, after; int writes; bool still_pending; };
  const Case cases[] = {
      {MFD_MODE_MFD, false, 0x20, 0x20, 0, false},   // nothing to announce: read only
      {MFD_MODE_MFD, true, 0x24, 0x27, 1, false},    // announced once, other bits kept
      {MFD_MODE_MFD, true, 0x03, 0x03, 0, false},    // already announced: no write
      {MFD_MODE_EICAS, true, 0x20, 0x20, 0, true},   // the EICAS waits for the MFD
  };
  for (const Case& c : cases) {
    unit(c.mode);
    g_mfd.accfg_rewrite_pending = c.pending;
    space_store(&space, CELL_ALERT, c.before);
    alert_writes = 0;
    frame();
    EXPECT_EQ(space_load<uint8_t>(&space, CELL_ALERT), c.after) << int(c.before);
    EXPECT_EQ(g_mfd.raw.alert_cell, c.after);
    EXPECT_EQ(alert_writes, c.writes) << int(c.before);
    EXPECT_EQ(g_mfd.accfg_rewrite_pending, c.still_pending);
  }
}

TEST_F(MfdExchange, TrafficTableIsWalkedSlotBySlotAndEmptySlotsHideNothing) {
  // Own aircraft at 47.45 N 122.31 W, 10,000 ft; slot 1 is empty; slot 2 is
  // 1.2 NM north and 500 ft above (a resolution advisory), slot 3 4 NM north
  // and 1,000 ft below (an advisory).
  g_mfd.raw.indicated_altitude = 10000;
  g_mfd.value.latitude = 47.45;
  g_mfd.value.longitude = -122.31;
  g_mfd.menu_level = MFD_MENU_TOP;
  space_store(&space, CELL_TCAS_FLAGS, uint8_t{TCAS_FLAG_TA_AUTO});
  space_store(&space, CELL_TCAS_RANGE, uint8_t{3});
  space_store(&space, CELL_TCAS_BAND, uint8_t{0x0C});
  const struct { int slot; uint8_t indicator; float lat, alt; } slots[] = {
      {0, 0, 0, 0}, {1, 0, 0, 0}, {2, 7, 47.47f, 10500}, {3, 9, 47.5167f, 9000}};
  for (const auto& s : slots) {
    space_store(&space, 0xF008 + s.slot, s.indicator);
    space_store(&space, 0xF084 + 40 * s.slot, s.lat);
    space_store(&space, 0xF088 + 40 * s.slot, -122.31f);
    space_store(&space, 0xF08C + 40 * s.slot, s.alt);
  }
  uint32_t result = 0;
  for (int frame = 0; frame < 4; ++frame) ASSERT_TRUE(mfd_traffic_step(&result)) << simlink_error_message(result);
  const MapTraffic& t = g_mfd.traffic;
  EXPECT_TRUE(t.automatic);
  EXPECT_EQ(t.range, 6);
  EXPECT_EQ(t.band, TRAFFIC_BAND_ABOVE);
  EXPECT_EQ(t.cursor, 4);
  EXPECT_EQ(t.slot[2].threat_class, TRAFFIC_RESOLUTION);
  EXPECT_EQ(t.slot[3].threat_class, TRAFFIC_ADVISORY);
  EXPECT_NEAR(t.slot[2].distance, 1.2, 0.01);
  EXPECT_TRUE(t.threat);
  EXPECT_TRUE(t.drawn);
  // The same indicator on the next visit: the record is not read again.
  space_store(&space, 0xF084 + 40 * 2, 50.0f);
  for (int frame = 0; frame < TRAFFIC_SLOT_COUNT; ++frame) ASSERT_TRUE(mfd_traffic_step(&result));
  EXPECT_FLOAT_EQ(t.slot[2].latitude, 47.47f);
  // Away from the top menu the picture is not shown.
  g_mfd.menu_level = MFD_MENU_SYSTEMS;
  ASSERT_TRUE(mfd_traffic_step(&result));
  EXPECT_FALSE(t.drawn);
  EXPECT_FALSE(t.display_active);
}

}  // namespace
