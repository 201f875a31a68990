// The import's shared pieces: the region box, text cleaning, and the three
// database files written from the gathered records.
#include "tools/navdata_import.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "nav/nav_database.h"
#include "nav/nav_database_files.h"
#include "nav/nav_record.h"
#include "platform/files.h"

namespace {

// Plain letters of Latin-1 0xC0..0xFF (the same code points in UTF-8).
constexpr char LATIN1_PLAIN[] = "AAAAAAACEEEEIIIIDNOOOOOxOUUUUYTsaaaaaaaceeeeiiiidnooooo/ouuuuyty";
constexpr unsigned LATIN1_LETTERS = 0xC0;

char plain_letter(unsigned code) { return code >= LATIN1_LETTERS && code <= 0xFF ? LATIN1_PLAIN[code - LATIN1_LETTERS] : '?'; }

std::string millionths(double degrees) {
  char text[32];
  std::snprintf(text, sizeof text, "%lld", std::llround(degrees * NAV_COORDINATE_SCALE));
  return text;
}

std::string number(const char* format, double value) {
  char text[64];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

// A field for the middle of a line: "|" and line ends are already gone.
std::string field_or_dash(const std::string& text) { return text.empty() ? "-" : text; }

}  // namespace

bool navdata_parse_region(const std::string& text, ImportRegion* region) {
  double v[4];
  char tail = 0;
  if (std::sscanf(text.c_str(), "%lf,%lf,%lf,%lf%c", &v[0], &v[1], &v[2], &v[3], &tail) != 4) return false;
  for (double x : v)
    if (!std::isfinite(x)) return false;
  if (v[0] < -90 || v[2] > 90 || v[0] > v[2] || v[1] < -180 || v[1] > 180 || v[3] < -180 || v[3] > 180) return false;
  *region = ImportRegion{true, v[0], v[1], v[2], v[3]};
  return true;
}

bool navdata_in_region(const ImportRegion& r, double latitude, double longitude) {
  if (!r.set) return true;
  if (latitude < r.south || latitude > r.north) return false;
  if (r.west <= r.east) return longitude >= r.west && longitude <= r.east;
  return longitude >= r.west || longitude <= r.east;  // across the date line
}

std::string navdata_clean_text(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c < 0x80) {
      out += c < ' ' || c == '|' || c == 0x7F ? ' ' : static_cast<char>(c);
      continue;
    }
    const unsigned char next = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0;
    if ((c == 0xC2 || c == 0xC3) && (next & 0xC0) == 0x80) {  // UTF-8 of Latin-1 letters
      out += plain_letter(static_cast<unsigned>((c & 0x1F) << 6 | (next & 0x3F)));
      ++i;
    } else if (c >= 0xC4 && (next & 0xC0) == 0x80) {  // other UTF-8: one "?" for the whole character
      out += '?';
      while (i + 1 < text.size() && (static_cast<unsigned char>(text[i + 1]) & 0xC0) == 0x80) ++i;
    } else {
      out += plain_letter(c);  // a single Latin-1 byte
    }
  }
  const size_t first = out.find_first_not_of(' ');
  if (first == std::string::npos) return "";
  return out.substr(first, out.find_last_not_of(' ') - first + 1);
}

bool navdata_ident_ok(const std::string& ident) {
  if (ident.empty() || ident.size() >= static_cast<size_t>(NAV_IDENT_CAPACITY)) return false;
  for (char c : ident)
    if (c <= ' ' || c == '|' || static_cast<unsigned char>(c) >= 0x7F) return false;
  return true;
}

bool navdata_admit(ImportData* data, const std::string& ident, double latitude, double longitude) {
  const char* reason = nullptr;
  if (!navdata_ident_ok(ident)) {
    reason = "records whose ident the database cannot hold (over 7 characters)";
  } else if (!(std::fabs(latitude) <= 90.0) || !(std::fabs(longitude) <= 180.0)) {
    reason = "records with a position off the earth";
  } else if (!navdata_in_region(data->region, latitude, longitude)) {
    reason = "records outside the region";
  }
  if (reason) data->dropped[reason]++;
  return !reason;
}

std::string navdata_navaid_text(const ImportData& data) {
  std::string text;
  for (const ImportNavaid& n : data.navaids) {
    std::string name = navdata_clean_text(n.name);
    // The reader drops a beacon whose name holds "ILS/" as a localiser.
    if (!n.vor && !n.dme)
      for (size_t at = name.find("ILS/"); at != std::string::npos; at = name.find("ILS/", at)) name[at + 3] = ' ';
    const char* kind = n.vor ? (n.dme ? "VOR-DME" : "VOR") : "NDB";
    text += n.ident + "|" + name + "|" + number(n.vor ? "%.2f" : "%g", n.frequency) + "|" + (n.vor ? "1" : "0") +
            "|" + (n.vor && n.dme ? "1" : "0") + "|" + std::to_string(n.elevation_ft) + "|" +
            millionths(n.latitude) + "|" + millionths(n.longitude) + "|0|" + kind + "\n";
  }
  return text;
}

std::string navdata_waypoint_text(const ImportData& data) {
  std::string text;
  for (const ImportWaypoint& w : data.waypoints)
    text += w.ident + "|" + millionths(w.latitude) + "|" + millionths(w.longitude) + "|" +
            field_or_dash(navdata_clean_text(w.region)) + "\n";
  return text;
}

std::string navdata_airport_text(const ImportData& data) {
  std::string text;
  for (const ImportAirport& a : data.airports) {
    // After the name only numbers: the reader tests every further field for "A" and "R".
    text += "A|" + a.ident + "|" + navdata_clean_text(a.name) + "|" + millionths(a.latitude) + "|" +
            millionths(a.longitude) + "|" + std::to_string(a.elevation_ft) + "\n";
    for (const ImportRunway& r : a.runways)
      text += "R|" + field_or_dash(navdata_clean_text(r.ident)) + "|" + std::to_string(r.width_ft) + "|" +
              std::to_string(r.length_ft) + "\n";
  }
  return text;
}

bool navdata_write(const ImportData& data, const std::string& folder, std::string* error) {
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  struct Output {
    bool wanted;
    const char* name;
    std::string (*text)(const ImportData&);
  };
  const Output outputs[] = {{data.has_navaids, NAV_NAVAID_FILE, navdata_navaid_text},
                            {data.has_waypoints, NAV_WAYPOINT_FILE, navdata_waypoint_text},
                            {data.has_airports, NAV_AIRPORT_FILE, navdata_airport_text}};
  for (const Output& o : outputs) {
    if (!o.wanted) continue;
    const std::string path = (std::filesystem::path(folder) / o.name).string();
    if (!write_file_atomic(path.c_str(), o.text(data))) {
      *error = path + ": cannot be written";
      return false;
    }
  }
  return true;
}

std::string navdata_summary(const ImportData& data, const std::string& folder) {
  std::string s;
  const std::string at = folder.empty() || folder.back() == '/' ? folder : folder + "/";
  if (data.has_navaids) {
    long counts[3] = {0, 0, 0};
    for (const ImportNavaid& n : data.navaids) counts[n.vor ? (n.dme ? 2 : 1) : 0]++;
    s += "navdata: wrote " + at + NAV_NAVAID_FILE + ": " + std::to_string(data.navaids.size()) + " navaids (" +
         std::to_string(counts[1]) + " VOR, " + std::to_string(counts[2]) + " VOR-DME, " +
         std::to_string(counts[0]) + " NDB)\n";
  }
  if (data.has_waypoints)
    s += "navdata: wrote " + at + NAV_WAYPOINT_FILE + ": " + std::to_string(data.waypoints.size()) + " waypoints\n";
  if (data.has_airports) {
    long runways = 0;
    for (const ImportAirport& a : data.airports) runways += static_cast<long>(a.runways.size());
    s += "navdata: wrote " + at + NAV_AIRPORT_FILE + ": " + std::to_string(data.airports.size()) + " airports, " +
         std::to_string(runways) + " runways\n";
  }
  for (const auto& [reason, count] : data.dropped)
    s += "navdata: dropped " + std::to_string(count) + " " + reason + "\n";
  for (const std::string& note : data.notes) s += "navdata: note: " + note + "\n";
  return s;
}
