#include <cmath>
#include <cstdio>

#include "pfd/altitude_format.h"
#include "pfd/heading_logic.h"

namespace {
// The displayed whole number of a measured value (0.1 toward the next).
int nudged(double v) { return static_cast<int>(v >= 0 ? v + 0.1 : v - 0.1); }
constexpr double VS_SHOWN_ABOVE = 500.0;
constexpr double VS_DIGITS_LIMIT = 9900.0;
constexpr double VS_DIAL_LIMIT = 3000.0;
constexpr double VS_DEGREES_PER_FPM = -0.0162;
}  // namespace

LeadingDigits altitude_leading_digits(double altitude) {
  LeadingDigits d{};
  altitude = clamp_readout(altitude, TAPE_MIN_ALTITUDE, TAPE_MAX_ALTITUDE);
  const int hundreds = nudged(altitude / 100.0);
  if (altitude < 100.0) {
    d.zero_flags = 3;
  } else if (altitude < 1000.0) {
    std::snprintf(d.text, sizeof d.text, "%1.0d", hundreds);
    d.zero_flags = 2;
  } else if (altitude < 10000.0) {
    std::snprintf(d.text, sizeof d.text, "%1.0d", hundreds);
    d.zero_flags = 1;
  } else {
    std::snprintf(d.text, sizeof d.text, "%2.0d", hundreds);
    d.zero_flags = 0;
  }
  return d;
}

int altitude_roll_remainder(double altitude) {
  altitude = clamp_readout(altitude, TAPE_MIN_ALTITUDE, TAPE_MAX_ALTITUDE);
  return static_cast<int>(altitude) % 100;
}

void format_baro(char* out, size_t size, bool hpa, int hpa_value, double inches) {
  if (hpa) {
    std::snprintf(out, size, "%d MB", static_cast<int>(clamp_readout(hpa_value, 0, 9999)));
  } else {
    std::snprintf(out, size, "%2.2f IN", clamp_readout(inches, 0.0, 99.99));
  }
}

bool vertical_speed_digits(double vertical_speed, int* shown) {
  if (!(std::fabs(vertical_speed) > VS_SHOWN_ABOVE)) return false;
  const double v = clamp_readout(vertical_speed, -VS_DIGITS_LIMIT, VS_DIGITS_LIMIT);
  *shown = static_cast<int>(v * 0.02) * 50;
  return true;
}

double vertical_speed_rotation(double vertical_speed) {
  return clamp_readout(vertical_speed, -VS_DIAL_LIMIT, VS_DIAL_LIMIT) * VS_DEGREES_PER_FPM + 360.0;
}
