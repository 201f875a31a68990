// The Windows build serves the link beside its own simulator; the FlightGear
// source is part of the Linux build only and says so when asked for.
#include "server/flightgear_udp.h"

int64_t fg_udp_open(uint32_t, uint16_t, std::string* error) {
  *error = "the FlightGear source is part of the Linux build only";
  return FG_UDP_NONE;
}

void fg_udp_close(int64_t) {}

bool fg_udp_send(int64_t, uint32_t, uint16_t, const void*, size_t, std::string* error) {
  *error = "the FlightGear source is part of the Linux build only";
  return false;
}

long fg_udp_receive(int64_t, void*, size_t, uint32_t*) { return -1; }

uint16_t fg_udp_port(int64_t) { return 0; }
