// PNG reading and writing with libpng (simplified API).
#include "platform/png_file.h"

#include <png.h>

#include <string>

#include "platform/files.h"

namespace {
constexpr int MAX_SIDE = 16384;
}

bool png_write_rgb(const char* path, const RgbImage& image) {
  if (image.width <= 0 || image.height <= 0 || image.width > MAX_SIDE || image.height > MAX_SIDE) return false;
  if (image.pixels.size() != static_cast<size_t>(image.width) * image.height * 3) return false;
  png_image png;
  png = png_image{};
  png.version = PNG_IMAGE_VERSION;
  png.width = image.width;
  png.height = image.height;
  png.format = PNG_FORMAT_RGB;
  png_alloc_size_t size = 0;
  if (!png_image_write_to_memory(&png, nullptr, &size, 0, image.pixels.data(), 0, nullptr)) return false;
  std::string bytes(size, '\0');
  if (!png_image_write_to_memory(&png, &bytes[0], &size, 0, image.pixels.data(), 0, nullptr)) return false;
  bytes.resize(size);
  return write_file_atomic(path, bytes);
}

bool png_read_rgb(const char* path, RgbImage* image) {
  png_image png;
  png = png_image{};
  png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&png, path)) return false;
  if (png.width == 0 || png.height == 0 || png.width > MAX_SIDE || png.height > MAX_SIDE) {
    png_image_free(&png);
    return false;
  }
  png.format = PNG_FORMAT_RGB;
  image->width = static_cast<int>(png.width);
  image->height = static_cast<int>(png.height);
  image->pixels.assign(PNG_IMAGE_SIZE(png), 0);
  if (!png_image_finish_read(&png, nullptr, image->pixels.data(), 0, nullptr)) {
    png_image_free(&png);
    image->pixels.clear();
    return false;
  }
  return true;
}
