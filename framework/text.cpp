// Outline-font text: glyph triangles per slot, one advance table, print()
// and the capture of what was printed.
#include "framework/text.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "framework/glyph_triangles.h"
#include "framework/glyph_layout.h"
#include "framework/opaque_fill.h"
#include "framework/text_capture.h"
#include "platform/font_outline.h"

namespace {

// One slot's glyphs: the vertices and triangles of all 256 codes in two
// arrays, each code's ranges in them, and the face's own advances that lay
// a string out.
struct SlotGlyphs {
  std::vector<float> xy;           // x, y pairs in em units
  std::vector<uint32_t> indices;   // three per triangle, from the code's first vertex
  uint32_t first_vertex[FONT_GLYPH_COUNT], vertex_count[FONT_GLYPH_COUNT];
  uint32_t first_index[FONT_GLYPH_COUNT], index_count[FONT_GLYPH_COUNT];
  float advance[FONT_GLYPH_COUNT];
  bool built;
};

struct FontState {
  SlotGlyphs slots[FONT_SLOT_COUNT];
  float advances[FONT_GLYPH_COUNT];    // of the font built last; zero until then
  bool missing;
};
FontState g_font;

// The string's triangles, each glyph moved along by the advances before it:
// one draw per print instead of one per glyph, with no matrix change between
// glyphs (the software renderer pays for every draw and every matrix change).
std::vector<float> g_batch_xy;
std::vector<uint32_t> g_batch_indices;

// Draws the text's glyphs and leaves the matrix moved by their advances,
// as calling one glyph after another would.
void draw_glyphs(int slot, const char* text, size_t length) {
  if (length == 0) return;
  g_batch_xy.clear();
  g_batch_indices.clear();
  const float pen = text_append_glyphs(slot, text, length, 0.0f, 0.0f, 1.0f, &g_batch_xy, &g_batch_indices);
  if (!g_batch_indices.empty()) text_draw_triangles(g_batch_xy, g_batch_indices);
  glTranslatef(pen, 0.0f, 0.0f);
}

}  // namespace

float text_append_glyphs(int slot, const char* text, size_t length, float x, float y, float scale,
                         std::vector<float>* xy, std::vector<uint32_t>* indices) {
  if (slot < 0 || slot >= FONT_SLOT_COUNT) return 0.0f;
  const SlotGlyphs& glyphs = g_font.slots[slot];
  if (!glyphs.built) return 0.0f;
  float pen = 0.0f;
  for (size_t i = 0; i < length; ++i) {
    const unsigned char code = static_cast<unsigned char>(text[i]);
    const uint32_t base = static_cast<uint32_t>(xy->size() / 2);
    const float* p = glyphs.xy.data() + 2 * static_cast<size_t>(glyphs.first_vertex[code]);
    const float* end = p + 2 * static_cast<size_t>(glyphs.vertex_count[code]);
    for (; p != end; p += 2) {
      xy->push_back(x + (p[0] + pen) * scale);
      xy->push_back(y + p[1] * scale);
    }
    const uint32_t* index = glyphs.indices.data() + glyphs.first_index[code];
    for (uint32_t k = 0; k < glyphs.index_count[code]; ++k) indices->push_back(base + index[k]);
    pen += glyphs.advance[code];
  }
  return pen;
}

void text_draw_triangles(const std::vector<float>& xy, const std::vector<uint32_t>& indices) {
  if (indices.empty()) return;
  const bool paused = opaque_fill_begin();
  glEnableClientState(GL_VERTEX_ARRAY);
  glVertexPointer(2, GL_FLOAT, 0, xy.data());
  glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(indices.size()), GL_UNSIGNED_INT, indices.data());
  glDisableClientState(GL_VERTEX_ARRAY);
  opaque_fill_end(paused);
}

bool build_font(const char* face_name, int slot, int height, int weight) {
  // Outlines come in em units: the requested character height does not change
  // the geometry, the model-view matrix sizes the text.
  (void)height;
  if (slot < 0 || slot >= FONT_SLOT_COUNT) return false;
  auto outlines = std::make_unique<FontOutlines>();
  if (!load_font_outlines(face_name, weight, outlines.get())) {
    g_font.missing = true;
    return false;
  }
  SlotGlyphs& glyphs = g_font.slots[slot];
  glyphs.xy.clear();
  glyphs.indices.clear();
  for (int code = 0; code < FONT_GLYPH_COUNT; ++code) {
    glyphs.first_vertex[code] = static_cast<uint32_t>(glyphs.xy.size() / 2);
    glyphs.first_index[code] = static_cast<uint32_t>(glyphs.indices.size());
    if (code != FONT_GLYPH_COUNT - 1) glyph_triangles(outlines->glyphs[code], &glyphs.xy, &glyphs.indices);
    glyphs.vertex_count[code] = static_cast<uint32_t>(glyphs.xy.size() / 2) - glyphs.first_vertex[code];
    glyphs.index_count[code] = static_cast<uint32_t>(glyphs.indices.size()) - glyphs.first_index[code];
    glyphs.advance[code] = code == FONT_GLYPH_COUNT - 1 ? 0.0f : outlines->glyphs[code].advance;
    g_font.advances[code] = glyphs.advance[code];
  }
  glyphs.xy.shrink_to_fit();
  glyphs.indices.shrink_to_fit();
  glyphs.built = true;
  g_font.missing = false;
  return true;
}

bool font_is_missing() { return g_font.missing; }

void delete_fonts() {
  for (SlotGlyphs& glyphs : g_font.slots) {
    glyphs.xy.clear();
    glyphs.xy.shrink_to_fit();
    glyphs.indices.clear();
    glyphs.indices.shrink_to_fit();
    glyphs.built = false;
  }
  g_batch_xy.clear();
  g_batch_xy.shrink_to_fit();
  g_batch_indices.clear();
  g_batch_indices.shrink_to_fit();
}

float glyph_advance(unsigned char code) { return g_font.advances[code]; }

float text_width(const char* text) {
  float width = 0.0f;
  if (!text) return width;
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p; ++p)
    width += g_font.advances[*p];
  return width;
}

void print(int slot, int alignment, const char* format, ...) {
  if (!format || slot < 0 || slot >= FONT_SLOT_COUNT) return;
  char text[PRINT_BUFFER_SIZE];
  va_list args;
  va_start(args, format);
  int n = vsnprintf(text, sizeof text, format, args);  // longer texts are cut to 255 characters
  va_end(args);
  if (n < 0) text[0] = '\0';
  size_t length = strlen(text);

  text_capture_record(text, slot);

  if (length > 0) {
    float width = text_width(text);
    if (alignment == ALIGN_CENTRED) {
      glTranslatef(-width / 2.0f, 0.0f, 0.0f);
    } else if (alignment == ALIGN_RIGHT) {
      unsigned char last = static_cast<unsigned char>(text[length - 1]);
      glTranslatef(-width + g_font.advances[last], 0.0f, 0.0f);
    }
  }
  draw_glyphs(slot, text, length);
}
