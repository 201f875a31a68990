#pragma once
// The full-screen quads of the display units: the black fade/dimming quad and
// the bezel overlay texture. Both cover the drawing area exactly.
#include <cstdint>

#include "framework/texture_tiles.h"

constexpr float FULL_QUAD_HALF_WIDTH = 0.7164f;
constexpr float FULL_QUAD_HALF_HEIGHT = 1.0f;
constexpr float FULL_QUAD_DEPTH = 2.425f;
constexpr float BEZEL_OVERLAY_OFFSET = 0.15f;

// Black with the given alpha over the whole drawing area.
void draw_fade_quad(float alpha);
// A texture on the quad (-half_width, -half_height)..(half_width, half_height)
// at `depth`, white and blended over the picture (the bezel pictures);
// leaves blending, texturing and depth testing off.
void draw_blended_texture_quad(uint32_t texture, float half_width, float half_height, float depth);
// The bezel texture over everything; leaves blending, texturing and depth
// testing off.
void draw_bezel_overlay(uint32_t texture);
// The fully transparent window in the middle of an overlay texture, in
// texture coordinates, kept a few texels inside so that filtering never
// reaches an opaque texel. Drawing the overlay around it leaves every pixel as
// the whole quad would, without blending the open screen area.
struct OverlayOpening {
  bool found;
  float u_min, u_max, v_min, v_max;
};
constexpr int OVERLAY_OPENING_MARGIN_TEXELS = 8;

// Reads the texture's level-0 alpha (needs the GL context).
OverlayOpening find_overlay_opening(uint32_t texture);
// The same on an alpha plane in memory (row 0 = texture row 0).
OverlayOpening find_alpha_opening(const uint8_t* alpha, int width, int height);
// draw_bezel_overlay() drawn as four strips around the opening; the whole
// quad when no opening was found.
void draw_bezel_overlay_around(uint32_t texture, const OverlayOpening& opening);

// A full-area textured quad at the quad depth (screen backgrounds).
void draw_full_textured_quad(uint32_t texture);
// The same drawn as its planned tiles (see texture_tiles.h).
void draw_full_textured_quad(uint32_t texture, const TextureTiles& tiles);
