#include "nav/nav_active_plan.h"

#include <cstdio>

namespace {

// Room for two floats of any size in "%f" form.
constexpr size_t ROW_CAPACITY = 160;

std::string one_word(const char (&ident)[NAV_PLAN_IDENT_CAPACITY]) {
  std::string word;
  for (size_t i = 0; i < sizeof ident && ident[i]; ++i) {
    const unsigned char c = static_cast<unsigned char>(ident[i]);
    word += c <= ' ' || c == 0x7F ? '_' : static_cast<char>(c);
  }
  return word.empty() ? "-" : word;
}

}  // namespace

std::string nav_active_plan_section(const ActivePlan* plan, int first_leg) {
  std::string text = std::string(NAV_ACTIVE_PLAN_LABEL) + "\n";
  int count = plan->leg_count;
  if (count < 0) count = 0;
  if (count > NAV_PLAN_MAX_LEGS) count = NAV_PLAN_MAX_LEGS;
  for (int i = first_leg < 0 ? 0 : first_leg; i < count; ++i) {
    const NavPlanLeg& leg = plan->legs[i];
    char row[ROW_CAPACITY];
    std::snprintf(row, sizeof row, "%d,%f,%f,", count - i, static_cast<double>(leg.latitude),
                  static_cast<double>(leg.longitude));
    text += row;
    text += one_word(leg.ident);
    text += '\n';
  }
  return text;
}
