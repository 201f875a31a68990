// navdata: the navigation-data tool. Imports X-Plane-format and OurAirports
// data into the display unit's database files, and shows a plan or the
// records of an ident exactly as the display unit reads them.
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "nav/nav_database_files.h"
#include "nav/nav_plan_files.h"
#include "nav/nav_text.h"
#include "server/printable_text.h"
#include "tools/navdata_import.h"
#include "tools/navdata_show.h"

namespace {

constexpr int EXIT_FAILED = 1;
constexpr int EXIT_USAGE = 2;

const char* const USAGE =
    "usage: navdata import [--out DIR] [--region SOUTH,WEST,NORTH,EAST] [--quiet] FILE...\n"
    "       navdata plan FILE [--data DIR]\n"
    "       navdata find IDENT [--data DIR] [--min-runway FEET]\n"
    "\n"
    "import  converts navigation data into the display unit's database files\n"
    "        navaids.txt, waypoints.txt and Airports.txt in DIR (default: data).\n"
    "        FILE is told by its name, or named with an option:\n"
    "          --nav FILE           X-Plane nav.dat (plain or .gz)\n"
    "          --fix FILE           X-Plane fix.dat (plain or .gz)\n"
    "          --apt FILE           X-Plane apt.dat (plain or .gz)\n"
    "          --navaids-csv FILE   OurAirports navaids.csv\n"
    "          --airports-csv FILE  OurAirports airports.csv\n"
    "          --runways-csv FILE   OurAirports runways.csv (needs airports.csv)\n"
    "        Only the files whose sources are given are written. --region keeps\n"
    "        what lies in the box (degrees, west above east crosses the date line).\n"
    "plan    prints the legs of a plan file as the display unit loads them:\n"
    "        LAYOUT<TAB>xml|text|fmc|none, then IDENT<TAB>TYPE<TAB>LATITUDE<TAB>LONGITUDE\n"
    "        per leg; with --data, XML waypoints without a position are placed\n"
    "        from that database.\n"
    "find    prints every database record with that ident (default DIR: data;\n"
    "        runway-ok against --min-runway, default 5000 feet).\n";

struct Arguments {
  std::string verb;
  std::vector<std::string> operands;
  std::string out = NAV_DATA_FOLDER, data, region;
  std::string nav, fix, apt, navaids_csv, airports_csv, runways_csv;
  bool data_given = false;
  bool quiet = false;
  int32_t min_runway = NAV_DEFAULT_MIN_RUNWAY_FT;
};

int usage_error(const std::string& message) {
  // Messages quote arguments: a binary one must not reach the terminal raw.
  std::fprintf(stderr, "navdata: %s\n(navdata --help shows the usage)\n", printable_text(message).c_str());
  return EXIT_USAGE;
}

struct ValueOption {
  const char* name;
  std::string Arguments::*value;
};
const ValueOption VALUE_OPTIONS[] = {
    {"--out", &Arguments::out},           {"--data", &Arguments::data},
    {"--region", &Arguments::region},     {"--nav", &Arguments::nav},
    {"--fix", &Arguments::fix},           {"--apt", &Arguments::apt},
    {"--navaids-csv", &Arguments::navaids_csv}, {"--airports-csv", &Arguments::airports_csv},
    {"--runways-csv", &Arguments::runways_csv},
};

// Empty on success, else the message.
std::string parse(int argc, char** argv, Arguments* a) {
  std::string min_runway;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg.size() < 2 || arg[0] != '-') {
      (a->verb.empty() ? a->verb : a->operands.emplace_back()) = arg;
      continue;
    }
    if (arg == "--quiet") {
      a->quiet = true;
      continue;
    }
    const ValueOption* option = nullptr;
    for (const ValueOption& o : VALUE_OPTIONS)
      if (arg == o.name) option = &o;
    if (!option && arg != "--min-runway") return "unknown option " + arg;
    if (i + 1 >= argc) return arg + " needs a value";
    if (option) {
      a->*(option->value) = argv[++i];
      if (arg == "--data") a->data_given = true;
    } else {
      min_runway = argv[++i];
      char* end = nullptr;
      const long feet = std::strtol(min_runway.c_str(), &end, 10);
      if (min_runway.empty() || *end || feet < 0 || feet > 100000)
        return "--min-runway needs feet from 0 to 100000, not \"" + min_runway + "\"";
      a->min_runway = static_cast<int32_t>(feet);
    }
  }
  return "";
}

std::string lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// Which source a file holds, told by its name; false when the name says nothing.
bool assign_by_name(const std::string& path, Arguments* a) {
  const std::string name = lower(std::filesystem::path(path).filename().string());
  std::string Arguments::*slot = nullptr;
  if (nav_contains(name, "nav.dat")) slot = &Arguments::nav;
  else if (nav_contains(name, "fix.dat")) slot = &Arguments::fix;
  else if (nav_contains(name, "apt") && nav_contains(name, ".dat")) slot = &Arguments::apt;
  else if (nav_contains(name, "navaids") && nav_contains(name, ".csv")) slot = &Arguments::navaids_csv;
  else if (nav_contains(name, "airports") && nav_contains(name, ".csv")) slot = &Arguments::airports_csv;
  else if (nav_contains(name, "runways") && nav_contains(name, ".csv")) slot = &Arguments::runways_csv;
  if (!slot) return false;
  a->*slot = path;
  return true;
}

int run_import(Arguments* a) {
  for (const std::string& file : a->operands)
    if (!assign_by_name(file, a))
      return usage_error("cannot tell what " + file + " holds; name it with --nav, --fix, --apt, --navaids-csv, "
                         "--airports-csv or --runways-csv");
  if (a->nav.empty() && a->fix.empty() && a->apt.empty() && a->navaids_csv.empty() && a->airports_csv.empty() &&
      a->runways_csv.empty())
    return usage_error("import needs at least one input file");
  if (!a->nav.empty() && !a->navaids_csv.empty())
    return usage_error("give navaids from nav.dat or from navaids.csv, not both");
  if (!a->apt.empty() && !a->airports_csv.empty())
    return usage_error("give airports from apt.dat or from airports.csv, not both");
  ImportData data;
  if (!a->region.empty() && !navdata_parse_region(a->region, &data.region))
    return usage_error("--region needs SOUTH,WEST,NORTH,EAST in degrees, not \"" + a->region + "\"");
  data.progress = !a->quiet;

  std::string error;
  bool ok = (a->nav.empty() || navdata_read_xplane_nav(a->nav, &data, &error)) &&
            (a->fix.empty() || navdata_read_xplane_fix(a->fix, &data, &error)) &&
            (a->apt.empty() || navdata_read_xplane_apt(a->apt, &data, &error)) &&
            (a->navaids_csv.empty() || navdata_read_ourairports_navaids(a->navaids_csv, &data, &error)) &&
            navdata_read_ourairports_airports(a->airports_csv, a->runways_csv, &data, &error) &&
            navdata_write(data, a->out, &error);
  if (!ok) {
    std::fprintf(stderr, "navdata: %s; nothing more written\n", error.c_str());
    return EXIT_FAILED;
  }
  std::fputs(navdata_summary(data, a->out).c_str(), stdout);
  return 0;
}

int run_plan(const Arguments& a) {
  if (a.operands.size() != 1) return usage_error("plan needs one FILE");
  const std::filesystem::path path(a.operands[0]);
  std::string upper = path.filename().string();
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  static NavDatabase db;
  if (a.data_given) nav_database_load(&db, a.data.c_str(), NAV_DEFAULT_MIN_RUNWAY_FT, nullptr);
  static ActivePlan plan;
  // Problems go to stderr, where the display unit would append them to error.log.
  const NavPlanLoad load = nav_plan_load_file(path.parent_path().string().c_str(), path.filename().string().c_str(),
                                              nav_plan_name_is_fmc(upper.c_str()), &db, &plan, nullptr);
  if (!load.loaded) return EXIT_FAILED;
  std::fputs(navdata_plan_text(load.layout, &plan).c_str(), stdout);
  return 0;
}

int run_find(const Arguments& a) {
  if (a.operands.size() != 1) return usage_error("find needs one IDENT");
  static NavDatabase db;
  nav_database_load(&db, a.data_given ? a.data.c_str() : NAV_DATA_FOLDER, a.min_runway, nullptr);
  const std::string text = navdata_find_text(&db, a.operands[0].c_str());
  std::fputs(text.c_str(), stdout);
  return text.empty() ? EXIT_FAILED : 0;
}

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      std::fputs(USAGE, stdout);
      return 0;
    }
  }
  Arguments a;
  const std::string problem = parse(argc, argv, &a);
  if (!problem.empty()) return usage_error(problem);
  if (a.verb == "import") return run_import(&a);
  if (a.verb == "plan") return run_plan(a);
  if (a.verb == "find") return run_find(a);
  return usage_error(a.verb.empty() ? "a command is needed: import, plan or find" : "unknown command " + a.verb);
}
