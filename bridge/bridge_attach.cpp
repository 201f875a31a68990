#include "bridge/bridge_attach.h"

#include <zmq.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <mutex>
#include <vector>

#include "bridge/bridge_report.h"
#include "bridge/bridge_wire.h"
#include "server/batch.h"
#include "server/link_server.h"
#include "simlink/link_folder.h"

namespace {

constexpr int MONITOR_POLL_MS = 50;
constexpr int64_t LISTENER_RETRY_MS = 1000;
const char* const MONITOR_ENDPOINT = "inproc://link-bridge-monitor";

struct AttachEnd {
  BridgeOptions options;
  void* context = nullptr;
  void* dealer = nullptr;
  void* monitor = nullptr;
  // The dealer and what is learnt through it, shared by the units' handler
  // threads and the main loop.
  std::mutex wire;
  uint32_t sequence = 0;
  uint32_t heard_sequence = 0;   // newest pong or answer
  int64_t heard_ms = -1;
  bool peer_link_open = false;
  uint32_t lost_sequence = 0;    // newest frame sent when the peer was given up
  std::vector<uint8_t> out, in;
  // Main loop only.
  std::atomic<bool> serving{false};
  LinkServer* listener = nullptr;
  int64_t next_listener_try_ms = 0;
  std::unique_ptr<OffsetSpace> unused_space{new OffsetSpace()};
  BridgeReport report;
  bool attached = false;
};

// Sequence numbers wrap after 2^32 frames (weeks of flying); the newer of
// two is the one less than half the circle ahead.
bool sequence_after(uint32_t a, uint32_t b) { return int32_t(a - b) > 0; }

// Under `wire`: what a pong or answer says about the serving end.
void note_heard(AttachEnd* end, const BridgeFrame& frame) {
  if (frame.kind != BRIDGE_PONG && frame.kind != BRIDGE_ANSWER) return;
  end->heard_ms = bridge_now_ms();
  if (sequence_after(frame.sequence, end->heard_sequence)) end->heard_sequence = frame.sequence;
  end->peer_link_open = frame.kind == BRIDGE_PONG ? frame.status == BRIDGE_PONG_LINK_OPEN
                                                  : frame.status == BRIDGE_ANSWER_DONE;
}

// Under `wire`: nothing more goes to the units until the serving end has
// answered something sent after this.
uint32_t give_up_peer(AttachEnd* end) {
  end->lost_sequence = end->sequence;
  end->serving = false;
  return LINK_HANDLER_HANG_UP;
}

bool send_frame(AttachEnd* end, const BridgeFrame& frame) {
  bridge_wire_encode(frame, &end->out);
  return zmq_send(end->dealer, end->out.data(), end->out.size(), ZMQ_DONTWAIT) >= 0;
}

// Under `wire`: receives one frame if there is one within `wait_ms`.
bool receive_frame(AttachEnd* end, int wait_ms, BridgeFrame* frame) {
  zmq_pollitem_t item = {end->dealer, 0, ZMQ_POLLIN, 0};
  if (zmq_poll(&item, 1, wait_ms) <= 0) return false;
  bool more = false;
  bool fits = bridge_receive_part(end->dealer, &end->in, BRIDGE_WIRE_MAX_FRAME, ZMQ_DONTWAIT, &more);
  if (more) {
    bridge_drop_rest(end->dealer);
    return false;
  }
  return fits && bridge_wire_decode(end->in.data(), end->in.size(), frame);
}

// The listener's batch handler, on the unit's connection thread.
uint32_t forward_batch(void* context, OffsetSpace*, uint8_t* block, size_t length, size_t* used) {
  AttachEnd* end = static_cast<AttachEnd*>(context);
  // Nothing but a whole, valid batch crosses.
  if (batch_scan(block, length, used) != BATCH_VALID || *used > BRIDGE_WIRE_MAX_BLOCK) {
    *used = 0;
    return BATCH_REPLY_REFUSED;
  }
  if (!end->serving) return LINK_HANDLER_HANG_UP;
  std::lock_guard<std::mutex> hold(end->wire);
  if (!end->serving) return LINK_HANDLER_HANG_UP;
  BridgeFrame batch;
  batch.kind = BRIDGE_BATCH;
  batch.sequence = ++end->sequence;
  batch.block = block;
  batch.length = uint32_t(*used);
  if (!send_frame(end, batch)) return give_up_peer(end);
  const int64_t deadline = bridge_now_ms() + BRIDGE_ANSWER_TIMEOUT_MS;
  for (;;) {
    int64_t left = deadline - bridge_now_ms();
    if (left <= 0) return give_up_peer(end);
    BridgeFrame frame;
    if (!receive_frame(end, int(left), &frame)) continue;
    note_heard(end, frame);
    // Anything else is a pong or the late answer to a batch given up on.
    if (frame.kind != BRIDGE_ANSWER || frame.sequence != batch.sequence) continue;
    if (frame.status == BRIDGE_ANSWER_LINK_LOST) return give_up_peer(end);
    if (frame.word != BATCH_REPLY_OK) return BATCH_REPLY_REFUSED;
    if (frame.length != batch.length || !bridge_answer_fits(block, frame.block, frame.length))
      return BATCH_REPLY_REFUSED;
    std::memcpy(block, frame.block, frame.length);
    return BATCH_REPLY_OK;
  }
}

// Main loop: a ping, and whatever has come in meanwhile. Skipped while a
// unit's batch holds the wire: its answer is news enough.
void ping(AttachEnd* end) {
  std::unique_lock<std::mutex> hold(end->wire, std::try_to_lock);
  if (!hold.owns_lock()) return;
  BridgeFrame frame;
  frame.kind = BRIDGE_PING;
  frame.sequence = ++end->sequence;
  send_frame(end, frame);   // not connected: no pong, and the silence tells
  BridgeFrame in;
  while (receive_frame(end, 0, &in)) note_heard(end, in);
}

// Empty when the serving end answers and has its link; else why not.
std::string peer_trouble(AttachEnd* end) {
  std::lock_guard<std::mutex> hold(end->wire);
  bool recent = end->heard_ms >= 0 && bridge_now_ms() - end->heard_ms < BRIDGE_PEER_SILENCE_MS &&
                sequence_after(end->heard_sequence, end->lost_sequence);
  if (!recent) return "the serving end does not answer";
  if (!end->peer_link_open) return "the serving end has no link to its simulator";
  return std::string();
}

void stop_listener(AttachEnd* end, const std::string& why) {
  end->serving = false;
  if (!end->listener) return;
  link_server_stop(end->listener);
  end->listener = nullptr;
  bridge_report(&end->report, BRIDGE_TOPIC_LISTENER, "no longer serving the units: " + why);
}

void start_listener(AttachEnd* end) {
  int64_t now = bridge_now_ms();
  if (end->listener || now < end->next_listener_try_ms) return;
  end->next_listener_try_ms = now + LISTENER_RETRY_MS;
  LinkServerOptions options;
  options.handler = forward_batch;
  options.handler_context = end;
  std::string error;
  end->serving = true;   // before the first unit can connect
  end->listener = link_server_start(end->unused_space.get(), options, &error);
  if (!end->listener) {
    end->serving = false;
    bridge_report(&end->report, BRIDGE_TOPIC_LISTENER, "cannot serve the units: " + error + "; retrying");
    return;
  }
  bridge_report(&end->report, BRIDGE_TOPIC_LISTENER,
                "serving the units at " + link_server_socket_path(end->listener));
}

// The monitor's news about the connection, told once per change.
void read_monitor(AttachEnd* end) {
  zmq_pollitem_t item = {end->monitor, 0, ZMQ_POLLIN, 0};
  if (zmq_poll(&item, 1, MONITOR_POLL_MS) <= 0) return;
  std::vector<uint8_t> event;
  bool more = false;
  bool fits = bridge_receive_part(end->monitor, &event, 64, ZMQ_DONTWAIT, &more);
  if (more) bridge_drop_rest(end->monitor);
  if (!fits || event.size() < 6) return;
  uint16_t kind = uint16_t(event[0] | event[1] << 8);
  const std::string where = bridge_address_text(end->options.address);
  if (kind == ZMQ_EVENT_HANDSHAKE_SUCCEEDED) {
    end->attached = true;
    bridge_report(&end->report, BRIDGE_TOPIC_PEER, "attached to " + where);
  } else if (kind == ZMQ_EVENT_HANDSHAKE_FAILED_AUTH) {
    end->attached = false;
    bridge_report(&end->report, BRIDGE_TOPIC_PEER,
                  "the serving end at " + where + " refused this end's key: add " + end->options.keys_folder + "/" +
                      BRIDGE_PUBLIC_FILE + " to its " + BRIDGE_CLIENTS_FOLDER + " folder");
  } else if (kind == ZMQ_EVENT_HANDSHAKE_FAILED_PROTOCOL || kind == ZMQ_EVENT_HANDSHAKE_FAILED_NO_DETAIL) {
    end->attached = false;
    bridge_report(&end->report, BRIDGE_TOPIC_PEER,
                  "no secure handshake with " + where + ": is " + BRIDGE_SERVER_FILE +
                      " the serving end's key, and does it use keys?");
  } else if (kind == ZMQ_EVENT_DISCONNECTED && end->attached) {
    end->attached = false;
    bridge_report(&end->report, BRIDGE_TOPIC_PEER, "lost the connection to " + where + "; reconnecting");
  }
}

bool set_up_curve(AttachEnd* end, std::string* error) {
  BridgeKeyPair pair;
  char server[BRIDGE_KEY_TEXT_SIZE + 1];
  const std::string server_file = end->options.keys_folder + "/" + BRIDGE_SERVER_FILE;
  if (!bridge_keys_read_pair(end->options.keys_folder, &pair, error)) return false;
  if (!bridge_keys_read_public(server_file, server, error)) {
    *error += " (copy the serving end's bridge.pub there)";
    return false;
  }
  if (zmq_setsockopt(end->dealer, ZMQ_CURVE_SERVERKEY, server, BRIDGE_KEY_TEXT_SIZE) != 0 ||
      zmq_setsockopt(end->dealer, ZMQ_CURVE_PUBLICKEY, pair.public_text, BRIDGE_KEY_TEXT_SIZE) != 0 ||
      zmq_setsockopt(end->dealer, ZMQ_CURVE_SECRETKEY, pair.secret_text, BRIDGE_KEY_TEXT_SIZE) != 0) {
    *error = "cannot set up CURVE: " + bridge_zmq_error();
    return false;
  }
  return true;
}

bool start(AttachEnd* end, std::string* error) {
  end->context = zmq_ctx_new();
  end->dealer = end->context ? zmq_socket(end->context, ZMQ_DEALER) : nullptr;
  if (!end->dealer) {
    *error = "cannot start ZeroMQ: " + bridge_zmq_error();
    return false;
  }
  int one = 1;
  // Frames go only to a connection that is up; none wait for one to come.
  if (!bridge_socket_prepare(end->dealer, end->options, error)) return false;
  if (zmq_setsockopt(end->dealer, ZMQ_IMMEDIATE, &one, sizeof one) != 0) {
    *error = "cannot set up the bridge socket: " + bridge_zmq_error();
    return false;
  }
  if (end->options.security == BRIDGE_CURVE && !set_up_curve(end, error)) return false;
  const int events = ZMQ_EVENT_HANDSHAKE_SUCCEEDED | ZMQ_EVENT_HANDSHAKE_FAILED_AUTH |
                     ZMQ_EVENT_HANDSHAKE_FAILED_PROTOCOL | ZMQ_EVENT_HANDSHAKE_FAILED_NO_DETAIL |
                     ZMQ_EVENT_DISCONNECTED;
  if (zmq_socket_monitor(end->dealer, MONITOR_ENDPOINT, events) != 0 ||
      !(end->monitor = zmq_socket(end->context, ZMQ_PAIR)) || zmq_connect(end->monitor, MONITOR_ENDPOINT) != 0) {
    *error = "cannot watch the bridge socket: " + bridge_zmq_error();
    return false;
  }
  if (zmq_connect(end->dealer, bridge_address_endpoint(end->options.address).c_str()) != 0) {
    *error = "cannot attach to " + bridge_address_text(end->options.address) + ": " + bridge_zmq_error();
    return false;
  }
  return true;
}

void finish(AttachEnd* end) {
  stop_listener(end, "stopping");
  if (end->monitor) zmq_close(end->monitor);
  if (end->dealer) zmq_close(end->dealer);
  if (end->context) zmq_ctx_term(end->context);
}

}  // namespace

int bridge_attach(const BridgeOptions& options, const volatile std::sig_atomic_t* stop) {
  AttachEnd end;
  end.options = options;
  std::string error;
  if (!start(&end, &error)) {
    std::fprintf(stderr, "link_bridge: %s\n", error.c_str());
    finish(&end);
    return 1;
  }
  std::fprintf(stderr, "link_bridge: attaching %s to %s (%s)\n", link_folder_path().c_str(),
               bridge_address_text(options.address).c_str(),
               options.security == BRIDGE_CURVE ? "CURVE" : "plain, this machine only");
  int64_t next_ping_ms = 0;
  while (!*stop) {
    read_monitor(&end);
    int64_t now = bridge_now_ms();
    if (now >= next_ping_ms) {
      ping(&end);
      next_ping_ms = now + BRIDGE_PING_MS;
    }
    // A handler that gave up on the serving end has stopped serving: the
    // units' connections go with the listener even if news came meanwhile.
    std::string trouble = peer_trouble(&end);
    if (end.listener && (!trouble.empty() || !end.serving))
      stop_listener(&end, trouble.empty() ? "a batch went unanswered" : trouble);
    if (trouble.empty()) start_listener(&end);
  }
  finish(&end);
  return 0;
}
