#pragma once
// The bezel overlay drawn only where it can show: the quad of the framework's
// overlay step, cut into the four strips around the texture's transparent
// screen opening, so the opening costs no texturing or blending per frame.
#include <cstdint>

#include "framework/tga.h"

// A rectangle of the texture in texture coordinates (0..1, v = 0 at the bottom).
struct TexRect { float u0, v0, u1, v1; };

// The largest transparent rectangle grown from the centre (alpha 0 in every
// texel), shrunk by `margin` texels so that filtering never reaches it.
// Empty (u0 >= u1) when the centre is not transparent.
TexRect transparent_opening(const TgaImage& image, int margin);
// Finds the opening of the bezel file; false leaves the whole quad in use.
bool bezel_opening_load(const char* path);
// Draws the overlay exactly as one full quad would, skipping the opening.
void draw_bezel_overlay_strips(uint32_t texture);
