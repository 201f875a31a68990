// PNG files through the zlib codec: Debian has no libpng for Windows.
#include <string>

#include "platform/files.h"
#include "platform/png_codec.h"
#include "platform/png_file.h"

namespace {
constexpr size_t MAX_FILE_SIZE = 256u << 20;
}

bool png_write_rgb(const char* path, const RgbImage& image) {
  std::string bytes;
  return png_encode_rgb(image, &bytes) && write_file_atomic(path, bytes);
}

bool png_read_rgb(const char* path, RgbImage* image) {
  std::string file;
  return read_file_bounded(path, MAX_FILE_SIZE, &file) &&
         png_decode_rgb(reinterpret_cast<const uint8_t*>(file.data()), file.size(), image);
}
