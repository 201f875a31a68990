// The RMU's link exchanges against a link server in a private folder: the
// read set with its conversions on either side, the button cells written
// back, the knob counters and the page writes. What reaches the offsets and
// the state record is what counts.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "rmu/rmu_exchange.h"
#include "rmu/rmu_sim_words.h"
#include "rmu/rmu_state.h"
#include "server/offset_space.h"
#include "simlink/cells.h"
#include "simlink/simlink.h"
#include "tests/support/private_link.h"

namespace {

OffsetSpace space;

class RmuExchange : public ::testing::Test {
 protected:
  static PrivateLink link;
  static void SetUpTestSuite() {
    std::string error;
    ASSERT_TRUE(private_link_start(&link, &space, "rmu-exchange", &error)) << error;
    uint32_t result = 0;
    ASSERT_TRUE(simlink_open(0, &result)) << simlink_error_message(result);
  }
  static void TearDownTestSuite() { private_link_stop(&link); }
  void SetUp() override {
    g_rmu = RmuState{};
    rmu_state_start_values();
    g_rmu.common.connected = true;
    std::lock_guard<std::mutex> hold(space.lock);
    std::memset(space.bytes, 0, sizeof space.bytes);
  }
  template <typename T>
  static void put(uint32_t offset, T v) {
    space_store(&space, offset, v);
  }
  static uint16_t word(uint32_t offset) { return space_load<uint16_t>(&space, offset); }
  static void text(uint32_t offset, const char* bytes, size_t size) {
    std::lock_guard<std::mutex> hold(space.lock);
    std::memcpy(space.bytes + offset, bytes, size);
  }
};
PrivateLink RmuExchange::link;

TEST_F(RmuExchange, ReadSetConvertsWhatThePagesShow) {
  struct Case { double sat_f; int sat_c; uint32_t heading; int16_t variation; double magnetic; };
  // Heading 90 true; variation 20 W (negative) and 100 E; 59 F and 32 F.
  const Case cases[] = {
      {59.0, 15, 1u << 30, -3641, 110.0}, {32.0, 0, 1u << 30, 18204, 350.0},
      {-40.0, -40, 0xFFFFFFFFu, -3641, 20.0},  // 360 true minus 20 W wraps below 360
  };
  for (const Case& c : cases) {
    put(0x28D0, c.sat_f);
    put(0x0580, c.heading);
    put(0x02A0, c.variation);
    put(0x0898, int16_t{16384});      // N1 100 %
    put(0x08B8, int16_t{9362});       // oil 79 C (integer division)
    put(0x2038, 1391.67);             // ITT 500 C from Rankine
    put(0x0B7C, int32_t{4161473});    // left tank 50 %
    put(0x0B80, int32_t{300});        // of 300 gallons
    put(0x0BE4, int32_t{4096});       // flaps ceil(10.0006) = 11
    put(0x08D8, int32_t{12000});      // 3000 psi
    put(0x0300, uint16_t{123});       // DME 12.3
    put(0x3300, uint16_t{(1 << 1) | (1 << 6)});
    text(0x313C, "KOR512XYZ012", 12);  // full length, no terminator in the field
    text(0x3148, "!", 1);              // what follows the field must not show
    text(0x303E, "IPDXAB", 6);
    put(OFFSET_BATTERY, int32_t{1});
    ASSERT_TRUE(rmu_exchange_read_set());
    const RmuValues& v = g_rmu.value;
    EXPECT_EQ(v.sat, c.sat_c) << c.sat_f;
    EXPECT_NEAR(v.magnetic_heading, c.magnetic, 0.01) << c.sat_f;
    EXPECT_FLOAT_EQ(v.n1[0], 100.0f);
    EXPECT_EQ(v.oil_temperature[0], 79);
    EXPECT_NEAR(v.itt[0], 500.0, 1e-9);
    EXPECT_EQ(v.left_fuel, 1004);  // 50 % of 300 gallons at 6.699219 lb, truncated
    EXPECT_EQ(v.flap_angle, 11);
    EXPECT_EQ(v.hydraulic, 3000);
    EXPECT_DOUBLE_EQ(v.dme, 12.3);
    EXPECT_TRUE(v.vor_pointer && v.glideslope_scale && !v.adf_pointer);
    EXPECT_STREQ(v.flight_id, "KOR512XYZ012");
    EXPECT_STREQ(v.identity, "IPDXAB");
    EXPECT_EQ(g_rmu.raw.battery, 1);
  }
}

TEST_F(RmuExchange, RadiosFollowTheSimulatorOnlyWhileItIsTheMaster) {
  for (bool unit_is_master : {false, true}) {
    SetUp();
    put(uint32_t{0x3118}, uint16_t{0x1990});  // RMU2's COM active
    put(uint32_t{0x3120}, uint16_t{0x1680});  // and NAV standby
    put(OFFSET_ADF_MAIN, uint16_t{0x0256});
    put(OFFSET_ADF_EXTENSION, uint16_t{0x0005});
    put(OFFSET_TRANSPONDER, uint16_t{0x4721});
    g_rmu.settings.side = RMU_SIDE_2;
    g_rmu.settings.com_write_to_sim = unit_is_master;
    g_rmu.radios.com_active = 118.5f;
    g_rmu.radios.adf_start_pending = true;
    ASSERT_TRUE(rmu_exchange_read_set());
    const RmuRadios& r = g_rmu.radios;
    EXPECT_NEAR(r.com_active, unit_is_master ? 118.5 : 119.9, 1e-3);
    EXPECT_NEAR(r.nav_standby, unit_is_master ? 0.0 : 116.8, 1e-3);
    EXPECT_NEAR(r.adf_frequency, unit_is_master ? 0.0 : 256.5, 1e-3);
    EXPECT_EQ(g_rmu.transponder.code, unit_is_master ? 0 : 4721);
    // The ADF tuning starts from the simulator either way.
    EXPECT_EQ(r.adf_hundreds, 2);
    EXPECT_EQ(r.adf_units, 56);
    EXPECT_FALSE(r.adf_start_pending);
  }
}

TEST_F(RmuExchange, ButtonCellsKnobCountersAndPageWrites) {
  g_rmu.settings.side = RMU_SIDE_2;
  const RmuCells cells = rmu_cells(RMU_SIDE_2), other = rmu_cells(RMU_SIDE_1);
  put(cells.buttons_a, uint8_t{0x04});
  put(cells.buttons_b, uint8_t{0x10});
  put(other.buttons_a, uint8_t{0x01});
  ASSERT_TRUE(rmu_exchange_read_set());
  EXPECT_EQ(g_rmu.raw.buttons[0], 0x04);
  g_rmu.input.buttons_taken = true;
  rmu_exchange_button_cells();
  EXPECT_EQ(space_load<uint8_t>(&space, cells.buttons_a) | space_load<uint8_t>(&space, cells.buttons_b), 0);
  EXPECT_EQ(space_load<uint8_t>(&space, other.buttons_a), 0x01);  // the other side's cells are its own
  // The first read seeds the counters; a change is one step.
  put(cells.inner_knob, uint8_t{7});
  rmu_exchange_knob_counters();
  EXPECT_FALSE(g_rmu.input.knobs.inner_up || g_rmu.input.knobs.inner_down);
  put(cells.inner_knob, uint8_t{9});
  rmu_exchange_knob_counters();
  EXPECT_TRUE(g_rmu.input.knobs.inner_up);

  rmu_queue_write(&g_rmu.writes, 0x3120, 2, 0x1680);
  rmu_queue_write(&g_rmu.writes, OFFSET_ADF_EXTENSION, 2, 0);
  put(OFFSET_ADF_EXTENSION, uint16_t{0x0005});
  rmu_exchange_page_writes();
  EXPECT_EQ(word(0x3120), 0x1680);
  EXPECT_EQ(word(OFFSET_ADF_EXTENSION), 0);
  EXPECT_EQ(g_rmu.writes.count, 0);
  // Closed link: the writes are dropped without a word.
  g_rmu.common.connected = false;
  rmu_queue_write(&g_rmu.writes, 0x3120, 2, 0x1111);
  rmu_exchange_page_writes();
  EXPECT_EQ(word(0x3120), 0x1680);
  EXPECT_EQ(g_rmu.writes.count, 0);
}

}  // namespace
