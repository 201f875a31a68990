#include <winsock2.h>
#include <ws2tcpip.h>

#include "platform/udp_multicast.h"

namespace {

sockaddr_in ipv4(uint32_t address, uint16_t port) {
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(address);
  a.sin_port = htons(port);
  return a;
}

bool failed(int* error) {
  *error = WSAGetLastError();
  return false;
}

SOCKET handle(int64_t socket) { return static_cast<SOCKET>(socket); }

}  // namespace

bool platform_sockets_start(int* error) {
  WSADATA data;
  int status = WSAStartup(MAKEWORD(2, 2), &data);
  *error = status;
  return status == 0;
}

void platform_sockets_stop() { WSACleanup(); }

int64_t platform_udp_open(int* error) {
  SOCKET s = ::socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
  if (s == INVALID_SOCKET) {
    *error = WSAGetLastError();
    return UDP_NO_SOCKET;
  }
  u_long non_blocking = 1;
  if (ioctlsocket(s, FIONBIO, &non_blocking) != 0) {
    *error = WSAGetLastError();
    closesocket(s);
    return UDP_NO_SOCKET;
  }
  return static_cast<int64_t>(s);
}

void platform_udp_close(int64_t socket) {
  if (socket != UDP_NO_SOCKET) closesocket(handle(socket));
}

bool platform_host_name_resolves(int* error) {
  char name[256] = {};
  if (gethostname(name, sizeof name - 1) != 0) return failed(error);
  addrinfo hints{};
  hints.ai_family = AF_INET;
  addrinfo* found = nullptr;
  int status = getaddrinfo(name, nullptr, &hints, &found);
  if (status != 0) {
    *error = status;
    return false;
  }
  freeaddrinfo(found);
  return true;
}

bool platform_udp_reuse_address(int64_t socket, int* error) {
  BOOL on = TRUE;
  if (setsockopt(handle(socket), SOL_SOCKET, SO_REUSEADDR, reinterpret_cast<const char*>(&on), sizeof on) != 0)
    return failed(error);
  return true;
}

bool platform_udp_bind_any(int64_t socket, uint16_t port, int* error) {
  sockaddr_in a = ipv4(INADDR_ANY, port);
  if (bind(handle(socket), reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) return failed(error);
  return true;
}

bool platform_udp_join(int64_t socket, uint32_t group, uint32_t interface_address, int* error) {
  ip_mreq request{};
  request.imr_multiaddr.s_addr = htonl(group);
  request.imr_interface.s_addr = htonl(interface_address);
  if (setsockopt(handle(socket), IPPROTO_IP, IP_ADD_MEMBERSHIP, reinterpret_cast<const char*>(&request),
                 sizeof request) != 0)
    return failed(error);
  return true;
}

bool platform_udp_send_interface(int64_t socket, uint32_t interface_address, int* error) {
  in_addr a{};
  a.s_addr = htonl(interface_address);
  if (setsockopt(handle(socket), IPPROTO_IP, IP_MULTICAST_IF, reinterpret_cast<const char*>(&a), sizeof a) != 0)
    return failed(error);
  return true;
}

bool platform_udp_send_to(int64_t socket, uint32_t address, uint16_t port, const void* data, size_t size,
                          int* error) {
  sockaddr_in a = ipv4(address, port);
  int sent = sendto(handle(socket), static_cast<const char*>(data), static_cast<int>(size), 0,
                    reinterpret_cast<sockaddr*>(&a), sizeof a);
  if (sent == SOCKET_ERROR) return failed(error);
  return true;
}

long platform_udp_receive(int64_t socket, void* buffer, size_t size, int* error) {
  int got = recv(handle(socket), static_cast<char*>(buffer), static_cast<int>(size), 0);
  if (got >= 0) return got;
  int code = WSAGetLastError();
  if (code == WSAEWOULDBLOCK) return 0;
  // The start of a longer datagram was delivered; say it was longer.
  if (code == WSAEMSGSIZE) return static_cast<long>(size) + 1;
  *error = code;
  return -1;
}

bool platform_ipv4_parse(const char* text, uint32_t* address) {
  in_addr a{};
  if (!text || inet_pton(AF_INET, text, &a) != 1) return false;
  *address = ntohl(a.s_addr);
  return true;
}
