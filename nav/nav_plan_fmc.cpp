// The sectioned key=value plan (".fmc"): two header lines, then sections in
// square brackets. Only LEGLIST carries legs: a "LegCount=N" line, and N
// groups of eight key=value lines (1 ident, 4 latitude, 5 longitude, signed
// decimal degrees).
#include "nav/nav_plan.h"
#include "nav/nav_text.h"
#include "nav/nav_tokens.h"

namespace {

enum Section { VERSION, AIRPORTS, LEGLIST, ROUTE, SID, STAR };
struct SectionName {
  const char* name;
  Section section;
};
constexpr SectionName SECTIONS[] = {{"VERSION", VERSION}, {"AIRPORTS", AIRPORTS}, {"LEGLIST", LEGLIST},
                                    {"ROUTE", ROUTE},     {"SID", SID},           {"STAR", STAR}};
constexpr std::string_view FIRST_SEPARATORS = "[ ]=";
constexpr std::string_view LATER_SEPARATORS = "< >=+,?\xB0\xC2'";
constexpr int HEADER_LINES = 2;
constexpr int AIRPORT_SECTION_LINES = 11;
constexpr int LINES_PER_LEG = 8;
constexpr int IDENT_LINE = 0, LATITUDE_LINE = 3, LONGITUDE_LINE = 4;

Section section_of(std::string_view token) {
  for (const SectionName& s : SECTIONS)
    if (token == s.name) return s.section;
  return VERSION;  // anything else has no effect either
}

bool next_line(NavLineCursor* lines, std::string_view* line) {
  if (!nav_next_line(lines, line)) return false;
  *line = line->substr(0, NAV_PLAN_FMC_LINE_LIMIT);
  return true;
}

// The text after the first "="; "" without one.
std::string_view value_of(std::string_view line) {
  size_t eq = line.find('=');
  return eq == std::string_view::npos ? std::string_view() : line.substr(eq + 1);
}

void leg_list(NavLineCursor* lines, ActivePlan* plan, NavPlanIssues* issues) {
  const NavLineCursor first_leg_line = *lines;
  std::string_view line;
  int32_t count = -1;
  while (next_line(lines, &line)) {
    if (nav_contains(line, "LegCount")) {
      count = nav_parse_int(value_of(line));
      break;
    }
  }
  if (count < 0) return;  // no count: no legs (and the file is read to its end)
  if (count > NAV_PLAN_MAX_LEGS) {
    issues->legs_ignored += count - NAV_PLAN_MAX_LEGS;
    count = NAV_PLAN_MAX_LEGS;
  }
  *lines = first_leg_line;
  for (int leg = 0; leg < count; ++leg) {
    std::string_view group[LINES_PER_LEG];
    for (int i = 0; i < LINES_PER_LEG; ++i)
      if (!next_line(lines, &group[i])) return;  // only whole groups count
    nav_plan_add_leg(plan, issues, value_of(group[IDENT_LINE]), NAV_LEG_TYPE_NONE,
                     nav_parse_double(value_of(group[LATITUDE_LINE])),
                     nav_parse_double(value_of(group[LONGITUDE_LINE])));
  }
}

}  // namespace

void nav_plan_parse_fmc(std::string_view text, ActivePlan* plan, NavPlanIssues* issues) {
  NavLineCursor lines{text};
  std::string_view line;
  for (int i = 0; i < HEADER_LINES; ++i)
    if (!next_line(&lines, &line)) return;
  while (next_line(&lines, &line)) {
    NavTokenizer tokenizer{line};
    std::string_view token;
    for (bool first = true; nav_next_token(&tokenizer, first ? FIRST_SEPARATORS : LATER_SEPARATORS, &token);
         first = false) {
      switch (section_of(token)) {
        case AIRPORTS: {
          std::string_view skipped;
          for (int i = 0; i < AIRPORT_SECTION_LINES && next_line(&lines, &skipped); ++i) {
          }
          break;
        }
        case LEGLIST: leg_list(&lines, plan, issues); break;
        case VERSION: case ROUTE: case SID: case STAR: break;
      }
    }
  }
}
