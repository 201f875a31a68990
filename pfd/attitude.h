#pragma once
// Attitude director geometry shared by its drawing and its tests.

constexpr float SPHERE_SHIFT_PER_DEGREE = -0.0216f;   // pitch up moves the picture down
constexpr float LADDER_STEP = 0.1079f;                // per 5 degrees (0.02158 per degree)
constexpr float EXCESSIVE_PITCH = 20.0f;
constexpr float RADIO_ALTITUDE_SHOWN_MAX = 2500.0f;
constexpr float PITCH_LIMIT = 90.0f;

// The ladder's clip box height and bottom depend on the radio-altitude readout.
struct ClipFractions { float left, bottom, width, height; };
ClipFractions ladder_clip(float radio_altitude);
// Number of excessive-pitch chevrons (positive: pointing down, negative: up).
int excessive_pitch_chevrons(double pitch);
// The flight-director bank actually drawn.
double drawn_fd_bank(double fd_bank);
