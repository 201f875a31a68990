// The scenario parser: one statement per line, '#' starts a comment, words
// separated by blanks. Every number is range-checked; the first bad line ends
// the parse with its file, line and the problem. The statements are read by
// server/scenario_statements.cpp, their words by server/scenario_words.cpp.
#include "server/scenario.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>

#include "server/scenario_parse.h"

namespace {

// Splits the current line into words; false when it is too long or has too many.
bool split(ScenarioParser* p, const char* start, size_t length) {
  ScenarioLine* l = &p->line;
  if (length > 0 && start[length - 1] == '\r') --length;
  if (length > SCENARIO_MAX_LINE) return scenario_fail(p, "line longer than 512 characters");
  std::memcpy(l->text, start, length);
  l->text[length] = '\0';
  for (size_t i = 0; i < length; ++i) {
    if (l->text[i] == '#') { l->text[i] = '\0'; break; }
    if (l->text[i] == '\0') return scenario_fail(p, "line contains a NUL byte");
  }
  l->count = 0;
  char* c = l->text;
  while (*c) {
    while (*c == ' ' || *c == '\t') *c++ = '\0';
    if (!*c) break;
    if (l->count == SCENARIO_MAX_WORDS) return scenario_fail(p, "more than 24 words on one line");
    l->words[l->count++] = c;
    while (*c && *c != ' ' && *c != '\t') ++c;
  }
  return true;
}

bool check_whole(ScenarioParser* p) {
  Scenario* s = p->s;
  p->line.number = 0;
  if (!s->has_departure) return scenario_fail(p, "no departure runway");
  if (!s->has_arrival) return scenario_fail(p, "no arrival runway");
  for (int i = 0; i < s->event_count; ++i) {
    const ScenarioEvent& e = s->events[i];
    if (e.kind == EVENT_PHASE && e.index != PHASE_TAXI_OUT && e.index != PHASE_TAKEOFF &&
        e.index != PHASE_TAXI_IN && e.index != PHASE_SHUTDOWN && e.index != PHASE_PARKED &&
        e.index != PHASE_DESCENT) {
      p->line.number = e.line;
      return scenario_fail(p, "phase %s cannot be started by the timeline (taxi-out, takeoff, descent, taxi-in, shutdown, parked)",
                  phase_name(static_cast<FlightPhase>(e.index)));
    }
  }
  return true;
}

}  // namespace

void scenario_defaults(Scenario* s) {
  *s = Scenario{};
  std::snprintf(s->name, sizeof s->name, "unnamed");
  s->start_clock_s = 12 * 3600;
  s->qnh_hpa = 1013.25;
  s->sea_level_temp_c = 15;
  s->cruise_alt_ft = 16000;
  s->cruise_ias_kt = 280;
  s->fuel_lb[0] = s->fuel_lb[1] = 2400;
  s->fuel_lb[2] = 400;
  std::snprintf(s->flight_id, sizeof s->flight_id, "KORVU1");
  s->radios[RADIO_COM1] = 118.00; s->radios[RADIO_COM1_STANDBY] = 121.50;
  s->radios[RADIO_COM2] = 121.50; s->radios[RADIO_COM2_STANDBY] = 118.00;
  s->radios[RADIO_NAV1] = 108.00; s->radios[RADIO_NAV1_STANDBY] = 108.00;
  s->radios[RADIO_NAV2] = 108.00; s->radios[RADIO_NAV2_STANDBY] = 108.00;
  s->radios[RADIO_ADF1] = 350; s->radios[RADIO_ADF2] = 350;
  s->squawk = 1200;
}

std::string scenario_error_text(const ScenarioError& e) {
  if (e.line <= 0) return e.file + ": " + e.message;   // about the file as a whole
  return e.file + ":" + std::to_string(e.line) + ": " + e.message;
}

bool scenario_parse_text(const char* text, size_t length, const char* file, Scenario* out,
                         ScenarioError* error) {
  // Large enough to be kept off the stack of callers that hold a few.
  static thread_local Scenario work;
  ScenarioParser p{file, {}, error, &work};
  error->file = file;
  error->line = 0;
  error->message.clear();
  scenario_defaults(&work);
  size_t pos = 0;
  int number_of_line = 0;
  while (pos < length) {
    size_t end = pos;
    while (end < length && text[end] != '\n') ++end;
    p.line.number = ++number_of_line;
    if (number_of_line > SCENARIO_MAX_LINES) return scenario_fail(&p, "more than 4000 lines");
    if (!split(&p, text + pos, end - pos)) return false;
    if (p.line.count > 0 && !scenario_statement(&p)) return false;
    pos = end + 1;
  }
  if (!check_whole(&p)) return false;
  *out = work;
  return true;
}
