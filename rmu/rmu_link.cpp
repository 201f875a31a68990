#include "rmu/rmu_link.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>

#include "platform/clock.h"
#include "platform/message_box.h"
#include "platform/udp_multicast.h"
#include "rmu/rmu_transponder.h"

namespace {

constexpr const char* MESSAGE_CAPTION = "Korvu Error!";
constexpr const char* SENDER_FAILED = "Cannot Create Server";

struct Failure {
  const char* log_format;  // one "%d" of the error code
  const char* box_text;    // null: no message box
};
constexpr Failure SENDER_LIBRARY = {"Open Connection Error: %d\n", SENDER_FAILED};
constexpr Failure SENDER_SOCKET = {"Open Socket Error: %d\n", SENDER_FAILED};
constexpr Failure SENDER_INTERFACE = {"Multicast Interface Error: %d\n", SENDER_FAILED};
constexpr Failure SENDER_HOST_NAME = {"Hostname Error: %d\n", nullptr};
constexpr Failure RECEIVER_LIBRARY = {"Open Connection Error: %d\n", "Cannot Create Client - Open Connection Error"};
constexpr Failure RECEIVER_SOCKET = {"Open Socket Error: %d\n", "Cannot Create Client - Invalid Socekt"};
constexpr Failure RECEIVER_REUSE = {"Open Multiple Connection Error: %d\n",
                                    "Cannot Create Client - Connection Already open"};
constexpr Failure RECEIVER_BIND = {"Bind Socket Error: %d\n", "Cannot Create Client - Socket Bind Error"};
constexpr Failure RECEIVER_JOIN = {"Join Multicast Group Error: %d\n", nullptr};

// The error file of an endpoint: the sender's is replaced by each line, the
// receiver's grows.
void log_line(bool sender, const char* format, int code) {
  std::FILE* file = std::fopen(sender ? RMU_SENDER_ERROR_FILE : RMU_RECEIVER_ERROR_FILE, sender ? "w" : "a");
  if (!file) return;
  std::fprintf(file, format, code);
  std::fclose(file);
}

bool already_shown(const RmuEndpoint& e, int32_t code) {
  for (int i = 0; i < e.shown_count; ++i)
    if (e.shown_errors[i] == code) return true;
  return false;
}

// A failed step: one log line when the code is new, one box per distinct
// code, then quiet retries.
void report(RmuEndpoint* e, bool sender, const Failure& failure, int code) {
  if (code == 0) code = -1;  // a failure always records an error
  e->last_error = code;
  if (code != e->logged_error) {
    log_line(sender, failure.log_format, code);
    e->logged_error = code;
  }
  if (failure.box_text && !already_shown(*e, code)) {
    if (e->shown_count < RMU_LINK_SHOWN_ERRORS) e->shown_errors[e->shown_count++] = code;
    platform_message_box(MESSAGE_CAPTION, failure.box_text, ICON_EXCLAMATION);
  }
}

// Gives up this attempt: releases the socket and the library start.
bool give_up(RmuEndpoint* e, bool sender, const Failure& failure, int code, int64_t socket) {
  platform_udp_close(socket);
  platform_sockets_stop();
  report(e, sender, failure, code);
  return false;
}

// The host name is looked up once; a failure is logged and not fatal.
void check_host_name(RmuEndpoint* e, bool sender) {
  if (e->host_name_checked) return;
  e->host_name_checked = true;
  int code = 0;
  if (!platform_host_name_resolves(&code) && sender) log_line(sender, SENDER_HOST_NAME.log_format, code);
}

bool attempt_due(RmuEndpoint* e) {
  if (e->ready) return false;
  int64_t now = platform_clock_ms();
  if (e->last_error != 0 && now < e->next_attempt_ms) return false;
  e->next_attempt_ms = now + RMU_LINK_RETRY_MS;
  return true;
}

int sending_group(int side) { return side == RMU_SIDE_2 ? 1 : 0; }

bool create_sender(RmuEndpoint* e, const RmuLinkConfig& config) {
  int code = 0;
  if (!platform_sockets_start(&code)) {
    report(e, true, SENDER_LIBRARY, code);
    return false;
  }
  int64_t s = platform_udp_open(&code);
  if (s == UDP_NO_SOCKET) return give_up(e, true, SENDER_SOCKET, code, s);
  if (config.interface_address != 0 && !platform_udp_send_interface(s, config.interface_address, &code))
    return give_up(e, true, SENDER_INTERFACE, code, s);
  check_host_name(e, true);
  e->socket = s;
  e->ready = true;
  e->last_error = 0;
  return true;
}

bool create_receiver(RmuEndpoint* e, const RmuLinkConfig& config, int group) {
  int code = 0;
  if (!platform_sockets_start(&code)) {
    report(e, false, RECEIVER_LIBRARY, code);
    return false;
  }
  int64_t s = platform_udp_open(&code);
  if (s == UDP_NO_SOCKET) return give_up(e, false, RECEIVER_SOCKET, code, s);
  check_host_name(e, false);
  if (!platform_udp_reuse_address(s, &code)) return give_up(e, false, RECEIVER_REUSE, code, s);
  if (!platform_udp_bind_any(s, config.group_ports[group], &code)) return give_up(e, false, RECEIVER_BIND, code, s);
  if (!platform_udp_join(s, RMU_LINK_GROUPS[group], config.interface_address, &code))
    return give_up(e, false, RECEIVER_JOIN, code, s);
  e->socket = s;
  e->ready = true;
  e->last_error = 0;
  return true;
}

void send_message(RmuLink* link, const RmuMessage& message, int group) {
  uint8_t datagram[RMU_DATAGRAM_SIZE];
  rmu_datagram_format(message, datagram);
  for (int copy = 0; copy < RMU_LINK_COPIES; ++copy) {
    int code = 0;
    if (platform_udp_send_to(link->sender.socket, RMU_LINK_GROUPS[group], link->config.group_ports[group], datagram,
                             sizeof datagram, &code))
      ++link->datagrams_sent;
    else
      link->sender.last_error = code;  // recorded, otherwise ignored
  }
}

RmuMessage value_message(char kind, int32_t value) {
  RmuMessage m{};
  m.kind = kind;
  m.value = value;
  return m;
}

}  // namespace

bool rmu_link_set_interface(RmuLinkConfig* config, const char* text) {
  uint32_t address = 0;
  if (!platform_ipv4_parse(text, &address)) return false;
  config->interface_address = address;
  return true;
}

bool rmu_link_set_ports(RmuLinkConfig* config, const char* text) {
  unsigned first = 0, second = 0;
  char end = 0;
  if (!text || std::sscanf(text, "%u,%u%c", &first, &second, &end) != 2) return false;
  if (first == 0 || second == 0 || first > 65535 || second > 65535 || first == second) return false;
  config->group_ports[0] = static_cast<uint16_t>(first);
  config->group_ports[1] = static_cast<uint16_t>(second);
  return true;
}

bool rmu_link_config_from_environment(RmuLinkConfig* config) {
  bool ok = true;
  if (const char* text = std::getenv(RMU_LINK_INTERFACE_VARIABLE)) ok = rmu_link_set_interface(config, text) && ok;
  if (const char* text = std::getenv(RMU_LINK_PORTS_VARIABLE)) ok = rmu_link_set_ports(config, text) && ok;
  return ok;
}

void rmu_link_apply(const RmuMessage& m, RmuTransponder* t) {
  switch (m.kind) {
    case RMU_MESSAGE_TRANSPONDER:
      for (int i = 0; i < 4; ++i) t->digits[i] = m.digits[i];
      t->code = rmu_transponder_code(t->digits);
      break;
    case RMU_MESSAGE_TA_DISPLAY:
      t->ta_mode = m.value;
      t->ta_byte = static_cast<uint8_t>(m.value);
      break;
    case RMU_MESSAGE_TCAS_RANGE:
      t->tcas_range = static_cast<uint8_t>(m.value);
      break;
    case RMU_MESSAGE_TCAS_BAND:
      // The local tuning value follows, so a selected band line keeps the peer's band.
      t->band = t->band_tuning = m.value;
      break;
    default:
      break;
  }
}

bool rmu_link_take_datagram(const uint8_t* data, size_t size, RmuTransponder* t) {
  RmuMessage m;
  if (!rmu_datagram_parse(data, size, &m)) return false;
  rmu_link_apply(m, t);
  return true;
}

void rmu_link_receive() {
  RmuLink& link = g_rmu.link;
  link.last_frame_applied = 0;
  int group = 1 - sending_group(g_rmu.settings.side);
  if (attempt_due(&link.receiver)) create_receiver(&link.receiver, link.config, group);
  if (!link.receiver.ready) return;
  for (int i = 0; i < RMU_LINK_DRAIN_LIMIT; ++i) {
    uint8_t buffer[RMU_DATAGRAM_SIZE] = {};
    int code = 0;
    long got = platform_udp_receive(link.receiver.socket, buffer, sizeof buffer, &code);
    if (got == 0) break;
    if (got < 0) {
      link.receiver.last_error = code;
      break;
    }
    ++link.datagrams_received;
    if (rmu_link_take_datagram(buffer, static_cast<size_t>(got), &g_rmu.transponder)) {
      ++link.messages_applied;
      ++link.last_frame_applied;
    } else {
      ++link.datagrams_dropped;
    }
  }
}

void rmu_link_send() {
  RmuLink& link = g_rmu.link;
  if (attempt_due(&link.sender)) create_sender(&link.sender, link.config);
  const RmuTransponder& t = g_rmu.transponder;
  int group = sending_group(g_rmu.settings.side);
  bool ready = link.sender.ready;
  if (link.send_transponder && ready) {
    RmuMessage m{};
    m.kind = RMU_MESSAGE_TRANSPONDER;
    for (int i = 0; i < 4; ++i) m.digits[i] = t.digits[i];
    send_message(&link, m, group);
  }
  if (link.send_range && ready) send_message(&link, value_message(RMU_MESSAGE_TCAS_RANGE, t.tcas_range), group);
  if (link.send_band && ready) send_message(&link, value_message(RMU_MESSAGE_TCAS_BAND, t.band), group);
  if (link.send_ta_display && ready) send_message(&link, value_message(RMU_MESSAGE_TA_DISPLAY, t.ta_mode), group);
  link.send_transponder = link.send_range = link.send_band = link.send_ta_display = false;
}

void rmu_link_close() {
  for (RmuEndpoint* e : {&g_rmu.link.sender, &g_rmu.link.receiver}) {
    if (!e->ready) continue;
    platform_udp_close(e->socket);
    platform_sockets_stop();
    e->ready = false;
  }
}
