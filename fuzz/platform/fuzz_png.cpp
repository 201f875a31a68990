// Feeds arbitrary bytes to the zlib PNG decoder of the Windows build.
#include <cstddef>
#include <cstdint>

#include "platform/png_codec.h"

// Pictures above this many pixels are legal but only cost the fuzzer memory
// and time; the side limits themselves are covered by the unit tests.
constexpr uint64_t FUZZ_MAX_PIXELS = uint64_t{1} << 18;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size >= 24) {  // the first chunk of a PNG is its header with width and height
    auto be32 = [&](size_t at) { return uint64_t(data[at]) << 24 | data[at + 1] << 16 | data[at + 2] << 8 | data[at + 3]; };
    if (be32(16) * be32(20) > FUZZ_MAX_PIXELS) return 0;
  }
  RgbImage image;
  if (png_decode_rgb(data, size, &image)) {
    if (image.pixels.size() != size_t(image.width) * image.height * 3) __builtin_trap();
  }
  return 0;
}
