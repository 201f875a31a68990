#include "platform/png_codec.h"

#include <zlib.h>

#include <cstring>

namespace {

constexpr unsigned char SIGNATURE[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr int COLOUR_GREY = 0, COLOUR_RGB = 2, COLOUR_RGBA = 6;

void put_u32(std::string* out, uint32_t v) {
  const char bytes[4] = {char(v >> 24), char(v >> 16), char(v >> 8), char(v)};
  out->append(bytes, 4);
}
uint32_t get_u32(const unsigned char* at) {
  return uint32_t(at[0]) << 24 | uint32_t(at[1]) << 16 | uint32_t(at[2]) << 8 | uint32_t(at[3]);
}

void put_chunk(std::string* out, const char* type, const std::string& data) {
  put_u32(out, static_cast<uint32_t>(data.size()));
  std::string body = std::string(type, 4) + data;
  out->append(body);
  put_u32(out, static_cast<uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(body.data()), static_cast<uInt>(body.size()))));
}

int paeth(int a, int b, int c) {
  int p = a + b - c, pa = p > a ? p - a : a - p, pb = p > b ? p - b : b - p, pc = p > c ? p - c : c - p;
  return pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
}

// Undoes the per-row filters in place; false on an unknown filter type.
bool unfilter(unsigned char* data, size_t row_bytes, int height, int bpp) {
  unsigned char* previous = nullptr;
  for (int y = 0; y < height; ++y) {
    unsigned char* row = data + y * (row_bytes + 1);
    int filter = row[0];
    unsigned char* px = row + 1;
    for (size_t i = 0; i < row_bytes; ++i) {
      int a = i >= size_t(bpp) ? px[i - bpp] : 0, b = previous ? previous[i] : 0;
      int c = previous && i >= size_t(bpp) ? previous[i - bpp] : 0;
      switch (filter) {
        case 0: break;
        case 1: px[i] = uint8_t(px[i] + a); break;
        case 2: px[i] = uint8_t(px[i] + b); break;
        case 3: px[i] = uint8_t(px[i] + (a + b) / 2); break;
        case 4: px[i] = uint8_t(px[i] + paeth(a, b, c)); break;
        default: return false;
      }
    }
    previous = px;
  }
  return true;
}

}  // namespace

bool png_encode_rgb(const RgbImage& image, std::string* out) {
  if (image.width <= 0 || image.height <= 0 || image.width > PNG_MAX_SIDE || image.height > PNG_MAX_SIDE) return false;
  const size_t row = static_cast<size_t>(image.width) * 3;
  if (image.pixels.size() != row * image.height) return false;
  std::string raw;
  raw.reserve((row + 1) * image.height);
  for (int y = 0; y < image.height; ++y) {
    raw.push_back(0);  // filter: none
    raw.append(reinterpret_cast<const char*>(&image.pixels[y * row]), row);
  }
  uLongf packed_size = compressBound(static_cast<uLong>(raw.size()));
  std::string packed(packed_size, '\0');
  if (compress2(reinterpret_cast<Bytef*>(&packed[0]), &packed_size, reinterpret_cast<const Bytef*>(raw.data()),
                static_cast<uLong>(raw.size()), Z_DEFAULT_COMPRESSION) != Z_OK)
    return false;
  packed.resize(packed_size);
  std::string header;
  put_u32(&header, static_cast<uint32_t>(image.width));
  put_u32(&header, static_cast<uint32_t>(image.height));
  header += std::string("\x08\x02\x00\x00\x00", 5);  // 8-bit RGB, deflate, no interlace
  std::string& file = *out;
  file.assign(reinterpret_cast<const char*>(SIGNATURE), sizeof SIGNATURE);
  put_chunk(&file, "IHDR", header);
  put_chunk(&file, "IDAT", packed);
  put_chunk(&file, "IEND", std::string());
  return true;
}

bool png_decode_rgb(const uint8_t* bytes, size_t size, RgbImage* image) {
  if (size < sizeof SIGNATURE || std::memcmp(bytes, SIGNATURE, sizeof SIGNATURE) != 0) return false;
  int width = 0, height = 0, colour = -1;
  std::string packed;
  for (size_t at = sizeof SIGNATURE; at + 12 <= size;) {
    uint32_t length = get_u32(bytes + at);
    if (length > size - at - 12) return false;
    const unsigned char* type = bytes + at + 4;
    const unsigned char* data = type + 4;
    if (get_u32(data + length) != crc32(0, type, length + 4)) return false;
    if (std::memcmp(type, "IHDR", 4) == 0 && length == 13) {
      width = int(get_u32(data) & 0x7FFFFFFF);
      height = int(get_u32(data + 4) & 0x7FFFFFFF);
      if (data[8] != 8 || data[10] != 0 || data[11] != 0 || data[12] != 0) return false;
      colour = data[9];
    } else if (std::memcmp(type, "IDAT", 4) == 0) {
      packed.append(reinterpret_cast<const char*>(data), length);
    } else if (std::memcmp(type, "IEND", 4) == 0) {
      break;
    }
    at += 12 + length;
  }
  int bpp = colour == COLOUR_GREY ? 1 : colour == COLOUR_RGB ? 3 : colour == COLOUR_RGBA ? 4 : 0;
  if (bpp == 0 || width <= 0 || height <= 0 || width > PNG_MAX_SIDE || height > PNG_MAX_SIDE) return false;
  const size_t row_bytes = size_t(width) * bpp;
  std::string raw((row_bytes + 1) * height, '\0');
  uLongf raw_size = static_cast<uLongf>(raw.size());
  if (uncompress(reinterpret_cast<Bytef*>(&raw[0]), &raw_size, reinterpret_cast<const Bytef*>(packed.data()),
                 static_cast<uLong>(packed.size())) != Z_OK || raw_size != raw.size())
    return false;
  unsigned char* data = reinterpret_cast<unsigned char*>(&raw[0]);
  if (!unfilter(data, row_bytes, height, bpp)) return false;
  image->width = width;
  image->height = height;
  image->pixels.assign(size_t(width) * height * 3, 0);
  for (int y = 0; y < height; ++y) {
    const unsigned char* px = data + y * (row_bytes + 1) + 1;
    for (int x = 0; x < width; ++x) {
      uint8_t* out = &image->pixels[(size_t(y) * width + x) * 3];
      for (int c = 0; c < 3; ++c) out[c] = px[x * bpp + (bpp == 1 ? 0 : c)];
    }
  }
  return true;
}
