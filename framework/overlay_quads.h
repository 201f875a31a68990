#pragma once
// The full-screen quads of the display units: the black fade/dimming quad and
// the bezel overlay texture. Both cover the drawing area exactly.
#include <cstdint>

constexpr float FULL_QUAD_HALF_WIDTH = 0.7164f;
constexpr float FULL_QUAD_HALF_HEIGHT = 1.0f;
constexpr float FULL_QUAD_DEPTH = 2.425f;
constexpr float BEZEL_OVERLAY_OFFSET = 0.15f;

// Black with the given alpha over the whole drawing area.
void draw_fade_quad(float alpha);
// The bezel texture over everything; leaves blending, texturing and depth
// testing off.
void draw_bezel_overlay(uint32_t texture);
// A full-area textured quad at the quad depth (screen backgrounds).
void draw_full_textured_quad(uint32_t texture);
