#pragma once
// Heading display decisions free of GL: number formats, the heading bug's
// place on the arc, the course source and the bearing pointers.
#include <cstddef>
#include <cstdint>

#include "pfd/pfd_state.h"

// "00%d" below 10, "0%d" from 10 to 99, "%d" from 100; kept to 0..999.
void format_three_digits(char* out, size_t size, int value);

// Signed-angle helper: above 180 becomes value - 360.
double signed_angle(double degrees);

enum BugPlace { BUG_ON_ARC = 0, BUG_PARKED_RIGHT = 1, BUG_PARKED_LEFT = -1 };
constexpr double ARC_HALF_WIDTH_DEG = 45.0;
// Where the arc format draws the heading bug.
BugPlace heading_bug_place(double bug, double heading);

// The selected course of the active source and whether it is the FMS.
double selected_course(const PfdDerived& v, const PfdRaw& raw);
// Deviation of the active source for the bar, in drawing units sideways.
double deviation_offset(const PfdDerived& v, const PfdRaw& raw);
// The TO/FROM flag of the active NAV source (0 none, 1 TO, 2 FROM); FMS gives TO.
int to_from_flag(const PfdDerived& v, const PfdRaw& raw);

enum PointerKind { POINTER_NONE = 0, POINTER_ADF, POINTER_VOR, POINTER_FMS };
struct BearingPointer {
  PointerKind kind;
  double rotation;  // degrees about the view axis (counter-clockwise positive)
};
// Pointer 1 or 2 (index 1 or 2) for its source code; the FMS pointer exists
// for pointer 1 in the rose format only, with the FMS course source.
BearingPointer bearing_pointer(int index, uint8_t source, const PfdDerived& v, bool arc);

// A value kept inside a readout field.
double clamp_readout(double value, double low, double high);
