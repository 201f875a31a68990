// TGA loader: uncompressed and run-length encoded true colour only.
#include "framework/tga.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cstdio>
#include <new>

#include "framework/unit_common.h"

namespace {

constexpr size_t TGA_HEADER_SIZE = 18;
constexpr uint8_t TGA_TYPE_TRUE_COLOUR = 2;
constexpr uint8_t TGA_TYPE_TRUE_COLOUR_RLE = 10;
constexpr uint8_t TGA_RUN_PACKET_FLAG = 128;
// A file larger than the biggest image it can describe is not a texture.
constexpr size_t TGA_MAX_FILE_SIZE =
    TGA_HEADER_SIZE + 255 + 65535 * 4 + size_t{TGA_MAX_SIDE} * TGA_MAX_SIDE * 5;

uint16_t read_u16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

// A bounded reader over the file's bytes: running out is not an error, the
// caller simply stops and the rest of the image stays zero.
struct ByteReader {
  const uint8_t* data;
  size_t size;
  size_t at;
  bool take(size_t n, const uint8_t** out) {
    if (at > size || size - at < n) return false;
    *out = data + at;
    at += n;
    return true;
  }
};

// File pixels are B, G, R (, A); the image holds R, G, B (, A).
void store_pixel(const uint8_t* file_pixel, uint32_t bytes_per_pixel, uint8_t* dest) {
  dest[0] = file_pixel[2];
  dest[1] = file_pixel[1];
  dest[2] = file_pixel[0];
  if (bytes_per_pixel == 4) dest[3] = file_pixel[3];
}

void decode_raw(ByteReader* in, TgaImage* image, size_t pixel_count) {
  const uint8_t* src = nullptr;
  const uint32_t bpp = image->bytes_per_pixel;
  for (size_t i = 0; i < pixel_count && in->take(bpp, &src); ++i)
    store_pixel(src, bpp, &image->pixels[i * bpp]);
}

// 16-bit pixels: 1-5-5-5 little-endian words, the top bit ignored.
void decode_raw16(ByteReader* in, TgaImage* image, size_t pixel_count) {
  const uint8_t* src = nullptr;
  for (size_t i = 0; i < pixel_count && in->take(2, &src); ++i) {
    uint16_t p = read_u16(src);
    uint8_t* dest = &image->pixels[i * 3];
    dest[0] = static_cast<uint8_t>(((p >> 10) & 31) * 8);
    dest[1] = static_cast<uint8_t>(((p >> 5) & 31) * 8);
    dest[2] = static_cast<uint8_t>((p & 31) * 8);
  }
}

void decode_rle(ByteReader* in, TgaImage* image, size_t pixel_count) {
  const uint32_t bpp = image->bytes_per_pixel;
  size_t produced = 0;
  const uint8_t* header = nullptr;
  const uint8_t* src = nullptr;
  while (produced < pixel_count && in->take(1, &header)) {
    if (*header >= TGA_RUN_PACKET_FLAG) {
      size_t count = *header - (TGA_RUN_PACKET_FLAG - 1);
      if (!in->take(bpp, &src)) return;
      for (size_t i = 0; i < count && produced < pixel_count; ++i, ++produced)
        store_pixel(src, bpp, &image->pixels[produced * bpp]);
    } else {
      size_t count = size_t{*header} + 1;
      for (size_t i = 0; i < count && produced < pixel_count; ++i, ++produced) {
        if (!in->take(bpp, &src)) return;
        store_pixel(src, bpp, &image->pixels[produced * bpp]);
      }
    }
  }
}

}  // namespace

bool decode_tga(const uint8_t* data, size_t size, TgaImage* out) {
  if (!data || !out || size < TGA_HEADER_SIZE) return false;
  const uint8_t id_length = data[0];
  const uint8_t colour_map_type = data[1];
  const uint8_t image_type = data[2];
  const uint16_t colour_map_length = read_u16(data + 5);
  const uint8_t colour_map_entry_bits = data[7];
  const uint32_t width = read_u16(data + 12);
  const uint32_t height = read_u16(data + 14);
  const uint8_t depth = data[16];

  if (image_type != TGA_TYPE_TRUE_COLOUR && image_type != TGA_TYPE_TRUE_COLOUR_RLE) return false;
  if (width == 0 || height == 0 || width > TGA_MAX_SIDE || height > TGA_MAX_SIDE) return false;
  uint32_t bytes_per_pixel = 0;
  if (depth == 24 || depth == 32)
    bytes_per_pixel = depth / 8u;
  else if (depth == 16 && image_type == TGA_TYPE_TRUE_COLOUR)
    bytes_per_pixel = 3;
  else
    return false;

  // Pixels follow the header, the ID field and, when present, the colour map.
  size_t pixel_offset = TGA_HEADER_SIZE + id_length;
  if (colour_map_type == 1) pixel_offset += size_t{colour_map_length} * ((colour_map_entry_bits + 7u) / 8u);

  const size_t pixel_count = size_t{width} * height;
  TgaImage image;
  image.bytes_per_pixel = bytes_per_pixel;
  image.width = width;
  image.height = height;
  try {
    image.pixels.assign(pixel_count * bytes_per_pixel, 0);  // what the file lacks stays black
  } catch (const std::bad_alloc&) {
    return false;
  }

  ByteReader in{data, size, pixel_offset};
  if (image_type == TGA_TYPE_TRUE_COLOUR_RLE)
    decode_rle(&in, &image, pixel_count);
  else if (depth == 16)
    decode_raw16(&in, &image, pixel_count);
  else
    decode_raw(&in, &image, pixel_count);
  *out = std::move(image);
  return true;
}

namespace {
// The same line for a missing file and a damaged one: a user reading the
// output learns that the texture could not be used, whatever the reason.
bool report_unusable_texture() {
  std::printf("\nUnable to load TGA File!\n");
  std::fflush(stdout);
  return false;
}
}  // namespace

bool load_tga(const char* path, TgaImage* out) {
  FILE* file = path ? std::fopen(path, "rb") : nullptr;
  if (!file) return report_unusable_texture();
  std::vector<uint8_t> bytes;
  bool ok = std::fseek(file, 0, SEEK_END) == 0;
  long length = ok ? std::ftell(file) : -1;
  ok = ok && length >= 0 && static_cast<unsigned long>(length) <= TGA_MAX_FILE_SIZE &&
       std::fseek(file, 0, SEEK_SET) == 0;
  if (ok) {
    try {
      bytes.resize(static_cast<size_t>(length));
    } catch (const std::bad_alloc&) {
      ok = false;
    }
  }
  if (ok) bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file));
  std::fclose(file);
  if (!ok || !decode_tga(bytes.data(), bytes.size(), out)) return report_unusable_texture();
  return true;
}

bool make_texture(uint32_t* slots, const char* path, int slot) {
  if (!path) return true;  // nothing asked, nothing done
  if (!slots || slot < 0 || slot >= TEXTURE_SLOT_COUNT) return false;
  TgaImage image;
  if (!load_tga(path, &image)) return false;

  GLuint name = 0;
  glGenTextures(1, &name);
  slots[slot] = name;
  glBindTexture(GL_TEXTURE_2D, name);
  // Rows are packed tightly; GL's default of 4-byte rows would skew RGB images
  // whose width is not a multiple of four.
  GLint previous_alignment = 4;
  glGetIntegerv(GL_UNPACK_ALIGNMENT, &previous_alignment);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  const GLenum format = image.bytes_per_pixel == 4 ? GL_RGBA : GL_RGB;
  gluBuild2DMipmaps(GL_TEXTURE_2D, static_cast<GLint>(image.bytes_per_pixel), static_cast<GLsizei>(image.width),
                    static_cast<GLsizei>(image.height), format, GL_UNSIGNED_BYTE, image.pixels.data());
  glPixelStorei(GL_UNPACK_ALIGNMENT, previous_alignment);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  return true;
}
