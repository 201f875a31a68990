#pragma once
// Radio stations of the display units' navigation database for the stand-in
// simulator's receivers: the VORs and beacons of a data folder's
// navaids.txt, found by frequency, nearest first. The receivers try the
// scenario's own navaids (which also carry the ILS) before these.
#include <string>
#include <vector>

#include "server/scenario.h"

struct StationDatabase {
  std::vector<ScenarioNavaid> stations;  // ordered by frequency
};

// Reads "<folder>/navaids.txt"; false with `error` when it cannot be read.
bool station_database_load(const char* folder, StationDatabase* db, std::string* error);
void station_database_from_text(const std::string& text, StationDatabase* db);
// The nearest station within `range_nm` of (lat, lon) on `frequency`, plus or
// minus `tolerance` (MHz for a VOR, kHz for a beacon); null when none.
const ScenarioNavaid* station_database_find(const StationDatabase* db, bool beacon, double frequency,
                                            double tolerance, double lat, double lon, double range_nm);
