// mfd_display end to end: a fresh working folder, a real window under Xvfb,
// the settings file before and after, the exit paths.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/png_file.h"
#include "server/offset_space.h"
#include "simlink/cells.h"
#include "tests/support/private_link.h"

namespace fs = std::filesystem;

namespace {

const char kSavedDefaults[] =
    "[X_SIZE,Y_SIZE]\n433,605\n[X_POSITION,Y_POSISTION]\n100,100\n[FRAMELESS_WINDOW(0-1)]\n0\n"
    "[DISPLAY_BEZEL(0-1)]\n1\n[MFD=0,EICAS=1]\n0\n[PLAN_PATH]\n\"c:\\\"\n[PATH_TO_DU2]\n\"c:\\\"\n"
    "[PATH_TO_DU3]\n\"c:\\\"";

class MfdDisplay : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           (std::string("mfd_display_") + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    fs::path textures = fs::path(COCKPIT_RUN_DIR) / "du3" / "textures";
    ASSERT_TRUE(fs::exists(textures / "MFD_Overlay.tga"));
    fs::copy(textures, dir_ / "textures");
  }
  void TearDown() override {
    if (!HasFailure()) fs::remove_all(dir_);
  }
  // Runs the program with the folder as its working folder, started from
  // `from` when given; returns its exit code.
  int run(const std::string& args, const std::string& env = "", const std::string& from = "") {
    std::string command = (from.empty() ? "" : "cd \"" + from + "\" && ") + "SDL_AUDIODRIVER=dummy " + env +
                          " \"" + COCKPIT_BINARY_DIR + "/apps/mfd_display\" --headless --workdir \"" + dir_.string() +
                          "\" " + args + " 2>\"" + (dir_ / "stderr.txt").string() + "\"";
    int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  std::string read(const char* name) {
    std::ifstream in(dir_ / name, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  void write(const char* name, const std::string& text) { std::ofstream(dir_ / name, std::ios::binary) << text; }
  fs::path dir_;
};

TEST_F(MfdDisplay, FreshFolderWritesDefaultsDrawsAndSavesTheDrawingWidth) {
  std::string shot = (dir_ / "shot.png").string();
  ASSERT_EQ(run("--frames 3 --screenshot " + shot), 0) << read("stderr.txt");
  EXPECT_EQ(read("MFD.ini"), kSavedDefaults);
  RgbImage image;
  ASSERT_TRUE(png_read_rgb(shot.c_str(), &image));
  EXPECT_EQ(image.width, 484);
  EXPECT_EQ(image.height, 605);
  // The painted soft keys sit on their hit boxes (87..90 % of the height).
  for (int percent : {20, 30, 41, 52, 62, 73}) {
    size_t at = (static_cast<size_t>(535) * image.width + percent * 433 / 100) * 3;
    EXPECT_GT(image.pixels[at] + image.pixels[at + 1] + image.pixels[at + 2], 60) << percent;
  }
  // Battery off (no simulator): the screen inside the bezel is black.
  size_t centre = (static_cast<size_t>(300) * image.width + 216) * 3;
  EXPECT_EQ(image.pixels[centre] + image.pixels[centre + 1] + image.pixels[centre + 2], 0);
  // Right of the 433-pixel drawing area the client stays black.
  for (int y : {10, 300, 600}) {
    size_t at = (static_cast<size_t>(y) * image.width + 470) * 3;
    EXPECT_EQ(image.pixels[at] + image.pixels[at + 1] + image.pixels[at + 2], 0) << y;
  }
}

TEST_F(MfdDisplay, EscapeEndsTheLoopBeforeTheFrameLimit) {
  std::string shot = (dir_ / "never.png").string();
  ASSERT_EQ(run("--frames 100000 --press-key 3:27 --screenshot " + shot), 0) << read("stderr.txt");
  EXPECT_FALSE(fs::exists(shot));
  EXPECT_EQ(read("MFD.ini"), kSavedDefaults);
}

TEST_F(MfdDisplay, FKeyTogglesFramelessKeepsThePlaceAndIsSaved) {
  ASSERT_EQ(run("--frames 6 --press-key 2:70"), 0) << read("stderr.txt");
  std::string saved = read("MFD.ini");
  EXPECT_NE(saved.find("[X_POSITION,Y_POSISTION]\n100,100\n[FRAMELESS_WINDOW(0-1)]\n1\n"), std::string::npos) << saved;
  // Twice toggles back.
  ASSERT_EQ(run("--frames 6 --press-key 2:70 --press-key 4:70"), 0);
  EXPECT_NE(read("MFD.ini").find("[FRAMELESS_WINDOW(0-1)]\n1\n"), std::string::npos);
}

TEST_F(MfdDisplay, ExistingSettingsAreUsedAndRewrittenWithSavedLabels) {
  write("MFD.ini",
        "[SIZE]\r\n300,400\r\n[POS]\r\n30,40\r\n[F]\r\n0\r\n[B]\r\n0\r\n[M]\r\n1\r\n[P]\r\n\"plans dir\"\r\n"
        "[D2]\r\n\"../du2/\"\r\n[D3]\r\n\"../du3/\"\r\n");
  ASSERT_EQ(run("--frames 2"), 0) << read("stderr.txt");
  EXPECT_EQ(read("MFD.ini"),
            "[X_SIZE,Y_SIZE]\n286,400\n[X_POSITION,Y_POSISTION]\n30,40\n[FRAMELESS_WINDOW(0-1)]\n0\n"
            "[DISPLAY_BEZEL(0-1)]\n0\n[MFD=0,EICAS=1]\n1\n[PLAN_PATH]\n\"plans dir\"\n[PATH_TO_DU2]\n\"../du2/\"\n"
            "[PATH_TO_DU3]\n\"../du3/\"");
}

TEST_F(MfdDisplay, MissingTextureEndsWithOneAndSaysSo) {
  fs::remove_all(dir_ / "textures");
  EXPECT_EQ(run("--frames 2 >\"" + (dir_ / "stdout.txt").string() + "\""), 1);
  EXPECT_NE(read("stdout.txt").find("\nUnable to load TGA File!\n"), std::string::npos);
  EXPECT_NE(read("stderr.txt").find("Unable to load TGA File!"), std::string::npos);
}

TEST_F(MfdDisplay, DumpTextWritesTheLastFramesStrings) {
  // A relative output path names a file where the program was started.
  fs::create_directories(dir_ / "elsewhere");
  std::string dump = (dir_ / "elsewhere" / "text.tsv").string();
  ASSERT_EQ(run("--frames 2 --dump-text text.tsv", "", (dir_ / "elsewhere").string()), 0);
  EXPECT_TRUE(fs::exists(dump));  // nothing is printed while the battery is off
  EXPECT_EQ(fs::file_size(dump), 0u);
}

TEST_F(MfdDisplay, NoFontFaceAtAllEndsTheFirstFrameWithOne) {
  // A font configuration without any font folder: no face can be loaded.
  write("fonts.conf", "<?xml version=\"1.0\"?>\n<fontconfig><cachedir>" + (dir_ / "cache").string() +
                          "</cachedir></fontconfig>\n");
  EXPECT_EQ(run("--frames 5", "FONTCONFIG_FILE=\"" + (dir_ / "fonts.conf").string() + "\""), 1);
  EXPECT_NE(read("stderr.txt").find("Korvu Error!: Korvu.ttf Font is not installed"), std::string::npos)
      << read("stderr.txt");
  EXPECT_EQ(read("MFD.ini"), kSavedDefaults);  // an orderly shutdown still saves
}

TEST_F(MfdDisplay, WindowFailureExitsWithOneAndLeavesTheSettingsAlone) {
  const std::string mine = "[X_SIZE,Y_SIZE]\n300,400\n[X_POSITION,Y_POSISTION]\n7,8";
  write("MFD.ini", mine);
  EXPECT_EQ(run("--frames 2", "SDL_VIDEODRIVER=no_such_driver"), 1);
  EXPECT_EQ(read("MFD.ini"), mine);
  EXPECT_NE(read("stderr.txt").find("ERROR: "), std::string::npos) << read("stderr.txt");
}

TEST_F(MfdDisplay, ReversionFromTheLinkSwapsTheMenuOfADu3) {
  OffsetSpace space;
  PrivateLink link;
  std::string error;
  ASSERT_TRUE(private_link_start(&link, &space, "mfd-display", &error)) << error;
  space_store(&space, 0x281C, int32_t{1});
  space_store(&space, 0x2E80, int32_t{1});
  struct Case { uint8_t reversion; const char* shown; const char* absent; };
  for (Case c : {Case{0, "M/P", "CAS"}, Case{1, "CAS", "M/P"}}) {
    space_store(&space, CELL_REVERSION, c.reversion);
    ASSERT_EQ(run("--frames 5 --dump-text \"" + (dir_ / "text.tsv").string() + "\"", "COCKPIT_LINK_DIR=\"" + link.folder.string() + "\""), 0)
        << read("stderr.txt");
    std::string text = read("text.tsv");
    EXPECT_NE(text.find(std::string("\n") + c.shown + "\t"), std::string::npos) << text;
    EXPECT_EQ(text.find(std::string("\n") + c.absent + "\t"), std::string::npos) << text;
  }
  private_link_stop(&link);
}

}  // namespace
