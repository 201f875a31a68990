#include "pfd/speed_tape_logic.h"

#include <algorithm>
#include <cmath>

static double kelvin_of(int16_t raw_oat) { return raw_oat / 256.0 + 273.15; }

double mach_of_speed(double v, const PfdDerived& d, int16_t raw_oat) {
  double kelvin = std::max(kelvin_of(raw_oat), 1.0);  // a hostile OAT never divides by zero
  return (v + (d.tas - d.ias)) / (38.967854 * std::sqrt(kelvin));
}

void speed_tape_update(SpeedTapeState* s, const PfdDerived& d, int16_t raw_oat,
                       const AircraftConfig& config, bool alert_bit6) {
  const double ias = d.ias, tas_minus_ias = d.tas - d.ias;
  if (d.acceleration != 0 && !d.on_ground) {
    s->trend_speed = ias + d.acceleration * TREND_SECONDS * KNOTS_PER_FPS;
    s->trend_mach = mach_of_speed(s->trend_speed, d, raw_oat);
    s->trend_valid = true;
  }
  if (d.on_ground) s->trend_valid = false;
  const double kelvin = std::max(kelvin_of(raw_oat), 1.0);
  s->trend_mach_low = (s->trend_speed + tas_minus_ias) / (661.479 * std::sqrt(kelvin / 288.15));

  const double flap = d.flap_angle;
  if (flap >= 0 && flap <= 8) s->flap_limited_speed = config.vmo - 10.625 * flap;
  else if (flap > 8 && flap <= 20) s->flap_limited_speed = 283.33 - 4.1667 * flap;
  else if (flap > 20 && flap <= 40) s->flap_limited_speed = 250 - 2.5 * flap;
  // above 40 degrees the previous frame's value stands

  s->vmin_mach = mach_of_speed(config.vmin, d, raw_oat);
  double flap_speed_mach = mach_of_speed(s->flap_limited_speed, d, raw_oat);

  // The Mach limit as indicated speed uses last frame's effective maximum Mach.
  double limit = d.indicated_altitude > MACH_LIMIT_HIGH_ALTITUDE
      ? MACH_LIMIT_IAS_HIGH
      : KNOTS_PER_FPS * s->max_mach_effective * std::sqrt(2402.4 * std::max(d.oat_rankine, 0.0));
  s->mach_limit_ias = limit - tas_minus_ias;

  double mmo = config.mmo == 0 ? DEFAULT_MMO : config.mmo;
  s->max_mach_effective = std::min(mmo, flap_speed_mach);
  s->max_allowable_speed = std::min(s->flap_limited_speed, s->mach_limit_ias);
  s->flap_limited_mach = flap == 0 ? s->max_mach_effective : 0.00009 * flap * flap - 0.0094 * flap + 0.4861;
  s->mach_tape = alert_bit6 && d.mach >= MACH_TAPE_MIN;
}

int speed_drum_row(double units) {
  return static_cast<int>(std::lround((DRUM_TOP - DRUM_PER_UNIT * units - READOUT_BASELINE) / DRUM_STEP));
}

namespace {
// Leading digits of a value in drum units: its tens, plus one once the
// drum shows the "0" that follows the "9" (rows 0 and 1 of the column).
int leading_digits(double value) {
  const double tens = std::floor(value / 10.0);
  return static_cast<int>(tens) + (speed_drum_row(value - tens * 10.0) <= 1 ? 1 : 0);
}
}  // namespace

int speed_readout_tens(double ias) { return leading_digits(ias); }

int mach_readout_tenths(double mach) { return leading_digits(mach * 100.0); }

bool speed_trend_shown(const SpeedTapeState& s, const PfdDerived& d) { return s.trend_valid && !d.on_ground; }

ReadoutColour speed_readout_colour(const SpeedTapeState& s, const PfdDerived& d, const AircraftConfig& c) {
  if (s.mach_tape) {
    const double m = d.mach, max = s.max_mach_effective;
    if ((s.trend_mach > max && max > m) || (s.trend_mach_low < s.vmin_mach && s.vmin_mach < m))
      return READOUT_AMBER;
    if (m >= max || s.vmin_mach >= m) return READOUT_RED;
    return READOUT_NORMAL;
  }
  if (d.on_ground) return READOUT_NORMAL;
  const double ias = d.ias, max = s.max_allowable_speed, vmin = c.vmin;
  if ((s.trend_speed > max && max > ias) || (s.trend_speed < vmin && vmin < ias)) return READOUT_AMBER;
  if (ias >= max || ias <= vmin) return READOUT_RED;
  return READOUT_NORMAL;
}
