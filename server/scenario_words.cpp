// The scenario parser's word readers: every number range-checked, every
// identifier bounded and printable.
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "server/scenario_parse.h"

namespace {
constexpr double DAY_SECONDS = 86400.0;
constexpr uint32_t CELL_FIRST = 0x73D0, CELL_LAST = 0x73FF, CELL_BAND = 0x7842;
}  // namespace

bool scenario_fail(ScenarioParser* p, const char* format, const char* detail) {
  char message[256];
  std::snprintf(message, sizeof message, format, detail);
  p->error->line = p->line.number;
  p->error->message = message;
  return false;
}

bool scenario_arity(ScenarioParser* p, int count, int want, const char* usage) {
  return count == want ? true : scenario_fail(p, "expected: %s", usage);
}

bool scenario_number(ScenarioParser* p, const char* word, double low, double high, const char* what, double* out) {
  if (!word) return scenario_fail(p, "missing %s", what);
  char* end = nullptr;
  errno = 0;
  double v = std::strtod(word, &end);
  if (end == word || *end != '\0' || errno == ERANGE || !std::isfinite(v)) {
    char m[160];
    std::snprintf(m, sizeof m, "%s: '%.60s' is not a number", what, word);
    return scenario_fail(p, "%s", m);
  }
  if (v < low || v > high) {
    char m[200];
    std::snprintf(m, sizeof m, "%s %.60s is outside %g..%g", what, word, low, high);
    return scenario_fail(p, "%s", m);
  }
  *out = v;
  return true;
}

bool scenario_ident(ScenarioParser* p, const char* word, const char* what, char* out) {
  if (!word) return scenario_fail(p, "missing %s", what);
  size_t n = std::strlen(word);
  if (n == 0 || n >= SCENARIO_MAX_IDENT) return scenario_fail(p, "%s must have 1 to 7 characters", what);
  for (size_t i = 0; i < n; ++i) {
    unsigned char c = static_cast<unsigned char>(word[i]);
    if (c < 0x21 || c > 0x7E) return scenario_fail(p, "%s has a character that is not printable", what);
  }
  std::memcpy(out, word, n + 1);
  return true;
}

// "90", "1:30", "1:02:03", each part range-checked.
bool scenario_clock(ScenarioParser* p, const char* word, double* seconds) {
  if (!word || !*word) return scenario_fail(p, "missing time");
  double parts[3] = {0, 0, 0};
  int count = 0;
  const char* c = word;
  while (true) {
    if (count == 3) return scenario_fail(p, "time '%.40s' has too many parts", word);
    char* end = nullptr;
    if (*c < '0' || *c > '9') return scenario_fail(p, "time '%.40s' is not H:MM:SS, M:SS or seconds", word);
    double v = std::strtod(c, &end);
    parts[count++] = v;
    if (*end == '\0') break;
    if (*end != ':') return scenario_fail(p, "time '%.40s' is not H:MM:SS, M:SS or seconds", word);
    c = end + 1;
  }
  for (int i = 1; i < count; ++i)
    if (parts[i] >= 60) return scenario_fail(p, "time '%.40s' has minutes or seconds of 60 or more", word);
  double t = count == 1 ? parts[0]
           : count == 2 ? parts[0] * 60 + parts[1]
                        : parts[0] * 3600 + parts[1] * 60 + parts[2];
  if (t > DAY_SECONDS) return scenario_fail(p, "time '%.40s' is beyond a day", word);
  *seconds = t;
  return true;
}

// "1:30" from the start, or "cruise+1:30" from reaching that phase.
bool scenario_when(ScenarioParser* p, const char* word, double* seconds, int8_t* anchor) {
  if (!word) return scenario_fail(p, "missing time");
  const char* plus = std::strchr(word, '+');
  *anchor = -1;
  if (!plus) return scenario_clock(p, word, seconds);
  char name[32];
  size_t n = static_cast<size_t>(plus - word);
  if (n == 0 || n >= sizeof name) return scenario_fail(p, "unknown phase in '%.40s'", word);
  std::memcpy(name, word, n);
  name[n] = '\0';
  FlightPhase phase;
  if (!phase_from_name(name, &phase)) return scenario_fail(p, "unknown phase '%s'", name);
  *anchor = static_cast<int8_t>(phase);
  return scenario_clock(p, plus + 1, seconds);
}

bool scenario_latlon(ScenarioParser* p, const char* lat_word, const char* lon_word, double* lat, double* lon) {
  return scenario_number(p, lat_word, -90, 90, "latitude", lat) &&
         scenario_number(p, lon_word, -180, 180, "longitude", lon);
}

bool scenario_on_off(ScenarioParser* p, const char* word, double* value) {
  if (word && std::strcmp(word, "on") == 0) { *value = 1; return true; }
  if (word && std::strcmp(word, "off") == 0) { *value = 0; return true; }
  return scenario_fail(p, "expected on or off");
}

bool scenario_radio(ScenarioParser* p, const char* word, int* id) {
  static const char* const names[RADIO_COUNT] = {
    "com1", "com1-standby", "com2", "com2-standby", "nav1", "nav1-standby",
    "nav2", "nav2-standby", "adf1", "adf2"};
  for (int i = 0; i < RADIO_COUNT; ++i)
    if (word && std::strcmp(word, names[i]) == 0) { *id = i; return true; }
  return scenario_fail(p, "unknown radio '%.40s' (com1, com1-standby, com2, nav1, nav2, adf1, adf2, ...)",
              word ? word : "");
}

bool scenario_frequency(ScenarioParser* p, int id, const char* word, double* value) {
  if (id >= RADIO_ADF1) return scenario_number(p, word, 100, 1799.9, "ADF frequency (kHz)", value);
  if (id >= RADIO_NAV1) return scenario_number(p, word, 108, 117.95, "NAV frequency (MHz)", value);
  return scenario_number(p, word, 118, 136.99, "COM frequency (MHz)", value);
}

bool scenario_squawk(ScenarioParser* p, const char* word, double* value) {
  if (!word || std::strlen(word) != 4) return scenario_fail(p, "a squawk code has four digits 0-7");
  for (int i = 0; i < 4; ++i)
    if (word[i] < '0' || word[i] > '7') return scenario_fail(p, "a squawk code has four digits 0-7");
  *value = std::atoi(word);
  return true;
}

bool scenario_cell(ScenarioParser* p, const char* word, uint16_t* offset) {
  if (!word) return scenario_fail(p, "missing cell offset");
  char* end = nullptr;
  unsigned long o = std::strtoul(word, &end, 0);
  if (end == word || *end) return scenario_fail(p, "cell offset '%.40s' is not a number", word);
  if (!((o >= CELL_FIRST && o <= CELL_LAST) || o == CELL_BAND))
    return scenario_fail(p, "cell offset %.40s is not an inter-unit cell (0x73D0..0x73FF, 0x7842)", word);
  *offset = static_cast<uint16_t>(o);
  return true;
}
