#include "server/aircraft_control.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <sstream>
#include <vector>

#include "server/printable_text.h"
#include "server/scenario_file.h"

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

// "scenario load PATH": the path is everything after "load", so that it may contain blanks.
bool is_scenario_load(const std::string& command, std::string* path) {
  std::vector<std::string> w = words_of(command);
  if (w.size() < 3 || w[0] != "scenario" || w[1] != "load") return false;
  size_t at = command.find("load") + 4;
  while (at < command.size() && command[at] == ' ') ++at;
  *path = command.substr(at);
  return true;
}

void write_reply(uint8_t* space, uint32_t sequence, bool ok, std::string reply) {
  if (reply.size() >= CONTROL_REPLY_TEXT_SIZE) reply.resize(CONTROL_REPLY_TEXT_SIZE - 1);
  std::memset(space + CONTROL_REPLY_TEXT, 0, CONTROL_REPLY_TEXT_SIZE);
  std::memcpy(space + CONTROL_REPLY_TEXT, reply.data(), reply.size());
  put32(space, CONTROL_REPLY_STATUS, ok ? 0 : 1);
  put32(space, CONTROL_REPLY_SEQUENCE, sequence);   // last: the answer is complete
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

std::string control_execute(ModelControl* c, const std::string& command, bool* ok) {
  std::vector<std::string> w = words_of(command);
  *ok = false;
  if (w.empty()) return "empty command";
  const std::string& verb = w[0];
  if (c->replay_state && (verb == "fail" || verb == "restore"))
    return "no aircraft model runs while a recording is replayed";
  // FlightGear flies the aircraft then: these would answer and change nothing.
  if (c->source_text && (verb == "fail" || verb == "restore" || verb == "pause" || verb == "resume" ||
                         verb == "time-scale"))
    return "FlightGear flies the aircraft; " + verb + " it there";
  if ((verb == "fail" || verb == "restore") && w.size() == 2) {
    if (!aircraft_set_failure(c->aircraft, w[1].c_str(), verb == "fail"))
      return "unknown failure \"" + w[1] + "\" (" + failure_list() + ")";
    *ok = true;
    return verb == "fail" ? w[1] + " failed" : w[1] + " restored";
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
    if (c->source_text) return c->source_text(c->source_context);
    std::string head = c->replay_state ? (c->paused ? "replay paused\n" : "replaying\n")
                       : c->hold        ? "held (no model)\n"
                       : c->paused      ? "paused\n"
                                        : "running\n";
    char scale[64];
    std::snprintf(scale, sizeof scale, "time-scale %g\n", c->time_scale);
    return head + scale +
           (c->replay_state ? c->replay_state(c->replay_context)
                            : "source stand-in model\n" + aircraft_state_text(c->aircraft));
  }
  return "unknown control command \"" + command + "\"";
}

void control_handle(ModelControl* c, uint8_t* space) {
  uint32_t sequence = get32(space, CONTROL_REQUEST_SEQUENCE);
  char text[CONTROL_REQUEST_TEXT_SIZE + 1];
  std::memcpy(text, space + CONTROL_REQUEST_TEXT, CONTROL_REQUEST_TEXT_SIZE);
  text[CONTROL_REQUEST_TEXT_SIZE] = '\0';
  std::string path;
  if (is_scenario_load(text, &path)) {
    if (c->replay_state) {
      write_reply(space, sequence, false, "a recording is being replayed; no scenario can be loaded");
    } else if (c->pending.waiting) {
      write_reply(space, sequence, false, "a scenario is still being loaded; try again");
    } else {
      c->pending = PendingLoad{true, sequence, path};
    }
    return;
  }
  bool ok = false;
  std::string reply = control_execute(c, text, &ok);
  write_reply(space, sequence, ok, reply);
}

bool control_serve_pending(ModelControl* c, OffsetSpace* space, std::string* log_line) {
  PendingLoad job;
  {
    std::lock_guard<std::mutex> hold(space->lock);
    if (!c->pending.waiting) return false;
    job = c->pending;
  }
  auto scenario = std::make_unique<Scenario>();
  ScenarioError e;
  std::string text, reply;
  const std::string shown_path = printable_text(job.path);
  bool read = scenario_read_file(job.path.c_str(), &text, &e);
  bool parsed = read && scenario_parse_text(text.data(), text.size(), job.path.c_str(), scenario.get(), &e);
  log_line->clear();
  if (!read) {
    reply = scenario_error_text(e);   // about opening the file, never its contents
    *log_line = "scenario load refused: " + reply;
  } else if (!parsed) {
    reply = shown_path + (e.line > 0 ? ":" + std::to_string(e.line) + ": not a valid scenario line"
                                     : ": not a complete scenario") +
            " (sim_server's output says why)";
    *log_line = "scenario load refused: " + shown_path + (e.line > 0 ? ":" + std::to_string(e.line) : "") + ": " +
                printable_text(e.message);
  }
  std::lock_guard<std::mutex> hold(space->lock);
  if (parsed) {
    aircraft_init(c->aircraft, scenario.get());
    aircraft_publish(c->aircraft, space->bytes);
    c->hold = false;
    c->paused = false;
    reply = std::string("scenario ") + printable_text(c->aircraft->scenario.name) + " loaded";
  }
  write_reply(space->bytes, job.sequence, parsed, reply);
  c->pending.waiting = false;
  return true;
}

void control_step(ModelControl* c, double wall_seconds, uint8_t* space) {
  if (c->hold || c->paused) return;
  aircraft_step(c->aircraft, wall_seconds * c->time_scale, space);
}
