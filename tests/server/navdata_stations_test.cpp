// The stand-in simulator's receivers find the navigation database's VORs and
// beacons by frequency when the scenario has no navaid on it.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "server/aircraft_model.h"
#include "server/navdata_stations.h"

namespace {

const char* const STATIONS =
    "YKM|YAKIMA VORTAC|116.00|1|1|0|46570000|-120444000|0|VOR-DME\n"
    "FAR|FAR VOR|116.00|1|0|0|30000000|-100000000|0|VOR\n"
    "ELN|ELLENSBURG NDB|380|0|0|0|47000000|-120500000|0|NDB\n"
    "OLM|OLYMPIA IMPOSTOR|116.80|1|1|0|46971600|-122902000|0|VOR-DME\n";

TEST(NavStations, FoundByFrequencyNearestInRange) {
  StationDatabase db;
  station_database_from_text(STATIONS, &db);
  ASSERT_EQ(db.stations.size(), 4u);
  const ScenarioNavaid* n = station_database_find(&db, false, 116.0, 0.005, 46.6, -120.5, 100);
  ASSERT_NE(n, nullptr);
  EXPECT_STREQ(n->ident, "YKM");
  EXPECT_EQ(n->kind, NAVAID_VOR_DME);
  EXPECT_EQ(station_database_find(&db, false, 116.0, 0.005, 0, 0, 100), nullptr);      // none in range
  EXPECT_EQ(station_database_find(&db, true, 116.0, 0.005, 46.6, -120.5, 100), nullptr);  // no beacon there
  n = station_database_find(&db, true, 380.3, 0.5, 46.6, -120.5, 100);
  ASSERT_NE(n, nullptr);
  EXPECT_STREQ(n->ident, "ELN");
}

TEST(NavStations, ReceiversTryTheScenarioFirst) {
  auto scenario = std::make_unique<Scenario>();
  ScenarioError error;
  ASSERT_TRUE(scenario_parse_text(scenario_default_text(), std::strlen(scenario_default_text()),
                                  scenario_default_name(), scenario.get(), &error));
  auto a = std::make_unique<Aircraft>();
  aircraft_init(a.get(), scenario.get());
  StationDatabase db;
  station_database_from_text(STATIONS, &db);
  a->stations = &db;
  a->switches[SWITCH_BATTERY] = a->switches[SWITCH_AVIONICS] = true;
  a->lat = 46.8;
  a->lon = -121.5;
  a->alt_ft = 15000;
  a->radios.nav[0] = 116.0;    // only the database has it
  a->radios.nav[1] = 116.8;    // the scenario's SEA, nearer than the database's OLM on it
  a->radios.adf_khz[0] = 380;
  aircraft_radios_step(a.get());
  EXPECT_TRUE(a->nav[0].signal);
  EXPECT_STREQ(a->nav[0].ident, "YKM");
  EXPECT_TRUE(a->nav[0].dme);
  EXPECT_TRUE(a->nav[1].signal);
  EXPECT_STREQ(a->nav[1].ident, "SEA");
  EXPECT_TRUE(a->adf[0].signal);
  EXPECT_STREQ(a->adf[0].ident, "ELN");

  a->stations = nullptr;  // without a database only the scenario's navaids
  aircraft_radios_step(a.get());
  EXPECT_FALSE(a->nav[0].signal);
  EXPECT_FALSE(a->adf[0].signal);
}

}  // namespace
