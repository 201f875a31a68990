// Outline-font text: glyph display lists per slot, one advance table, print()
// and the capture of what was printed.
#include "framework/text.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <memory>

#include "framework/glyph_lists.h"
#include "framework/text_capture.h"
#include "platform/font_outline.h"

namespace {

struct FontState {
  GLuint slot_base[FONT_SLOT_COUNT];   // 0 = slot not built
  float advances[FONT_GLYPH_COUNT];    // of the font built last; zero until then
  bool missing;
};
FontState g_font;

// Draws the text's glyphs, one list per byte, from the slot's block.
void call_glyphs(int slot, const char* text, size_t length) {
  if (g_font.slot_base[slot] == 0 || length == 0) return;
  glPushAttrib(GL_LIST_BIT);
  glListBase(g_font.slot_base[slot]);
  glCallLists(static_cast<GLsizei>(length), GL_UNSIGNED_BYTE, text);
  glPopAttrib();
}

}  // namespace

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
  if (g_font.slot_base[slot] != 0) glDeleteLists(g_font.slot_base[slot], FONT_GLYPH_COUNT);
  GLuint base = glGenLists(FONT_GLYPH_COUNT);
  g_font.slot_base[slot] = base;
  if (base == 0) {
    g_font.missing = true;
    return false;
  }
  for (int code = 0; code < FONT_GLYPH_COUNT; ++code) {
    compile_glyph_list(base + code, outlines->glyphs[code]);
    g_font.advances[code] = outlines->glyphs[code].advance;
  }
  g_font.advances[FONT_GLYPH_COUNT - 1] = 0.0f;
  g_font.missing = false;
  return true;
}

bool font_is_missing() { return g_font.missing; }

void delete_fonts() {
  for (GLuint& base : g_font.slot_base) {
    if (base != 0) glDeleteLists(base, FONT_GLYPH_COUNT);
    base = 0;
  }
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
  call_glyphs(slot, text, length);
}
