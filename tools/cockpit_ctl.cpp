// cockpit_ctl: reads and writes offsets and inter-unit cells over the link,
// standing in for the cockpit hardware interface.
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "server/aircraft_control_mailbox.h"
#include "server/number_text.h"
#include "server/printable_text.h"
#include "server/scenario.h"
#include "simlink/cells.h"
#include "simlink/link_folder.h"
#include "simlink/link_wire.h"
#include "simlink/simlink.h"
#include "tools/cockpit_ctl_values.h"

namespace {

constexpr uint32_t DEFAULT_PRESS_HOLD_MS = 250;   // long enough for a unit's frame to see the bit
constexpr uint32_t DEFAULT_TURN_PAUSE_MS = 120;   // one step per unit frame
constexpr uint32_t DEFAULT_WATCH_INTERVAL_MS = 50;
constexpr int EXIT_LINK = 1;
constexpr int EXIT_USAGE = 2;
constexpr int EXIT_REFUSED = 3;

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

void usage(FILE* to) {
  std::fprintf(to,
               "usage: cockpit_ctl get OFFSET|CELL [--size N] [--type T]\n"
               "       cockpit_ctl set OFFSET|CELL VALUE [--size N] [--type T]\n"
               "       cockpit_ctl press CELL BIT [--hold-ms MS]\n"
               "       cockpit_ctl turn CELL +N|-N [--pause-ms MS]\n"
               "       cockpit_ctl dim CELL LEVEL\n"
               "       cockpit_ctl watch OFFSET|CELL [--size N] [--type T] [--interval-ms MS] [--count N] [--for-ms MS]\n"
               "       cockpit_ctl fail NAME | restore NAME | scenario load FILE | pause | resume\n"
               "       cockpit_ctl time-scale X | state     (the aircraft model of sim_server)\n"
               "  T: i8 u8 i16 u16 i32 u32 i64 u64 f32 f64 text (default: unsigned of --size bytes, 1)\n"
               "  numbers are decimal unless written 0x... (010 is ten)\n"
               "  cells:");
  for (const NamedCell* cell = cell_table(); cell->name; ++cell) std::fprintf(to, " %s", cell->name);
  std::fprintf(to, "\n");
}

int usage_error(const std::string& message) {
  // Messages quote what the user typed; a stray control byte is shown, never obeyed.
  std::fprintf(stderr, "cockpit_ctl: %s\n", printable_text(message).c_str());
  return EXIT_USAGE;
}

// Says why the link was refused when the folder or socket is not to be
// trusted; the client itself only reports that it found no server.
int link_error(uint32_t code) {
  std::fprintf(stderr, "cockpit_ctl: %s\n", simlink_error_message(code));
  if (code == SIMLINK_ERR_NOFS) {
    const std::string folder = link_folder_path();
    for (const char* name : {LINK_CLASS_NAME_MAIN, LINK_CLASS_NAME_LEGACY}) {
      LinkEndpoint endpoint;
      std::string why;
      if (link_endpoint_check(folder, link_socket_path(folder, name), &endpoint, &why) == LINK_UNTRUSTED) {
        std::fprintf(stderr, "cockpit_ctl: %s\n", printable_text(why).c_str());
        break;
      }
    }
  }
  return EXIT_LINK;
}

bool parse_number(const std::string& text, long low, long high, long* value) {
  int64_t parsed = 0;
  if (!number_text_in_range(text, low, high, &parsed)) return false;
  *value = long(parsed);
  return true;
}

// The options and the member each sets; --type is the one that takes text.
struct NumberOption {
  const char* name;
  long Command::*member_long;
  uint32_t Command::*member_u32;
};
const NumberOption number_options[] = {
    {"--size", nullptr, &Command::size},       {"--hold-ms", nullptr, &Command::hold_ms},
    {"--pause-ms", nullptr, &Command::pause_ms}, {"--interval-ms", nullptr, &Command::interval_ms},
    {"--count", &Command::count, nullptr},     {"--for-ms", &Command::for_ms, nullptr},
};

// False with a message; `help` set when the user asked for the usage.
bool parse_command(int argc, char** argv, Command* command, bool* help, std::string* error) {
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      *help = true;
      return true;
    }
    bool is_option = arg.size() > 2 && arg[0] == '-' && arg[1] == '-';
    if (!is_option) {
      command->words.push_back(arg);
      continue;
    }
    const NumberOption* option = nullptr;
    for (const NumberOption& known : number_options)
      if (arg == known.name) option = &known;
    if (!option && arg != "--type") {
      *error = "unknown option " + arg;
      return false;
    }
    if (i + 1 >= argc) {
      *error = arg + " needs a value";
      return false;
    }
    const char* value = argv[++i];
    long number = 0;
    if (!option) {
      command->type = value;
    } else if (!parse_number(value, 0, 0x7FFFFFFF, &number)) {
      *error = arg + " needs a whole number, not \"" + value + "\"";
      return false;
    } else if (option->member_long) {
      command->*option->member_long = number;
    } else {
      command->*option->member_u32 = uint32_t(number);
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

constexpr uint32_t CONTROL_REPLY_WAIT_MS = 3000;
constexpr uint32_t CONTROL_POLL_MS = 10;

// A model command through sim_server's control mailbox: the text, then a new
// request number in the same batch; then wait for the reply with that number.
int run_control(const Command& command) {
  std::string text;
  for (size_t i = 0; i < command.words.size(); ++i) {
    std::string word = command.words[i];
    // A scenario file is named as the user sees it, wherever sim_server runs.
    if (i == 2 && command.words[0] == "scenario") word = std::filesystem::absolute(word).lexically_normal().string();
    text += (i ? " " : "") + word;
  }
  // The file is checked here, with the user's own rights, and its problems
  // told in full; the server answers a file it refuses without its contents.
  if (command.words.size() == 3 && command.words[0] == "scenario" && command.words[1] == "load") {
    auto scenario = std::make_unique<Scenario>();
    ScenarioError error;
    if (!scenario_load_file(command.words[2].c_str(), scenario.get(), &error)) {
      std::fprintf(stderr, "cockpit_ctl: %s\n", scenario_error_text(error).c_str());
      return EXIT_REFUSED;
    }
  }
  if (text.size() >= CONTROL_REQUEST_TEXT_SIZE) return usage_error("the command is too long");
  uint32_t code = 0;
  if (!simlink_open(0, &code)) return link_error(code);
  uint32_t last = 0;
  if (!read_bytes(CONTROL_REPLY_SEQUENCE, 4, reinterpret_cast<uint8_t*>(&last), &code)) return link_error(code);
  uint32_t sequence = last + 1 ? last + 1 : 1;
  std::vector<uint8_t> request(CONTROL_REQUEST_TEXT_SIZE, 0);
  std::memcpy(request.data(), text.data(), text.size());
  if (!simlink_write(CONTROL_REQUEST_TEXT, CONTROL_REQUEST_TEXT_SIZE, request.data(), &code) ||
      !simlink_write(CONTROL_REQUEST_SEQUENCE, 4, &sequence, &code) || !simlink_process(&code))
    return link_error(code);
  auto start = std::chrono::steady_clock::now();
  while (true) {
    uint32_t answered = 0;
    if (!read_bytes(CONTROL_REPLY_SEQUENCE, 4, reinterpret_cast<uint8_t*>(&answered), &code)) return link_error(code);
    if (answered == sequence) break;
    if (std::chrono::steady_clock::now() - start > std::chrono::milliseconds(CONTROL_REPLY_WAIT_MS)) {
      std::fprintf(stderr, "cockpit_ctl: sim_server did not answer (is it an older server, or another control request raced?)\n");
      return EXIT_LINK;
    }
    sleep_ms(CONTROL_POLL_MS);
  }
  uint32_t status = 0;
  std::vector<char> reply(CONTROL_REPLY_TEXT_SIZE + 1, 0);
  if (!simlink_read(CONTROL_REPLY_STATUS, 4, &status, &code) ||
      !simlink_read(CONTROL_REPLY_TEXT, CONTROL_REPLY_TEXT_SIZE, reply.data(), &code) || !simlink_process(&code))
    return link_error(code);
  reply[CONTROL_REPLY_TEXT_SIZE] = '\0';
  std::string answer = printable_text(reply.data(), true);
  if (!answer.empty() && answer.back() != '\n') answer += '\n';
  std::fputs(answer.c_str(), status == 0 ? stdout : stderr);
  return status == 0 ? 0 : EXIT_REFUSED;
}

bool is_control_verb(const std::string& verb) {
  return verb == "fail" || verb == "restore" || verb == "scenario" || verb == "pause" || verb == "resume" ||
         verb == "time-scale" || verb == "state";
}

}  // namespace

int main(int argc, char** argv) {
  Command command;
  std::string error;
  bool help = false;
  if (!parse_command(argc, argv, &command, &help, &error)) return usage_error(error);
  if (help || (!command.words.empty() && command.words[0] == "help")) {
    usage(stdout);
    return 0;
  }
  if (command.words.empty()) {
    usage(stderr);
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
  else if (is_control_verb(verb)) status = run_control(command);
  else {
    usage(stderr);
    return usage_error("unknown verb \"" + verb + "\"");
  }
  simlink_close();
  return status;
}
