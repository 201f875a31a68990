#pragma once
// sim_server's FlightGear source: FlightGear's generic-protocol stream over
// UDP feeds the offset space, and the settings the units write go back to
// FlightGear's input channel. The held stand-in aircraft gives every value
// FlightGear has no property for, and decodes the units' writes.
#include <cstdint>
#include <string>

#include "server/aircraft_model.h"
#include "server/flightgear_map.h"
#include "server/flightgear_protocol.h"

constexpr uint32_t FG_LOOPBACK = 0x7F000001;   // 127.0.0.1
constexpr double FG_STALE_AFTER_S = 1.0;
// Datagrams taken per poll: FlightGear sends one or two between polls; a flood
// from anywhere must not hold the space's lock for ever.
constexpr int FG_MAX_DATAGRAMS_PER_POLL = 64;
// A unit's write is shown for this long before FlightGear's own value wins
// again, so that the stream's packets in flight do not flick it back.
constexpr double FG_SETTINGS_HOLD_S = 1.0;

struct FlightGearOptions {
  uint32_t host = FG_LOOPBACK;   // where FlightGear runs
  uint16_t out_port = 5500;      // FlightGear sends its stream here
  uint16_t in_port = 5501;       // FlightGear takes the settings here
};

struct FlightGearSource {
  FlightGearOptions options;
  int64_t receiver, sender;
  Aircraft* standin;             // owned by the caller, held
  FgPacket last;
  bool have_packet, stale;
  double now_s, last_packet_s, settings_hold_until_s;
  uint64_t packets, dropped, foreign, settings_sent, send_failures;
  int last_bad_field;            // of the last dropped packet, F_COUNT for its shape
  // Packets counted over whole seconds: the rate FlightGear achieves.
  double rate_hz, rate_window_start_s;
  uint64_t rate_window_packets;
  double previous_ias_kt, previous_packet_s;
  FgDerived derived;
  ModelValues values;            // the last published quantities
};

// Opens the sockets. False with the reason on failure (the port is taken, say).
bool fg_source_open(FlightGearSource* source, const FlightGearOptions& options, Aircraft* standin,
                    std::string* error);
void fg_source_close(FlightGearSource* source);
// Reads every waiting datagram at monotonic time `now_s` and publishes the
// newest good packet into the space; marks the source stale after a silent
// second (the space keeps the last values). Under the space lock.
void fg_source_poll(FlightGearSource* source, double now_s, uint8_t* space);
// A unit wrote [offset, offset + size): a changed setting is sent to
// FlightGear at once. Under the space lock.
void fg_source_on_write(FlightGearSource* source, uint32_t offset, uint32_t size, uint8_t* space);
// The source's lines of the control "state" text.
std::string fg_source_state_text(const FlightGearSource* source);
// The FlightGear command line that feeds this source.
std::string fg_command_line(const FlightGearOptions& options);
// "127.0.0.1" style text to an address; false for anything else.
bool fg_parse_ipv4(const char* text, uint32_t* address);
std::string fg_ipv4_text(uint32_t address);
