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
#include "server/link_server.h"
#include "server/offset_space.h"
#include "simlink/simlink.h"

namespace {
OffsetSpace space;

class PfdLink : public ::testing::Test {
 protected:
  static LinkServer* server;
  static std::filesystem::path dir;
  static void SetUpTestSuite() {
    dir = std::filesystem::temp_directory_path() / ("pfd2-link-" + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
    std::filesystem::create_directories(dir);
    setenv("COCKPIT_LINK_DIR", dir.c_str(), 1);
    offset_space_init(&space);
    LinkServerOptions options;
    options.link_dir = dir.string();
    std::string error;
    server = link_server_start(&space, options, &error);
    ASSERT_NE(server, nullptr) << error;
    uint32_t result = 0;
    ASSERT_TRUE(simlink_open(0, &result)) << simlink_error_message(result);
  }
  static void TearDownTestSuite() {
    simlink_close();
    link_server_stop(server);
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
  }
  void SetUp() override {
    pfd.raw = PfdRaw{};
    pfd.common.connected = true;
    pfd.side = pfd_side_table(0);
    minimums_init();
    put16(0x0330, 16211);
    put8(0x73D5, 0);
    sync();
  }
  static void put8(uint32_t offset, uint8_t v) {
    std::lock_guard<std::mutex> lock(space.lock);
    space_put(space.bytes, offset, &v, 1);
  }
  static void put16(uint32_t offset, uint16_t v) {
    std::lock_guard<std::mutex> lock(space.lock);
    space_put(space.bytes, offset, &v, 2);
  }
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
LinkServer* PfdLink::server = nullptr;
std::filesystem::path PfdLink::dir;
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
