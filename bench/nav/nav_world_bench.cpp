// Whole-world figures of the navigation data, each against a baseline that
// reads the same bytes without parsing, in the same run:
// - the display unit's database load (27,000 navaids, 200,000 waypoints,
//   34,000 airports with their runways); the world's navaids and fixes come
//   from the shared X-Plane data when present, the rest is generated;
// - navdata import of the world's nav.dat and fix.dat and a world-size
//   apt.dat generated from the regional one (needs the shared data).
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "nav/nav_database_files.h"
#include "platform/files.h"
#include "tests/support/shared_data.h"
#include "tools/navdata_import.h"
#include "tools/navdata_lines.h"

namespace fs = std::filesystem;

namespace {

constexpr size_t WORLD_NAVAIDS = 27000, WORLD_WAYPOINTS = 200000, WORLD_AIRPORTS = 34000;
constexpr int WORLD_APT_COPIES = 34;  // 34 times the 1,000 regional airports

// A folder of generated files, removed when the run ends.
struct WorkFolder {
  fs::path path;
  ~WorkFolder() {
    std::error_code ec;
    fs::remove_all(path, ec);
  }
};

const fs::path& work_folder() {
  static const WorkFolder folder{fs::temp_directory_path() / ("nav_world_bench_" + std::to_string(::getpid()))};
  return folder.path;
}

std::string random_ident(std::mt19937* random, int length) {
  std::string ident;
  for (int i = 0; i < length; ++i) ident += static_cast<char>('A' + (*random)() % 26);
  return ident;
}

double random_degrees(std::mt19937* random, double limit) {
  return std::uniform_real_distribution<double>(-limit, limit)(*random);
}

// The three database files of world size in `folder`; false when they cannot be made.
bool make_world_database(const fs::path& folder) {
  fs::create_directories(folder);
  ImportData data;
  std::string error;
  const fs::path xplane = shared_data_dir() / "xplane";
  if (fs::is_directory(xplane)) {
    navdata_read_xplane_nav((xplane / "nav.dat.gz").string(), &data, &error);
    navdata_read_xplane_fix((xplane / "fix.dat.gz").string(), &data, &error);
  }
  std::mt19937 random(20131);
  while (data.navaids.size() < WORLD_NAVAIDS) {
    ImportNavaid n;
    n.ident = random_ident(&random, 3);
    n.name = n.ident + " SYNTHETIC VORTAC";
    n.vor = n.dme = random() % 2 == 0;
    n.frequency = n.vor ? 112.3 : 344;
    n.latitude = random_degrees(&random, 80);
    n.longitude = random_degrees(&random, 180);
    data.navaids.push_back(n);
  }
  while (data.waypoints.size() < WORLD_WAYPOINTS) {
    data.waypoints.push_back(
        ImportWaypoint{random_ident(&random, 5), "", random_degrees(&random, 80), random_degrees(&random, 180)});
  }
  for (size_t i = 0; i < WORLD_AIRPORTS; ++i) {
    ImportAirport a;
    a.ident = "K" + random_ident(&random, 3);
    a.name = a.ident + " MUNICIPAL AIRPORT";
    a.latitude = random_degrees(&random, 80);
    a.longitude = random_degrees(&random, 180);
    for (int r = 0, runways = 1 + static_cast<int>(random() % 3) / 2; r < runways; ++r)
      a.runways.push_back(ImportRunway{"09/27", 100, 3000 + static_cast<int>(random() % 9000)});
    data.airports.push_back(a);
  }
  data.has_navaids = data.has_waypoints = data.has_airports = true;
  return navdata_write(data, folder.string(), &error);
}

const fs::path* world_database() {
  static const fs::path folder = work_folder() / "database";
  static const bool made = make_world_database(folder);
  return made ? &folder : nullptr;
}

void BM_ReadDatabaseBytesBaseline(benchmark::State& state) {
  const fs::path* folder = world_database();
  if (!folder) return state.SkipWithError("world database could not be written");
  for (auto _ : state) {
    size_t bytes = 0;
    for (const char* name : {NAV_NAVAID_FILE, NAV_WAYPOINT_FILE, NAV_AIRPORT_FILE}) {
      std::string text;
      read_file_bounded((*folder / name).string().c_str(), NAV_DATABASE_FILE_LIMIT, &text);
      bytes += text.size();
    }
    benchmark::DoNotOptimize(bytes);
  }
}
BENCHMARK(BM_ReadDatabaseBytesBaseline)->Unit(benchmark::kMillisecond);

void BM_LoadWorldDatabase(benchmark::State& state) {
  const fs::path* folder = world_database();
  if (!folder) return state.SkipWithError("world database could not be written");
  NavDatabase db;
  for (auto _ : state) {
    nav_database_load(&db, folder->string().c_str(), NAV_DEFAULT_MIN_RUNWAY_FT, nullptr);
    benchmark::DoNotOptimize(db.airports.data());
  }
  state.counters["navaids"] = static_cast<double>(db.navaids.size());
  state.counters["waypoints"] = static_cast<double>(db.waypoints.size());
  state.counters["airports"] = static_cast<double>(db.airports.size());
}
BENCHMARK(BM_LoadWorldDatabase)->Unit(benchmark::kMillisecond);

// The import's inputs: the world's nav.dat and fix.dat and a world-size apt.dat.
struct ImportInputs {
  std::string nav, fix, apt;
};

const ImportInputs* import_inputs() {
  static ImportInputs inputs;
  static const bool ready = [] {
    const fs::path xplane = shared_data_dir() / "xplane";
    if (!fs::is_directory(xplane)) return false;
    std::string regional;
    if (!read_file_bounded((xplane / "apt-pacific-northwest.dat").string().c_str(), 64u << 20, &regional))
      return false;
    const size_t body = regional.find("\n1 ");
    const size_t end = regional.rfind("\n99");
    if (body == std::string::npos || end == std::string::npos || end < body) return false;
    fs::create_directories(work_folder());
    inputs.apt = (work_folder() / "apt.dat").string();
    std::ofstream out(inputs.apt, std::ios::binary);
    out << regional.substr(0, body + 1);
    for (int copy = 0; copy < WORLD_APT_COPIES; ++copy) out << regional.substr(body + 1, end - body);
    out << "99\n";
    inputs.nav = (xplane / "nav.dat.gz").string();
    inputs.fix = (xplane / "fix.dat.gz").string();
    return static_cast<bool>(out);
  }();
  return ready ? &inputs : nullptr;
}

void BM_ReadImportLinesBaseline(benchmark::State& state) {
  const ImportInputs* in = import_inputs();
  if (!in) return state.SkipWithError("no shared X-Plane data");
  for (auto _ : state) {
    size_t bytes = 0;
    for (const std::string* path : {&in->nav, &in->fix, &in->apt}) {
      NavdataLines lines;
      std::string error, line;
      if (!navdata_lines_open(&lines, *path, false, &error)) return state.SkipWithError(error.c_str());
      while (navdata_next_line(&lines, &line)) bytes += line.size();
      navdata_lines_close(&lines);
    }
    benchmark::DoNotOptimize(bytes);
  }
}
BENCHMARK(BM_ReadImportLinesBaseline)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ImportWorld(benchmark::State& state) {
  const ImportInputs* in = import_inputs();
  if (!in) return state.SkipWithError("no shared X-Plane data");
  size_t airports = 0;
  for (auto _ : state) {
    ImportData data;
    std::string error;
    if (!navdata_read_xplane_nav(in->nav, &data, &error) || !navdata_read_xplane_fix(in->fix, &data, &error) ||
        !navdata_read_xplane_apt(in->apt, &data, &error) ||
        !navdata_write(data, (work_folder() / "imported").string(), &error))
      return state.SkipWithError(error.c_str());
    airports = data.airports.size();
  }
  state.counters["airports"] = static_cast<double>(airports);
}
BENCHMARK(BM_ImportWorld)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
