#pragma once
// The glyph geometry behind print(), for text drawn in bulk (framework/text_batch.h).
#include <cstddef>
#include <cstdint>
#include <vector>

// Appends the text's glyph triangles laid out from (x, y) at `scale` (em
// units times scale, in the caller's frame), each glyph moved along by the
// advances before it; returns the summed advance in em. Nothing for a slot
// not built.
float text_append_glyphs(int slot, const char* text, size_t length, float x, float y, float scale,
                         std::vector<float>* xy, std::vector<uint32_t>* indices);

// One draw of the triangles at the current model-view position, opaque
// colours without blending.
void text_draw_triangles(const std::vector<float>& xy, const std::vector<uint32_t>& indices);
