#pragma once
// Inside the scenario parser: the line being read, split into words, and the
// readers of one word each (numbers, identifiers, times, radios, cells),
// every one range-checked. A reader that refuses a word records the line and
// the problem in the parser's error and returns false.
#include <cstdint>

#include "server/scenario.h"

constexpr int SCENARIO_MAX_WORDS = 24;

struct ScenarioLine {
  char text[SCENARIO_MAX_LINE + 1];
  char* words[SCENARIO_MAX_WORDS];
  int count;
  int number;
};

struct ScenarioParser {
  const char* file;
  ScenarioLine line;
  ScenarioError* error;
  Scenario* s;
};

// Records the problem (a printf format with one string) at the current line.
bool scenario_fail(ScenarioParser* p, const char* format, const char* detail = "");
// True when `count` is `want`, else "expected: <usage>".
bool scenario_arity(ScenarioParser* p, int count, int want, const char* usage);

bool scenario_number(ScenarioParser* p, const char* word, double low, double high, const char* what, double* out);
bool scenario_ident(ScenarioParser* p, const char* word, const char* what, char* out);
// "90", "1:30", "1:02:03": seconds, at most a day.
bool scenario_clock(ScenarioParser* p, const char* word, double* seconds);
// A time from the start, or "PHASE+TIME" from reaching that phase.
bool scenario_when(ScenarioParser* p, const char* word, double* seconds, int8_t* anchor);
bool scenario_latlon(ScenarioParser* p, const char* lat_word, const char* lon_word, double* lat, double* lon);
bool scenario_on_off(ScenarioParser* p, const char* word, double* value);
bool scenario_radio(ScenarioParser* p, const char* word, int* id);
bool scenario_frequency(ScenarioParser* p, int id, const char* word, double* value);
bool scenario_squawk(ScenarioParser* p, const char* word, double* value);
// An inter-unit cell offset (0x73D0..0x73FF, 0x7842).
bool scenario_cell(ScenarioParser* p, const char* word, uint16_t* offset);

// One statement, the line's first word picking it from the keyword table.
bool scenario_statement(ScenarioParser* p);
// The action of a timeline statement, its verb at word `first`.
bool scenario_action(ScenarioParser* p, int first, ScenarioEvent* e);
