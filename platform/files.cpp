// Whole-file replacement through a temporary file in the same folder, bounded
// reads and sorted directory listings. Only syncing and the final replacing
// move are the system's own (files_posix.cpp, files_win32.cpp).
#include "platform/files.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "platform/files_system.h"

namespace fs = std::filesystem;

namespace {

unsigned char upper(char c) { return static_cast<unsigned char>(std::toupper(static_cast<unsigned char>(c))); }

// Names compared as a case-blind file system orders them (by their upper-case form).
bool before_ignoring_case(const std::string& a, const std::string& b) {
  size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i)
    if (upper(a[i]) != upper(b[i])) return upper(a[i]) < upper(b[i]);
  if (a.size() != b.size()) return a.size() < b.size();
  return a < b;
}

bool same_ignoring_case(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (upper(a[i]) != upper(b[i])) return false;
  return true;
}

constexpr int SYMLINK_HOPS = 40;  // as many as the system follows itself
constexpr const char* TEMPORARY_MARK = ".tmp.";

// The file a write to `path` should replace: the end of a chain of symbolic
// links (replacing the link itself would cut it from its target).
std::string write_target(const char* path) {
  fs::path target(path);
  for (int hop = 0; hop < SYMLINK_HOPS; ++hop) {
    std::error_code ec;
    if (!fs::is_symlink(target, ec)) break;
    const fs::path next = fs::read_symlink(target, ec);
    if (ec) break;
    target = next.is_absolute() ? next : target.parent_path() / next;
  }
  return file_path_text(target);
}

}  // namespace

bool write_file_atomic(const char* link_or_path, const void* data, size_t size) {
  const std::string target = write_target(link_or_path);
  const char* path = target.c_str();
  std::string temp = std::string(path) + TEMPORARY_MARK + std::to_string(file_process_id());
  std::FILE* f = std::fopen(temp.c_str(), "wb");
  if (!f) return false;
  bool ok = size == 0 || std::fwrite(data, 1, size, f) == size;
  ok = std::fflush(f) == 0 && ok;
  ok = file_sync(f) && ok;
  ok = std::fclose(f) == 0 && ok;
  if (ok) ok = file_replace(temp.c_str(), path);
  if (!ok) std::remove(temp.c_str());
  return ok;
}

bool write_file_atomic(const char* path, const std::string& text) {
  return write_file_atomic(path, text.data(), text.size());
}

bool read_file_bounded(const char* path, size_t limit, std::string* out) {
  out->clear();
  std::FILE* f = std::fopen(path, "rb");
  if (!f) return false;
  char chunk[4096];
  bool ok = true;
  size_t got;
  while ((got = std::fread(chunk, 1, sizeof chunk, f)) > 0) {
    if (out->size() + got > limit) {
      ok = false;
      break;
    }
    out->append(chunk, got);
  }
  if (std::ferror(f)) ok = false;
  std::fclose(f);
  if (!ok) out->clear();
  return ok;
}

bool file_readable(const char* path) {
  std::FILE* f = std::fopen(path, "r");
  if (!f) return false;
  std::fclose(f);
  return true;
}

FileProbe file_probe(const char* path, size_t limit, std::string* reason) {
  reason->clear();
  errno = 0;
  std::FILE* f = std::fopen(path, "rb");
  if (!f) {
    if (errno == ENOENT) return FILE_MISSING;
    *reason = errno ? std::strerror(errno) : "cannot be opened";
    return FILE_UNREADABLE;
  }
  char chunk[4096];
  size_t total = 0, got;
  while ((got = std::fread(chunk, 1, sizeof chunk, f)) > 0 && total <= limit) total += got;
  if (std::ferror(f)) *reason = errno ? std::strerror(errno) : "read error";
  else if (total > limit) *reason = "larger than " + std::to_string(limit) + " bytes";
  std::fclose(f);
  return reason->empty() ? FILE_PRESENT : FILE_UNREADABLE;
}

int remove_stale_temporaries(const char* path) {
  const fs::path file(write_target(path));
  const std::string prefix = file_path_text(file.filename()) + TEMPORARY_MARK;
  const fs::path folder = file.parent_path().empty() ? fs::path(".") : file.parent_path();
  std::vector<std::string> names;
  if (!list_directory_sorted(file_path_text(folder).c_str(), &names)) return 0;
  int removed = 0;
  for (const std::string& name : names) {
    if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) continue;
    const std::string digits = name.substr(prefix.size());
    if (digits.size() > 10 || digits.find_first_not_of("0123456789") != std::string::npos) continue;
    const unsigned long id = std::stoul(digits);
    if (id == file_process_id() || file_process_alive(id)) continue;
    std::error_code ec;
    if (fs::remove(folder / name, ec)) ++removed;
  }
  return removed;
}

bool list_directory_sorted(const char* folder, std::vector<std::string>* names) {
  names->clear();
  std::error_code ec;
  fs::directory_iterator it(folder, ec);
  if (ec) return false;
  for (; it != fs::directory_iterator(); it.increment(ec)) {
    if (ec) return false;
    std::error_code type_ec;
    if (it->is_regular_file(type_ec)) names->push_back(file_path_text(it->path().filename()));
  }
  std::sort(names->begin(), names->end(), before_ignoring_case);
  return true;
}

bool find_file_any_case(const std::string& path, std::string* found) {
  std::error_code ec;
  if (fs::is_regular_file(path, ec)) {
    *found = path;
    return true;
  }
  fs::path wanted(path);
  fs::path folder = wanted.parent_path();
  std::string name = file_path_text(wanted.filename());
  std::vector<std::string> names;
  if (!list_directory_sorted(folder.empty() ? "." : file_path_text(folder).c_str(), &names)) return false;
  for (const std::string& candidate : names) {
    if (same_ignoring_case(candidate, name)) {
      *found = file_path_text(folder / candidate);
      return true;
    }
  }
  return false;
}

bool change_directory(const char* path) {
  std::error_code ec;
  fs::current_path(path, ec);
  return !ec;
}
