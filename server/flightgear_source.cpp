// The FlightGear source's sockets, staleness and the settings sent back.
#include "server/flightgear_source.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "server/aircraft_constants.h"
#include "server/flightgear_udp.h"

namespace {

constexpr double ACCEL_SMOOTHING_S = 0.5;   // the airspeed trend would jitter with every packet otherwise

bool is_loopback(uint32_t address) { return (address >> 24) == 127; }

// The settings line as FlightGear would get it now.
std::string settings_line(const Radios& radios) {
  char line[256];
  size_t n = fg_format_settings(fg_settings_from_radios(radios), line, sizeof line);
  return std::string(line, n);
}

void update_rate(FlightGearSource* s) {
  double window = s->now_s - s->rate_window_start_s;
  if (window < 1.0) return;
  s->rate_hz = s->rate_window_packets / window;
  s->rate_window_packets = 0;
  s->rate_window_start_s = s->now_s;
  s->derived.traffic_indicator = s->derived.traffic_indicator % 255 + 1;
}

void take_packet(FlightGearSource* s, const FgPacket& packet) {
  double ias = packet.value[F_IAS];
  if (s->have_packet) {
    double dt = s->now_s - s->previous_packet_s;
    if (dt > 0) {
      double raw = (ias - s->previous_ias_kt) / dt * AC_FPS_PER_KT;
      s->derived.accel_fps2 += (raw - s->derived.accel_fps2) * std::fmin(dt / ACCEL_SMOOTHING_S, 1.0);
    }
  }
  s->previous_ias_kt = ias;
  s->previous_packet_s = s->now_s;
  s->last = packet;
  s->have_packet = true;
  s->last_packet_s = s->now_s;
  s->stale = false;
  ++s->packets;
  ++s->rate_window_packets;
}

void publish(FlightGearSource* s, uint8_t* space) {
  s->values = s->standin->values;
  fg_apply_packet(s->last, s->derived, &s->values);
  if (s->now_s < s->settings_hold_until_s)
    publish_radio_settings(s->standin->radios, &s->values);
  else
    fg_radios_from_packet(s->last, &s->standin->radios);
  offset_table_write(s->values, space);
}

}  // namespace

bool fg_parse_ipv4(const char* text, uint32_t* address) {
  uint32_t result = 0;
  const char* p = text;
  for (int part = 0; part < 4; ++part) {
    if (part > 0 && *p++ != '.') return false;
    int digits = 0, value = 0;
    while (*p >= '0' && *p <= '9' && digits < 3) value = value * 10 + (*p++ - '0'), ++digits;
    if (digits == 0 || value > 255) return false;
    result = result << 8 | static_cast<uint32_t>(value);
  }
  if (*p) return false;
  *address = result;
  return true;
}

std::string fg_ipv4_text(uint32_t a) {
  char text[16];
  std::snprintf(text, sizeof text, "%u.%u.%u.%u", a >> 24, a >> 16 & 255, a >> 8 & 255, a & 255);
  return text;
}

bool fg_source_open(FlightGearSource* s, const FlightGearOptions& options, Aircraft* standin, std::string* error) {
  *s = FlightGearSource{};
  s->options = options;
  s->standin = standin;
  s->stale = true;
  s->derived.traffic_indicator = 1;
  s->values = standin->values;
  // Only a FlightGear on this computer is heard on loopback; one elsewhere needs every address.
  uint32_t local = is_loopback(options.host) ? FG_LOOPBACK : 0;
  s->receiver = fg_udp_open(local, options.out_port, error);
  if (s->receiver == FG_UDP_NONE) return false;
  s->sender = fg_udp_open(local, 0, error);
  if (s->sender == FG_UDP_NONE) {
    fg_udp_close(s->receiver);
    return false;
  }
  return true;
}

void fg_source_close(FlightGearSource* s) {
  fg_udp_close(s->receiver);
  fg_udp_close(s->sender);
  s->receiver = s->sender = FG_UDP_NONE;
}

void fg_source_poll(FlightGearSource* s, double now_s, uint8_t* space) {
  if (s->rate_window_start_s == 0) s->rate_window_start_s = now_s;
  s->now_s = now_s;
  static char buffer[FG_MAX_PACKET + 1];
  FgPacket packet;
  bool fresh = false;
  for (int taken = 0; taken < FG_MAX_DATAGRAMS_PER_POLL; ++taken) {
    uint32_t from = 0;
    long got = fg_udp_receive(s->receiver, buffer, sizeof buffer, &from);
    if (got <= 0) break;
    if (from != s->options.host) {
      ++s->foreign;
      continue;
    }
    // Every good packet counts; only the newest is published.
    // A cut datagram reaches the parser longer than any packet, and is refused for it.
    size_t length = static_cast<size_t>(got) < sizeof buffer ? static_cast<size_t>(got) : sizeof buffer;
    if (!fg_parse_packet(buffer, length, &packet, &s->last_bad_field)) {
      ++s->dropped;
      continue;
    }
    take_packet(s, packet);
    fresh = true;
  }
  update_rate(s);
  if (fresh) {
    publish(s, space);
  } else if (!s->stale && now_s - s->last_packet_s > FG_STALE_AFTER_S) {
    s->stale = true;
    s->rate_hz = 0;
  }
}

void fg_source_on_write(FlightGearSource* s, uint32_t offset, uint32_t size, uint8_t* space) {
  std::string before = settings_line(s->standin->radios);
  aircraft_on_write(s->standin, offset, size, space);
  std::string after = settings_line(s->standin->radios);
  if (after == before || after.empty()) return;
  s->settings_hold_until_s = s->now_s + FG_SETTINGS_HOLD_S;
  std::string error;
  if (fg_udp_send(s->sender, s->options.host, s->options.in_port, after.data(), after.size(), &error))
    ++s->settings_sent;
  else
    ++s->send_failures;
}

std::string fg_source_state_text(const FlightGearSource* s) {
  char buf[512];
  std::string host = fg_ipv4_text(s->options.host);
  int n = std::snprintf(buf, sizeof buf, "source flightgear: stream from %s to port %u, settings to %s:%u\n",
                        host.c_str(), s->options.out_port, host.c_str(), s->options.in_port);
  std::string text(buf, n > 0 ? static_cast<size_t>(n) : 0);
  if (!s->have_packet)
    n = std::snprintf(buf, sizeof buf, "flightgear stale: no packet yet\n");
  else if (s->stale)
    n = std::snprintf(buf, sizeof buf, "flightgear stale: no packet for %.1f s, last values kept\n",
                      s->now_s - s->last_packet_s);
  else
    n = std::snprintf(buf, sizeof buf, "flightgear live: %.1f packets/s\n", s->rate_hz);
  text += buf;
  if (s->dropped > 0) {
    // Names the property an aircraft sends out of range, the usual cause.
    n = std::snprintf(buf, sizeof buf, "last dropped packet: %s\n",
                      s->last_bad_field < F_COUNT ? fg_field(s->last_bad_field).node : "wrong length or field count");
    text += buf;
  }
  const double* q = s->values.q;
  std::snprintf(buf, sizeof buf,
                "packets %llu dropped %llu foreign %llu settings-sent %llu send-failures %llu\n"
                "position %.5f %.5f altitude %.0f ft (indicated %.0f) on-ground %d\n"
                "heading %.1f true pitch %.1f bank %.1f ias %.1f kt gs %.1f vs %.0f ft/min\n"
                "nav1 %.2f com1 %.3f squawk %04d baro %.2f hPa\n",
                static_cast<unsigned long long>(s->packets), static_cast<unsigned long long>(s->dropped),
                static_cast<unsigned long long>(s->foreign), static_cast<unsigned long long>(s->settings_sent),
                static_cast<unsigned long long>(s->send_failures), q[Q_LATITUDE], q[Q_LONGITUDE],
                q[Q_TRUE_ALTITUDE], q[Q_INDICATED_ALTITUDE], static_cast<int>(q[Q_ON_GROUND]), q[Q_HEADING_TRUE],
                q[Q_PITCH], q[Q_BANK], q[Q_IAS], q[Q_GROUND_SPEED], q[Q_VERTICAL_SPEED], q[Q_NAV1_FREQ], q[Q_COM1],
                static_cast<int>(q[Q_SQUAWK]), q[Q_BARO_SETTING]);
  return text + buf;
}

std::string fg_command_line(const FlightGearOptions& o) {
  // FlightGear sends to this computer's loopback when it runs here.
  std::string here = is_loopback(o.host) ? fg_ipv4_text(FG_LOOPBACK) : "THIS-COMPUTER";
  std::string there = fg_ipv4_text(o.host);
  return "fgfs --generic=socket,out,30," + here + "," + std::to_string(o.out_port) + ",udp,korvu" +
         " --generic=socket,in,30," + there + "," + std::to_string(o.in_port) + ",udp,korvu" +
         " --disable-terrasync --disable-real-weather-fetch --disable-fgcom --disable-sentry";
}
