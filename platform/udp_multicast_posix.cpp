#include "platform/udp_multicast.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

sockaddr_in ipv4(uint32_t address, uint16_t port) {
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(address);
  a.sin_port = htons(port);
  return a;
}

bool failed(int* error) {
  *error = errno;
  return false;
}

}  // namespace

bool platform_sockets_start(int* error) {
  *error = 0;
  return true;
}

void platform_sockets_stop() {}

int64_t platform_udp_open(int* error) {
  int s = ::socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (s < 0) {
    *error = errno;
    return UDP_NO_SOCKET;
  }
  return s;
}

void platform_udp_close(int64_t socket) {
  if (socket != UDP_NO_SOCKET) ::close(static_cast<int>(socket));
}

bool platform_host_name_resolves(int* error) {
  char name[256] = {};
  if (::gethostname(name, sizeof name - 1) != 0) return failed(error);
  addrinfo hints{};
  hints.ai_family = AF_INET;
  addrinfo* found = nullptr;
  int status = ::getaddrinfo(name, nullptr, &hints, &found);
  if (status != 0) {
    *error = status == EAI_SYSTEM ? errno : status;
    return false;
  }
  ::freeaddrinfo(found);
  return true;
}

bool platform_udp_reuse_address(int64_t socket, int* error) {
  // A whole int: a narrower option value is refused here (EINVAL).
  int on = 1;
  if (::setsockopt(static_cast<int>(socket), SOL_SOCKET, SO_REUSEADDR, &on, sizeof on) != 0) return failed(error);
  return true;
}

bool platform_udp_bind_any(int64_t socket, uint16_t port, int* error) {
  sockaddr_in a = ipv4(INADDR_ANY, port);
  if (::bind(static_cast<int>(socket), reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) return failed(error);
  return true;
}

bool platform_udp_join(int64_t socket, uint32_t group, uint32_t interface_address, int* error) {
  int s = static_cast<int>(socket);
  ip_mreq request{};
  request.imr_multiaddr.s_addr = htonl(group);
  request.imr_interface.s_addr = htonl(interface_address);
  if (::setsockopt(s, IPPROTO_IP, IP_ADD_MEMBERSHIP, &request, sizeof request) != 0) return failed(error);
#ifdef IP_MULTICAST_ALL
  // Linux otherwise hands a socket bound to any address every group that any
  // socket joined on its port.
  int only_joined = 0;
  ::setsockopt(s, IPPROTO_IP, IP_MULTICAST_ALL, &only_joined, sizeof only_joined);
#endif
  return true;
}

bool platform_udp_send_interface(int64_t socket, uint32_t interface_address, int* error) {
  in_addr a{};
  a.s_addr = htonl(interface_address);
  if (::setsockopt(static_cast<int>(socket), IPPROTO_IP, IP_MULTICAST_IF, &a, sizeof a) != 0) return failed(error);
  return true;
}

bool platform_udp_send_to(int64_t socket, uint32_t address, uint16_t port, const void* data, size_t size,
                          int* error) {
  sockaddr_in a = ipv4(address, port);
  ssize_t sent = ::sendto(static_cast<int>(socket), data, size, MSG_NOSIGNAL, reinterpret_cast<sockaddr*>(&a), sizeof a);
  if (sent < 0) return failed(error);
  return true;
}

long platform_udp_receive(int64_t socket, void* buffer, size_t size, int* error) {
  for (;;) {
    ssize_t got = ::recv(static_cast<int>(socket), buffer, size, MSG_TRUNC | MSG_DONTWAIT);
    if (got >= 0) return static_cast<long>(got);
    if (errno == EINTR) continue;
    if (errno == EAGAIN || errno == EWOULDBLOCK) return 0;
    *error = errno;
    return -1;
  }
}

bool platform_ipv4_parse(const char* text, uint32_t* address) {
  in_addr a{};
  if (!text || ::inet_pton(AF_INET, text, &a) != 1) return false;
  *address = ntohl(a.s_addr);
  return true;
}
