#include "framework/text_batch.h"

#include <cstring>

#include "framework/glyph_layout.h"
#include "framework/text.h"
#include "framework/text_capture.h"

void text_batch_clear(TextBatch* batch) {
  batch->xy.clear();
  batch->indices.clear();
}

void text_batch_add(TextBatch* batch, int slot, int alignment, float x, float y, float scale, const char* text) {
  if (!text || slot < 0 || slot >= FONT_SLOT_COUNT) return;
  const size_t length = strnlen(text, PRINT_BUFFER_SIZE - 1);
  char line[PRINT_BUFFER_SIZE];
  std::memcpy(line, text, length);
  line[length] = '\0';
  text_capture_record_at(line, slot, x, y);
  if (length == 0) return;
  float shift = 0.0f;
  if (alignment == ALIGN_CENTRED) {
    shift = -text_width(line) / 2.0f;
  } else if (alignment == ALIGN_RIGHT) {
    shift = -text_width(line) + glyph_advance(static_cast<unsigned char>(line[length - 1]));
  }
  text_append_glyphs(slot, line, length, x + shift * scale, y, scale, &batch->xy, &batch->indices);
}

void text_batch_draw(const TextBatch& batch) { text_draw_triangles(batch.xy, batch.indices); }
