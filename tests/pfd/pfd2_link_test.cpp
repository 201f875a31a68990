// The altitude and heading steps against a link server in a private folder:
// what reaches the offsets is what counts.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "pfd/minimums.h"
#include "pfd/pfd_convert.h"
#include "pfd/pfd_groups.h"
#include "pfd/pfd_settings.h"
#include "pfd/pfd_state.h"
#include "server/offset_space.h"
#include "simlink/simlink.h"
#include "tests/support/private_link.h"

namespace {
OffsetSpace space;

class PfdLink : public ::testing::Test {
 protected:
  static PrivateLink link;
  static void SetUpTestSuite() {
    std::string error;
    ASSERT_TRUE(private_link_start(&link, &space, "pfd2-link", &error)) << error;
    uint32_t result = 0;
    ASSERT_TRUE(simlink_open(0, &result)) << simlink_error_message(result);
  }
  static void TearDownTestSuite() { private_link_stop(&link); }
  void SetUp() override {
    pfd.raw = PfdRaw{};
    pfd.common.connected = true;
    pfd.side = pfd_side_table(0);
    minimums_init();
    put16(0x0330, 16211);
    put8(0x73D5, 0);
    sync();
  }
  static void put8(uint32_t offset, uint8_t v) { space_store(&space, offset, v); }
  static void put16(uint32_t offset, uint16_t v) { space_store(&space, offset, v); }
  static uint16_t get16(uint32_t offset) {
    std::lock_guard<std::mutex> lock(space.lock);
    uint16_t v = 0;
    space_get(space.bytes, offset, &v, 2);
    return v;
  }
  static uint8_t get8(uint32_t offset) {
    std::lock_guard<std::mutex> lock(space.lock);
    uint8_t v = 0;
    space_get(space.bytes, offset, &v, 1);
    return v;
  }
  // What the main exchange would bring in: the setting as the simulator holds it.
  static void sync() {
    pfd.raw.baro = get16(0x0330);
    convert_raw(pfd.raw, pfd.config, &pfd.value);
  }
  static void frame() {
    sync();
    altitude_control_step();
  }
};
PrivateLink PfdLink::link;
}  // namespace

TEST_F(PfdLink, StandardButtonWrites16211) {
  put16(0x0330, 15000);
  sync();
  standard_baro_pressed();
  frame();
  EXPECT_EQ(get16(0x0330), 16211);
  frame();  // served once: a later change by the simulator stays
  put16(0x0330, 16000);
  frame();
  EXPECT_EQ(get16(0x0330), 16000);
}

TEST_F(PfdLink, BaroKnobStepsOneHundredthAndNeverWraps) {
  baro_knob_step(+1);
  frame();
  sync();
  EXPECT_NEAR(pfd.value.baro_inches, 29.93, 1e-4);
  baro_knob_step(-1);
  frame();
  baro_knob_step(-1);
  frame();
  sync();
  EXPECT_NEAR(pfd.value.baro_inches, 29.91, 1e-4);
  // Far beyond the window: the value stops at its edge instead of wrapping.
  for (int i = 0; i < 1500; i++) {
    baro_knob_step(+1);
    frame();
  }
  EXPECT_EQ(get16(0x0330), baro_offset_value(BARO_MAX_INCHES));
  put16(0x0330, 11920);  // 745 hPa
  for (int i = 0; i < 5; i++) {
    baro_knob_step(-1);
    frame();
  }
  EXPECT_EQ(get16(0x0330), baro_offset_value(BARO_MIN_INCHES));
}

TEST_F(PfdLink, Bit6RisingEdgeCyclesMinimumsModeAndLeavesTheByte) {
  put8(0x73D5, 0x40 | 0x02);
  frame();
  EXPECT_EQ(pfd.minimums.mode, MINIMUMS_RA);
  frame();
  EXPECT_EQ(pfd.minimums.mode, MINIMUMS_RA);  // held
  EXPECT_EQ(get8(0x73D5), 0x42);              // this step never writes the shared byte
  put8(0x73D5, 0);
  frame();
  put8(0x73D5, 0x40);
  frame();
  EXPECT_EQ(pfd.minimums.mode, MINIMUMS_BARO);
  minimums_knob_step(-1);
  frame();
  EXPECT_EQ(pfd.minimums.baro_minimums, 190);
  EXPECT_EQ(pfd.minimums.ra_minimums, 200);
  minimums_mode_pressed();
  frame();
  EXPECT_EQ(pfd.minimums.mode, MINIMUMS_OFF);
  minimums_knob_step(+1);
  frame();
  EXPECT_EQ(pfd.minimums.baro_minimums, 190);
}

TEST_F(PfdLink, BearingSourcesComeFromTheSidesCells) {
  put8(0x73DB, 4);
  put8(0x73DC, 2);
  put8(0x73DD, 1);
  put8(0x73DE, 0);
  heading_logic_step();
  EXPECT_EQ(pfd.raw.bearing1_source, 4);
  EXPECT_EQ(pfd.raw.bearing2_source, 2);
  pfd.side = pfd_side_table(1);
  heading_logic_step();
  EXPECT_EQ(pfd.raw.bearing1_source, 1);
  EXPECT_EQ(pfd.raw.bearing2_source, 0);
}
