// The engine layer's rules: colour bands past their ends, boxes by simulator
// version, the N1 limit in double, and readouts that never cast an
// unrepresentable value.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "mfd/eicas_logic.h"

namespace {

std::string box_name(EicasBox b) { return b == EICAS_BOX_RED ? "red" : b == EICAS_BOX_AMBER ? "amber" : "none"; }
std::string colour_name(EicasColour c) {
  if (c.r == 1 && c.g == 1) return "white";
  if (c.r == 1 && c.g == 0) return "red";
  return "amber";
}

TEST(EicasBands, ValuesBeyondTheEndsTakeTheEndBand) {
  const double nan = std::nan("");
  const struct { double v; bool n1_red; const char* n2; } n[] = {
      {-5, false, "white"}, {0, false, "white"}, {100, false, "white"}, {100.1, true, "amber"},
      {102.5, true, "amber"}, {102.6, true, "red"}, {110, true, "red"}, {130, true, "red"}, {nan, false, "white"}};
  for (const auto& c : n) {
    EXPECT_EQ(eicas_n1_red(c.v), c.n1_red) << c.v;
    EXPECT_EQ(colour_name(eicas_n2_colour(c.v)), c.n2) << c.v;
  }
  const struct { double psi; int side; uint32_t version; const char* box; } oil[] = {
      {-3, 0, 8, "red"},    {0, 0, 8, "red"},     {49, 0, 8, "red"},      {49.5, 0, 8, "none"},
      {49.5, 1, 8, "red"},  {50, 0, 8, "amber"},  {64.99, 1, 8, "amber"}, {70, 0, 8, "none"},
      {81, 0, 8, "amber"},  {121, 1, 8, "red"},   {150, 0, 8, "red"},     {400, 0, 8, "red"},
      {400, 0, 7, "none"},  {20, 1, 7, "none"},   {55, 0, 7, "amber"},    {nan, 0, 8, "none"}};
  for (const auto& c : oil)
    EXPECT_EQ(box_name(eicas_oil_pressure_box(c.psi, c.side, c.version)), c.box) << c.psi << " v" << c.version;
  const struct { double t; const char* box; } temp[] = {
      {-80, "red"}, {-60, "red"}, {-53.5, "red"}, {-53, "amber"}, {29, "amber"}, {29.5, "none"},
      {127, "none"}, {128, "red"}, {175, "red"}, {240, "red"}, {nan, "none"}};
  for (const auto& c : temp) EXPECT_EQ(box_name(eicas_oil_temperature_box(c.t)), c.box) << c.t;
}

TEST(EicasN1Limit, FormulaInDoubleClampedAndWhenShown) {
  const struct { double oat, alt, expected; } limits[] = {
      {15, 0, 15 * 0.1616 + 84.171},
      {15, 5000, 15 * (2e-10 * 25e6 + 4e-7 * 5000 + 0.1616) + (7.5 + 84.171)},
      {60, 0, 102.97 - 0.2971 * 60},   // clamped to the low-altitude ceiling
      {-56, 51000, 100.0},             // clamped to 100 above 10,000 ft
      {-100, 50000, -100 * (2e-10 * 2.5e9 + 0.02 + 0.1616) + 75 + 84.171},  // A squared beyond 32 bits
      {-600, 0, 0.0},                  // never below 0
  };
  for (const auto& c : limits) EXPECT_NEAR(eicas_n1_limit(c.oat, c.alt), c.expected, 1e-9) << c.oat << " " << c.alt;

  const struct { N1LimitInputs in; bool shown; } shown[] = {
      {{false, true, {false, false}, {0, 0}, 0}, true},       // on the ground
      {{true, true, {true, true}, {90, 90}, 20}, false},      // manual N1
      {{false, false, {true, true}, {50, 50}, 0}, false},     // cruise
      {{false, false, {false, true}, {50, 85}, 0}, true},     // take-off lever on a running engine
      {{false, false, {false, true}, {85, 50}, 0}, false},    // lever up on a stopped engine
      {{false, false, {true, true}, {50, 50}, 8}, true},      // flaps out
  };
  for (const auto& c : shown) EXPECT_EQ(eicas_n1_limit_shown(c.in), c.shown);

  const struct { int32_t angle; bool hp; int shown; bool boxed; } flaps[] = {
      {0, false, 0, false}, {8, false, 8, false}, {12, false, 12, true}, {12, true, 12, false},
      {40, false, 40, false}, {55, false, 40, false}, {-3, false, 0, false}};
  for (const auto& c : flaps) {
    EXPECT_EQ(eicas_flaps_shown(c.angle), c.shown) << c.angle;
    EXPECT_EQ(eicas_flaps_boxed(c.angle, c.hp), c.boxed) << c.angle;
  }
}

TEST(EicasReadouts, ClampedBeforeTheCastAndBlankWhenNotFinite) {
  const double inf = std::numeric_limits<double>::infinity();
  const struct { double v; ReadoutRange r; const char* whole; } wholes[] = {
      {623.9, READOUT_ITT, "623"}, {-12.7, READOUT_TEMPERATURE, "-12"}, {7e13, READOUT_FUEL_FLOW, "99999"},
      {-7e13, READOUT_FUEL_LB, "-999999"}, {inf, READOUT_OIL, ""}, {std::nan(""), READOUT_ITT, ""}};
  char text[32];
  for (const auto& c : wholes) {
    EXPECT_EQ(eicas_format_whole(text, sizeof text, c.v, c.r), c.whole[0] != '\0') << c.v;
    EXPECT_STREQ(text, c.whole) << c.v;
  }
  const struct { double v; int width, decimals; const char* fixed; } fixeds[] = {
      {2.04, 2, 1, "2.0"}, {-0.35, 2, 1, "-0.3"}, {1e9, 2, 1, "99.9"}, {std::nan(""), 2, 1, ""}, {5.0, 3, 1, "5.0"}};
  for (const auto& c : fixeds) {
    eicas_format_fixed(text, sizeof text, c.v, c.width, c.decimals, READOUT_TRIM);
    EXPECT_STREQ(text, c.fixed) << c.v;
  }
}

}  // namespace
