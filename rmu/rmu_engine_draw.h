#pragma once
// What the two engine backup pages share: labels centred in the middle,
// engine 1's value left-aligned at the left column, engine 2's right-aligned
// at the right one, the colour rules, and "MORE" on L6.
#include "rmu/rmu_backup_logic.h"
#include "rmu/rmu_draw.h"

constexpr float RMU_ENGINE_LEFT_X = -0.209f, RMU_ENGINE_RIGHT_X = 0.192f;
constexpr RmuColour RMU_RED = {0.89f, 0.22f, 0.27f};
constexpr RmuColour RMU_GREY = {0.6f, 0.6f, 0.6f};

RmuColour rmu_value_colour(RmuGauge gauge, float value);
void rmu_engine_label(float y, const char* label);             // cyan, centred
void rmu_engine_label_pair(float y, const char* cyan, const char* white);
template <typename T>
void rmu_engine_pair(float y, RmuColour left_colour, RmuColour right_colour, const char* format, T left, T right);
void rmu_degree_mark(float x, float y, RmuColour colour);                        // a small raised "0"
void rmu_engine_more_label();                                  // "MORE", green, bottom left
// L6 leads to the other engine page.
void rmu_engine_more_key(int32_t other_page);
