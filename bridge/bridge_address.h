#pragma once
// HOST:PORT of the command line. HOST is a name, an IPv4 address, an IPv6
// address in brackets ("[::1]:5560"), or "*" (every interface, serving end
// only); PORT is 1..65535.
#include <cstdint>
#include <string>

struct BridgeAddress {
  std::string host;   // without brackets
  uint16_t port = 0;
  bool ipv6 = false;
};

bool bridge_address_parse(const std::string& text, BridgeAddress* address, std::string* error);
// True only for addresses that never leave the machine: localhost, 127.0.0.0/8, ::1.
bool bridge_address_loopback(const BridgeAddress& address);
// The ZeroMQ endpoint, "tcp://host:port".
std::string bridge_address_endpoint(const BridgeAddress& address);
// As the user wrote it, for messages.
std::string bridge_address_text(const BridgeAddress& address);
