// Every unit's settings file as the program meets it at start: only a file
// that does not exist is written with the defaults; one that exists but
// cannot be read is kept (the unit says so once and runs with its defaults);
// a window size beyond the cap or of 0 falls back to the default; temporaries
// left by killed writers go; a file that is a symbolic link is written
// through to its target.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "tests/support/private_network.h"
#include "tests/support/programs.h"
#include "tests/support/temp_folder.h"

namespace fs = std::filesystem;

namespace {

struct Unit {
  const char* program;
  const char* file;
  bool private_network;
};

const Unit UNITS[] = {
    {"pfd_display", "PFD.ini", false},
    {"mfd_display", "MFD.ini", false},
    {"efis_panel", "EFIS.ini", false},
    {"rmu_panel", "RMU.ini", true},
};

std::string slurp(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

size_t count(const std::string& text, const std::string& what) {
  size_t n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

// The id of a process that has ended: a child started and reaped here.
unsigned long dead_process_id() {
  const int pid = spawn_program("/bin/true", {});
  wait_program(pid, 5000);
  return static_cast<unsigned long>(pid);
}

class SettingsFiles : public ::testing::TestWithParam<Unit> {
 protected:
  // Runs the unit in `dir` with --write-settings (no window); exit status.
  int write_settings(const fs::path& dir, const std::string& extra, std::string* err) {
    std::string prefix;
    if (GetParam().private_network) {
      std::string why;
      if (!private_network_available(&why)) return -2;
      prefix = private_network_command_prefix() + " ";
    }
    std::string out;
    return run_command("env COCKPIT_LINK_DIR='" + (dir / "no-link").string() + "' " + prefix + "'" +
                           COCKPIT_BINARY_DIR + "/apps/" + GetParam().program + "' --headless --workdir '" +
                           dir.string() + "' " + extra + " --write-settings",
                       &out, err);
  }
};

TEST_P(SettingsFiles, OnlyAMissingFileIsWrittenWithDefaults) {
  const Unit& unit = GetParam();
  TempFolder folder(std::string("settings_files_") + unit.program);
  const fs::path file = folder.path / unit.file;
  std::string err;

  // Missing: the defaults are written; a stale temporary of a dead writer
  // goes, a live process's stays.
  const fs::path stale = folder.path / (std::string(unit.file) + ".tmp." + std::to_string(dead_process_id()));
  const fs::path live = folder.path / (std::string(unit.file) + ".tmp." + std::to_string(getppid()));
  std::ofstream(stale) << "half";
  std::ofstream(live) << "busy";
  const int status = write_settings(folder.path, "", &err);
  if (status == -2) GTEST_SKIP() << "no private network namespace here";
  ASSERT_EQ(status, 0) << err;
  const std::string defaults = slurp(file);
  ASSERT_FALSE(defaults.empty());
  EXPECT_FALSE(fs::exists(stale));
  EXPECT_TRUE(fs::exists(live));

  // Sizes beyond the cap or of 0 give way to the unit's start size (the line
  // after the first label).
  auto size_line = [](const std::string& text) {
    const size_t at = text.find('\n') + 1;
    return text.substr(at, text.find('\n', at) - at);
  };
  for (const char* size : {"100000,100000", "0,0", "16385,16385"}) {
    std::string text = defaults;
    const size_t at = text.find('\n') + 1;
    text.replace(at, size_line(text).size(), size);
    std::ofstream(file, std::ios::binary) << text;
    ASSERT_EQ(write_settings(folder.path, "", &err), 0) << err;
    int width = 0, height = 0;
    ASSERT_EQ(std::sscanf(size_line(slurp(file)).c_str(), "%d,%d", &width, &height), 2) << size;
    EXPECT_TRUE(width > 0 && width <= 16384 && height > 0 && height <= 16384) << size << ": " << width << "," << height;
  }

  // Present but unreadable (larger than any settings file; a folder; no
  // permission for a user other than root): kept as it is, said once.
  const std::string huge(2 << 20, '7');
  struct Unreadable { const char* what; bool needs_non_root; };
  for (const Unreadable& u : {Unreadable{"too large", false}, Unreadable{"a folder", false},
                              Unreadable{"no permission", true}}) {
    if (u.needs_non_root && geteuid() == 0) continue;  // root reads it anyway
    fs::remove_all(file);
    if (std::string(u.what) == "a folder") fs::create_directory(file);
    else std::ofstream(file, std::ios::binary) << (std::string(u.what) == "too large" ? huge : "[X]\n1,1\n");
    if (std::string(u.what) == "no permission") chmod(file.c_str(), 0);
    const std::string before = fs::is_regular_file(file) ? slurp(file) : "";
    EXPECT_NE(write_settings(folder.path, "", &err), 0) << u.what;  // it cannot be written, and says so
    EXPECT_EQ(count(err, "cannot be read"), 1u) << u.what << ": " << err;
    if (fs::is_regular_file(file)) {
      EXPECT_EQ(slurp(file), before) << u.what;
      EXPECT_EQ(fs::file_size(file), before.size()) << u.what;
    }
    EXPECT_TRUE(fs::exists(file)) << u.what;
    fs::remove_all(file);
  }

  // A symbolic link stays one; its target gets the file.
  fs::create_directory(folder.path / "shared");
  std::ofstream(folder.path / "shared" / unit.file, std::ios::binary) << defaults;
  fs::create_symlink(fs::path("shared") / unit.file, file);
  ASSERT_EQ(write_settings(folder.path, "--set position=7,9", &err), 0) << err;
  EXPECT_TRUE(fs::is_symlink(file));
  EXPECT_NE(slurp(folder.path / "shared" / unit.file).find("7,9"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Units, SettingsFiles, ::testing::ValuesIn(UNITS),
                         [](const ::testing::TestParamInfo<Unit>& info) { return std::string(info.param.program); });

}  // namespace
