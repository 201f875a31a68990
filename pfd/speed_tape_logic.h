#pragma once
// The airspeed tape's derived speeds and its colour and mode rules, apart
// from drawing so that they can be checked on their own.
#include "pfd/pfd_state.h"

constexpr double TREND_SECONDS = 10.0;
constexpr double KNOTS_PER_FPS = 0.59248;
constexpr double MACH_TAPE_MIN = 0.4;
constexpr double DEFAULT_MMO = 0.81;
constexpr double MACH_LIMIT_HIGH_ALTITUDE = 36000.0;
constexpr double MACH_LIMIT_IAS_HIGH = 464.13;

enum ReadoutColour { READOUT_NORMAL = 0, READOUT_AMBER = 1, READOUT_RED = 2 };

// Mach of an indicated speed v (knots), from TAS - IAS and the raw OAT.
double mach_of_speed(double v, const PfdDerived& d, int16_t raw_oat);
// Updates the frame-to-frame state from this frame's values.
void speed_tape_update(SpeedTapeState* s, const PfdDerived& d, int16_t raw_oat,
                       const AircraftConfig& config, bool alert_bit6);
ReadoutColour speed_readout_colour(const SpeedTapeState& s, const PfdDerived& d, const AircraftConfig& config);
