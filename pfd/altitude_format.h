#pragma once
// Texts and placements of the altitude group that tests check without a picture.
#include <cstddef>

// The leading digits of the readout box: the text ("" below 100 ft) and how
// many hatched zero flags stand in for the missing digits.
struct LeadingDigits {
  char text[8];
  int zero_flags;
};
LeadingDigits altitude_leading_digits(double altitude);
// The last two digits' roll: remainder of the integer altitude by 100.
int altitude_roll_remainder(double altitude);
// The barometric readout: "%d MB" of hectopascals or "%2.2f IN".
void format_baro(char* out, size_t size, bool hpa, int hpa_value, double inches);
// The vertical speed digits: shown above 500 ft/min, truncated to 50s, +-9900.
bool vertical_speed_digits(double vertical_speed, int* shown);
// Needle and target rotation in degrees for a vertical speed.
double vertical_speed_rotation(double vertical_speed);

constexpr double TAPE_MIN_ALTITUDE = -1800.0;
constexpr double TAPE_MAX_ALTITUDE = 70000.0;

// The selected altitude readout above the tape. At the depth of the leading
// digits it sits on the selected-altitude marker; further forward it would
// lie above the top of the screen.
constexpr float SELECTED_READOUT_X = 6.24f, SELECTED_READOUT_Y = 11.35f, SELECTED_READOUT_DEPTH = 33.59f;
