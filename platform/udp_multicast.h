#pragma once
// IPv4 UDP sockets for multicast groups. A socket is an opaque number; no
// system type leaves platform/. Addresses are IPv4 in host order (225.0.0.1
// is 0xE1000001). Every call that can fail returns false (or -1) and the
// system's error number through *error (errno, or the socket library's last
// error on Windows).
#include <cstddef>
#include <cstdint>

constexpr int64_t UDP_NO_SOCKET = -1;

// Starts the socket library (nothing to do on POSIX); every successful start
// is matched by one stop.
bool platform_sockets_start(int* error);
void platform_sockets_stop();

// A new non-blocking IPv4 datagram socket, or UDP_NO_SOCKET.
int64_t platform_udp_open(int* error);
// Closes it; UDP_NO_SOCKET is ignored.
void platform_udp_close(int64_t socket);

// Looks up this computer's name and resolves it (the result is not used).
bool platform_host_name_resolves(int* error);

// Lets several sockets of this computer bind the same port.
bool platform_udp_reuse_address(int64_t socket, int* error);
// Binds to any local address and the port.
bool platform_udp_bind_any(int64_t socket, uint16_t port, int* error);
// Joins the group on the interface with that address (0: the system's
// choice for the group's route). A receiver that joined is given only the
// groups it joined, not every group another socket joined on its port.
bool platform_udp_join(int64_t socket, uint32_t group, uint32_t interface_address, int* error);
// Sends the socket's multicast datagrams through the interface with that
// address (0 leaves the system's choice).
bool platform_udp_send_interface(int64_t socket, uint32_t interface_address, int* error);

bool platform_udp_send_to(int64_t socket, uint32_t address, uint16_t port, const void* data, size_t size,
                          int* error);
// One waiting datagram into buffer (the rest of a longer one is dropped):
// its full length (which may exceed size), 0 when none is waiting, -1 on an
// error.
long platform_udp_receive(int64_t socket, void* buffer, size_t size, int* error);

// Dotted-quad text to an address; false for anything else.
bool platform_ipv4_parse(const char* text, uint32_t* address);
