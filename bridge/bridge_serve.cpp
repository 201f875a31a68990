#include "bridge/bridge_serve.h"

#include <zmq.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include "bridge/bridge_report.h"
#include "bridge/bridge_wire.h"
#include "server/batch.h"
#include "simlink/link_wire.h"
#include "simlink/simlink.h"

namespace {

constexpr int POLL_MS = 250;
constexpr int64_t REOPEN_INTERVAL_MS = 1000;
constexpr int64_t CHECK_INTERVAL_MS = 1000;
constexpr uint32_t OFFSET_SERVER_VERSION = 0x3304;
constexpr size_t MAX_IDENTITY = 256;
constexpr size_t MAX_ZAP_PART = 256;
constexpr int ZAP_PARTS = 7;   // version, request id, domain, address, identity, mechanism, key
constexpr int MESSAGES_PER_WAKE = 64;
constexpr uint32_t ID_READ = 1;
constexpr uint32_t ID_END = 0;
constexpr uint32_t READ_HEADER_SIZE = 16;
constexpr uint32_t WRITE_HEADER_SIZE = 12;
const char* const ZAP_ENDPOINT = "inproc://zeromq.zap.01";
const char* const ZAP_DOMAIN = "link_bridge";

struct ServeEnd {
  BridgeOptions options;
  void* context = nullptr;
  void* router = nullptr;
  void* zap = nullptr;
  std::vector<BridgeKey> clients;
  BridgeReport report;
  int64_t next_open_ms = 0;
  int64_t next_check_ms = 0;
  std::vector<uint8_t> identity, payload, block, out;
};

// Opens the local link when it is closed, at most once per interval.
bool link_ready(ServeEnd* end) {
  if (simlink_is_open()) return true;
  int64_t now = bridge_now_ms();
  if (now < end->next_open_ms) return false;
  end->next_open_ms = now + REOPEN_INTERVAL_MS;
  uint32_t code = 0;
  if (simlink_open(0, &code)) {
    bridge_report(&end->report, BRIDGE_TOPIC_LINK, "the local link is open");
    return true;
  }
  bridge_report(&end->report, BRIDGE_TOPIC_LINK,
                std::string("the local link cannot be opened: ") + simlink_error_message(code) + "; retrying");
  return false;
}

// Whether the local link still works. With no batches going through, a
// one-read batch at most once per interval finds a server that went away,
// so that the attaching ends learn it without waiting for a unit's batch.
bool link_alive(ServeEnd* end) {
  if (!link_ready(end)) return false;
  int64_t now = bridge_now_ms();
  if (now < end->next_check_ms) return true;
  end->next_check_ms = now + CHECK_INTERVAL_MS;
  uint32_t version = 0, code = 0;
  if (simlink_read(OFFSET_SERVER_VERSION, sizeof version, &version, &code) && simlink_process(&code)) return true;
  if (!simlink_error_lost_server(code)) return true;   // refused, but there
  simlink_close();
  bridge_report(&end->report, BRIDGE_TOPIC_LINK, std::string("the local link failed: ") + simlink_error_message(code));
  end->next_open_ms = 0;
  return false;
}

// Executes the block (valid, decoded) as one batch of the local link. The
// reads land in the block itself, where the unit's own reads were queued.
uint8_t execute(ServeEnd* end, uint8_t* block, uint32_t* word) {
  *word = BATCH_REPLY_REFUSED;
  if (!link_ready(end)) return BRIDGE_ANSWER_LINK_LOST;
  uint32_t code = 0;
  bool queued = true;
  for (uint32_t position = 0; queued;) {
    uint32_t id = link_get_u32(block + position);
    if (id == ID_END) break;
    uint32_t offset = link_get_u32(block + position + 4);
    uint32_t size = link_get_u32(block + position + 8);
    if (id == ID_READ) {
      queued = simlink_read(offset, size, block + position + READ_HEADER_SIZE, &code);
      position += READ_HEADER_SIZE + size;
    } else {
      queued = simlink_write(offset, size, block + position + WRITE_HEADER_SIZE, &code);
      position += WRITE_HEADER_SIZE + size;
    }
  }
  // A batch that went in only partly must not go out: closing drops the queue.
  if (queued && simlink_process(&code)) {
    end->next_check_ms = bridge_now_ms() + CHECK_INTERVAL_MS;
    *word = BATCH_REPLY_OK;
    return BRIDGE_ANSWER_DONE;
  }
  if (queued && !simlink_error_lost_server(code)) return BRIDGE_ANSWER_DONE;   // the server refused it
  simlink_close();
  bridge_report(&end->report, BRIDGE_TOPIC_LINK, std::string("the local link failed: ") + simlink_error_message(code));
  end->next_open_ms = 0;
  return BRIDGE_ANSWER_LINK_LOST;
}

void send_to(ServeEnd* end, const BridgeFrame& frame) {
  bridge_wire_encode(frame, &end->out);
  // A peer that went away meanwhile simply misses its answer.
  if (zmq_send(end->router, end->identity.data(), end->identity.size(), ZMQ_SNDMORE | ZMQ_DONTWAIT) < 0) return;
  zmq_send(end->router, end->out.data(), end->out.size(), ZMQ_DONTWAIT);
}

// One message from an attaching end: its identity, then exactly one frame.
void handle_message(ServeEnd* end) {
  bool more = false;
  if (!bridge_receive_part(end->router, &end->identity, MAX_IDENTITY, ZMQ_DONTWAIT, &more) || !more) {
    if (more) bridge_drop_rest(end->router);
    return;
  }
  if (!bridge_receive_part(end->router, &end->payload, BRIDGE_WIRE_MAX_FRAME, 0, &more) || more) {
    if (more) bridge_drop_rest(end->router);
    return;
  }
  BridgeFrame frame;
  if (!bridge_wire_decode(end->payload.data(), end->payload.size(), &frame)) return;
  BridgeFrame answer;
  answer.sequence = frame.sequence;
  if (frame.kind == BRIDGE_PING) {
    answer.kind = BRIDGE_PONG;
    answer.status = link_alive(end) ? BRIDGE_PONG_LINK_OPEN : BRIDGE_PONG_LINK_CLOSED;
    send_to(end, answer);
  } else if (frame.kind == BRIDGE_BATCH) {
    end->block.assign(frame.block, frame.block + frame.length);
    answer.kind = BRIDGE_ANSWER;
    answer.status = execute(end, end->block.data(), &answer.word);
    if (answer.word == BATCH_REPLY_OK) {
      answer.block = end->block.data();
      answer.length = frame.length;
    }
    send_to(end, answer);
  }
}

bool known_client(const ServeEnd* end, const std::vector<uint8_t>& key) {
  if (key.size() != BRIDGE_KEY_SIZE) return false;
  return std::any_of(end->clients.begin(), end->clients.end(),
                     [&](const BridgeKey& k) { return std::memcmp(k.data(), key.data(), BRIDGE_KEY_SIZE) == 0; });
}

// ZeroMQ asks here whether a peer that completed the CURVE handshake may in.
void answer_zap(ServeEnd* end) {
  std::vector<uint8_t> parts[ZAP_PARTS];
  int count = 0;
  bool more = true, fits = true;
  while (more && count < ZAP_PARTS) {
    if (!bridge_receive_part(end->zap, &parts[count], MAX_ZAP_PART, count == 0 ? ZMQ_DONTWAIT : 0, &more)) {
      if (count == 0 && !more) return;   // nothing there
      fits = false;
    }
    ++count;
  }
  if (more) bridge_drop_rest(end->zap);
  auto text = [&](int i) { return std::string(parts[i].begin(), parts[i].end()); };
  bool allowed = fits && count == ZAP_PARTS && text(0) == "1.0" && text(5) == "CURVE" && known_client(end, parts[6]);
  if (!allowed) {
    std::string from = count > 3 ? text(3) : std::string("an unknown address");
    bridge_report(&end->report, BRIDGE_TOPIC_PEER,
                  "refused an attaching end at " + from + ": its key is not in " + end->options.keys_folder + "/" +
                      BRIDGE_CLIENTS_FOLDER);
  } else {
    bridge_report(&end->report, BRIDGE_TOPIC_PEER, "an attaching end at " + text(3) + " came in");
  }
  const std::string reply[6] = {"1.0", count > 1 ? text(1) : std::string(), allowed ? "200" : "400",
                                allowed ? "OK" : "unknown key", "", ""};
  for (int i = 0; i < 6; ++i) zmq_send(end->zap, reply[i].data(), reply[i].size(), i < 5 ? ZMQ_SNDMORE : 0);
}

bool set_up_curve(ServeEnd* end, std::string* error) {
  BridgeKeyPair pair;
  if (!bridge_keys_read_pair(end->options.keys_folder, &pair, error)) return false;
  if (!bridge_keys_read_clients(end->options.keys_folder, &end->clients, error)) return false;
  end->zap = zmq_socket(end->context, ZMQ_REP);
  int one = 1;
  if (!end->zap || zmq_bind(end->zap, ZAP_ENDPOINT) != 0 ||
      zmq_setsockopt(end->router, ZMQ_CURVE_SERVER, &one, sizeof one) != 0 ||
      zmq_setsockopt(end->router, ZMQ_CURVE_SECRETKEY, pair.secret_text, BRIDGE_KEY_TEXT_SIZE) != 0 ||
      zmq_setsockopt(end->router, ZMQ_ZAP_DOMAIN, ZAP_DOMAIN, std::strlen(ZAP_DOMAIN)) != 0) {
    *error = "cannot set up CURVE: " + bridge_zmq_error();
    return false;
  }
  return true;
}

bool start(ServeEnd* end, std::string* error) {
  end->context = zmq_ctx_new();
  end->router = end->context ? zmq_socket(end->context, ZMQ_ROUTER) : nullptr;
  if (!end->router) {
    *error = "cannot start ZeroMQ: " + bridge_zmq_error();
    return false;
  }
  if (!bridge_socket_prepare(end->router, end->options, error)) return false;
  if (end->options.security == BRIDGE_CURVE && !set_up_curve(end, error)) return false;
  // ZeroMQ binds to addresses and interfaces, not to names.
  BridgeAddress bound = end->options.address;
  if (bound.host == "localhost") bound.host = "127.0.0.1";
  if (zmq_bind(end->router, bridge_address_endpoint(bound).c_str()) != 0) {
    *error = "cannot serve on " + bridge_address_text(end->options.address) + ": " + bridge_zmq_error();
    return false;
  }
  return true;
}

void finish(ServeEnd* end) {
  simlink_close();
  if (end->router) zmq_close(end->router);
  if (end->zap) zmq_close(end->zap);
  if (end->context) zmq_ctx_term(end->context);
}

}  // namespace

int bridge_serve(const BridgeOptions& options, const volatile std::sig_atomic_t* stop) {
  ServeEnd end;
  end.options = options;
  std::string error;
  if (!start(&end, &error)) {
    std::fprintf(stderr, "link_bridge: %s\n", error.c_str());
    finish(&end);
    return 1;
  }
  std::fprintf(stderr, "link_bridge: serving the local link on %s (%s)\n",
               bridge_address_text(options.address).c_str(),
               options.security == BRIDGE_CURVE ? "CURVE" : "plain, this machine only");
  link_alive(&end);
  while (!*stop) {
    zmq_pollitem_t items[2] = {{end.router, 0, ZMQ_POLLIN, 0}, {end.zap, 0, ZMQ_POLLIN, 0}};
    int ready = zmq_poll(items, end.zap ? 2 : 1, POLL_MS);
    if (ready < 0 && zmq_errno() == EINTR) continue;
    if (ready < 0) {
      std::fprintf(stderr, "link_bridge: %s\n", bridge_zmq_error().c_str());
      break;
    }
    if (end.zap && (items[1].revents & ZMQ_POLLIN)) answer_zap(&end);
    if (items[0].revents & ZMQ_POLLIN)
      for (int i = 0; i < MESSAGES_PER_WAKE; ++i) {
        int events = 0;
        size_t size = sizeof events;
        if (zmq_getsockopt(end.router, ZMQ_EVENTS, &events, &size) != 0 || !(events & ZMQ_POLLIN)) break;
        handle_message(&end);
      }
    link_alive(&end);
  }
  finish(&end);
  return 0;
}
