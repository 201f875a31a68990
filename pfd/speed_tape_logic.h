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
// The readout's rolling units drum: the column "10987654321098" printed
// downwards DRUM_STEP apart from DRUM_TOP - DRUM_PER_UNIT * units, where the
// units (knots, or hundredths of Mach) run from 0 up to 10.
constexpr double DRUM_TOP = 14.262;
constexpr double DRUM_PER_UNIT = 0.815;
constexpr double DRUM_STEP = 0.8059;
constexpr double READOUT_BASELINE = 5.379;  // of the leading digits, level with the drum's window
// The drum row (0 at the top of the column) level with the readout's baseline.
int speed_drum_row(double units);
// The leading digits beside the drum: the tens of knots, or the tenths of
// Mach on the Mach tape. They turn over when the drum's "0" after the "9"
// reaches the window, so that the two never read ten knots (or 0.1 Mach)
// away from the speed.
int speed_readout_tens(double ias);
int mach_readout_tenths(double mach);
// The trend line is shown only from the first airborne computation of the
// trend speed, and never on the ground.
bool speed_trend_shown(const SpeedTapeState& s, const PfdDerived& d);
ReadoutColour speed_readout_colour(const SpeedTapeState& s, const PfdDerived& d, const AircraftConfig& config);
