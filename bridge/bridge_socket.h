#pragma once
// What both ends do with their ZeroMQ sockets: the same heartbeats and
// limits, CURVE or plain, one-part frames received bounded.
#include <cstdint>
#include <string>
#include <vector>

#include "bridge/bridge_address.h"
#include "bridge/bridge_keys.h"

// ZeroMQ's own heartbeats: a peer that stops answering is dropped within
// about a second, even when no batch is under way.
constexpr int BRIDGE_HEARTBEAT_MS = 250;
constexpr int BRIDGE_HEARTBEAT_TIMEOUT_MS = 1000;
constexpr int BRIDGE_RECONNECT_MS = 100;
constexpr int BRIDGE_RECONNECT_MAX_MS = 1000;

enum BridgeSecurity { BRIDGE_CURVE, BRIDGE_PLAIN };

struct BridgeOptions {
  BridgeAddress address;
  BridgeSecurity security = BRIDGE_CURVE;
  std::string keys_folder;
};

// Options every bridge socket gets before it binds or connects. False with
// ZeroMQ's reason.
bool bridge_socket_prepare(void* socket, const BridgeOptions& options, std::string* error);
// Receives one message that must be a single part no longer than the
// largest frame; anything else is read to its end and dropped (false).
// `flags` as for zmq_msg_recv (ZMQ_DONTWAIT).
bool bridge_receive_part(void* socket, std::vector<uint8_t>* part, size_t limit, int flags, bool* more);
// Reads and drops the remaining parts of a message.
void bridge_drop_rest(void* socket);
// The reason of ZeroMQ's last failure.
std::string bridge_zmq_error();
