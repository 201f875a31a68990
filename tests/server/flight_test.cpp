// The whole default flight, accelerated: the model stays physical from cold
// and dark to shutdown and passes every phase, marker and the traffic threat.
#include <cmath>

#include "server/aircraft_constants.h"
#include "server/aircraft_geo.h"
#include "tests/support/model_flight.h"

namespace {

struct FlightLog {
  bool phase_seen[PHASE_COUNT] = {};
  bool marker_seen[3] = {};
  bool glideslope_alive = false, localiser_captured = false;
  bool traffic_advisory = false, resolution_advisory = false;
  double max_ias = 0, max_mach = 0, max_bank = 0, min_pitch = 0, max_pitch = 0;
  double max_altitude = 0;
  bool left_generator_failed_seen = false;
};

// The display's threat rule, applied to every published slot.
void classify_traffic(const Flight& f, FlightLog* log) {
  const Aircraft& a = *f.aircraft;
  for (int s = 0; s < TRAFFIC_SLOTS; ++s) {
    if (a.values.q[traffic_quantity(s, TF_INDICATOR)] == 0) break;
    double d = geo_distance_nm(a.lat, a.lon, a.values.q[traffic_quantity(s, TF_LAT)],
                               a.values.q[traffic_quantity(s, TF_LON)]);
    double dz = std::fabs(a.values.q[Q_INDICATED_ALTITUDE] - a.values.q[traffic_quantity(s, TF_ALT)]);
    if (d >= 2 && d < 6 && dz < 1200) log->traffic_advisory = true;
    if (d < 2 && dz < 750) log->resolution_advisory = true;
  }
}

TEST(ModelFlight, DefaultScenarioFliesFromColdAndDarkToShutdown) {
  auto scenario = load_default_scenario();
  Flight f(*scenario);
  Aircraft& a = *f.aircraft;
  FlightLog log;
  double previous_fuel = 1e9;
  const double dt = 0.1, limit = 2.5 * 3600;
  bool battery_was_on = false;
  while (a.time_s < limit) {
    f.step(dt);
    for (int i = 0; i < Q_COUNT; ++i) ASSERT_TRUE(std::isfinite(a.values.q[i])) << "quantity " << i << " at " << a.time_s;
    double ground = aircraft_ground_elevation(&a);
    ASSERT_GE(a.alt_ft, ground - 0.01) << "below ground at " << a.time_s;
    double fuel = a.fuel_lb[0] + a.fuel_lb[1] + a.fuel_lb[2];
    ASSERT_LE(fuel, previous_fuel + 1e-9) << "fuel grew at " << a.time_s;
    previous_fuel = fuel;
    ASSERT_LE(a.ias_kt, AC_VMO_KT + 5) << "overspeed at " << a.time_s;
    ASSERT_GE(a.ias_kt, 0);
    if (!a.on_ground && a.phase != PHASE_LANDING) {
      ASSERT_GE(a.ias_kt, AC_VREF_KT - 10) << "too slow at " << a.time_s;
    }
    for (const Engine& e : a.engine) {
      ASSERT_GE(e.n1, 0);
      ASSERT_LE(e.n1, 100);
    }
    log.phase_seen[a.phase] = true;
    for (int m = 0; m < 3; ++m) log.marker_seen[m] |= a.marker[m];
    log.glideslope_alive |= a.values.q[Q_GS_ALIVE] != 0;
    log.localiser_captured |= a.loc_captured;
    log.max_ias = std::fmax(log.max_ias, a.ias_kt);
    log.max_mach = std::fmax(log.max_mach, aircraft_mach(&a));
    log.max_bank = std::fmax(log.max_bank, std::fabs(a.bank));
    log.min_pitch = std::fmin(log.min_pitch, a.pitch);
    log.max_pitch = std::fmax(log.max_pitch, a.pitch);
    log.max_altitude = std::fmax(log.max_altitude, a.alt_ft);
    log.left_generator_failed_seen |= a.failed[FAIL_LEFT_GENERATOR] && a.values.q[Q_BUS_VOLTS_LEFT] < 5;
    classify_traffic(f, &log);
    battery_was_on |= a.switches[SWITCH_BATTERY];
    if (battery_was_on && !a.switches[SWITCH_BATTERY]) break;
  }
  for (int p = 0; p < PHASE_COUNT; ++p) EXPECT_TRUE(log.phase_seen[p]) << phase_name(static_cast<FlightPhase>(p));
  EXPECT_LT(a.time_s, limit) << "the flight never ended";
  EXPECT_TRUE(a.on_ground);
  EXPECT_LT(geo_distance_nm(a.lat, a.lon, scenario->arrival.lat, scenario->arrival.lon), 3.0);
  EXPECT_TRUE(log.marker_seen[MARKER_OUTER]);
  EXPECT_TRUE(log.marker_seen[MARKER_MIDDLE]);
  EXPECT_TRUE(log.glideslope_alive);
  EXPECT_TRUE(log.localiser_captured);
  EXPECT_TRUE(log.traffic_advisory);
  EXPECT_TRUE(log.resolution_advisory);
  EXPECT_TRUE(log.left_generator_failed_seen);
  EXPECT_NEAR(log.max_altitude, scenario->cruise_alt_ft, 200);
  EXPECT_LE(log.max_mach, AC_MMO);
  EXPECT_LE(log.max_bank, AC_MAX_BANK_DEG + 0.01);
  EXPECT_GE(log.min_pitch, -10);
  EXPECT_LE(log.max_pitch, 20);
  EXPECT_EQ(a.values.q[Q_BATTERY], 0);
  EXPECT_EQ(a.engine[0].lit, false);
  EXPECT_LT(a.fuel_lb[0] + a.fuel_lb[1] + a.fuel_lb[2],
            scenario->fuel_lb[0] + scenario->fuel_lb[1] + scenario->fuel_lb[2] - 500);
}

TEST(ModelFlight, EnginesStartAndStayConsistentWithThrust) {
  auto scenario = load_default_scenario();
  Flight f(*scenario);
  Aircraft& a = *f.aircraft;
  ASSERT_TRUE(f.run_until(PHASE_TAXI_OUT, 200));
  for (const Engine& e : a.engine) {
    EXPECT_TRUE(e.lit);
    EXPECT_NEAR(e.n1, ENG_IDLE_N1, 3);
    EXPECT_GT(e.oil_psi, 50);
    EXPECT_GT(e.fuel_flow_pph, 100);
  }
  // Read back through the table as a unit would: the left and right engines agree.
  EXPECT_NEAR(f.read(0x0898), f.read(0x0930), 1);
  EXPECT_GT(f.read(0x3AF0), 0);   // combustion
  ASSERT_TRUE(f.run_until(PHASE_CLIMB, 900));
  EXPECT_GT(a.engine[0].n1, 70);
  EXPECT_GT(a.engine[0].itt_c, a.engine[0].oil_temp_c);
  EXPECT_GT(a.engine[0].fuel_flow_pph, 800);
  EXPECT_EQ(a.values.q[Q_ON_GROUND], 0);
  EXPECT_GT(a.values.q[Q_VERTICAL_SPEED], 300);
}

TEST(ModelFlight, FailuresFreezeOrDropTheirValues) {
  auto scenario = load_default_scenario();
  Flight f(*scenario);
  Aircraft& a = *f.aircraft;
  ASSERT_TRUE(f.run_until(PHASE_CLIMB, 900));
  f.step(20);
  ASSERT_TRUE(aircraft_set_failure(&a, "attitude", true));
  ASSERT_TRUE(aircraft_set_failure(&a, "air-data", true));
  ASSERT_TRUE(aircraft_set_failure(&a, "right-engine", true));
  ASSERT_FALSE(aircraft_set_failure(&a, "wings", true));
  double pitch = f.read(0x0578), altitude = f.read(0x3324);
  f.step(30);
  EXPECT_DOUBLE_EQ(f.read(0x0578), pitch);
  EXPECT_DOUBLE_EQ(f.read(0x3324), altitude);
  EXPECT_EQ(f.read(0x02BC), 0);
  EXPECT_NE(a.alt_ft, altitude);                    // the aircraft itself flies on
  EXPECT_EQ(f.read(0x3A30), 0);                     // right engine out
  EXPECT_LT(a.engine[1].n1, 15);
  ASSERT_TRUE(aircraft_set_failure(&a, "attitude", false));
  f.step(1);
  EXPECT_NEAR(f.read(0x0578), a.pitch, 0.01);
}

}  // namespace
