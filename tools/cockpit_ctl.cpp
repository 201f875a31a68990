// cockpit_ctl: reads and writes offsets and inter-unit cells over the link,
// standing in for the cockpit hardware interface.
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "simlink/cells.h"
#include "simlink/simlink.h"
#include "tools/cockpit_ctl_values.h"

namespace {

constexpr uint32_t DEFAULT_PRESS_HOLD_MS = 250;   // long enough for a unit's frame to see the bit
constexpr uint32_t DEFAULT_TURN_PAUSE_MS = 120;   // one step per unit frame
constexpr uint32_t DEFAULT_WATCH_INTERVAL_MS = 50;
constexpr int EXIT_LINK = 1;
constexpr int EXIT_USAGE = 2;

struct Command {
  std::vector<std::string> words;   // verb and its operands
  std::string type;
  uint32_t size = 0;
  uint32_t hold_ms = DEFAULT_PRESS_HOLD_MS;
  uint32_t pause_ms = DEFAULT_TURN_PAUSE_MS;
  uint32_t interval_ms = DEFAULT_WATCH_INTERVAL_MS;
  long count = -1;      // watch: lines to print, -1 = no limit
  long for_ms = -1;     // watch: how long, -1 = no limit
};

void usage() {
  std::fprintf(stderr,
               "usage: cockpit_ctl get OFFSET|CELL [--size N] [--type T]\n"
               "       cockpit_ctl set OFFSET|CELL VALUE [--size N] [--type T]\n"
               "       cockpit_ctl press CELL BIT [--hold-ms MS]\n"
               "       cockpit_ctl turn CELL +N|-N [--pause-ms MS]\n"
               "       cockpit_ctl dim CELL LEVEL\n"
               "       cockpit_ctl watch OFFSET|CELL [--size N] [--type T] [--interval-ms MS] [--count N] [--for-ms MS]\n"
               "  T: i8 u8 i16 u16 i32 u32 i64 u64 f32 f64 text (default: unsigned of --size bytes, 1)\n"
               "  cells:");
  for (const NamedCell* cell = cell_table(); cell->name; ++cell) std::fprintf(stderr, " %s", cell->name);
  std::fprintf(stderr, "\n");
}

int usage_error(const std::string& message) {
  std::fprintf(stderr, "cockpit_ctl: %s\n", message.c_str());
  return EXIT_USAGE;
}

int link_error(uint32_t code) {
  std::fprintf(stderr, "cockpit_ctl: %s\n", simlink_error_message(code));
  return EXIT_LINK;
}

bool parse_number(const char* text, long low, long high, long* value) {
  char* end = nullptr;
  long parsed = std::strtol(text, &end, 0);
  if (!*text || *end || parsed < low || parsed > high) return false;
  *value = parsed;
  return true;
}

bool parse_command(int argc, char** argv, Command* command, std::string* error) {
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    bool is_option = arg.size() > 2 && arg[0] == '-' && arg[1] == '-';
    if (!is_option) {
      command->words.push_back(arg);
      continue;
    }
    if (i + 1 >= argc) {
      *error = arg + " needs a value";
      return false;
    }
    const char* value = argv[++i];
    long number = 0;
    if (arg == "--type") {
      command->type = value;
      continue;
    }
    if (!parse_number(value, 0, 0x7FFFFFFF, &number)) {
      *error = arg + " needs a number, not \"" + value + "\"";
      return false;
    }
    if (arg == "--size") command->size = uint32_t(number);
    else if (arg == "--hold-ms") command->hold_ms = uint32_t(number);
    else if (arg == "--pause-ms") command->pause_ms = uint32_t(number);
    else if (arg == "--interval-ms") command->interval_ms = uint32_t(number);
    else if (arg == "--count") command->count = number;
    else if (arg == "--for-ms") command->for_ms = number;
    else {
      *error = "unknown option " + arg;
      return false;
    }
  }
  return true;
}

volatile std::sig_atomic_t stop_requested = 0;
void on_stop_signal(int) { stop_requested = 1; }

void sleep_ms(uint32_t ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

bool read_bytes(uint32_t offset, uint32_t size, uint8_t* bytes, uint32_t* code) {
  return simlink_read(offset, size, bytes, code) && simlink_process(code);
}

bool write_bytes(uint32_t offset, uint32_t size, const uint8_t* bytes, uint32_t* code) {
  return simlink_write(offset, size, bytes, code) && simlink_process(code);
}

// Where and how a value lives: a cell is always one unsigned byte.
bool resolve(const Command& command, const std::string& location, uint32_t* offset, ValueFormat* format,
             bool* is_cell, std::string* error) {
  if (!parse_location(location, offset, is_cell)) {
    *error = "\"" + location + "\" is neither an offset below 0x10000 nor a cell name";
    return false;
  }
  if (*is_cell) {
    if ((command.size != 0 && command.size != 1) || (!command.type.empty() && command.type != "u8")) {
      *error = "a cell is one unsigned byte; leave out --size and --type";
      return false;
    }
    *format = ValueFormat{TYPE_UNSIGNED, 1};
    return true;
  }
  if (!make_format(command.type, command.size, format, error)) return false;
  if (uint64_t(*offset) + format->size > 0x10000) {
    *error = "the value runs past the end of the offset space";
    return false;
  }
  return true;
}

int run_get_set(const Command& command, bool set) {
  if (command.words.size() != (set ? 3u : 2u)) return usage_error(set ? "set needs a location and a value" : "get needs a location");
  uint32_t offset = 0;
  ValueFormat format{};
  bool is_cell = false;
  std::string error;
  if (!resolve(command, command.words[1], &offset, &format, &is_cell, &error)) return usage_error(error);
  std::vector<uint8_t> bytes(format.size);
  if (set && !encode_value(command.words[2], format, bytes.data(), &error)) return usage_error(error);
  uint32_t code = 0;
  if (!simlink_open(0, &code)) return link_error(code);
  if (set ? !write_bytes(offset, format.size, bytes.data(), &code)
          : !read_bytes(offset, format.size, bytes.data(), &code))
    return link_error(code);
  if (!set) std::printf("%s\n", decode_value(bytes.data(), format).c_str());
  return 0;
}

bool resolve_cell(const std::string& name, uint32_t* cell, std::string* error) {
  const NamedCell* found = find_cell(name);
  if (!found) {
    *error = "\"" + name + "\" is not a cell name";
    return false;
  }
  *cell = found->offset;
  return true;
}

int run_press(const Command& command) {
  if (command.words.size() != 3) return usage_error("press needs a cell and a bit 0..7");
  uint32_t cell = 0;
  long bit = 0;
  std::string error;
  if (!resolve_cell(command.words[1], &cell, &error)) return usage_error(error);
  if (!parse_number(command.words[2].c_str(), 0, 7, &bit)) return usage_error("the bit must be 0..7");
  uint8_t mask = uint8_t(1u << bit);
  uint32_t code = 0;
  if (!simlink_open(0, &code)) return link_error(code);
  if (!update_shared_bits(cell, mask, mask, nullptr, &code)) return link_error(code);
  sleep_ms(command.hold_ms);
  if (!update_shared_bits(cell, mask, 0, nullptr, &code)) return link_error(code);
  return 0;
}

int run_turn(const Command& command) {
  if (command.words.size() != 3) return usage_error("turn needs a cell and a step count such as +3 or -2");
  uint32_t cell = 0;
  long steps = 0;
  std::string error;
  if (!resolve_cell(command.words[1], &cell, &error)) return usage_error(error);
  if (!parse_number(command.words[2].c_str(), -1000, 1000, &steps)) return usage_error("the step count must be -1000..+1000");
  uint32_t code = 0;
  if (!simlink_open(0, &code)) return link_error(code);
  int direction = steps < 0 ? -1 : 1;
  for (long i = 0; i < std::labs(steps); ++i) {
    // A unit takes one step per frame in which the counter changed, so each
    // detent is a change of its own with a pause after it.
    uint8_t value = 0;
    if (!read_bytes(cell, 1, &value, &code)) return link_error(code);
    value = uint8_t(value + direction);
    if (!write_bytes(cell, 1, &value, &code)) return link_error(code);
    sleep_ms(command.pause_ms);
  }
  return 0;
}

int run_dim(const Command& command) {
  if (command.words.size() != 3) return usage_error("dim needs a dimming cell and a level 0..255");
  const std::string& name = command.words[1];
  uint32_t cell = 0;
  long level = 0;
  std::string error;
  if (!resolve_cell(name, &cell, &error)) return usage_error(error);
  if (name.find(".dimming") == std::string::npos) return usage_error("\"" + name + "\" is not a dimming cell");
  if (!parse_number(command.words[2].c_str(), 0, 255, &level)) return usage_error("the level must be 0..255");
  uint8_t value = uint8_t(level);
  uint32_t code = 0;
  if (!simlink_open(0, &code)) return link_error(code);
  if (!write_bytes(cell, 1, &value, &code)) return link_error(code);
  return 0;
}

int run_watch(const Command& command) {
  if (command.words.size() != 2) return usage_error("watch needs a location");
  uint32_t offset = 0;
  ValueFormat format{};
  bool is_cell = false;
  std::string error;
  if (!resolve(command, command.words[1], &offset, &format, &is_cell, &error)) return usage_error(error);
  uint32_t code = 0;
  if (!simlink_open(0, &code)) return link_error(code);
  std::vector<uint8_t> bytes(format.size), shown;
  long printed = 0;
  auto start = std::chrono::steady_clock::now();
  // Stopped by a signal, the watch still closes the link and removes its block.
  std::signal(SIGINT, on_stop_signal);
  std::signal(SIGTERM, on_stop_signal);
  while (!stop_requested && (command.count < 0 || printed < command.count)) {
    if (command.for_ms >= 0 && std::chrono::steady_clock::now() - start >= std::chrono::milliseconds(command.for_ms)) break;
    if (!read_bytes(offset, format.size, bytes.data(), &code)) return link_error(code);
    if (bytes != shown) {
      std::printf("%s\n", decode_value(bytes.data(), format).c_str());
      std::fflush(stdout);
      shown = bytes;
      ++printed;
    }
    sleep_ms(command.interval_ms);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  Command command;
  std::string error;
  if (!parse_command(argc, argv, &command, &error)) return usage_error(error);
  if (command.words.empty()) {
    usage();
    return EXIT_USAGE;
  }
  const std::string& verb = command.words[0];
  int status;
  if (verb == "get") status = run_get_set(command, false);
  else if (verb == "set") status = run_get_set(command, true);
  else if (verb == "press") status = run_press(command);
  else if (verb == "turn") status = run_turn(command);
  else if (verb == "dim") status = run_dim(command);
  else if (verb == "watch") status = run_watch(command);
  else if (verb == "help") {
    usage();
    return 0;
  } else {
    usage();
    return usage_error("unknown verb \"" + verb + "\"");
  }
  simlink_close();
  return status;
}
