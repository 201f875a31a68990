#pragma once
// PNG in memory with zlib alone: the Windows build's PNG files (Debian has no
// libpng for it). Encodes 8-bit RGB; decodes 8-bit grey, RGB or RGBA without
// interlacing (what screenshots and common tools write) into RGB.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/png_file.h"

constexpr int PNG_MAX_SIDE = 16384;

bool png_encode_rgb(const RgbImage& image, std::string* out);
// False on anything else, a damaged chunk (checksums are verified) or a side
// above PNG_MAX_SIDE.
bool png_decode_rgb(const uint8_t* data, size_t size, RgbImage* image);
