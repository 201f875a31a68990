#include "tests/bridge/bridge_rig.h"

#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "bridge/bridge_keys.h"
#include "platform/environment.h"
#include "simlink/link_folder.h"
#include "tests/support/programs.h"

namespace fs = std::filesystem;

std::string link_bridge_path() { return LINK_BRIDGE_PROGRAM; }

int bridge_free_port() {
  int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t size = sizeof address;
  int port = 0;
  if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
      getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size) == 0)
    port = ntohs(address.sin_port);
  close(fd);
  return port;
}

bool bridge_rig_prepare(BridgeRig* rig, OffsetSpace* space, std::string* error) {
  if (!private_link_start(&rig->local, space, "brs", error)) return false;
  rig->attach_folder = private_link_folder("bra");   // exported from here on
  rig->serve_keys = (rig->temp.path / "serve").string();
  rig->attach_keys = (rig->temp.path / "attach").string();
  if (!bridge_keys_make(rig->serve_keys, error) || !bridge_keys_make(rig->attach_keys, error)) return false;
  fs::create_directories(rig->serve_keys + "/clients");
  fs::copy_file(rig->attach_keys + "/bridge.pub", rig->serve_keys + "/clients/display.pub");
  fs::copy_file(rig->serve_keys + "/bridge.pub", rig->attach_keys + "/server.pub");
  rig->port = bridge_free_port();
  return rig->port > 0;
}

namespace {
int start_end(BridgeRig* rig, const char* role, const std::string& folder, const std::string& keys,
              const std::vector<std::string>& extra) {
  std::string line = "exec env COCKPIT_LINK_DIR='" + folder + "' '" + link_bridge_path() + "' " + role;
  if (extra.empty()) line += " --keys '" + keys + "'";
  for (const std::string& argument : extra) line += " '" + argument + "'";
  line += " 127.0.0.1:" + std::to_string(rig->port) + " 2>>'" + (rig->temp.path / role).string() + ".log'";
  return spawn_program("/bin/sh", {"-c", line});
}
}  // namespace

int bridge_rig_serve(BridgeRig* rig, const std::vector<std::string>& extra) {
  rig->serve_pid = start_end(rig, "serve", rig->local.folder.string(), rig->serve_keys, extra);
  return rig->serve_pid;
}

int bridge_rig_attach(BridgeRig* rig, const std::vector<std::string>& extra) {
  rig->attach_pid = start_end(rig, "attach", rig->attach_folder, rig->attach_keys, extra);
  return rig->attach_pid;
}

std::string bridge_rig_log(const BridgeRig& rig, const char* role) {
  std::ifstream in(rig.temp.path / (std::string(role) + ".log"));
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

bool bridge_rig_wait_socket(const BridgeRig& rig, bool present, int timeout_ms) {
  const std::string path = link_socket_path(rig.attach_folder, "UIPCMAIN");
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
  do {
    std::error_code ec;
    if (fs::exists(path, ec) == present) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  } while (std::chrono::steady_clock::now() < deadline);
  return false;
}

void bridge_rig_stop(BridgeRig* rig) {
  for (int pid : {rig->attach_pid, rig->serve_pid})
    if (pid > 0) kill(pid, SIGCONT);   // a test may have left one stopped
  if (rig->attach_pid > 0) stop_program(rig->attach_pid, SIGTERM);
  if (rig->serve_pid > 0) stop_program(rig->serve_pid, SIGTERM);
  rig->attach_pid = rig->serve_pid = -1;
  private_link_stop(&rig->local);
  remove_link_folder(rig->attach_folder);
}
