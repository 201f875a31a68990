#pragma once
// The RMU-to-RMU messages: one UDP datagram of exactly 256 bytes holding a
// short text, its terminating zero and zero padding. The first character
// names the message, the rest are decimal digits:
//   A  the four transponder digits, units first ("A4321" is code 1234)
//   B  TA display mode, 0 MANUAL or 1 AUTO
//   C  TCAS range in nautical miles, 6..40 ("C6", "C40")
//   D  TCAS altitude band, 0 NORMAL, 1 ABOVE or 2 BELOW
// Any host of the network can send to the group, so a datagram is applied
// only when it is well formed: a zero inside the 256 bytes, a known letter,
// and a payload of only digits of the letter's count and range. Pure
// functions, no state.
#include <cstddef>
#include <cstdint>

constexpr size_t RMU_DATAGRAM_SIZE = 256;

enum RmuMessageKind : char {
  RMU_MESSAGE_TRANSPONDER = 'A',
  RMU_MESSAGE_TA_DISPLAY = 'B',
  RMU_MESSAGE_TCAS_RANGE = 'C',
  RMU_MESSAGE_TCAS_BAND = 'D',
};

struct RmuMessage {
  char kind;          // RmuMessageKind
  uint8_t digits[4];  // A: units, tens, hundreds, thousands
  int32_t value;      // B, C, D: the mode, range or band
};

// The 256 bytes of a message (text, zero, zero padding). A message whose
// values are out of range is still formatted as it stands.
void rmu_datagram_format(const RmuMessage& message, uint8_t out[RMU_DATAGRAM_SIZE]);
// True, with the message, when the received bytes are well formed.
bool rmu_datagram_parse(const uint8_t* data, size_t size, RmuMessage* message);
