#include "rmu/rmu_datagram.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr int TRANSPONDER_DIGIT_MAX = 7;
constexpr int TA_MODE_MAX = 1;
constexpr int RANGE_MIN = 6, RANGE_MAX = 40;
constexpr int BAND_MAX = 2;

bool is_digit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

void rmu_datagram_format(const RmuMessage& m, uint8_t out[RMU_DATAGRAM_SIZE]) {
  char text[RMU_DATAGRAM_SIZE];
  if (m.kind == RMU_MESSAGE_TRANSPONDER)
    std::snprintf(text, sizeof text, "%c%d%d%d%d", m.kind, m.digits[0], m.digits[1], m.digits[2], m.digits[3]);
  else
    std::snprintf(text, sizeof text, "%c%d", m.kind, static_cast<int>(m.value));
  std::memset(out, 0, RMU_DATAGRAM_SIZE);
  std::memcpy(out, text, std::strlen(text));
}

bool rmu_datagram_parse(const uint8_t* data, size_t size, RmuMessage* message) {
  if (!data || size == 0 || size > RMU_DATAGRAM_SIZE) return false;
  const void* end = std::memchr(data, 0, size);
  if (!end) return false;
  const char* text = reinterpret_cast<const char*>(data);
  size_t payload = static_cast<size_t>(static_cast<const uint8_t*>(end) - data) - 1;
  if (payload == static_cast<size_t>(-1)) return false;  // empty text
  for (size_t i = 1; i <= payload; ++i)
    if (!is_digit(text[i])) return false;
  RmuMessage m{};
  m.kind = text[0];
  switch (text[0]) {
    case RMU_MESSAGE_TRANSPONDER:
      if (payload != 4) return false;
      for (int i = 0; i < 4; ++i) {
        m.digits[i] = static_cast<uint8_t>(text[1 + i] - '0');
        if (m.digits[i] > TRANSPONDER_DIGIT_MAX) return false;
      }
      break;
    case RMU_MESSAGE_TA_DISPLAY:
    case RMU_MESSAGE_TCAS_BAND:
      if (payload != 1) return false;
      m.value = text[1] - '0';
      if (m.value > (text[0] == RMU_MESSAGE_TA_DISPLAY ? TA_MODE_MAX : BAND_MAX)) return false;
      break;
    case RMU_MESSAGE_TCAS_RANGE:
      if (payload != 1 && payload != 2) return false;
      m.value = payload == 2 ? 10 * (text[1] - '0') + (text[2] - '0') : text[1] - '0';
      if (m.value < RANGE_MIN || m.value > RANGE_MAX) return false;
      break;
    default:
      return false;
  }
  *message = m;
  return true;
}
