#pragma once
// A full-area texture drawn in blocks by what they hold. Blocks of one opaque
// colour are filled flat, blocks wholly transparent are left out, and only
// the rest is textured and blended: the pixels are those of the whole blended
// quad, at a fraction of the software renderer's per-pixel texturing cost
// (the screen backgrounds are mostly opaque black and a clear window).
#include <cstdint>
#include <vector>

constexpr int TEXTURE_TILE_TEXELS = 16;
// A block is one colour only if it is within this many texels too, so that
// bilinear filtering on the mipmap levels up to 2 reads the same colour.
constexpr int TEXTURE_TILE_MARGIN_TEXELS = 8;
// Beyond this many texels per pixel a coarser mipmap level could be read:
// the whole quad is drawn instead.
constexpr int TEXTURE_TILE_MAX_TEXELS_PER_PIXEL = 4;

enum TileKind : uint8_t { TILE_FLAT, TILE_CLEAR, TILE_TEXTURED };

// A run of blocks along one row, in texture coordinates; `rgb` for flat runs.
struct TileRun {
  float u0, u1, v0, v1;
  uint8_t kind;
  uint8_t rgb[3];
};

struct TextureTiles {
  int width = 0, height = 0;  // texels; 0 when not planned
  std::vector<TileRun> runs;
};

// From RGBA texels in memory (row 0 = texture row 0). The texture repeats, as
// GL's default wrap does, so the margin wraps round the edges too.
TextureTiles plan_texture_tiles(const uint8_t* rgba, int width, int height);
// Reads the texture's level 0 (needs the GL context).
TextureTiles plan_texture_tiles(uint32_t texture);
// The textured quad (-half_width, -half_height)..(half_width, half_height) in
// the current matrix, drawn as its tiles; the whole quad when the tiles are
// not planned, the blending is not (source alpha, one minus source alpha) or
// the texture is much larger than the viewport. Leaves texturing off and the
// blending as it was.
void draw_texture_tiles(uint32_t texture, const TextureTiles& tiles, float half_width, float half_height);
