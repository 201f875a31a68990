#pragma once
// The arithmetic of the engine backup pages and the navigation page: colour
// rules, trim texts, the NAV1 course steps and the VOR pointer's motion.
// Pure functions.
#include <cstddef>
#include <cstdint>

#include "rmu/rmu_state.h"

enum RmuValueColour { RMU_VALUE_WHITE, RMU_VALUE_YELLOW, RMU_VALUE_RED };
enum RmuGauge { RMU_GAUGE_N1, RMU_GAUGE_N2, RMU_GAUGE_OIL_PRESSURE };
// The caution/warning colour of a value (thresholds compared in float, as
// the values are held).
RmuValueColour rmu_gauge_colour(RmuGauge gauge, float value);

// "R%2.1f" of degrees when the trim is above 0, else "L%2.1f" of its size;
// an exact zero reads "L0.0".
void rmu_trim_text(double radians, char* out, size_t size);

// One knob event on the course, in the order outer down (-10), outer up
// (+10), inner down (-1), inner up (+1); 360 or more becomes 0 and below 0
// becomes 360. False when no event waited.
bool rmu_course_knob_step(int32_t* course, RmuKnobs* knobs);

// Degrees into -180..180.
double rmu_half_turn(double degrees);
// One frame of the VOR pointer: 90 % of a positive gap, all of a negative one.
float rmu_vor_pointer_step(float angle, float bearing);
// True when the course arrow head is drawn: the course and heading, each in
// -180..180, differ by 45 degrees or less (not wrapped again).
bool rmu_course_arrow_shown(double course, double heading);
