// The simulator's older text plan: "waypoint" lines such as
//   waypoint.1=KK, WIK, , WIK, V, N58* 27.53', W003* 06.02', +000000.00,
// split at " =,-*'" into tokens t0, t1, ...
#include "nav/nav_plan.h"
#include "nav/nav_text.h"
#include "nav/nav_tokens.h"

namespace {

constexpr std::string_view SEPARATORS = " =,-*'";
constexpr int MAX_TOKENS = 9;  // the region-code layout reads up to t8
constexpr double MINUTES_PER_DEGREE = 60.0;

// Hemisphere letter, whole degrees, then decimal minutes in the next token.
// False when the letter is not one of the two.
bool coordinate(std::string_view degrees, std::string_view minutes, char positive, char negative, double* out) {
  if (degrees.empty() || (degrees[0] != positive && degrees[0] != negative)) return false;
  double value = nav_parse_int(degrees.substr(1)) + nav_parse_double(minutes) / MINUTES_PER_DEGREE;
  *out = degrees[0] == negative ? -value : value;
  return true;
}

// One leg, or nothing when the line lacks what its layout needs.
void waypoint_line(std::string_view line, ActivePlan* plan, NavPlanIssues* issues) {
  NavTokenizer tokenizer{line};
  std::string_view t[MAX_TOKENS];
  const int n = nav_take_tokens(&tokenizer, SEPARATORS, t, MAX_TOKENS);
  int ident = 1, type = 2, latitude = 3;  // no region code and no repeated ident
  if (n >= 3 && t[1] == t[2]) {
    ident = 2, type = 3, latitude = 4;
  } else if (n >= 4 && t[2] == t[3]) {
    ident = 2, type = 4, latitude = 5;
  }
  if (n < latitude + 4) return;
  double lat = 0.0, lon = 0.0;
  if (!coordinate(t[latitude], t[latitude + 1], 'N', 'S', &lat) ||
      !coordinate(t[latitude + 2], t[latitude + 3], 'E', 'W', &lon))
    return;
  nav_plan_add_leg(plan, issues, t[ident], t[type][0], lat, lon);
}

}  // namespace

void nav_plan_parse_text(std::string_view text, ActivePlan* plan, NavPlanIssues* issues) {
  NavLineCursor lines{text};
  std::string_view line;
  while (nav_next_line(&lines, &line) && !line.empty()) {
    // The rest of an over-long line is dropped, never read as a leg of its own.
    waypoint_line(line.substr(0, NAV_PLAN_TEXT_LINE_LIMIT), plan, issues);
  }
}
