#pragma once
// The dim page ("TUNE TO DIM DISPLAY") and the dim layer, step 7 of the frame.
// The dim key shows and hides the page; while it is up the outer knob sets
// the dim level (down darker by 5, up brighter by 5); every frame a black
// layer with alpha level / 255 covers the display. The level is not saved.
#include "rmu/rmu_state.h"

constexpr float RMU_DIM_LEVEL_MAX = 255.0f;
constexpr float RMU_DIM_STEP = 5.0f;

// The dim key and the knob; the level is then held in 0..255.
void rmu_dim_keys(RmuState* state);
// The dim page when it is up, then the dim layer (none at level 0), in the
// display group.
void rmu_dim_draw(const RmuState& state);
