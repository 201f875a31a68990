#include "mfd/eicas_logic.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

constexpr double N1_RED_FROM = 100.1;
constexpr double N2_WHITE_TO = 100.0;
constexpr double N2_AMBER_FROM = 100.1, N2_AMBER_TO = 102.5;
constexpr double TAKEOFF_LEVER_PCT = 80.0;
constexpr int32_t FLAPS_MAX_SHOWN = 40;
constexpr int32_t FLAP_DETENTS[] = {0, 8, 20, 40};

bool within(double v, double low, double high) { return v >= low && v <= high; }

}  // namespace

bool eicas_n1_red(double n1_pct) { return n1_pct >= N1_RED_FROM; }

EicasColour eicas_n2_colour(double n2_pct) {
  if (std::isnan(n2_pct) || n2_pct <= N2_WHITE_TO) return EICAS_WHITE;
  if (within(n2_pct, N2_AMBER_FROM, N2_AMBER_TO)) return EICAS_AMBER;
  return EICAS_RED;
}

EicasBox eicas_oil_pressure_box(double psi, int side, uint32_t sim_version) {
  if (std::isnan(psi)) return EICAS_BOX_NONE;
  if (within(psi, 50, 64.99) || within(psi, 81, 120.99)) return EICAS_BOX_AMBER;
  if (sim_version == SIM_VERSION_WITHOUT_OIL_RED_BOX) return EICAS_BOX_NONE;
  const double low_red_to = side == 0 ? 49 : 49.99;
  // Beyond either end the end band's red holds.
  if (psi <= low_red_to || psi >= 121) return EICAS_BOX_RED;
  return EICAS_BOX_NONE;
}

EicasBox eicas_oil_temperature_box(double celsius) {
  if (std::isnan(celsius)) return EICAS_BOX_NONE;
  if (within(celsius, -53, 29)) return EICAS_BOX_AMBER;  // amber wins at -53
  if (celsius < -53 || celsius >= 128) return EICAS_BOX_RED;  // beyond -60 and 175 too
  return EICAS_BOX_NONE;
}

double eicas_n1_limit(double oat_c, double altitude_ft) {
  // In double throughout: A squared passes 2^31 above 46,340 ft.
  const double t = oat_c, a = altitude_ft;
  double value = t * (2e-10 * a * a + 4e-7 * a + 0.1616) + (0.0015 * a + 84.171);
  double upper = a < 10000 ? 102.97 - 0.2971 * t : 100.0;
  value = std::min(value, upper);
  return std::max(value, 0.0);
}

bool eicas_n1_limit_shown(const N1LimitInputs& in) {
  if (in.manual_n1) return false;
  bool takeoff = (in.running[1] && in.thrust_lever_pct[1] > TAKEOFF_LEVER_PCT) ||
                 (in.running[0] && in.thrust_lever_pct[0] > TAKEOFF_LEVER_PCT) || in.on_ground;
  return takeoff || in.flap_angle > 0;
}

int eicas_flaps_shown(int32_t flap_angle) { return std::clamp(flap_angle, 0, FLAPS_MAX_SHOWN); }

bool eicas_flaps_boxed(int32_t flap_angle, bool high_power) {
  const int shown = eicas_flaps_shown(flap_angle);
  for (int detent : FLAP_DETENTS)
    if (shown == detent) return false;
  return !high_power;
}

bool eicas_format_whole(char* out, size_t size, double value, ReadoutRange range) {
  if (size == 0) return false;
  out[0] = '\0';
  if (!std::isfinite(value)) return false;
  const double clamped = std::clamp(value, range.low, range.high);
  std::snprintf(out, size, "%d", static_cast<int>(clamped));
  return true;
}

bool eicas_format_fixed(char* out, size_t size, double value, int width, int decimals, ReadoutRange range) {
  if (size == 0) return false;
  out[0] = '\0';
  if (!std::isfinite(value)) return false;
  std::snprintf(out, size, "%*.*f", width, decimals, std::clamp(value, range.low, range.high));
  return true;
}
