#pragma once
// A whole bridge on one machine, for tests and nothing but loopback: a link
// server in this process (its own folder), `link_bridge serve` beside it,
// `link_bridge attach` serving a second folder that this process's client
// (and any unit started from here) uses. Each end's stderr goes to a file.
#include <string>
#include <vector>

#include "server/offset_space.h"
#include "tests/support/private_link.h"
#include "tests/support/temp_folder.h"

struct BridgeRig {
  TempFolder temp{"bridge_rig"};
  PrivateLink local;              // the server's folder, served in this process
  std::string attach_folder;      // where the units look; exported as COCKPIT_LINK_DIR
  std::string serve_keys, attach_keys;
  int port = 0;
  int serve_pid = -1, attach_pid = -1;
};

// A TCP port on 127.0.0.1 that nothing uses right now.
int bridge_free_port();
// Folders, the server, and key pairs for both ends that know each other;
// no end started yet.
bool bridge_rig_prepare(BridgeRig* rig, OffsetSpace* space, std::string* error);
// Starts an end; `extra` replaces the default "--keys <its folder>".
int bridge_rig_serve(BridgeRig* rig, const std::vector<std::string>& extra = {});
int bridge_rig_attach(BridgeRig* rig, const std::vector<std::string>& extra = {});
// What an end wrote to its stderr so far.
std::string bridge_rig_log(const BridgeRig& rig, const char* role);
// Waits until the attach folder's socket is there (true) or gone (false), up to `timeout_ms`.
bool bridge_rig_wait_socket(const BridgeRig& rig, bool present, int timeout_ms);
// Stops both ends and the server, and closes this process's client.
void bridge_rig_stop(BridgeRig* rig);
// The built program.
std::string link_bridge_path();
