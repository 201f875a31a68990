#include "server/flightgear_udp.h"

#include <arpa/inet.h>
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

}  // namespace

int64_t fg_udp_open(uint32_t address, uint16_t port, std::string* error) {
  int s = ::socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (s < 0) {
    *error = std::string("cannot open a UDP socket: ") + std::strerror(errno);
    return FG_UDP_NONE;
  }
  sockaddr_in a = ipv4(address, port);
  if (::bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
    char text[INET_ADDRSTRLEN] = "?";
    ::inet_ntop(AF_INET, &a.sin_addr, text, sizeof text);
    *error = std::string("cannot bind UDP ") + text + ":" + std::to_string(port) + ": " + std::strerror(errno);
    ::close(s);
    return FG_UDP_NONE;
  }
  return s;
}

void fg_udp_close(int64_t socket) {
  if (socket != FG_UDP_NONE) ::close(static_cast<int>(socket));
}

bool fg_udp_send(int64_t socket, uint32_t address, uint16_t port, const void* data, size_t size, std::string* error) {
  sockaddr_in a = ipv4(address, port);
  if (::sendto(static_cast<int>(socket), data, size, MSG_NOSIGNAL, reinterpret_cast<sockaddr*>(&a), sizeof a) < 0) {
    *error = std::string("cannot send to FlightGear: ") + std::strerror(errno);
    return false;
  }
  return true;
}

long fg_udp_receive(int64_t socket, void* buffer, size_t size, uint32_t* from) {
  for (;;) {
    sockaddr_in a{};
    socklen_t length = sizeof a;
    ssize_t got = ::recvfrom(static_cast<int>(socket), buffer, size, MSG_TRUNC | MSG_DONTWAIT,
                             reinterpret_cast<sockaddr*>(&a), &length);
    if (got >= 0) {
      *from = ntohl(a.sin_addr.s_addr);
      return static_cast<long>(got);
    }
    if (errno == EINTR) continue;
    // A refused send of ours comes back as an error here; it is not the stream's fault.
    if (errno == EAGAIN || errno == EWOULDBLOCK || errno == ECONNREFUSED) return 0;
    return -1;
  }
}

uint16_t fg_udp_port(int64_t socket) {
  sockaddr_in a{};
  socklen_t length = sizeof a;
  if (::getsockname(static_cast<int>(socket), reinterpret_cast<sockaddr*>(&a), &length) != 0) return 0;
  return ntohs(a.sin_port);
}
