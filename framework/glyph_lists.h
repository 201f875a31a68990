#pragma once
// Turns flattened glyph outlines into display lists: filled polygons from the
// GLU tessellator, followed by the glyph's advance as a translation, so that
// calling the lists of a string one after another lays the string out.
#include "platform/font_outline.h"

// Compiles one glyph into `list` (which must already be reserved).
// Needs a current GL context.
void compile_glyph_list(unsigned int list, const GlyphOutline& glyph);
