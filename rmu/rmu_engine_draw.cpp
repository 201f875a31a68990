#include "rmu/rmu_engine_draw.h"

#include "framework/text.h"
#include "rmu/rmu_state.h"

namespace {
constexpr float LABEL_PAIR_GAP = 0.006f;
}

RmuColour rmu_value_colour(RmuGauge gauge, float value) {
  switch (rmu_gauge_colour(gauge, value)) {
    case RMU_VALUE_YELLOW: return RMU_YELLOW;
    case RMU_VALUE_RED: return RMU_RED;
    default: return RMU_WHITE;
  }
}

void rmu_engine_label(float y, const char* label) {
  rmu_text(0.0f, y, RMU_TEXT_NORMAL, RMU_CYAN, ALIGN_CENTRED, "%s", label);
}

void rmu_engine_label_pair(float y, const char* cyan, const char* white) {
  float left = -LABEL_PAIR_GAP - rmu_text_width(cyan, RMU_TEXT_SMALL);
  rmu_text(left, y, RMU_TEXT_SMALL, RMU_CYAN, ALIGN_LEFT, "%s", cyan);
  rmu_text(LABEL_PAIR_GAP, y, RMU_TEXT_SMALL, RMU_WHITE, ALIGN_LEFT, "%s", white);
}

// The format is one of the pages' own literals; the instantiations below
// are the only argument types.
template <typename T>
void rmu_engine_pair(float y, RmuColour left_colour, RmuColour right_colour, const char* format, T left, T right) {
  rmu_text(RMU_ENGINE_LEFT_X, y, RMU_TEXT_NORMAL, left_colour, ALIGN_LEFT, format, left);
  rmu_text(RMU_ENGINE_RIGHT_X, y, RMU_TEXT_NORMAL, right_colour, ALIGN_RIGHT, format, right);
}
template void rmu_engine_pair<int>(float, RmuColour, RmuColour, const char*, int, int);
template void rmu_engine_pair<double>(float, RmuColour, RmuColour, const char*, double, double);
template void rmu_engine_pair<const char*>(float, RmuColour, RmuColour, const char*, const char*, const char*);

void rmu_degree_mark(float x, float y, RmuColour colour) {
  rmu_text(x, y + 0.012f, RMU_TEXT_SMALL * 0.6f, colour, ALIGN_LEFT, "0");
}

void rmu_engine_more_label() {
  rmu_text(RMU_LEFT_LABEL_X, RMU_KEY_ROW_Y[5], RMU_TEXT_NORMAL, RMU_GREEN, ALIGN_LEFT, "MORE");
}

void rmu_engine_more_key(int32_t other_page) {
  if (g_rmu.input.selected_line != RMU_KEY_L6) return;
  g_rmu.page = other_page;
  g_rmu.input.selected_line = RMU_KEY_NONE;
}
