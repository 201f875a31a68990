// What the units write acts on the model: altimeter setting, radios and swaps,
// transponder, NAV1 course and the NAV/GPS switch.
#include <cmath>
#include <cstring>

#include "server/aircraft_constants.h"
#include "tests/support/model_flight.h"

namespace {

void write16(Flight* f, uint32_t offset, uint16_t v) { f->write(offset, &v, 2); }
void write32(Flight* f, uint32_t offset, uint32_t v) { f->write(offset, &v, 4); }

struct Powered : ::testing::Test {
  std::unique_ptr<Scenario> scenario = load_default_scenario();
  std::unique_ptr<Flight> flight;
  void SetUp() override {
    flight = std::make_unique<Flight>(*scenario);
    ASSERT_TRUE(flight->run_until(PHASE_TAXI_OUT, 300));
  }
};

TEST_F(Powered, BarometricSettingMovesTheIndicatedAltitude) {
  Flight* f = flight.get();
  double before = f->read(0x3324);
  write16(f, 0x0330, static_cast<uint16_t>((scenario->qnh_hpa - 10) * 16));
  f->step(0.1);
  EXPECT_NEAR(f->read(0x0330), scenario->qnh_hpa - 10, 0.07);
  EXPECT_NEAR(f->read(0x3324), before - 10 * FEET_PER_HPA, 3);
  // The standard-setting button of the display writes 29.92 in as 16211.
  write16(f, 0x0330, 16211);
  f->step(0.1);
  EXPECT_EQ(static_cast<int>(f->read(0x0330) * 16 + 0.5), 16211);
  // A one-byte write of the high byte is taken with the low byte as it stands.
  uint8_t high = 0x3F;
  f->write(0x0331, &high, 1);
  EXPECT_NEAR(f->aircraft->radios.baro_hpa, (0x3F00 | (16211 & 0xFF)) / 16.0, 1e-9);
}

TEST_F(Powered, RadioWritesRetuneTheReceivers) {
  Flight* f = flight.get();
  EXPECT_EQ(f->text(0x3000, 6), "SEA");
  // The RMU swap writes both words in one batch: active OLM, standby SEA.
  write16(f, 0x0350, bcd_from_mhz(113.40));
  write16(f, 0x311E, bcd_from_mhz(116.80));
  f->step(0.1);
  EXPECT_EQ(f->text(0x3000, 6), "OLM");
  EXPECT_NEAR(f->read(0x311E), 116.80, 1e-6);
  EXPECT_NE(static_cast<int>(f->read(0x3300)) & 2, 0);   // NAV1 signal
  // Nothing on 108.00: the flags and identifier drop.
  write16(f, 0x0350, bcd_from_mhz(108.00));
  f->step(0.1);
  EXPECT_EQ(f->text(0x3000, 6), "");
  EXPECT_EQ(static_cast<int>(f->read(0x3300)) & 2, 0);
  // COM words of both sides hold what was written.
  write16(f, 0x3118, bcd_from_mhz(135.95));
  write16(f, 0x311C, bcd_from_mhz(118.00));
  f->step(0.1);
  EXPECT_NEAR(f->read(0x3118), 135.95, 1e-6);
  EXPECT_NEAR(f->read(0x311C), 118.00, 1e-6);
  // ADF: the main word carries whole kHz, the extension the tenths.
  write16(f, 0x034C, 0x0332);   // LBH, beyond reception from Seattle
  write16(f, 0x0356, 5);
  f->step(0.1);
  EXPECT_NEAR(f->aircraft->radios.adf_khz[0], 332.5, 1e-9);
  EXPECT_EQ(f->text(0x303E, 6), "");
  EXPECT_EQ(static_cast<int>(f->read(0x3300)) & 8, 0);
  write16(f, 0x034C, 0x0256);
  write16(f, 0x0356, 0);
  f->step(0.1);
  EXPECT_EQ(f->text(0x303E, 6), "LSO");
  EXPECT_NE(static_cast<int>(f->read(0x3300)) & 8, 0);
}

TEST_F(Powered, TransponderCodeAndModeAreKept) {
  Flight* f = flight.get();
  write16(f, 0x0354, 0x7700);
  uint8_t standby = 0;
  f->write(0x7B91, &standby, 1);
  f->step(0.1);
  EXPECT_EQ(f->read(0x0354), 7700);
  EXPECT_EQ(f->read(0x7B91), 0);
  // A word with a digit above 7 is no squawk and is not taken.
  write16(f, 0x0354, 0x1289);
  f->step(0.1);
  EXPECT_EQ(f->read(0x0354), 7700);
}

TEST_F(Powered, CourseWritesStayAsWrittenAndSteerTheNeedle) {
  Flight* f = flight.get();
  write16(f, 0x0C4E, 360);
  f->step(0.1);
  EXPECT_EQ(f->read(0x0C4E), 360);   // 360 is not turned into 0 under the RMU's feet
  write16(f, 0x0350, bcd_from_mhz(113.40));   // OLM, south-west of the aircraft
  write16(f, 0x0C4E, 202);
  f->step(0.1);
  double centred = f->read(0x2AAC);
  write16(f, 0x0C4E, 222);
  f->step(0.1);
  EXPECT_LT(f->read(0x2AAC), centred - 20);   // course moved right: the bearing now lies left
  EXPECT_EQ(f->read(0x0C4B), 1);              // TO
}

TEST(ModelWrites, NavGpsSwitchChangesWhatTheAutopilotFollows) {
  auto scenario = load_default_scenario();
  Flight f(*scenario);
  ASSERT_TRUE(f.run_until(PHASE_CRUISE, 3600));
  f.step(5);
  write32(&f, 0x132C, 16);   // the display writes its mode byte AND 16
  f.step(1);
  EXPECT_EQ(f.read(0x132C), 16);
  EXPECT_EQ(f.read(0x07C4), 1);   // NAV hold: following the route
  EXPECT_EQ(f.read(0x07C8), 0);
  write32(&f, 0x132C, 0);
  write16(&f, 0x0350, bcd_from_mhz(108.00));   // nothing to follow on NAV1
  f.step(1);
  EXPECT_EQ(f.read(0x07C4), 0);
  EXPECT_EQ(f.read(0x07C8), 1);   // heading hold on the bug
}

TEST(ModelTimeline, CellActionsActAsTheHardwareWould) {
  std::string text =
      "departure KSEA 16L 47.46379733 -122.30775222 180.34 433 11900\n"
      "arrival KPDX 10R 45.59515 -122.621472 119.09 30 10977\n"
      "at 0:01 cell 0x73FB 1\n"
      "at 0:01 cell 0x73FD -1\n"
      "at 0:02 cell 0x73FD +3\n"
      "at 0:01 press 0x73F9 2\n"
      "at 0:01 switch battery on\n"
      "at 0:02 fail right-generator\n";
  auto scenario = std::make_unique<Scenario>();
  ScenarioError error;
  ASSERT_TRUE(scenario_parse_text(text.data(), text.size(), "t", scenario.get(), &error)) << scenario_error_text(error);
  Flight f(*scenario);
  f.space[0x73F9] = 0x01;   // a key the hardware holds stays held
  f.step(1.05);
  EXPECT_EQ(f.space[0x73FB], 1);
  EXPECT_EQ(f.space[0x73FD], 255);   // counters wrap modulo 256
  EXPECT_EQ(f.space[0x73F9], 0x05);
  EXPECT_EQ(f.read(0x281C), 1);
  f.step(1);
  EXPECT_EQ(f.space[0x73FD], 2);
  EXPECT_TRUE(f.aircraft->failed[FAIL_RIGHT_GENERATOR]);
  // The press is released after a fixed number of server steps, whatever the time scale.
  for (int i = 0; i < 40; ++i) f.step(0.01);
  EXPECT_EQ(f.space[0x73F9], 0x01);
}

}  // namespace
