#include "server/aircraft_control.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <sstream>
#include <vector>

namespace {

uint32_t get32(const uint8_t* space, uint32_t offset) {
  return static_cast<uint32_t>(space[offset]) | static_cast<uint32_t>(space[offset + 1]) << 8 |
         static_cast<uint32_t>(space[offset + 2]) << 16 | static_cast<uint32_t>(space[offset + 3]) << 24;
}

void put32(uint8_t* space, uint32_t offset, uint32_t v) {
  for (int i = 0; i < 4; ++i) space[offset + i] = static_cast<uint8_t>(v >> (8 * i));
}

std::vector<std::string> words_of(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> words;
  std::string w;
  while (in >> w) words.push_back(w);
  return words;
}

std::string failure_list() {
  std::string names;
  for (int i = 0; i < FAIL_COUNT; ++i) names += std::string(i ? ", " : "") + failure_name(i);
  return names;
}

}  // namespace

bool control_is_request(uint32_t offset, uint32_t size) {
  return offset < CONTROL_REQUEST_SEQUENCE + 4 && static_cast<uint64_t>(offset) + size > CONTROL_REQUEST_SEQUENCE;
}

bool control_load_scenario(ModelControl* c, const char* path, uint8_t* space, std::string* error) {
  auto scenario = std::make_unique<Scenario>();
  ScenarioError e;
  bool ok = path ? scenario_load_file(path, scenario.get(), &e)
                 : scenario_parse_text(scenario_default_text(), std::strlen(scenario_default_text()),
                                       scenario_default_name(), scenario.get(), &e);
  if (!ok) {
    *error = scenario_error_text(e);
    return false;
  }
  aircraft_init(c->aircraft, scenario.get());
  c->aircraft->stations = c->stations;
  if (space) aircraft_publish(c->aircraft, space);
  return true;
}

std::string control_execute(ModelControl* c, const std::string& command, uint8_t* space, bool* ok) {
  std::vector<std::string> w = words_of(command);
  *ok = false;
  if (w.empty()) return "empty command";
  const std::string& verb = w[0];
  if ((verb == "fail" || verb == "restore") && w.size() == 2) {
    if (!aircraft_set_failure(c->aircraft, w[1].c_str(), verb == "fail"))
      return "unknown failure \"" + w[1] + "\" (" + failure_list() + ")";
    *ok = true;
    return verb == "fail" ? w[1] + " failed" : w[1] + " restored";
  }
  if (verb == "scenario" && w.size() >= 3 && w[1] == "load") {
    // The path is everything after "load", so that it may contain blanks.
    size_t at = command.find("load") + 4;
    while (at < command.size() && command[at] == ' ') ++at;
    std::string path = command.substr(at);
    std::string error;
    if (!control_load_scenario(c, path.c_str(), space, &error)) return error;
    c->hold = false;
    c->paused = false;
    *ok = true;
    return std::string("scenario ") + c->aircraft->scenario.name + " loaded";
  }
  if (verb == "pause" && w.size() == 1) { c->paused = true; *ok = true; return "paused"; }
  if (verb == "resume" && w.size() == 1) { c->paused = false; *ok = true; return "running"; }
  if (verb == "time-scale" && w.size() == 2) {
    char* end = nullptr;
    double x = std::strtod(w[1].c_str(), &end);
    if (end == w[1].c_str() || *end || !(x > 0) || x > CONTROL_MAX_TIME_SCALE)
      return "time-scale needs a number above 0 and at most 100, not \"" + w[1] + "\"";
    c->time_scale = x;
    *ok = true;
    return "time-scale " + w[1];
  }
  if (verb == "state" && w.size() == 1) {
    *ok = true;
    std::string head = c->hold ? "held (no model)\n" : c->paused ? "paused\n" : "running\n";
    char scale[64];
    std::snprintf(scale, sizeof scale, "time-scale %g\n", c->time_scale);
    return head + scale + aircraft_state_text(c->aircraft);
  }
  return "unknown control command \"" + command + "\"";
}

void control_handle(ModelControl* c, uint8_t* space) {
  uint32_t sequence = get32(space, CONTROL_REQUEST_SEQUENCE);
  char text[CONTROL_REQUEST_TEXT_SIZE + 1];
  std::memcpy(text, space + CONTROL_REQUEST_TEXT, CONTROL_REQUEST_TEXT_SIZE);
  text[CONTROL_REQUEST_TEXT_SIZE] = '\0';
  bool ok = false;
  std::string reply = control_execute(c, text, space, &ok);
  if (reply.size() >= CONTROL_REPLY_TEXT_SIZE) reply.resize(CONTROL_REPLY_TEXT_SIZE - 1);
  std::memset(space + CONTROL_REPLY_TEXT, 0, CONTROL_REPLY_TEXT_SIZE);
  std::memcpy(space + CONTROL_REPLY_TEXT, reply.data(), reply.size());
  put32(space, CONTROL_REPLY_STATUS, ok ? 0 : 1);
  put32(space, CONTROL_REPLY_SEQUENCE, sequence);   // last: the answer is complete
}

void control_step(ModelControl* c, double wall_seconds, uint8_t* space) {
  if (c->hold || c->paused) return;
  aircraft_step(c->aircraft, wall_seconds * c->time_scale, space);
}
