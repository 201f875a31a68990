// Engines, fuel, electrics and hydraulics. N1 follows the thrust lever with a
// spool lag; N2, ITT, fuel flow, oil and fuel pressure follow N1 so that the
// engine pages always agree with the thrust the flight model uses.
#include <algorithm>
#include <cmath>

#include "server/aircraft_constants.h"
#include "server/aircraft_model.h"

namespace {

double clampd(double v, double lo, double hi) { return v < lo ? lo : v > hi ? hi : v; }

double lag(double v, double target, double tau, double dt) {
  return v + (target - v) * std::min(1.0, dt / tau);
}

void engine_step(Aircraft* a, int i, double dt, double oat_c, double sigma) {
  Engine& e = a->engine[i];
  bool fuel_left = a->fuel_lb[i] > 0 || a->fuel_lb[2] > 0;
  bool failed = a->failed[i == 0 ? FAIL_LEFT_ENGINE : FAIL_RIGHT_ENGINE];
  if (failed || !fuel_left) e.fuel_on = false;
  if (!e.fuel_on) e.lit = false;
  if (e.starter && !a->switches[SWITCH_BATTERY]) e.starter = false;
  if (e.starter && e.fuel_on && e.n2 >= ENG_LIGHT_OFF_N2) e.lit = true;
  if (e.starter && e.n2 >= ENG_STARTER_CUTOUT_N2) e.starter = false;

  double n1_target = 0, n2_target = 0;
  if (e.lit) {
    double lever = e.lever;
    n1_target = lever >= 0 ? ENG_IDLE_N1 + clampd(lever, 0, 1) * (ENG_MAX_N1 - ENG_IDLE_N1)
                           : ENG_IDLE_N1 + clampd(-lever, 0, 1) * (ENG_REVERSE_N1 - ENG_IDLE_N1);
    // While the engine is still accelerating from a start, N2 leads.
    n2_target = ENG_IDLE_N2 + (n1_target - ENG_IDLE_N1) * 0.55;
    if (e.n2 < ENG_IDLE_N2 - 1) n1_target = e.n2 * ENG_IDLE_N1 / ENG_IDLE_N2;
  } else if (e.starter) {
    n2_target = 26;
    n1_target = 6;
  }
  double spool = e.lit ? ENG_SPOOL_TAU_S : 6.0;
  if (e.lit && e.n2 < ENG_IDLE_N2 - 1) spool = 5.0;
  e.n2 = lag(e.n2, n2_target, spool, dt);
  e.n1 = lag(e.n1, n1_target, spool, dt);
  if (e.n1 < 0.05 && n1_target == 0) e.n1 = 0;
  if (e.n2 < 0.05 && n2_target == 0) e.n2 = 0;

  double itt_target = e.lit ? 450 + (e.n1 - ENG_IDLE_N1) * 4.8 : oat_c;
  if (e.lit && e.n2 < ENG_IDLE_N2 - 1) itt_target = 620;   // light-off peak
  e.itt_c = lag(e.itt_c, itt_target, e.lit ? 3.0 : 40.0, dt);
  double ff = 0;
  if (e.lit) {
    double x = clampd((e.n1 - ENG_IDLE_N1) / (ENG_MAX_N1 - ENG_IDLE_N1), 0, 1.2);
    ff = (ENG_IDLE_FF_PPH + (ENG_MAX_FF_PPH - ENG_IDLE_FF_PPH) * std::pow(x, 1.6)) * (0.55 + 0.45 * sigma);
  }
  e.fuel_flow_pph = ff;
  e.oil_psi = e.n2 > 1 ? 50 + e.n2 * 0.28 : 0;
  e.oil_temp_c = lag(e.oil_temp_c, e.n2 > 1 ? 40 + e.n2 * 0.6 : oat_c, 60, dt);
  double boost = a->switches[SWITCH_BATTERY] ? 8 : 0;
  e.fuel_psi = e.lit ? 25 : boost;
  if (a->failed[FAIL_ENGINE_FIRE] && i == 0 && e.lit) e.itt_c = std::max(e.itt_c, 900.0);

  // Each engine burns from its own wing tank; the centre tank refills both.
  double burn = ff * dt / 3600.0;
  double from_wing = std::min(burn, a->fuel_lb[i]);
  a->fuel_lb[i] -= from_wing;
  a->fuel_lb[2] = std::max(0.0, a->fuel_lb[2] - (burn - from_wing));
  a->fuel_used_lb += burn;
}

}  // namespace

void aircraft_engines_step(Aircraft* a, double dt) {
  double oat = aircraft_temperature_c(a, a->alt_ft);
  double t0 = a->scenario.sea_level_temp_c + 273.15;
  double t = std::max(t0 - 0.0019812 * a->alt_ft, 216.65);
  double sigma = std::pow(std::max(1 - 6.8756e-6 * a->alt_ft, 0.05), 5.2559) * 288.15 / t;
  for (int i = 0; i < 2; ++i) engine_step(a, i, dt, oat, sigma);
  // Centre-tank transfer keeps the wing tanks topped up; the total is unchanged.
  double capacity = TANK_WING_GAL * FUEL_LB_PER_GAL;
  for (int i = 0; i < 2; ++i) {
    double move = std::min({CENTRE_TRANSFER_PPH * dt / 3600.0, a->fuel_lb[2], capacity - a->fuel_lb[i]});
    if (move > 0 && a->engine[i].lit) {
      a->fuel_lb[i] += move;
      a->fuel_lb[2] -= move;
    }
  }
  for (int i = 0; i < 2; ++i)
    a->hyd_psi[i] = a->failed[FAIL_HYDRAULICS] ? 0 : a->engine[i].n2 > 40 ? HYD_ENGINE_PSI : 0;
}
