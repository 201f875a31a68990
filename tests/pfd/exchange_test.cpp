// The PFD's link exchanges against a link server in a private folder: the
// reload handshake, the NAV/GPS switch rule, the main batch, the knob
// counter, and the barometric, minimums and bearing-source exchanges. What
// reaches the offsets is what counts.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "pfd/minimums.h"
#include "pfd/pfd_convert.h"
#include "pfd/pfd_exchange.h"
#include "pfd/pfd_groups.h"
#include "pfd/pfd_settings.h"
#include "pfd/pfd_state.h"
#include "server/offset_space.h"
#include "simlink/cells.h"
#include "simlink/simlink.h"
#include "tests/support/private_link.h"

namespace {

OffsetSpace space;

class PfdExchange : public ::testing::Test {
 protected:
  static PrivateLink link;
  static std::filesystem::path dir;
  static void SetUpTestSuite() {
    std::string error;
    ASSERT_TRUE(private_link_start(&link, &space, "pfd-exchange", &error)) << error;
    dir = link.folder;
    std::filesystem::create_directories(dir / "du2");
    std::filesystem::create_directories(dir / "du3");
    uint32_t result = 0;
    ASSERT_TRUE(simlink_open(0, &result)) << simlink_error_message(result);
  }
  static void TearDownTestSuite() { private_link_stop(&link); }
  void SetUp() override {
    g_pfd.raw = PfdRaw{};
    g_pfd.config = AircraftConfig{};
    g_pfd.common.connected = true;
    g_pfd.knob_reader = CounterReader{};
    side(0);
    std::snprintf(g_pfd.settings.du2_path, sizeof g_pfd.settings.du2_path, "%s", (dir / "du2").string().c_str());
    std::snprintf(g_pfd.settings.du3_path, sizeof g_pfd.settings.du3_path, "%s", (dir / "du3").string().c_str());
    minimums_init();
    put(CELL_ALERT, uint8_t{0});
    put(CELL_TCAS_FLAGS, uint8_t{0});
    put(OFFSET_NAV_GPS_SWITCH, uint32_t{7});
    put(0x0330, uint16_t{16211});
    sync();
  }
  static void side(int s) {
    g_pfd.settings.side = s;
    g_pfd.side = pfd_side_table(s);
  }
  template <typename T>
  static void put(uint32_t offset, T v) {
    space_store(&space, offset, v);
  }
  static void put8(uint32_t offset, uint8_t v) { put(offset, v); }
  static void put16(uint32_t offset, uint16_t v) { put(offset, v); }
  template <typename T>
  static T get(uint32_t offset) {
    return space_load<T>(&space, offset);
  }
  // What the main exchange would bring in: the setting as the simulator holds it.
  static void sync() {
    g_pfd.raw.baro = get<uint16_t>(0x0330);
    convert_raw(g_pfd.raw, g_pfd.config, &g_pfd.value);
  }
  static void frame() {
    sync();
    pfd_exchange_altitude_controls();
  }
  static void write_accfg(const char* folder, int v1) {
    std::ofstream f(dir / folder / "accfg.ini", std::ios::binary);
    f << "[V1]\n" << v1 << "\n[VR]\n2\n[V2]\n3\n[MAX_FLAPS]\n40\n[VMIN]\n90\n[VMAX_FLAPS_8]\n250\n"
      << "[VMAX_FLAPS_20]\n200\n[VMAX_FLAPS_40]\n150\n[VMO]\n335.0\n[MM0]\n0.81\n[MAX_SPOILERS]\n60\n"
      << "[MIN_RUNWAY_LENGTH]\n5000\n[MAX_FUEL]\n6062\n[ACTIVE_PLAN]\n1,1.0,2.0,HOME";
  }
};
PrivateLink PfdExchange::link;
std::filesystem::path PfdExchange::dir;

TEST_F(PfdExchange, ReloadClearsOnlyOwnBitAndRereadsTheSideFolder) {
  write_accfg("du2", 111);
  write_accfg("du3", 222);
  // Captain: bit 0 set together with the other side's bit, acknowledge and bit 6.
  put(CELL_ALERT, uint8_t{ALERT_RELOAD_CAPT | ALERT_RELOAD_FO | ALERT_ACKNOWLEDGE | ALERT_PFD_CONTROL});
  ASSERT_TRUE(pfd_reload_handshake());
  EXPECT_EQ(get<uint8_t>(CELL_ALERT), ALERT_RELOAD_FO | ALERT_ACKNOWLEDGE | ALERT_PFD_CONTROL);
  EXPECT_EQ(g_pfd.config.v1, 111);
  EXPECT_EQ(g_pfd.config.plan_length, 1);

  // First officer: its bit is served from DU3's folder, the rest stays.
  side(1);
  ASSERT_TRUE(pfd_reload_handshake());
  EXPECT_EQ(get<uint8_t>(CELL_ALERT), ALERT_ACKNOWLEDGE | ALERT_PFD_CONTROL);
  EXPECT_EQ(g_pfd.config.v1, 222);

  // Nothing to serve: no re-read, the byte stays as the peers left it.
  write_accfg("du3", 333);
  put(CELL_ALERT, uint8_t{ALERT_RELOAD_CAPT});
  ASSERT_TRUE(pfd_reload_handshake());
  EXPECT_EQ(get<uint8_t>(CELL_ALERT), ALERT_RELOAD_CAPT);
  EXPECT_EQ(g_pfd.config.v1, 222);
}

TEST_F(PfdExchange, NavGpsSwitchWrittenByTheCoupledSideOnly) {
  put(CELL_CAPT_EFIS_MODE, uint8_t{EFIS_MODE_FMS | EFIS_MODE_NAV1});
  put(CELL_FO_EFIS_MODE, uint8_t{EFIS_MODE_FMS | EFIS_MODE_NAV1});
  // Coupling bit clear: the captain writes 1 (GPS), never the mode bit's 16.
  ASSERT_TRUE(pfd_exchange_main());
  EXPECT_EQ(get<uint32_t>(OFFSET_NAV_GPS_SWITCH), 1u);
  put(OFFSET_NAV_GPS_SWITCH, uint32_t{7});
  side(1);
  ASSERT_TRUE(pfd_exchange_main());
  EXPECT_EQ(get<uint32_t>(OFFSET_NAV_GPS_SWITCH), 7u);  // first officer leaves it
  // Coupling bit set: the first officer writes, NAV source gives 0.
  put(CELL_TCAS_FLAGS, uint8_t{TCAS_FLAG_FO_COUPLED});
  put(CELL_FO_EFIS_MODE, uint8_t{EFIS_MODE_NAV1});
  ASSERT_TRUE(pfd_exchange_main());
  EXPECT_EQ(get<uint32_t>(OFFSET_NAV_GPS_SWITCH), 0u);
  put(OFFSET_NAV_GPS_SWITCH, uint32_t{7});
  side(0);
  ASSERT_TRUE(pfd_exchange_main());
  EXPECT_EQ(get<uint32_t>(OFFSET_NAV_GPS_SWITCH), 7u);
}

TEST_F(PfdExchange, MainBatchFillsRawValuesOfTheSideAndConverts) {
  put(0x02BC, int32_t{250 * 128});
  put(0x0578, int32_t{-120000000});
  put(0x3000, std::array<char, 6>{'A', 'B', 'C', 'D', 'E', 'F'});
  put(CELL_FO_PFD_DIMMING, uint8_t{77});
  put(CELL_CAPT_PFD_DIMMING, uint8_t{11});
  put(0x281C, uint32_t{1});
  put(0x6058, double{1852.0});
  side(1);
  ASSERT_TRUE(pfd_exchange_main());
  EXPECT_EQ(g_pfd.raw.ias, 250 * 128);
  EXPECT_FLOAT_EQ(g_pfd.value.ias, 250.0f);
  EXPECT_NEAR(g_pfd.value.pitch, 120000000 * 8.319e-8, 1e-9);
  EXPECT_STREQ(g_pfd.value.vor1_ident, "ABCDEF");
  EXPECT_EQ(g_pfd.raw.dimming, 77);
  EXPECT_EQ(g_pfd.raw.battery_master, 1u);
  EXPECT_NEAR(g_pfd.value.gps_cross_track, 1.0, 1e-3);
  EXPECT_EQ(pfd_main_read_count(), 81);  // the whole table, repeated reads included
}

TEST_F(PfdExchange, KnobCounterSeededThenStepsTheMinimumsEveryFrame) {
  put(CELL_CAPT_MINIMUMS_KNOB, uint8_t{255});
  ASSERT_TRUE(pfd_exchange_main());
  EXPECT_FALSE(g_pfd.minimums.minimums_step_up || g_pfd.minimums.minimums_step_down);
  put(CELL_CAPT_MINIMUMS_KNOB, uint8_t{0});
  ASSERT_TRUE(pfd_exchange_main());
  EXPECT_TRUE(g_pfd.minimums.minimums_step_up);
  g_pfd.minimums.minimums_step_up = false;
  put(CELL_CAPT_MINIMUMS_KNOB, uint8_t{255});
  ASSERT_TRUE(pfd_exchange_main());
  EXPECT_TRUE(g_pfd.minimums.minimums_step_down);
}

TEST_F(PfdExchange, StandardButtonWrites16211) {
  put16(0x0330, 15000);
  sync();
  standard_baro_pressed();
  frame();
  EXPECT_EQ(get<uint16_t>(0x0330), 16211);
  frame();  // served once: a later change by the simulator stays
  put16(0x0330, 16000);
  frame();
  EXPECT_EQ(get<uint16_t>(0x0330), 16000);
}

TEST_F(PfdExchange, BaroKnobStepsOneHundredthAndNeverWraps) {
  baro_knob_step(+1);
  frame();
  sync();
  EXPECT_NEAR(g_pfd.value.baro_inches, 29.93, 1e-4);
  baro_knob_step(-1);
  frame();
  baro_knob_step(-1);
  frame();
  sync();
  EXPECT_NEAR(g_pfd.value.baro_inches, 29.91, 1e-4);
  // Far beyond the window: the value stops at its edge instead of wrapping.
  for (int i = 0; i < 1500; i++) {
    baro_knob_step(+1);
    frame();
  }
  EXPECT_EQ(get<uint16_t>(0x0330), baro_offset_value(BARO_MAX_INCHES));
  put16(0x0330, 11920);  // 745 hPa
  for (int i = 0; i < 5; i++) {
    baro_knob_step(-1);
    frame();
  }
  EXPECT_EQ(get<uint16_t>(0x0330), baro_offset_value(BARO_MIN_INCHES));
}

TEST_F(PfdExchange, Bit6RisingEdgeCyclesMinimumsModeAndLeavesTheByte) {
  put8(0x73D5, 0x40 | 0x02);
  frame();
  EXPECT_EQ(g_pfd.minimums.mode, MINIMUMS_RA);
  frame();
  EXPECT_EQ(g_pfd.minimums.mode, MINIMUMS_RA);  // held
  EXPECT_EQ(get<uint8_t>(0x73D5), 0x42);              // this step never writes the shared byte
  put8(0x73D5, 0);
  frame();
  put8(0x73D5, 0x40);
  frame();
  EXPECT_EQ(g_pfd.minimums.mode, MINIMUMS_BARO);
  minimums_knob_step(-1);
  frame();
  EXPECT_EQ(g_pfd.minimums.baro_minimums, 190);
  EXPECT_EQ(g_pfd.minimums.ra_minimums, 200);
  minimums_mode_pressed();
  frame();
  EXPECT_EQ(g_pfd.minimums.mode, MINIMUMS_OFF);
  minimums_knob_step(+1);
  frame();
  EXPECT_EQ(g_pfd.minimums.baro_minimums, 190);
}

TEST_F(PfdExchange, BearingSourcesComeFromTheSidesCells) {
  put8(0x73DB, 4);
  put8(0x73DC, 2);
  put8(0x73DD, 1);
  put8(0x73DE, 0);
  pfd_exchange_bearing_sources();
  EXPECT_EQ(g_pfd.raw.bearing1_source, 4);
  EXPECT_EQ(g_pfd.raw.bearing2_source, 2);
  g_pfd.side = pfd_side_table(1);
  pfd_exchange_bearing_sources();
  EXPECT_EQ(g_pfd.raw.bearing1_source, 1);
  EXPECT_EQ(g_pfd.raw.bearing2_source, 0);
}

}  // namespace
