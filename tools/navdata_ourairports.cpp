// OurAirports CSV files: navaids.csv, airports.csv and runways.csv, columns
// found by their header names.
#include <string>
#include <unordered_map>
#include <vector>

#include "nav/nav_text.h"
#include "tools/navdata_csv.h"
#include "tools/navdata_import.h"
#include "tools/navdata_lines.h"

namespace {

constexpr double KHZ_PER_MHZ = 1000.0;
const char* const DROP_DME = "DMEs and TACANs without a VOR";
const char* const DROP_CLOSED = "closed airports and runways";
const char* const DROP_UNKNOWN_TYPE = "navaids of an unknown type";

double number(const std::vector<std::string>& f, int column) {
  return nav_parse_double(navdata_csv_field(f, column));
}

bool open_with_header(const std::string& path, ImportData* data, NavdataLines* lines, CsvColumns* columns,
                      std::string* error) {
  if (!navdata_lines_open(lines, path, data->progress, error)) return false;
  if (!navdata_csv_next(lines, &columns->names)) {
    *error = path + ": empty file";
    navdata_lines_close(lines);
    return false;
  }
  return true;
}


}  // namespace

bool navdata_read_ourairports_navaids(const std::string& path, ImportData* data, std::string* error) {
  NavdataLines lines;
  CsvColumns c;
  if (!open_with_header(path, data, &lines, &c, error)) return false;
  data->has_navaids = true;
  const int ident = c.of("ident"), name = c.of("name"), type = c.of("type"), khz = c.of("frequency_khz"),
            lat = c.of("latitude_deg"), lon = c.of("longitude_deg"), elevation = c.of("elevation_ft");
  std::vector<std::string> f;
  while (navdata_csv_next(&lines, &f)) {
    const std::string& kind = navdata_csv_field(f, type);
    ImportNavaid n;
    if (kind == "VOR") {
      n.vor = true;
    } else if (kind == "VOR-DME" || kind == "VORTAC") {
      n.vor = n.dme = true;
    } else if (kind == "NDB" || kind == "NDB-DME") {
      // The map knows beacons with no DME; the beacon is what it shows.
    } else if (kind == "DME" || kind == "TACAN") {
      data->dropped[DROP_DME]++;
      continue;
    } else {
      data->dropped[DROP_UNKNOWN_TYPE]++;
      continue;
    }
    n.ident = navdata_csv_field(f, ident);
    n.name = navdata_csv_field(f, name);
    n.frequency = n.vor ? number(f, khz) / KHZ_PER_MHZ : number(f, khz);
    n.latitude = number(f, lat);
    n.longitude = number(f, lon);
    n.elevation_ft = nav_parse_int(navdata_csv_field(f, elevation));
    if (navdata_admit(data, n.ident, n.latitude, n.longitude)) data->navaids.push_back(n);
  }
  navdata_lines_close(&lines);
  return true;
}

bool navdata_read_ourairports_airports(const std::string& airports_path, const std::string& runways_path,
                                       ImportData* data, std::string* error) {
  if (airports_path.empty()) {
    if (!runways_path.empty())
      data->notes.push_back("runways.csv without airports.csv imports no airports: OurAirports gives airport "
                            "positions only in airports.csv (give it with --airports-csv)");
    return true;
  }
  NavdataLines lines;
  CsvColumns c;
  if (!open_with_header(airports_path, data, &lines, &c, error)) return false;
  data->has_airports = true;
  const int ident = c.of("ident"), type = c.of("type"), name = c.of("name"), lat = c.of("latitude_deg"),
            lon = c.of("longitude_deg"), elevation = c.of("elevation_ft");
  std::unordered_map<std::string, size_t> index;
  std::vector<std::string> f;
  while (navdata_csv_next(&lines, &f)) {
    if (navdata_csv_field(f, type) == "closed") {
      data->dropped[DROP_CLOSED]++;
      continue;
    }
    ImportAirport a;
    a.ident = navdata_csv_field(f, ident);
    a.name = navdata_csv_field(f, name);
    a.latitude = number(f, lat);
    a.longitude = number(f, lon);
    a.elevation_ft = nav_parse_int(navdata_csv_field(f, elevation));
    if (!navdata_admit(data, a.ident, a.latitude, a.longitude)) continue;
    index[a.ident] = data->airports.size();
    data->airports.push_back(a);
  }
  navdata_lines_close(&lines);
  if (runways_path.empty()) return true;

  if (!open_with_header(runways_path, data, &lines, &c, error)) return false;
  const int airport = c.of("airport_ident"), length = c.of("length_ft"), width = c.of("width_ft"),
            closed = c.of("closed"), low_end = c.of("le_ident"), high_end = c.of("he_ident");
  while (navdata_csv_next(&lines, &f)) {
    auto it = index.find(navdata_csv_field(f, airport));
    if (it == index.end()) continue;  // an airport not imported (closed, elsewhere)
    if (navdata_csv_field(f, closed) == "1") {
      data->dropped[DROP_CLOSED]++;
      continue;
    }
    ImportRunway r;
    r.ident = navdata_csv_field(f, low_end) + "/" + navdata_csv_field(f, high_end);
    r.length_ft = nav_parse_int(navdata_csv_field(f, length));
    r.width_ft = nav_parse_int(navdata_csv_field(f, width));
    data->airports[it->second].runways.push_back(r);
  }
  navdata_lines_close(&lines);
  return true;
}
