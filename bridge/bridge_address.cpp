#include "bridge/bridge_address.h"

#include <cctype>
#include <cstdlib>

namespace {

constexpr size_t MAX_HOST_LENGTH = 253;

bool host_character(char c, bool ipv6) {
  unsigned char u = static_cast<unsigned char>(c);
  if (ipv6) return std::isxdigit(u) || c == ':' || c == '.';
  return std::isalnum(u) || c == '.' || c == '-' || c == '_';
}

bool whole_number(const std::string& text, unsigned long limit, unsigned long* value) {
  if (text.empty() || text.size() > 5) return false;
  for (char c : text)
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
  *value = std::strtoul(text.c_str(), nullptr, 10);
  return *value <= limit;
}

// "127.a.b.c" with every part a number 0..255.
bool ipv4_loopback(const std::string& host) {
  size_t start = 0;
  for (int part = 0; part < 4; ++part) {
    size_t dot = host.find('.', start);
    if ((part < 3) != (dot != std::string::npos)) return false;
    std::string digits = host.substr(start, dot == std::string::npos ? std::string::npos : dot - start);
    unsigned long value = 0;
    if (digits.size() > 3 || !whole_number(digits, 255, &value)) return false;
    if (part == 0 && value != 127) return false;
    start = dot + 1;
  }
  return true;
}

}  // namespace

bool bridge_address_parse(const std::string& text, BridgeAddress* address, std::string* error) {
  *error = "\"" + text + "\" is not HOST:PORT";
  size_t colon = text.rfind(':');
  if (colon == std::string::npos || colon == 0) return false;
  BridgeAddress parsed;
  std::string host = text.substr(0, colon);
  if (host.front() == '[') {
    if (host.size() < 3 || host.back() != ']') return false;
    host = host.substr(1, host.size() - 2);
    parsed.ipv6 = true;
  } else if (host.find(':') != std::string::npos) {
    *error = "write an IPv6 address in brackets: [" + host + "]:PORT";
    return false;
  }
  if (host.size() > MAX_HOST_LENGTH) return false;
  if (host != "*" || parsed.ipv6) {
    for (char c : host)
      if (!host_character(c, parsed.ipv6)) return false;
  }
  unsigned long port = 0;
  if (!whole_number(text.substr(colon + 1), 65535, &port) || port == 0) {
    *error = "the port of \"" + text + "\" must be a number 1..65535";
    return false;
  }
  parsed.host = host;
  parsed.port = uint16_t(port);
  *address = parsed;
  error->clear();
  return true;
}

bool bridge_address_loopback(const BridgeAddress& address) {
  if (address.ipv6) return address.host == "::1";
  return address.host == "localhost" || ipv4_loopback(address.host);
}

std::string bridge_address_text(const BridgeAddress& address) {
  std::string host = address.ipv6 ? "[" + address.host + "]" : address.host;
  return host + ":" + std::to_string(address.port);
}

std::string bridge_address_endpoint(const BridgeAddress& address) {
  return "tcp://" + bridge_address_text(address);
}
