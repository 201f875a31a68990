// libFuzzer target of the navdata import: the first byte picks the reader
// (nav.dat, fix.dat, apt.dat, navaids.csv, airports.csv with runways.csv),
// the rest is the file. Whatever is imported must read back through the
// display unit's readers record for record: same idents, same kinds, the
// same runway-ok, so no field the import writes ever shifts a record.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "nav/nav_database.h"
#include "tools/navdata_import.h"

namespace {

enum Reader { NAV, FIX, APT, NAVAIDS_CSV, AIRPORTS_CSV, READERS };

void remove_input();

// The file each input is written to, removed when the run ends.
const std::string& input_path() {
  static const std::string path =
      (std::filesystem::temp_directory_path() / ("fuzz_navdata_import_" + std::to_string(::getpid()))).string();
  static const bool removed_at_exit = std::atexit(remove_input) == 0;
  (void)removed_at_exit;
  return path;
}

void remove_input() { std::remove(input_path().c_str()); }

void check(bool ok) {
  if (!ok) __builtin_trap();
}

void check_read_back(const ImportData& d) {
  std::vector<NavRecord> back;
  nav_parse_navaids(navdata_navaid_text(d), &back);
  check(back.size() == d.navaids.size());
  for (size_t i = 0; i < back.size(); ++i) {
    const ImportNavaid& n = d.navaids[i];
    check(n.ident == back[i].ident);
    check(back[i].navaid_type == (n.vor ? (n.dme ? NAV_TYPE_VOR_DME : NAV_TYPE_VOR) : NAV_TYPE_NDB));
  }
  nav_parse_waypoints(navdata_waypoint_text(d), &back);
  check(back.size() == d.waypoints.size());
  for (size_t i = 0; i < back.size(); ++i) check(d.waypoints[i].ident == back[i].ident);
  nav_parse_airports(navdata_airport_text(d), NAV_DEFAULT_MIN_RUNWAY_FT, &back);
  check(back.size() == d.airports.size());
  for (size_t i = 0; i < back.size(); ++i) {
    bool long_enough = false;
    for (const ImportRunway& r : d.airports[i].runways) long_enough = long_enough || r.length_ft >= NAV_DEFAULT_MIN_RUNWAY_FT;
    check(d.airports[i].ident == back[i].ident);
    check(back[i].runway_ok == (long_enough ? 1 : 0));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  std::FILE* f = std::fopen(input_path().c_str(), "wb");
  if (!f) return 0;
  std::fwrite(data + 1, 1, size - 1, f);
  std::fclose(f);
  ImportData d;
  std::string error;
  switch (static_cast<Reader>(data[0] % READERS)) {
    case NAV: navdata_read_xplane_nav(input_path(), &d, &error); break;
    case FIX: navdata_read_xplane_fix(input_path(), &d, &error); break;
    case APT: navdata_read_xplane_apt(input_path(), &d, &error); break;
    case NAVAIDS_CSV: navdata_read_ourairports_navaids(input_path(), &d, &error); break;
    case AIRPORTS_CSV: navdata_read_ourairports_airports(input_path(), input_path(), &d, &error); break;
    case READERS: break;
  }
  check_read_back(d);
  return 0;
}
