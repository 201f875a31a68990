// The timeline's actions ("at TIME ACTION ..."): a table of verbs, each with
// the reader of its words.
#include <cstring>

#include "server/scenario_parse.h"

namespace {

// The verb, then the next two words when given.
struct Action {
  const char* verb;
  const char* a;
  const char* b;
  int n;  // words from the verb on
};

bool action_switch(ScenarioParser* p, const Action& x, ScenarioEvent* e) {
  if (!scenario_arity(p, x.n, 3, "switch NAME on|off")) return false;
  e->kind = EVENT_SWITCH;
  for (int i = 0; i < SWITCH_COUNT; ++i)
    if (std::strcmp(x.a, switch_name(i)) == 0) {
      e->index = static_cast<uint16_t>(i);
      return scenario_on_off(p, x.b, &e->value);
    }
  return scenario_fail(p, "unknown switch '%.40s'", x.a);
}

bool action_engine(ScenarioParser* p, const Action& x, ScenarioEvent* e) {
  if (!scenario_arity(p, x.n, 2, "start|stop left|right")) return false;
  e->kind = EVENT_ENGINE;
  e->value = x.verb[2] == 'a' ? 1 : 0;
  if (std::strcmp(x.a, "left") == 0) e->index = 0;
  else if (std::strcmp(x.a, "right") == 0) e->index = 1;
  else return scenario_fail(p, "engine must be left or right, not '%.40s'", x.a);
  return true;
}

bool action_phase(ScenarioParser* p, const Action& x, ScenarioEvent* e) {
  if (!scenario_arity(p, x.n, 2, "phase NAME")) return false;
  FlightPhase ph;
  if (!phase_from_name(x.a, &ph)) return scenario_fail(p, "unknown phase '%.40s'", x.a);
  e->kind = EVENT_PHASE;
  e->index = ph;
  return true;
}

bool action_failure(ScenarioParser* p, const Action& x, ScenarioEvent* e) {
  if (!scenario_arity(p, x.n, 2, "fail|restore NAME")) return false;
  int id;
  if (!failure_from_name(x.a, &id)) return scenario_fail(p, "unknown failure '%.40s'", x.a);
  e->kind = EVENT_FAIL;
  e->index = static_cast<uint16_t>(id);
  e->value = x.verb[0] == 'f' ? 1 : 0;
  return true;
}

bool action_cell(ScenarioParser* p, const Action& x, ScenarioEvent* e) {
  if (!scenario_arity(p, x.n, 3, "cell OFFSET VALUE|+STEPS|-STEPS") || !scenario_cell(p, x.a, &e->index)) return false;
  if (x.b[0] == '+' || x.b[0] == '-') {
    e->kind = EVENT_CELL_STEP;
    return scenario_number(p, x.b, -255, 255, "counter steps", &e->value);
  }
  e->kind = EVENT_CELL;
  return scenario_number(p, x.b, 0, 255, "cell value", &e->value);
}

bool action_press(ScenarioParser* p, const Action& x, ScenarioEvent* e) {
  if (!scenario_arity(p, x.n, 3, "press OFFSET BIT") || !scenario_cell(p, x.a, &e->index)) return false;
  e->kind = EVENT_PRESS;
  return scenario_number(p, x.b, 0, 7, "bit", &e->value);
}

bool action_tune(ScenarioParser* p, const Action& x, ScenarioEvent* e) {
  int id;
  if (!scenario_arity(p, x.n, 3, "tune RADIO FREQUENCY") || !scenario_radio(p, x.a, &id)) return false;
  e->kind = EVENT_TUNE;
  e->index = static_cast<uint16_t>(id);
  return scenario_frequency(p, id, x.b, &e->value);
}

bool action_squawk(ScenarioParser* p, const Action& x, ScenarioEvent* e) {
  e->kind = EVENT_SQUAWK;
  return scenario_arity(p, x.n, 2, "squawk CODE") && scenario_squawk(p, x.a, &e->value);
}

bool action_course(ScenarioParser* p, const Action& x, ScenarioEvent* e) {
  if (!scenario_arity(p, x.n, 3, "course nav1|nav2 DEGREES")) return false;
  if (std::strcmp(x.a, "nav1") != 0 && std::strcmp(x.a, "nav2") != 0)
    return scenario_fail(p, "course is set on nav1 or nav2, not '%.40s'", x.a);
  e->kind = EVENT_COURSE;
  e->index = x.a[3] == '1' ? 0 : 1;
  return scenario_number(p, x.b, 0, 360, "course", &e->value);
}

bool action_heading_bug(ScenarioParser* p, const Action& x, ScenarioEvent* e) {
  e->kind = EVENT_HEADING_BUG;
  return scenario_arity(p, x.n, 2, "heading-bug DEGREES") && scenario_number(p, x.a, 0, 360, "heading", &e->value);
}

bool action_baro(ScenarioParser* p, const Action& x, ScenarioEvent* e) {
  e->kind = EVENT_BARO;
  return scenario_arity(p, x.n, 2, "baro HECTOPASCALS") &&
         scenario_number(p, x.a, 900, 1100, "barometric setting (hPa)", &e->value);
}

bool action_nav_source(ScenarioParser* p, const Action& x, ScenarioEvent* e) {
  if (!scenario_arity(p, x.n, 2, "nav-source gps|nav")) return false;
  e->kind = EVENT_NAV_SOURCE;
  if (std::strcmp(x.a, "gps") == 0) e->value = 1;
  else if (std::strcmp(x.a, "nav") == 0) e->value = 0;
  else return scenario_fail(p, "nav-source is gps or nav, not '%.40s'", x.a);
  return true;
}

struct ActionVerb {
  const char* verb;
  bool (*parse)(ScenarioParser* p, const Action& x, ScenarioEvent* e);
};
constexpr ActionVerb ACTIONS[] = {
    {"switch", action_switch},   {"start", action_engine},      {"stop", action_engine},
    {"phase", action_phase},     {"fail", action_failure},      {"restore", action_failure},
    {"cell", action_cell},       {"press", action_press},       {"tune", action_tune},
    {"squawk", action_squawk},   {"course", action_course},     {"heading-bug", action_heading_bug},
    {"baro", action_baro},       {"nav-source", action_nav_source},
};

}  // namespace

bool scenario_action(ScenarioParser* p, int first, ScenarioEvent* e) {
  char** w = p->line.words;
  int n = p->line.count - first;
  Action x{w[first], n > 1 ? w[first + 1] : nullptr, n > 2 ? w[first + 2] : nullptr, n};
  for (const ActionVerb& verb : ACTIONS)
    if (std::strcmp(x.verb, verb.verb) == 0) return verb.parse(p, x, e);
  return scenario_fail(p, "unknown action '%.40s'", x.verb);
}
