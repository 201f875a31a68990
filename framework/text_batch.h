#pragma once
// Many strings of one colour and slot in one draw: marks drawn by the dozen
// (waypoint identifiers) would otherwise pay the renderer's per-draw and
// per-state-change cost once each. Each string lands where print() would
// put it after a translation to (x, y) and a scale, in the model-view frame
// current when the batch is drawn. Order against other drawing changes:
// everything in the batch is drawn when text_batch_draw() is called.
#include <cstdint>
#include <vector>

struct TextBatch {
  std::vector<float> xy;
  std::vector<uint32_t> indices;
};

void text_batch_clear(TextBatch* batch);
// Lays the text out as print(slot, alignment, ...) would at (x, y) with the
// given scale, and records it in the text capture at that point with the
// current colour. Texts are cut to 255 characters like print()'s.
void text_batch_add(TextBatch* batch, int slot, int alignment, float x, float y, float scale, const char* text);
// One draw at the current model-view position in the current colour.
void text_batch_draw(const TextBatch& batch);
