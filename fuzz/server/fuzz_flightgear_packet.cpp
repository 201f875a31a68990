// The FlightGear stream's parser on arbitrary datagrams: it must never read
// outside the datagram, and a refused one must leave the packet alone.
#include <cstdlib>
#include <cstring>
#include <vector>

#include "server/flightgear_protocol.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static FgPacket packet, before;
  // Exactly as long as the input, so that the sanitizer sees any overrun.
  std::vector<char> datagram(data, data + size);
  std::memcpy(&before, &packet, sizeof packet);
  if (!fg_parse_packet(datagram.data(), datagram.size(), &packet)) {
    if (std::memcmp(&before, &packet, sizeof packet) != 0) std::abort();
    return 0;
  }
  for (int f = 0; f < F_COUNT; ++f) {
    if (std::memchr(packet.text[f], 0, FG_TEXT_SIZE) == nullptr) std::abort();
    const FgFieldInfo& info = fg_field(f);
    if (info.type != FG_TEXT && !(packet.value[f] >= info.low && packet.value[f] <= info.high)) std::abort();
  }
  return 0;
}
