#include "framework/texture_tiles.h"

#include <GL/gl.h>

#include <cstddef>
#include <cstring>

namespace {

const uint8_t* texel(const uint8_t* rgba, int width, int height, int x, int y) {
  x = ((x % width) + width) % width;
  y = ((y % height) + height) % height;
  return rgba + (static_cast<size_t>(y) * width + x) * 4;
}

// The kind of the block at (bx, by), and its colour when flat.
TileKind block_kind(const uint8_t* rgba, int width, int height, int bx, int by, uint8_t rgb[3]) {
  const int x0 = bx * TEXTURE_TILE_TEXELS - TEXTURE_TILE_MARGIN_TEXELS;
  const int y0 = by * TEXTURE_TILE_TEXELS - TEXTURE_TILE_MARGIN_TEXELS;
  const int span = TEXTURE_TILE_TEXELS + 2 * TEXTURE_TILE_MARGIN_TEXELS;
  const uint8_t* first = texel(rgba, width, height, x0, y0);
  bool clear = true, flat = first[3] == 255;
  for (int y = y0; y < y0 + span && (clear || flat); ++y)
    for (int x = x0; x < x0 + span; ++x) {
      const uint8_t* t = texel(rgba, width, height, x, y);
      if (t[3] != 0) clear = false;
      if (std::memcmp(t, first, 4) != 0) flat = false;
    }
  std::memcpy(rgb, first, 3);
  if (flat) return TILE_FLAT;
  return clear ? TILE_CLEAR : TILE_TEXTURED;
}

void vertex(float u, float v, float half_width, float half_height, bool textured) {
  if (textured) glTexCoord2f(u, v);
  glVertex2f(-half_width + 2.0f * half_width * u, -half_height + 2.0f * half_height * v);
}

void run_quads(const TextureTiles& tiles, TileKind kind, float half_width, float half_height) {
  const bool textured = kind == TILE_TEXTURED;
  glBegin(GL_QUADS);
  for (const TileRun& r : tiles.runs) {
    if (r.kind != kind) continue;
    if (kind == TILE_FLAT) glColor3ub(r.rgb[0], r.rgb[1], r.rgb[2]);
    vertex(r.u0, r.v0, half_width, half_height, textured);
    vertex(r.u1, r.v0, half_width, half_height, textured);
    vertex(r.u1, r.v1, half_width, half_height, textured);
    vertex(r.u0, r.v1, half_width, half_height, textured);
  }
  glEnd();
}

bool tiles_apply(const TextureTiles& tiles) {
  if (tiles.width <= 0 || tiles.height <= 0 || !glIsEnabled(GL_BLEND)) return false;
  GLint source = 0, destination = 0, viewport[4] = {0, 0, 0, 0};
  glGetIntegerv(GL_BLEND_SRC, &source);
  glGetIntegerv(GL_BLEND_DST, &destination);
  if (source != GL_SRC_ALPHA || destination != GL_ONE_MINUS_SRC_ALPHA) return false;
  glGetIntegerv(GL_VIEWPORT, viewport);
  return tiles.width <= TEXTURE_TILE_MAX_TEXELS_PER_PIXEL * viewport[2] &&
         tiles.height <= TEXTURE_TILE_MAX_TEXELS_PER_PIXEL * viewport[3];
}

}  // namespace

TextureTiles plan_texture_tiles(const uint8_t* rgba, int width, int height) {
  TextureTiles tiles;
  if (!rgba || width < TEXTURE_TILE_TEXELS || height < TEXTURE_TILE_TEXELS || width % TEXTURE_TILE_TEXELS != 0 ||
      height % TEXTURE_TILE_TEXELS != 0)
    return tiles;
  const int columns = width / TEXTURE_TILE_TEXELS, rows = height / TEXTURE_TILE_TEXELS;
  for (int by = 0; by < rows; ++by) {
    const float v0 = static_cast<float>(by) / rows, v1 = static_cast<float>(by + 1) / rows;
    for (int bx = 0; bx < columns;) {
      uint8_t rgb[3];
      const TileKind kind = block_kind(rgba, width, height, bx, by, rgb);
      int end = bx + 1;
      uint8_t next[3];
      while (end < columns && block_kind(rgba, width, height, end, by, next) == kind &&
             (kind != TILE_FLAT || std::memcmp(next, rgb, 3) == 0))
        ++end;
      if (kind != TILE_CLEAR)
        tiles.runs.push_back({static_cast<float>(bx) / columns, static_cast<float>(end) / columns, v0, v1,
                              static_cast<uint8_t>(kind), {rgb[0], rgb[1], rgb[2]}});
      bx = end;
    }
  }
  tiles.width = width;
  tiles.height = height;
  return tiles;
}

TextureTiles plan_texture_tiles(uint32_t texture) {
  GLint width = 0, height = 0;
  glBindTexture(GL_TEXTURE_2D, texture);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
  if (width <= 0 || height <= 0) return TextureTiles{};
  std::vector<uint8_t> rgba(static_cast<size_t>(width) * height * 4);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
  return plan_texture_tiles(rgba.data(), width, height);
}

void draw_texture_tiles(uint32_t texture, const TextureTiles& tiles, float half_width, float half_height) {
  glBindTexture(GL_TEXTURE_2D, texture);
  glEnable(GL_TEXTURE_2D);
  if (!tiles_apply(tiles)) {
    glBegin(GL_QUADS);
    vertex(0, 0, half_width, half_height, true);
    vertex(1, 0, half_width, half_height, true);
    vertex(1, 1, half_width, half_height, true);
    vertex(0, 1, half_width, half_height, true);
    glEnd();
    glDisable(GL_TEXTURE_2D);
    return;
  }
  run_quads(tiles, TILE_TEXTURED, half_width, half_height);
  glDisable(GL_TEXTURE_2D);
  // Opaque: blending would leave the very same colour.
  glDisable(GL_BLEND);
  run_quads(tiles, TILE_FLAT, half_width, half_height);
  glEnable(GL_BLEND);
  glColor3f(1.0f, 1.0f, 1.0f);
}
