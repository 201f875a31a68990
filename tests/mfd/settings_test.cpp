#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "mfd/mfd_settings.h"
#include "mfd/mfd_state.h"

namespace fs = std::filesystem;

namespace {

const char kDefaultFile[] =
    "[X_SIZE,Y_SIZE]\n484,605\n[X_POSITION,Y_POSISTION]\n100,100\n[FRAMELESS_WINDOW(0-1)]\n0\n"
    "[DISPLAY_BEZEL(0-1)]\n1\n[MFD=0,EICAS=1]\n0\n[PLANPATH]\n\"c:\\\"\n[PATH_TO_DU2]\n\"c:\\\"\n"
    "[PATH_TO_DU3]\n\"c:\\\"";

class MfdSettings : public ::testing::Test {
 protected:
  void SetUp() override {
    g_mfd = MfdState{};
    dir_ = fs::temp_directory_path() /
           (std::string("mfd_settings_") + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    path_ = (dir_ / "MFD.ini").string();
  }
  void TearDown() override { fs::remove_all(dir_); }
  void put(const std::string& text) { std::ofstream(path_, std::ios::binary) << text; }
  std::string get() {
    std::ifstream in(path_, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  fs::path dir_;
  std::string path_;
};

TEST_F(MfdSettings, DefaultFileIsExactAndReadsBackAsTheDefaults) {
  ASSERT_TRUE(mfd_write_settings_to(path_.c_str(), true));
  EXPECT_EQ(get(), kDefaultFile);
  mfd_read_settings_from(path_.c_str());
  EXPECT_EQ(g_mfd.common.x_size, 484);
  EXPECT_EQ(g_mfd.common.y_size, 605);
  EXPECT_EQ(g_mfd.common.x_position, 100);
  EXPECT_EQ(g_mfd.common.y_position, 100);
  EXPECT_FALSE(g_mfd.common.frameless);
  EXPECT_TRUE(g_mfd.common.bezel_shown);
  EXPECT_EQ(g_mfd.mode, 0);
  EXPECT_TRUE(g_mfd.mfd_side);
  EXPECT_STREQ(g_mfd.plan_path, "c:\\");
  EXPECT_EQ(std::strlen(g_mfd.plan_path), 3u);
  EXPECT_STREQ(g_mfd.du2_path, "c:\\");
  EXPECT_STREQ(g_mfd.du3_path, "c:\\");
}

TEST_F(MfdSettings, SavedFileUsesTheSavedLabelsAndCurrentValues) {
  g_mfd.common.x_size = 433;
  g_mfd.common.y_size = 605;
  g_mfd.common.x_position = -20;
  g_mfd.common.y_position = 40;
  g_mfd.common.frameless = true;
  g_mfd.common.bezel_shown = false;
  g_mfd.mode = 1;
  std::strcpy(g_mfd.plan_path, "/home/pilot/my plans/");
  std::strcpy(g_mfd.du2_path, "..\\du2\\");
  std::strcpy(g_mfd.du3_path, "");
  ASSERT_TRUE(mfd_write_settings_to(path_.c_str(), false));
  EXPECT_EQ(get(),
            "[X_SIZE,Y_SIZE]\n433,605\n[X_POSITION,Y_POSISTION]\n-20,40\n[FRAMELESS_WINDOW(0-1)]\n1\n"
            "[DISPLAY_BEZEL(0-1)]\n0\n[MFD=0,EICAS=1]\n1\n[PLAN_PATH]\n\"/home/pilot/my plans/\"\n"
            "[PATH_TO_DU2]\n\"..\\du2\\\"\n[PATH_TO_DU3]\n\"\"");
  MfdState saved = g_mfd;
  g_mfd = MfdState{};
  mfd_read_settings_from(path_.c_str());
  EXPECT_EQ(g_mfd.common.x_size, 433);
  EXPECT_EQ(g_mfd.common.x_position, -20);
  EXPECT_TRUE(g_mfd.common.frameless);
  EXPECT_FALSE(g_mfd.common.bezel_shown);
  EXPECT_EQ(g_mfd.mode, 1);
  EXPECT_FALSE(g_mfd.mfd_side);
  EXPECT_STREQ(g_mfd.plan_path, saved.plan_path);
  EXPECT_STREQ(g_mfd.du2_path, saved.du2_path);
  EXPECT_STREQ(g_mfd.du3_path, "");
}

TEST_F(MfdSettings, ShortFileKeepsTheRestAndRepairsSizes) {
  put("[X_SIZE,Y_SIZE]\n0,-3\n[X_POSITION,Y_POSISTION]\n5,6\n[FRAMELESS_WINDOW(0-1)]\n");
  std::strcpy(g_mfd.plan_path, "before");
  mfd_read_settings_from(path_.c_str());
  EXPECT_EQ(g_mfd.common.x_size, 484);
  EXPECT_EQ(g_mfd.common.y_size, 605);
  EXPECT_EQ(g_mfd.common.x_position, 5);
  EXPECT_EQ(g_mfd.common.y_position, 6);
  EXPECT_FALSE(g_mfd.common.frameless);
  EXPECT_STREQ(g_mfd.plan_path, "before");
}

TEST_F(MfdSettings, OutOfRangeFlagsAndModeBecomeOne) {
  put("[A]\n500,700\n[B]\n1,2\n[C]\n7\n[D]\n-1\n[E]\n300\n[F]\n\"p\"\n[G]\n\"q\"\n[H]\n\"r\"");
  mfd_read_settings_from(path_.c_str());
  EXPECT_EQ(g_mfd.common.x_size, 500);
  EXPECT_TRUE(g_mfd.common.frameless);
  EXPECT_TRUE(g_mfd.common.bezel_shown);
  EXPECT_EQ(g_mfd.mode, 1);
  EXPECT_STREQ(g_mfd.du3_path, "r");
}

TEST_F(MfdSettings, LongPathsAreCutAtTheirLimits) {
  std::string plan(700, 'p'), du2(520, 'd');
  put(std::string("[A]\n1,1\n[B]\n1,1\n[C]\n0\n[D]\n1\n[E]\n0\n[F]\n\"") + plan + "\"\n[G]\n\"" + du2 +
      "\"\n[H]\n\"unterminated and blank");
  mfd_read_settings_from(path_.c_str());
  EXPECT_EQ(std::strlen(g_mfd.plan_path), 599u);
  EXPECT_EQ(std::strlen(g_mfd.du2_path), 499u);
  EXPECT_STREQ(g_mfd.du3_path, "unterminated and blank");
}

TEST_F(MfdSettings, MissingFileGivesDefaultSizesAndMfdMode) {
  mfd_read_settings_from((dir_ / "absent.ini").string().c_str());
  EXPECT_EQ(g_mfd.common.x_size, 484);
  EXPECT_EQ(g_mfd.common.y_size, 605);
  EXPECT_EQ(g_mfd.mode, 0);
  EXPECT_TRUE(g_mfd.mfd_side);
}

}  // namespace
