// link_bridge: units on one machine, the link server on another.
//
//   link_bridge keys DIR                                   make a key pair in DIR
//   link_bridge serve  [--keys DIR | --plain] HOST:PORT    beside the link server
//   link_bridge attach [--keys DIR | --plain] HOST:PORT    beside the units
#include <zmq.h>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>

#include "bridge/bridge_attach.h"
#include "bridge/bridge_keys.h"
#include "bridge/bridge_serve.h"

namespace {

volatile std::sig_atomic_t stop_requested = 0;
void on_stop_signal(int) { stop_requested = 1; }

const char* const USAGE =
    "usage: link_bridge keys DIR\n"
    "       link_bridge serve  [--keys DIR | --plain] HOST:PORT\n"
    "       link_bridge attach [--keys DIR | --plain] HOST:PORT\n"
    "\n"
    "serve:  beside the link server; answers the batches of attaching ends on HOST:PORT\n"
    "        (HOST * for every interface).\n"
    "attach: beside the units; serves the link folder they use ($COCKPIT_LINK_DIR, else the\n"
    "        default one) and carries their batches to the serving end at HOST:PORT.\n"
    "keys:   makes DIR/bridge.key (secret) and DIR/bridge.pub (to give to the other end).\n"
    "\n"
    "The ends use CURVE keys from DIR (default: $COCKPIT_BRIDGE_KEYS, else\n"
    "~/.config/cockpit-bridge). The attaching end needs the serving end's bridge.pub as\n"
    "DIR/server.pub; the serving end lets in the keys in DIR/clients/*.pub. --plain needs\n"
    "no keys and is allowed on loopback addresses only (127.0.0.0/8, localhost, [::1]).\n";

int usage_error(const std::string& why) {
  std::fprintf(stderr, "link_bridge: %s\n%s", why.c_str(), USAGE);
  return 2;
}

int make_keys(int argc, char** argv) {
  if (argc != 3) return usage_error("keys takes one folder");
  std::string error;
  if (!bridge_keys_make(argv[2], &error)) {
    std::fprintf(stderr, "link_bridge: %s\n", error.c_str());
    return 1;
  }
  std::printf("made %s/%s (keep it) and %s/%s (give it to the other end)\n", argv[2], BRIDGE_PAIR_FILE, argv[2],
              BRIDGE_PUBLIC_FILE);
  return 0;
}

int run_end(bool serving, int argc, char** argv) {
  BridgeOptions options;
  options.keys_folder = bridge_keys_default_folder();
  bool keys_given = false;
  std::string address;
  for (int i = 2; i < argc; ++i) {
    std::string argument = argv[i];
    if (argument == "--plain") {
      options.security = BRIDGE_PLAIN;
    } else if (argument == "--keys" && i + 1 < argc) {
      options.keys_folder = argv[++i];
      keys_given = true;
    } else if (argument.compare(0, 1, "-") == 0 || !address.empty()) {
      return usage_error("unexpected argument " + argument);
    } else {
      address = argument;
    }
  }
  if (address.empty()) return usage_error("HOST:PORT missing");
  if (keys_given && options.security == BRIDGE_PLAIN) return usage_error("--keys and --plain exclude each other");
  std::string error;
  if (!bridge_address_parse(address, &options.address, &error)) return usage_error(error);
  if (!serving && options.address.host == "*") return usage_error("attach needs the serving end's host");
  if (options.security == BRIDGE_PLAIN && !bridge_address_loopback(options.address))
    return usage_error("--plain carries the link unencrypted and open to anyone: only on a loopback address; use keys");
  if (options.security == BRIDGE_CURVE && !zmq_has("curve")) {
    std::fprintf(stderr, "link_bridge: this ZeroMQ has no CURVE security; only --plain on loopback is possible\n");
    return 1;
  }
  std::signal(SIGINT, on_stop_signal);
  std::signal(SIGTERM, on_stop_signal);
  return serving ? bridge_serve(options, &stop_requested) : bridge_attach(options, &stop_requested);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
    std::fputs(USAGE, argc < 2 ? stderr : stdout);
    return argc < 2 ? 2 : 0;
  }
  std::string role = argv[1];
  if (role == "keys") return make_keys(argc, argv);
  if (role == "serve") return run_end(true, argc, argv);
  if (role == "attach") return run_end(false, argc, argv);
  return usage_error("unknown role " + role);
}
