// Every program writes its own settings file on request: its defaults when
// the folder has none, then the values given by name, and nothing else runs.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace fs = std::filesystem;

namespace {

struct Program {
  const char* name;
  const char* file;
  const char* settings;  // --set options
  const char* expected;  // the file written into an empty folder
};

const Program PROGRAMS[] = {
    {"pfd_display", "PFD.ini", "--set side=1 --set size=358,500 --set position=20,30 --set path_to_du3=../du3",
     "[X_SIZE,Y_SIZE]\n358,500\n[X_POSITION,Y_POSISTION]\n20,30\n[FRAMELESS_WINDOW(0-1)]\n0\n"
     "[DISPLAY_BEZEL(0-1)]\n1\n[PFD1=0,PFD2=1]\n1\n[PATH_TO_DU2]\n\"c:\\\"\n[PATH_TO_DU3]\n\"../du3\""},
    {"mfd_display", "MFD.ini", "--set side=1 --set plan_path=plans --set position=-5,0",
     "[X_SIZE,Y_SIZE]\n484,605\n[X_POSITION,Y_POSISTION]\n-5,0\n[FRAMELESS_WINDOW(0-1)]\n0\n"
     "[DISPLAY_BEZEL(0-1)]\n1\n[MFD=0,EICAS=1]\n1\n[PLAN_PATH]\n\"plans\"\n[PATH_TO_DU2]\n\"c:\\\"\n"
     "[PATH_TO_DU3]\n\"c:\\\""},
    {"efis_panel", "EFIS.ini", "--set side=1 --set size=444,161",
     "[X_SIZE,Y_SIZE]\n444,161\n[X_POSITION,Y_POSISTION]\n100,100\n[FRAMELESS_WINDOW(0-1)]\n0\n"
     "[CAP_EFIS=0,CO_EFIS=1]\n1\n[BEARING1_SOURCE]\n0\n[BEARING2_SOURCE]\n0\n"},
};

std::string slurp(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

int run(const Program& program, const fs::path& dir, const std::string& args) {
  // No display and no link folder: writing the settings must need neither.
  std::string command = "env -u DISPLAY COCKPIT_LINK_DIR=/nonexistent \"" + std::string(COCKPIT_BINARY_DIR) +
                        "/apps/" + program.name + "\" --workdir \"" + dir.string() + "\" " + args + " 2>\"" +
                        (dir / "stderr.txt").string() + "\"";
  int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(SettingsWriter, EachProgramWritesItsDefaultsWithTheGivenValuesAndEnds) {
  for (const Program& program : PROGRAMS) {
    SCOPED_TRACE(program.name);
    const fs::path dir = fs::temp_directory_path() / (std::string("settings_writer_") + program.name);
    fs::remove_all(dir);
    fs::create_directories(dir);
    ASSERT_EQ(run(program, dir, std::string(program.settings) + " --write-settings"), 0) << slurp(dir / "stderr.txt");
    EXPECT_EQ(slurp(dir / program.file), program.expected);
    // An existing file keeps what is not given; a name or value the unit does
    // not take fails and leaves the file as it was.
    ASSERT_EQ(run(program, dir, "--set side=0 --write-settings"), 0);
    const std::string captain = slurp(dir / program.file);
    EXPECT_NE(captain, program.expected);
    EXPECT_EQ(captain.size(), std::string(program.expected).size());
    for (const char* bad : {"--set colour=red", "--set side=2", "--set size=0,10", "--set size=4x3", "--set =1"}) {
      EXPECT_NE(run(program, dir, std::string(bad) + " --write-settings"), 0) << bad;
      EXPECT_EQ(slurp(dir / program.file), captain) << bad;
    }
    fs::remove_all(dir);
  }
}

}  // namespace
