// Feeds arbitrary bytes to the TGA decoder.
#include <cstddef>
#include <cstdint>

#include "framework/tga.h"

// Images above this many pixels are legal but only cost the fuzzer memory
// and time; the size checks themselves are covered by the unit tests.
constexpr size_t FUZZ_MAX_PIXELS = size_t{1} << 18;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size >= 18) {
    size_t width = data[12] | (data[13] << 8), height = data[14] | (data[15] << 8);
    if (width * height > FUZZ_MAX_PIXELS) return 0;
  }
  TgaImage image;
  if (decode_tga(data, size, &image)) {
    // The block always matches the header it reports.
    if (image.pixels.size() != size_t{image.width} * image.height * image.bytes_per_pixel) __builtin_trap();
    if (image.bytes_per_pixel != 3 && image.bytes_per_pixel != 4) __builtin_trap();
  }
  return 0;
}
