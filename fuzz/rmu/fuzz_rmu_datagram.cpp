// Any bytes as a datagram from the network: the parser stays inside them,
// accepts only what a peer could have sent (a message that formats and
// reads back the same), and what it applies keeps every shared value in its range.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "rmu/rmu_datagram.h"
#include "rmu/rmu_link.h"
#include "rmu/rmu_state.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  RmuTransponder t{};
  t.tcas_range = 40;
  RmuMessage message{};
  bool accepted = rmu_datagram_parse(data, size, &message);
  if (rmu_link_take_datagram(data, size, &t) != accepted) std::abort();
  if (!accepted) {
    if (t.tcas_range != 40 || t.band != 0 || t.ta_mode != 0 || t.code != 0) std::abort();
    return 0;
  }
  for (uint8_t d : t.digits)
    if (d > 7) std::abort();
  if (t.code > 7777 || t.ta_mode < 0 || t.ta_mode > 1 || t.band < 0 || t.band > 2 || t.band != t.band_tuning) std::abort();
  if (t.tcas_range < 6 || t.tcas_range > 40) std::abort();
  uint8_t again[RMU_DATAGRAM_SIZE];
  rmu_datagram_format(message, again);
  RmuMessage back{};
  if (!rmu_datagram_parse(again, sizeof again, &back) || back.kind != message.kind || back.value != message.value ||
      std::memcmp(back.digits, message.digits, 4) != 0)
    std::abort();
  return 0;
}
