#include "bridge/bridge_socket.h"

#include <zmq.h>

#include "bridge/bridge_wire.h"

namespace {
constexpr size_t BRIDGE_ENVELOPE_ALLOWANCE = 256;
bool set_int(void* socket, int option, int value) { return zmq_setsockopt(socket, option, &value, sizeof value) == 0; }
}  // namespace

std::string bridge_zmq_error() { return zmq_strerror(zmq_errno()); }

bool bridge_socket_prepare(void* socket, const BridgeOptions& options, std::string* error) {
  // Larger frames than any batch are refused by ZeroMQ before they are read.
  // The limit applies to the frame as it travels, so it leaves room for the
  // envelope that CURVE puts around a message; the exact bound is checked on
  // receipt.
  int64_t max_message = int64_t(BRIDGE_WIRE_MAX_FRAME + BRIDGE_ENVELOPE_ALLOWANCE);
  bool ok = set_int(socket, ZMQ_LINGER, 0) && set_int(socket, ZMQ_HEARTBEAT_IVL, BRIDGE_HEARTBEAT_MS) &&
            set_int(socket, ZMQ_HEARTBEAT_TIMEOUT, BRIDGE_HEARTBEAT_TIMEOUT_MS) &&
            set_int(socket, ZMQ_HEARTBEAT_TTL, BRIDGE_HEARTBEAT_TIMEOUT_MS) &&
            set_int(socket, ZMQ_RECONNECT_IVL, BRIDGE_RECONNECT_MS) &&
            set_int(socket, ZMQ_RECONNECT_IVL_MAX, BRIDGE_RECONNECT_MAX_MS) &&
            set_int(socket, ZMQ_IPV6, options.address.ipv6 ? 1 : 0) &&
            zmq_setsockopt(socket, ZMQ_MAXMSGSIZE, &max_message, sizeof max_message) == 0;
  if (!ok) *error = "cannot set up the bridge socket: " + bridge_zmq_error();
  return ok;
}

void bridge_drop_rest(void* socket) {
  int more = 0;
  size_t size = sizeof more;
  while (zmq_getsockopt(socket, ZMQ_RCVMORE, &more, &size) == 0 && more) {
    zmq_msg_t message;
    zmq_msg_init(&message);
    int got = zmq_msg_recv(&message, socket, 0);
    zmq_msg_close(&message);
    if (got < 0) break;
  }
}

bool bridge_receive_part(void* socket, std::vector<uint8_t>* part, size_t limit, int flags, bool* more) {
  zmq_msg_t message;
  zmq_msg_init(&message);
  if (zmq_msg_recv(&message, socket, flags) < 0) {
    zmq_msg_close(&message);
    *more = false;
    return false;
  }
  size_t size = zmq_msg_size(&message);
  bool fits = size <= limit;
  if (fits) part->assign(static_cast<const uint8_t*>(zmq_msg_data(&message)),
                         static_cast<const uint8_t*>(zmq_msg_data(&message)) + size);
  *more = zmq_msg_more(&message) != 0;
  zmq_msg_close(&message);
  return fits;
}
