#pragma once
// The UDP sockets of the FlightGear source. A socket is an opaque number and
// addresses are IPv4 in host order (127.0.0.1 is 0x7F000001), so that no
// system type leaves these files.
#include <cstddef>
#include <cstdint>
#include <string>

constexpr int64_t FG_UDP_NONE = -1;

// A non-blocking socket bound to the address and port (port 0: any free
// one), or FG_UDP_NONE with the reason in `error`.
int64_t fg_udp_open(uint32_t address, uint16_t port, std::string* error);
void fg_udp_close(int64_t socket);
bool fg_udp_send(int64_t socket, uint32_t address, uint16_t port, const void* data, size_t size, std::string* error);
// One waiting datagram into `buffer`: its full length (more than `size` when
// it was cut), 0 when none waits, -1 on an error. `from` is the sender.
long fg_udp_receive(int64_t socket, void* buffer, size_t size, uint32_t* from);
// The port a socket is bound to (0 when unknown).
uint16_t fg_udp_port(int64_t socket);
