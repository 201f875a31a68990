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

#include "server/link_server.h"
#include "server/offset_space.h"

namespace {

constexpr int MODEL_RATE_HZ = 100;

struct SimServer {
  OffsetSpace space;
  LinkServerOptions link;
  bool hold = false;
};
SimServer sim;
volatile std::sig_atomic_t stop_requested = 0;

void on_stop_signal(int) { stop_requested = 1; }

// Called under the space lock for every write a client makes; the aircraft
// model reacts here to radios, barometric setting, transponder and the like.
void on_client_write(void* /*context*/, uint32_t /*offset*/, uint32_t /*size*/, uint8_t* /*bytes*/) {}

// One model step of `seconds`, under the space lock. The model plugs in here.
void step_model(uint8_t* /*bytes*/, double /*seconds*/) {}

void usage() {
  std::fprintf(stderr,
               "usage: sim_server [--hold] [--class UIPCMAIN|FS98MAIN] [--wrong-version] [--link-dir DIR]\n"
               "  --hold           keep the offset space still (no aircraft model)\n"
               "  --class NAME     the window class to serve as (default UIPCMAIN)\n"
               "  --wrong-version  answer the handshake with a version that is too old\n"
               "  --link-dir DIR   the link folder (default: $COCKPIT_LINK_DIR or the user's runtime folder)\n");
}

bool parse_arguments(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--hold") {
      sim.hold = true;
    } else if (arg == "--wrong-version") {
      sim.link.wrong_version = true;
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
  // For now the model is absent, so every run is a held one.
  sim.hold = true;
  offset_space_init(&sim.space);
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
  std::fflush(stdout);

  const auto period = std::chrono::microseconds(1000000 / MODEL_RATE_HZ);
  auto next_step = std::chrono::steady_clock::now();
  while (!stop_requested) {
    next_step += period;
    if (!sim.hold) {
      std::lock_guard<std::mutex> hold(sim.space.lock);
      step_model(sim.space.bytes, 1.0 / MODEL_RATE_HZ);
    }
    std::this_thread::sleep_until(next_step);
  }
  link_server_stop(server);
  std::printf("sim_server: stopped\n");
  return 0;
}
