// The stand-in simulator: serves the offset space on the link and, unless
// held, steps the aircraft model at 100 Hz.
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include "server/aircraft_control.h"
#include "server/link_server.h"
#include "server/navdata_stations.h"
#include "server/offset_space.h"

namespace {

constexpr int MODEL_RATE_HZ = 100;

struct SimServer {
  OffsetSpace space;
  LinkServerOptions link;
  bool hold = false;
  std::string scenario_path;       // empty: the compiled-in default flight
  std::string navdata_folder = COCKPIT_DEFAULT_NAVDATA;  // the run tree's database
  bool navdata_given = false;
  StationDatabase stations;        // the receivers find these after the scenario's navaids
  double time_scale = 1.0;
  Aircraft* aircraft = nullptr;
  ModelControl control{};
};
SimServer sim;
volatile std::sig_atomic_t stop_requested = 0;

void on_stop_signal(int) { stop_requested = 1; }

// Called under the space lock for every write a client makes; the aircraft
// model reacts here to radios, barometric setting, transponder and the like.
void on_client_write(void* context, uint32_t offset, uint32_t size, uint8_t* bytes) {
  SimServer* s = static_cast<SimServer*>(context);
  if (control_is_request(offset, size)) {
    control_handle(&s->control, bytes);
    return;
  }
  if (!s->control.hold) aircraft_on_write(s->aircraft, offset, size, bytes);
}

// One model step of `seconds`, under the space lock.
void step_model(uint8_t* bytes, double seconds) { control_step(&sim.control, seconds, bytes); }

void usage() {
  std::fprintf(stderr,
               "usage: sim_server [--scenario FILE | --hold] [--time-scale X] [--class UIPCMAIN|FS98MAIN]\n"
               "                  [--wrong-version] [--link-dir DIR] [--navdata DIR]\n"
               "  --scenario FILE  fly this scenario instead of the default KSEA-KPDX flight\n"
               "  --hold           keep the offset space still (no aircraft model)\n"
               "  --time-scale X   run the flight X times faster (0 < X <= 100, default 1)\n"
               "  --class NAME     the window class to serve as (default UIPCMAIN)\n"
               "  --wrong-version  answer the handshake with a version that is too old\n"
               "  --link-dir DIR   the link folder (default: $COCKPIT_LINK_DIR or the user's runtime folder)\n"
               "  --navdata DIR    the navigation database whose VORs and beacons the receivers also\n"
               "                   find (default: the run tree's du3/data)\n");
}

bool parse_arguments(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--hold") {
      sim.hold = true;
    } else if (arg == "--wrong-version") {
      sim.link.wrong_version = true;
    } else if ((arg == "--scenario" || arg == "--time-scale" || arg == "--navdata") && i + 1 >= argc) {
      std::fprintf(stderr, "sim_server: %s needs a value\n", argv[i]);
      return false;
    } else if (arg == "--scenario") {
      sim.scenario_path = argv[++i];
    } else if (arg == "--navdata") {
      sim.navdata_folder = argv[++i];
      sim.navdata_given = true;
    } else if (arg == "--time-scale") {
      char* end = nullptr;
      sim.time_scale = std::strtod(argv[++i], &end);
      if (end == argv[i] || *end || !(sim.time_scale > 0) || sim.time_scale > CONTROL_MAX_TIME_SCALE) {
        std::fprintf(stderr, "sim_server: --time-scale needs a number above 0 and at most 100, not \"%s\"\n", argv[i]);
        return false;
      }
    } else if ((arg == "--class" || arg == "--link-dir") && i + 1 < argc) {
      (arg == "--class" ? sim.link.class_name : sim.link.link_dir) = argv[++i];
    } else if (arg == "--help" || arg == "-h") {
      usage();
      std::exit(0);
    } else {
      std::fprintf(stderr, "sim_server: unknown argument \"%s\"\n", argv[i]);
      usage();
      return false;
    }
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (!parse_arguments(argc, argv)) return 2;
  if (sim.hold && !sim.scenario_path.empty()) {
    std::fprintf(stderr, "sim_server: --hold and --scenario exclude each other\n");
    return 2;
  }
  offset_space_init(&sim.space);
  // The scenario is read whole before anything is served: a bad file stops here.
  static Aircraft aircraft;
  sim.aircraft = &aircraft;
  sim.control = ModelControl{&aircraft, sim.hold, false, sim.time_scale, &sim.stations};
  if (!sim.hold) {
    std::string navdata_error;
    if (!station_database_load(sim.navdata_folder.c_str(), &sim.stations, &navdata_error)) {
      // A missing database of one's own choosing is an error; the default one may simply not be built.
      std::fprintf(stderr, "sim_server: %s%s\n", navdata_error.c_str(),
                   sim.navdata_given ? "" : "; the receivers know the scenario's navaids only");
      if (sim.navdata_given) return 2;
    }
  }
  {
    std::string scenario_error;
    std::lock_guard<std::mutex> hold(sim.space.lock);
    if (!control_load_scenario(&sim.control, sim.scenario_path.empty() ? nullptr : sim.scenario_path.c_str(),
                               sim.hold ? nullptr : sim.space.bytes, &scenario_error)) {
      std::fprintf(stderr, "sim_server: %s\n", scenario_error.c_str());
      return 2;
    }
  }
  sim.space.write_hook = on_client_write;
  sim.space.hook_context = &sim;
  std::signal(SIGINT, on_stop_signal);
  std::signal(SIGTERM, on_stop_signal);

  std::string error;
  LinkServer* server = link_server_start(&sim.space, sim.link, &error);
  if (!server) {
    std::fprintf(stderr, "sim_server: %s\n", error.c_str());
    return 1;
  }
  std::printf("sim_server: serving %s%s\n", link_server_socket_path(server).c_str(), sim.hold ? " (held)" : "");
  if (!sim.hold) std::printf("sim_server: flying %s, time-scale %g\n", aircraft.scenario.name, sim.time_scale);
  std::fflush(stdout);

  const auto period = std::chrono::microseconds(1000000 / MODEL_RATE_HZ);
  auto next_step = std::chrono::steady_clock::now();
  while (!stop_requested) {
    next_step += period;
    {
      // Held or paused, the step does nothing; a control request may change that.
      std::lock_guard<std::mutex> hold(sim.space.lock);
      step_model(sim.space.bytes, 1.0 / MODEL_RATE_HZ);
    }
    std::this_thread::sleep_until(next_step);
  }
  link_server_stop(server);
  std::printf("sim_server: stopped\n");
  return 0;
}
