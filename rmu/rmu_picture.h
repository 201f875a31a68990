#pragma once
// Where the RMU draws: the display group in front of the bezel picture, and
// the bezel picture itself.
#include <cstdint>

#include "rmu/rmu_state.h"

constexpr const char* RMU_BEZEL_TEXTURE = "textures//RMU_Bezel3.tga";
constexpr int RMU_TEXTURE_BEZEL = 0;
constexpr float RMU_DISPLAY_DEPTH_WITH_BEZEL = 1.14f;
// The bezel quad, (-0.8, -1) to (0.8, 1) at depth 2.425.
constexpr float RMU_BEZEL_HALF_WIDTH = 0.8f, RMU_BEZEL_HALF_HEIGHT = 1.0f, RMU_BEZEL_DEPTH = 2.425f;
// The drawing area's width per height (the perspective uses the same).
constexpr double RMU_WIDTH_PER_HEIGHT = 0.8219;

// Identity, then the display group's translation: (0, 0, -1.14) with the
// bezel shown, else the display position.
void rmu_place_display_group(const RmuState& state);
// The bezel texture over everything, white and blended; leaves blending,
// texturing and depth testing off.
void rmu_draw_bezel(uint32_t texture);
