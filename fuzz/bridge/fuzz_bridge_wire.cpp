// The bridge's frame decoder on arbitrary bytes: no read outside the input, a
// frame it accepts encodes back to exactly the same bytes, and the answer
// check holds on anything it is given.
#include <cstdlib>
#include <cstring>
#include <vector>

#include "bridge/bridge_wire.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Exactly as long as the input, so that the sanitizer sees any overrun.
  std::vector<uint8_t> bytes(data, data + size);
  BridgeFrame frame;
  if (bridge_wire_decode(bytes.data(), bytes.size(), &frame)) {
    std::vector<uint8_t> again;
    bridge_wire_encode(frame, &again);
    if (again != bytes) std::abort();
    if (frame.length > 0 && !bridge_answer_fits(frame.block, frame.block, frame.length)) std::abort();
  }
  // Both halves as request and answer of one length.
  size_t half = size / 2;
  std::vector<uint8_t> request(data, data + half), answer(data + half, data + 2 * half);
  if (half > 0 && bridge_answer_fits(request.data(), answer.data(), half) && request.size() < 4) std::abort();
  return 0;
}
