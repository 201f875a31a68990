#pragma once
// Turns flattened glyph outlines into filled triangles with the GLU
// tessellator, once per glyph when a font is built; print() draws a whole
// string's triangles as one vertex array.
#include <cstdint>
#include <vector>

#include "platform/font_outline.h"

// Appends the glyph's vertices to `xy` as x, y pairs in em units, each once,
// and its triangles to `indices` (three per triangle, counted from the
// glyph's first vertex): shared vertices are transformed once when drawn.
// Needs no GL context.
void glyph_triangles(const GlyphOutline& glyph, std::vector<float>* xy, std::vector<uint32_t>* indices);
