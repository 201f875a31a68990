#pragma once
// Turns flattened glyph outlines into filled triangles with the GLU
// tessellator, once per glyph when a font is built; print() draws a whole
// string's triangles as one vertex array.
#include <vector>

#include "platform/font_outline.h"

// Appends the glyph's triangles to `xy` as x, y pairs in em units (three
// vertices per triangle). Needs no GL context.
void glyph_triangles(const GlyphOutline& glyph, std::vector<float>* xy);
