// The stand-in simulator: serves the offset space on the link and, unless
// held or replaying a recording, steps the aircraft model at 100 Hz; it can
// record the space as it changes.
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include "server/aircraft_control.h"
#include "server/flightgear_source.h"
#include "server/link_server.h"
#include "server/number_text.h"
#include "server/navdata_stations.h"
#include "server/offset_space.h"
#include "server/printable_text.h"
#include "server/recording_replay.h"
#include "server/recording_writer.h"

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
  bool flightgear = false;         // fed by FlightGear instead of the model
  FlightGearOptions fg;
  FlightGearSource fg_source{};
  std::string record_path;         // empty: no recording
  std::string replay_path;         // empty: fly the model
  Recorder recorder;
  Replay replay;
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
  if (s->flightgear)
    fg_source_on_write(&s->fg_source, offset, size, bytes);
  else if (!s->control.hold)
    aircraft_on_write(s->aircraft, offset, size, bytes);
}

// One model step of `seconds`, under the space lock.
void step_model(uint8_t* bytes, double seconds) { control_step(&sim.control, seconds, bytes); }

const char* const usage_text =
    "usage: sim_server [--scenario FILE | --hold | --replay FILE] [--record FILE] [--time-scale X]\n"
    "                  [--class UIPCMAIN|FS98MAIN]\n"
    "                  [--source stand-in|flightgear [--fg-host ADDRESS] [--fg-out PORT] [--fg-in PORT]]\n"
    "                  [--wrong-version] [--navdata DIR] [--link-dir DIR] [--allow-group NAME]\n"
    "                  [--max-clients N] [--max-per-process N] [--handshake-timeout SECONDS]\n"
    "  --scenario FILE      fly this scenario instead of the default KSEA-KPDX flight\n"
    "  --hold               keep the offset space still (no aircraft model)\n"
    "  --source NAME        where the flight comes from: the stand-in model (default) or flightgear,\n"
    "                       whose generic-protocol stream feeds the offsets; the units' radio,\n"
    "                       altimeter and transponder settings go back to it\n"
    "  --fg-host ADDRESS    the computer FlightGear runs on (default 127.0.0.1)\n"
    "  --fg-out PORT        the UDP port FlightGear streams to (default 5500)\n"
    "  --fg-in PORT         the UDP port FlightGear takes the settings on (default 5501)\n"
    "  --time-scale X       run the flight (or the replay) X times faster (0 < X <= 100, default 1)\n"
    "  --record FILE        write every change of the offset space, with its time, to FILE\n"
    "                       (written as FILE.part until sim_server stops)\n"
    "  --replay FILE        serve a recording again instead of flying; its last state stays\n"
    "                       served when it ends (excludes --scenario and --hold)\n"
    "  --class NAME         the window class to serve as (default UIPCMAIN)\n"
    "  --wrong-version      answer the handshake with a version that is too old\n"
    "  --navdata DIR        the navigation database whose VORs and beacons the receivers also\n"
    "                       find (default: the run tree's du3/data)\n"
    "  --link-dir DIR       the link folder (default: $COCKPIT_LINK_DIR or the user's runtime folder)\n"
    "  --allow-group NAME   also serve units run by other accounts of this group (they set\n"
    "                       COCKPIT_LINK_GROUP=NAME); by default only this user's programs are served\n"
    "  --max-clients N      connections served at once (default 256)\n"
    "  --max-per-process N  connections one process may hold (default 8)\n"
    "  --handshake-timeout SECONDS\n"
    "                       close a connection that has not asked anything by then (default 5);\n"
    "                       a connection that has is never closed for being quiet\n";

constexpr int MAX_CLIENT_LIMIT = 4096;
constexpr double MAX_HANDSHAKE_SECONDS = 3600;

enum Parsed { PARSED, PARSED_HELP, PARSE_FAILED };

Parsed parse_failure(const std::string& message, bool with_usage = false) {
  std::fprintf(stderr, "sim_server: %s\n", printable_text(message).c_str());
  if (with_usage) std::fputs(usage_text, stderr);
  return PARSE_FAILED;
}

bool parse_decimal(const char* text, double low, double high, double* value) {
  char* end = nullptr;
  double parsed = std::strtod(text, &end);
  if (end == text || *end || !(parsed >= low && parsed <= high)) return false;
  *value = parsed;
  return true;
}

Parsed parse_value(const std::string& option, const char* value) {
  int64_t number = 0;
  double seconds = 0;
  if (option == "--record") {
    sim.record_path = value;
  } else if (option == "--replay") {
    sim.replay_path = value;
  } else if (option == "--scenario") {
    sim.scenario_path = value;
  } else if (option == "--class") {
    sim.link.class_name = value;
  } else if (option == "--link-dir") {
    sim.link.link_dir = value;
  } else if (option == "--navdata") {
    sim.navdata_folder = value;
    sim.navdata_given = true;
  } else if (option == "--allow-group") {
    sim.link.allow_group = value;
  } else if (option == "--source") {
    if (std::string(value) != "stand-in" && std::string(value) != "flightgear")
      return parse_failure("--source is stand-in or flightgear, not \"" + std::string(value) + "\"");
    sim.flightgear = std::string(value) == "flightgear";
  } else if (option == "--fg-host") {
    if (!fg_parse_ipv4(value, &sim.fg.host))
      return parse_failure("--fg-host needs an IPv4 address such as 127.0.0.1, not \"" + std::string(value) + "\"");
  } else if (option == "--fg-out" || option == "--fg-in") {
    if (!number_text_in_range(value, 1, 65535, &number))
      return parse_failure(option + " needs a port 1..65535, not \"" + value + "\"");
    (option == "--fg-out" ? sim.fg.out_port : sim.fg.in_port) = uint16_t(number);
  } else if (option == "--time-scale") {
    if (!parse_decimal(value, 0, CONTROL_MAX_TIME_SCALE, &sim.time_scale) || !(sim.time_scale > 0))
      return parse_failure("--time-scale needs a number above 0 and at most 100, not \"" + std::string(value) + "\"");
  } else if (option == "--max-clients" || option == "--max-per-process") {
    if (!number_text_in_range(value, 1, MAX_CLIENT_LIMIT, &number))
      return parse_failure(option + " needs a whole number 1.." + std::to_string(MAX_CLIENT_LIMIT) + ", not \"" +
                           value + "\"");
    (option == "--max-clients" ? sim.link.max_clients : sim.link.max_per_process) = int(number);
  } else if (option == "--handshake-timeout") {
    if (!parse_decimal(value, 0.01, MAX_HANDSHAKE_SECONDS, &seconds))
      return parse_failure("--handshake-timeout needs seconds 0.01..3600, not \"" + std::string(value) + "\"");
    sim.link.handshake_ms = int(seconds * 1000 + 0.5);
  } else {
    return parse_failure("unknown option \"" + option + "\"", true);
  }
  return PARSED;
}

Parsed parse_arguments(int argc, char** argv) {
  static const char* const with_value[] = {"--scenario", "--time-scale", "--class", "--link-dir", "--allow-group", "--navdata",
                                           "--source", "--fg-host", "--fg-out", "--fg-in", "--max-clients", "--max-per-process",
                                           "--handshake-timeout", "--record", "--replay"};
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--help" || arg == "-h") return PARSED_HELP;
    if (arg == "--hold") {
      sim.hold = true;
      continue;
    }
    if (arg == "--wrong-version") {
      sim.link.wrong_version = true;
      continue;
    }
    bool takes_value = false;
    for (const char* name : with_value) takes_value |= arg == name;
    if (!takes_value) return parse_failure("unknown argument \"" + arg + "\"", true);
    if (i + 1 >= argc) return parse_failure(arg + " needs a value");
    if (parse_value(arg, argv[++i]) != PARSED) return PARSE_FAILED;
  }
  return PARSED;
}

}  // namespace

int main(int argc, char** argv) {
  Parsed parsed = parse_arguments(argc, argv);
  if (parsed == PARSED_HELP) {
    std::fputs(usage_text, stdout);
    return 0;
  }
  if (parsed != PARSED) return 2;
  if (int(sim.hold) + int(!sim.scenario_path.empty()) + int(!sim.replay_path.empty()) > 1) {
    std::fprintf(stderr, "sim_server: --hold, --scenario and --replay exclude each other\n");
    return 2;
  }
  if ((sim.hold || !sim.replay_path.empty()) && sim.flightgear) {
    std::fprintf(stderr, "sim_server: --hold and --replay exclude --source flightgear\n");
    return 2;
  }
  const bool replaying = !sim.replay_path.empty();
  std::string recording_error;
  if (replaying && !replay_open(&sim.replay, sim.replay_path.c_str(), &recording_error)) {
    std::fprintf(stderr, "sim_server: %s\n", recording_error.c_str());
    return 2;
  }
  if (replaying && sim.replay.summary.cut_short)
    std::fprintf(stderr, "sim_server: %s\n", sim.replay.summary.note.c_str());
  offset_space_init(&sim.space);
  // The scenario is read whole before anything is served: a bad file stops here.
  static Aircraft aircraft;
  sim.aircraft = &aircraft;
  sim.control = ModelControl{&aircraft, sim.hold || replaying, false, sim.time_scale, PendingLoad{}, &sim.stations};
  if (replaying) {
    sim.control.replay_state = replay_state_text;
    sim.control.replay_context = &sim.replay;
  }
  if (!sim.control.hold) {
    std::string navdata_error;
    if (!station_database_load(sim.navdata_folder.c_str(), &sim.stations, &navdata_error)) {
      // A missing database of one's own choosing is an error; the default one may simply not be built.
      std::fprintf(stderr, "sim_server: %s%s\n", navdata_error.c_str(),
                   sim.navdata_given ? "" : "; the receivers know the scenario's navaids only");
      if (sim.navdata_given) return 2;
    }
  }
  std::string scenario_error;
  // Nothing is served yet, so the space needs no lock here.
  if (!control_load_scenario(&sim.control, sim.scenario_path.empty() ? nullptr : sim.scenario_path.c_str(),
                             sim.control.hold ? nullptr : sim.space.bytes, &scenario_error)) {
    std::fprintf(stderr, "sim_server: %s\n", scenario_error.c_str());
    return 2;
  }
  if (sim.flightgear) {
    // The stand-in stays at its first state: it gives what FlightGear does not.
    if (!fg_source_open(&sim.fg_source, sim.fg, &aircraft, &scenario_error)) {
      std::fprintf(stderr, "sim_server: %s\n", scenario_error.c_str());
      return 1;
    }
    sim.control.source_text = [](const void* s) { return fg_source_state_text(static_cast<const FlightGearSource*>(s)); };
    sim.control.source_context = &sim.fg_source;
  }
  sim.space.write_hook = on_client_write;
  sim.space.hook_context = &sim;
  using Clock = std::chrono::steady_clock;
  auto micros = [](Clock::time_point t) {
    return uint64_t(std::chrono::duration_cast<std::chrono::microseconds>(t.time_since_epoch()).count());
  };
  std::signal(SIGINT, on_stop_signal);
  std::signal(SIGTERM, on_stop_signal);

  std::string error;
  LinkServer* server = link_server_start(&sim.space, sim.link, &error);
  if (!server) {
    std::fprintf(stderr, "sim_server: %s\n", error.c_str());
    return 1;
  }
  if (!sim.record_path.empty() && !recorder_open(&sim.recorder, sim.record_path.c_str(), micros(Clock::now()),
                                                 &recording_error)) {
    std::fprintf(stderr, "sim_server: %s\n", recording_error.c_str());
    link_server_stop(server);
    return 2;
  }
  std::printf("sim_server: serving %s%s\n", link_server_socket_path(server).c_str(), sim.hold ? " (held)" : "");
  if (sim.flightgear)
    std::printf("sim_server: waiting for FlightGear; install %s in FlightGear's Protocol folder\n"
                "  ($FG_ROOT/Protocol, on Debian /usr/share/games/flightgear/Protocol) and start it with\n  %s\n",
                COCKPIT_FLIGHTGEAR_PROTOCOL, fg_command_line(sim.fg).c_str());
  else if (replaying)
    std::printf("sim_server: replaying %s (%.1f s), time-scale %g\n", printable_text(sim.replay_path).c_str(),
                sim.replay.summary.length_us / 1e6, sim.time_scale);
  else if (!sim.hold)
    std::printf("sim_server: flying %s, time-scale %g\n", aircraft.scenario.name, sim.time_scale);
  if (!sim.record_path.empty())
    std::printf("sim_server: recording to %s\n", printable_text(sim.record_path).c_str());
  std::fflush(stdout);

  const auto period = std::chrono::microseconds(1000000 / MODEL_RATE_HZ);
  auto next_step = std::chrono::steady_clock::now();
  while (!stop_requested) {
    next_step += period;
    double now_s = std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
    std::string line;
    if (replaying) {
      if (replay_step(&sim.replay, &sim.control, &sim.space, 1.0 / MODEL_RATE_HZ, &line)) {
        std::fprintf(sim.replay.damaged ? stderr : stdout, "sim_server: %s\n", line.c_str());
        std::fflush(stdout);
      }
    } else {
      // Held or paused, the step does nothing; a control request may change that.
      std::lock_guard<std::mutex> hold(sim.space.lock);
      if (sim.flightgear)
        fg_source_poll(&sim.fg_source, now_s, sim.space.bytes);
      else
        step_model(sim.space.bytes, 1.0 / MODEL_RATE_HZ);
    }
    if (!sim.record_path.empty() && !recorder_step(&sim.recorder, &sim.space, micros(Clock::now()), &line))
      std::fprintf(stderr, "sim_server: %s\n", line.c_str());
    // A scenario file asked for by a client is read here, outside the lock.
    std::string log_line;
    if (control_serve_pending(&sim.control, &sim.space, &log_line) && !log_line.empty())
      std::fprintf(stderr, "sim_server: %s\n", log_line.c_str());
    std::this_thread::sleep_until(next_step);
  }
  link_server_stop(server);
  if (sim.flightgear) fg_source_close(&sim.fg_source);
  int status = 0;
  if (!sim.record_path.empty()) {
    std::string line;
    const bool recorded = recorder_finish(&sim.recorder, micros(Clock::now()), &line);
    std::fprintf(recorded ? stdout : stderr, "sim_server: %s\n", line.c_str());
    status = recorded ? 0 : 1;
  }
  if (replaying) replay_close(&sim.replay);
  std::printf("sim_server: stopped\n");
  return status;
}
