#include "server/scenario_file.h"

#include <cerrno>
#include <cstring>

#include "server/printable_text.h"

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#include <filesystem>
#include <fstream>
#endif

namespace {

bool refuse(ScenarioError* error, const std::string& message) {
  error->message = message;
  return false;
}

}  // namespace

#ifndef _WIN32
bool scenario_read_file(const char* path, std::string* text, ScenarioError* error) {
  error->file = printable_text(path);
  error->line = 0;
  text->clear();
  // Non-blocking, so that opening a FIFO returns at once and is refused below.
  int fd = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) return refuse(error, std::string("cannot open: ") + std::strerror(errno));
  struct stat st;
  bool ok = false;
  if (fstat(fd, &st) != 0) {
    refuse(error, std::string("cannot examine: ") + std::strerror(errno));
  } else if (S_ISDIR(st.st_mode)) {
    refuse(error, "is a folder, not a scenario file");
  } else if (!S_ISREG(st.st_mode)) {
    refuse(error, "is not a regular file (pipes, devices and sockets are never read)");
  } else if (st.st_size > off_t(SCENARIO_MAX_FILE)) {
    refuse(error, "file is larger than 1 MiB");
  } else {
    ok = true;
  }
  char chunk[16384];
  while (ok) {
    ssize_t got = read(fd, chunk, sizeof chunk);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) ok = refuse(error, std::string("read failed: ") + std::strerror(errno));
    if (got <= 0) break;
    if (text->size() + size_t(got) > SCENARIO_MAX_FILE) ok = refuse(error, "file is larger than 1 MiB");
    else text->append(chunk, size_t(got));
  }
  close(fd);
  if (!ok) text->clear();
  return ok;
}
#else
bool scenario_read_file(const char* path, std::string* text, ScenarioError* error) {
  error->file = printable_text(path);
  error->line = 0;
  text->clear();
  std::error_code ec;
  auto status = std::filesystem::status(path, ec);
  if (std::filesystem::is_directory(status)) return refuse(error, "is a folder, not a scenario file");
  if (!ec && !std::filesystem::is_regular_file(status))
    return refuse(error, "is not a regular file (pipes, devices and sockets are never read)");
  std::ifstream in(path, std::ios::binary);
  if (!in) return refuse(error, std::string("cannot open: ") + std::strerror(errno));
  char chunk[16384];
  while (in.read(chunk, sizeof chunk) || in.gcount() > 0) {
    if (text->size() + size_t(in.gcount()) > SCENARIO_MAX_FILE) {
      text->clear();
      return refuse(error, "file is larger than 1 MiB");
    }
    text->append(chunk, size_t(in.gcount()));
  }
  return true;
}
#endif

bool scenario_load_file(const char* path, Scenario* out, ScenarioError* error) {
  std::string text;
  if (!scenario_read_file(path, &text, error)) return false;
  if (scenario_parse_text(text.data(), text.size(), path, out, error)) return true;
  // The parser quotes words of the file: a binary file must not reach the terminal raw.
  error->file = printable_text(error->file);
  error->message = printable_text(error->message);
  return false;
}
