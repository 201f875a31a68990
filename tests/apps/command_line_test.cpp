// The unit programs' command lines: --help answers on standard output with 0;
// an unknown option, a missing or a bad value is exit 2 with a message on
// standard error; numbers are decimal unless written 0x; bytes of an
// argument are never echoed raw. No case opens a window.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/private_network.h"
#include "tests/support/programs.h"
#include "tests/support/temp_folder.h"

namespace {

struct Case {
  std::string arguments;
  int status;
  bool on_stdout;
  std::string text;
};

// Cases every unit program answers the same way.
std::vector<Case> common_cases(const std::string& program) {
  return {
      {"--help", 0, true, "usage: " + program + " [options]"},
      {"--frames 3 --help", 0, true, "numbers are decimal unless written 0x"},
      {"--frame 3", 2, false, program + ": unknown option \"--frame\""},
      {"extra", 2, false, "unknown option \"extra\""},
      {"--frames", 2, false, "--frames needs a positive whole number"},
      {"--workdir", 2, false, "--workdir needs a path"},
      {"--frames 1e3", 2, false, "--frames needs a positive whole number"},
      {"--frames 0x", 2, false, "--frames needs a positive whole number"},
      // Octal would refuse 08 and read 010 as 8; both are plain decimal here.
      {"--frames 08 --press-key 010:27 --write-settings", 0, false, ""},
      {"--frames 0x1F --write-settings", 0, false, ""},
      {"--set colour=red --write-settings", 2, false, "--set colour=red: no such setting"},
      {"'\x1b]0;owned\x07'", 2, false, "unknown option \"\\x1B]0;owned\\x07\""},
      {"--set '\x1b[2J=1' --write-settings", 2, false, "--set \\x1B[2J=1"},
  };
}

void check_command_line(const std::string& program, std::vector<Case> cases, bool private_network = false) {
  TempFolder folder("command_line_" + program);
  std::string prefix;
  if (private_network) {
    std::string why;
    if (!private_network_available(&why)) GTEST_SKIP() << why;
    prefix = private_network_command_prefix() + " ";
  }
  const std::vector<Case> shared = common_cases(program);
  cases.insert(cases.begin(), shared.begin(), shared.end());
  for (const Case& c : cases) {
    const std::string command = "cd '" + folder.path.string() + "' && env SDL_AUDIODRIVER=dummy COCKPIT_LINK_DIR=" +
                                folder.path.string() + "/no-link " + prefix + "'" + std::string(COCKPIT_BINARY_DIR) +
                                "/apps/" + program + "' --headless " + c.arguments;
    std::string out, err;
    EXPECT_EQ(run_command(command, &out, &err), c.status) << c.arguments << "\n" << out << err;
    EXPECT_NE((c.on_stdout ? out : err).find(c.text), std::string::npos) << c.arguments << "\n" << out << err;
    EXPECT_EQ((out + err).find('\x1b'), std::string::npos) << c.arguments;
    if (c.status == 0 && c.on_stdout) {
      EXPECT_EQ(err, "") << c.arguments;
    }
  }
}

TEST(CommandLine, PfdDisplay) { check_command_line("pfd_display", {}); }
TEST(CommandLine, MfdDisplay) { check_command_line("mfd_display", {}); }
TEST(CommandLine, RmuPanel) { check_command_line("rmu_panel", {}, true); }

TEST(CommandLine, EfisPanel) {
  check_command_line("efis_panel", {
                                       {"--help", 0, true, "--click FRAME:X:Y"},
                                       {"--click", 2, false, "--click needs FRAME:X:Y"},
                                       {"--click 1:2", 2, false, "--click needs FRAME:X:Y"},
                                   });
}

}  // namespace
