// mfd_display as DU2 against a link server: raw offsets in, the EICAS's
// readouts and crew-alert list out, and the master caution lit in the shared
// alert cell for the other units.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "server/offset_space.h"
#include "simlink/cells.h"
#include "tests/support/private_link.h"

namespace fs = std::filesystem;

namespace {

OffsetSpace space;

std::vector<std::string> printed_texts(const fs::path& dump) {
  std::vector<std::string> out;
  std::ifstream f(dump);
  std::string line;
  while (std::getline(f, line)) out.push_back(line.substr(0, line.find('\t')));
  return out;
}

TEST(MfdEndToEnd, EicasListsTheMessagesAndLightsTheMasterCaution) {
  const fs::path dir = fs::temp_directory_path() /
                       ("mfd-e2e-" + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
  fs::create_directories(dir / "work");
  const fs::path run = fs::path(COCKPIT_RUN_DIR) / "du2";
  fs::copy(run / "textures", dir / "work" / "textures");
  fs::create_directories(dir / "work" / "data");
  fs::copy_file(run / "data" / "MCRChime.wav", dir / "work" / "data" / "MCRChime.wav");
  std::ofstream(dir / "work" / "MFD.ini", std::ios::binary)
      << "[X_SIZE,Y_SIZE]\n433,605\n[X_POSITION,Y_POSISTION]\n0,0\n[FRAMELESS_WINDOW(0-1)]\n0\n"
      << "[DISPLAY_BEZEL(0-1)]\n1\n[MFD=0,EICAS=1]\n1\n[PLAN_PATH]\n\"c:\\\"\n[PATH_TO_DU2]\n\"c:\\\"\n"
      << "[PATH_TO_DU3]\n\"c:\\\"";

  PrivateLink link;
  std::string error;
  ASSERT_TRUE(private_link_start(&link, &space, "mfd-e2e", &error)) << error;
  // In the air, the left engine at 85 % N1, the right one shut down, pitot heat off.
  space_store(&space, 0x281C, int32_t{1});
  space_store(&space, 0x0898, int16_t{13927});
  space_store(&space, 0x3AF0, 1.0);
  space_store(&space, 0x3B60, 144.0 * 90);
  space_store(&space, 0x2880, 28.0);
  space_store(&space, 0x08F8, uint32_t{20});
  space_store(&space, 0x2EA0, 0.05);
  space_store(&space, 0x0AF4, int16_t{6 * 256});
  for (uint32_t offset : {0x0B80u, 0x0B98u}) space_store(&space, offset, int32_t{300});
  for (uint32_t offset : {0x0B7Cu, 0x0B94u}) space_store(&space, offset, int32_t{8388608});
  // A stale acknowledge request and a PFD's pending reload.
  space_store(&space, CELL_ALERT, uint8_t{ALERT_ACKNOWLEDGE | ALERT_RELOAD_FO});

  const fs::path dump = dir / "text.tsv";
  std::string command = "COCKPIT_LINK_DIR='" + link.folder.string() + "' SDL_AUDIODRIVER=dummy '" +
                        std::string(COCKPIT_BINARY_DIR) + "/apps/mfd_display' --headless --frames 30 --workdir '" +
                        (dir / "work").string() + "' --dump-text '" + dump.string() + "'";
  int status = std::system(command.c_str());
  const uint8_t cell = space_load<uint8_t>(&space, CELL_ALERT);
  private_link_stop(&link);
  ASSERT_EQ(status, 0) << command;

  const std::vector<std::string> texts = printed_texts(dump);
  auto shown = [&](const std::string& t) { return std::find(texts.begin(), texts.end(), t) != texts.end(); };
  EXPECT_TRUE(shown("85.0"));
  EXPECT_TRUE(shown("90"));  // oil pressure, psi
  EXPECT_TRUE(shown("L R PITOT HT"));
  EXPECT_TRUE(shown("R   ENG SHUTDOWN"));
  EXPECT_FALSE(shown("R   OIL PRESS LOW"));  // taken out by the shut-down engine
  ASSERT_FALSE(texts.empty());
  EXPECT_EQ(texts.back(), "END");
  // New messages took the stale request; the caution flashes; the reload bit stays.
  EXPECT_EQ(cell, ALERT_MASTER_CAUTION | ALERT_RELOAD_FO);

  std::error_code ec;
  fs::remove_all(dir, ec);
}

}  // namespace
