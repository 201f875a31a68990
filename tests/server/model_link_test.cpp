// Every offset of every unit's read set, read through the link client from a
// server that the model fills, decodes back to the model's value; writes made
// through the client reach the model through the server's write hook.
#include <cmath>
#include <cstring>

#include "server/link_server.h"
#include "simlink/simlink.h"
#include "tests/support/model_flight.h"
#include "tests/support/private_link.h"
#include "tests/support/programs.h"

namespace {

constexpr size_t READS_PER_BATCH = 64;

void model_hook(void* context, uint32_t offset, uint32_t size, uint8_t* bytes) {
  aircraft_on_write(static_cast<Aircraft*>(context), offset, size, bytes);
}

class ModelOverLink : public ::testing::Test {
 protected:
  std::unique_ptr<OffsetSpace> space = std::make_unique<OffsetSpace>();
  std::unique_ptr<Scenario> scenario = load_default_scenario();
  std::unique_ptr<Aircraft> aircraft = std::make_unique<Aircraft>();
  LinkServer* server = nullptr;
  std::string folder;

  void SetUp() override {
    folder = private_link_folder("srv");
    offset_space_init(space.get());
    aircraft_init(aircraft.get(), scenario.get());
    space->write_hook = model_hook;
    space->hook_context = aircraft.get();
    LinkServerOptions options;
    options.link_dir = folder;
    std::string error;
    server = link_server_start(space.get(), options, &error);
    ASSERT_NE(server, nullptr) << error;
    uint32_t code = 0;
    ASSERT_TRUE(simlink_open(0, &code)) << simlink_error_message(code);
  }
  void TearDown() override {
    simlink_close();
    link_server_stop(server);
    remove_link_folder(folder);
  }
  // Flies (under the space lock, as sim_server does) until the phase plus `extra` seconds.
  void fly_to(FlightPhase phase, double extra) {
    std::lock_guard<std::mutex> hold(space->lock);
    while (aircraft->phase != phase && aircraft->time_s < 3 * 3600) aircraft_step(aircraft.get(), 0.25, space->bytes);
    for (double t = 0; t < extra; t += 0.25) aircraft_step(aircraft.get(), 0.25, space->bytes);
  }
  // Reads every table entry through the client into a copy of the space.
  std::vector<uint8_t> read_everything() {
    size_t count;
    const OffsetEntry* table = offset_table(&count);
    std::vector<uint8_t> copy(0x10000, 0xEE);
    uint32_t code = 0;
    for (size_t first = 0; first < count; first += READS_PER_BATCH) {
      for (size_t i = first; i < count && i < first + READS_PER_BATCH; ++i)
        EXPECT_TRUE(simlink_read(table[i].offset, table[i].size, &copy[table[i].offset], &code));
      EXPECT_TRUE(simlink_process(&code)) << simlink_error_message(code);
    }
    return copy;
  }
};

TEST_F(ModelOverLink, EveryReadOffsetDecodesToTheModelValue) {
  fly_to(PHASE_CRUISE, 150);   // the head-on intruder is close by now
  ASSERT_GT(traffic_active_count(&aircraft->traffic), 1);
  std::vector<uint8_t> seen = read_everything();
  size_t count;
  const OffsetEntry* table = offset_table(&count);
  const ModelValues& v = aircraft->values;
  int checked = 0;
  for (size_t i = 0; i < count; ++i) {
    const OffsetEntry& e = table[i];
    if (e.encoding == ENC_TEXT) {
      std::string text(reinterpret_cast<const char*>(&seen[e.offset]), e.size);
      text = text.substr(0, text.find('\0'));
      EXPECT_EQ(text, std::string(v.text[e.quantity]).substr(0, e.size)) << e.name;
      continue;
    }
    double want = v.q[e.quantity];
    double got = offset_decode(e, &seen[e.offset]);
    double tolerance = 1e-6;
    if (e.encoding == ENC_INT || e.encoding == ENC_UINT) tolerance = 0.5 / std::fabs(e.factor) + 1e-9;
    if (e.encoding == ENC_F32) tolerance = std::fabs(want) * 1e-6 + 1e-4;
    if (e.encoding == ENC_BCD_FREQ) tolerance = 0.005;
    if (e.encoding == ENC_BCD_ADF) want = std::floor(want + 1e-6);
    if (e.encoding == ENC_ADF_EXT) { want -= std::floor(want + 1e-6); tolerance = 0.051; }
    EXPECT_NEAR(got, want, tolerance) << e.name << " at 0x" << std::hex << e.offset;
    ++checked;
  }
  EXPECT_GT(checked, 500);
  // Spot checks of live values in cruise.
  EXPECT_NEAR(offset_decode(*offset_entry_at(0x3324), &seen[0x3324]), scenario->cruise_alt_ft, 100);
  EXPECT_EQ(offset_decode(*offset_entry_at(0x281C), &seen[0x281C]), 1);
  EXPECT_NE(offset_decode(*offset_entry_at(0xF008), &seen[0xF008]), 0);   // traffic slot 0 in use
}

TEST_F(ModelOverLink, ClientWritesReachTheModel) {
  fly_to(PHASE_TAXI_OUT, 5);
  uint32_t code = 0;
  uint16_t baro = static_cast<uint16_t>(1000 * 16), nav1 = bcd_from_mhz(113.40), squawk = 0x7600;
  uint32_t gps = 1;
  ASSERT_TRUE(simlink_write(0x0330, 2, &baro, &code));
  ASSERT_TRUE(simlink_write(0x0350, 2, &nav1, &code));
  ASSERT_TRUE(simlink_write(0x0354, 2, &squawk, &code));
  ASSERT_TRUE(simlink_write(0x132C, 4, &gps, &code));
  ASSERT_TRUE(simlink_process(&code)) << simlink_error_message(code);
  fly_to(PHASE_TAXI_OUT, 0.5);
  int32_t altitude = 0;
  char ident[7] = {};
  uint16_t squawk_back = 0;
  ASSERT_TRUE(simlink_read(0x3324, 4, &altitude, &code));
  ASSERT_TRUE(simlink_read(0x3000, 6, ident, &code));
  ASSERT_TRUE(simlink_read(0x0354, 2, &squawk_back, &code));
  ASSERT_TRUE(simlink_process(&code));
  EXPECT_NEAR(altitude, scenario->departure.elevation_ft + (1000 - scenario->qnh_hpa) * 27.0, 3);
  EXPECT_STREQ(ident, "OLM");
  EXPECT_EQ(squawk_back, 0x7600);
  EXPECT_EQ(aircraft->radios.nav_gps, 1);
}

}  // namespace
