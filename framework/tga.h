#pragma once
// TGA texture loader: true-colour images (types 2 and 10) into RGB/RGBA pixel
// blocks, and mip-mapped GL textures in numbered slots.
#include <cstddef>
#include <cstdint>
#include <vector>

constexpr uint32_t TGA_MAX_SIDE = 16384;

struct TgaImage {
  uint32_t bytes_per_pixel;  // 3 or 4
  uint32_t width, height;
  std::vector<uint8_t> pixels;  // rows in file order, R G B (A)
};

// Decodes a file held in memory. False for anything unsupported or hostile.
bool decode_tga(const uint8_t* data, size_t size, TgaImage* out);
// Reads and decodes a file; prints "\nUnable to load TGA File!\n" when it cannot be opened.
bool load_tga(const char* path, TgaImage* out);
// Loads the file into texture slot `slot`. False when the file cannot be
// loaded; the caller ends the program (see fatal_texture_missing()).
bool make_texture(uint32_t* slots, const char* path, int slot);
