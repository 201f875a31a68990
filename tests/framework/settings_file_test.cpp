#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "framework/settings_file.h"

namespace fs = std::filesystem;

namespace {

class SettingsFile : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("settings_test_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                        "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_);
    path_ = (dir_ / "unit.ini").string();
  }
  void TearDown() override { fs::remove_all(dir_); }
  void put(const std::string& text) {
    std::ofstream(path_, std::ios::binary) << text;
  }
  std::string get() {
    std::ifstream in(path_, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  fs::path dir_;
  std::string path_;
};

TEST_F(SettingsFile, WriterMakesExactLinesWithoutFinalLineFeed) {
  SettingsWriter w;
  settings_put_label(&w, "[X_SIZE,Y_SIZE]");
  settings_put_int_pair(&w, -5, 605);
  settings_put_label(&w, "[FLAG]");
  settings_put_int(&w, 1);
  settings_put_label(&w, "[PATH]");
  settings_put_path(&w, "c:\\my plans\\");
  ASSERT_TRUE(settings_commit(w, path_.c_str()));
  EXPECT_EQ(get(), "[X_SIZE,Y_SIZE]\n-5,605\n[FLAG]\n1\n[PATH]\n\"c:\\my plans\\\"");
  // Nothing but the file itself is left in the folder.
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

TEST_F(SettingsFile, ReadsPairsByPositionWhateverTheLabels) {
  put("[ANY_LABEL_AT_ALL]\r\n12,-34\r\nx\n7\n" + std::string(5000, 'L') + "\n  \"a b\\c\"  \n[P2]\n\"\"");
  SettingsReader r;
  ASSERT_TRUE(settings_open(&r, path_.c_str()));
  int a = 0, b = 0, c = 0;
  char p1[16], p2[16];
  EXPECT_TRUE(settings_read_int_pair_entry(&r, &a, &b));
  EXPECT_TRUE(settings_read_int_entry(&r, &c));
  EXPECT_TRUE(settings_read_path_entry(&r, p1, sizeof p1));
  EXPECT_TRUE(settings_read_path_entry(&r, p2, sizeof p2));
  EXPECT_EQ(a, 12);
  EXPECT_EQ(b, -34);
  EXPECT_EQ(c, 7);
  EXPECT_STREQ(p1, "a b\\c");
  EXPECT_STREQ(p2, "");
}

TEST_F(SettingsFile, BadValueLeavesItAndEverythingAfterUnread) {
  put("[A]\n640,abc\n[B]\n5\n[C]\n\"x\"");
  SettingsReader r;
  ASSERT_TRUE(settings_open(&r, path_.c_str()));
  int a = 11, b = 22, c = 33;
  char p[8] = "keep";
  EXPECT_FALSE(settings_read_int_pair_entry(&r, &a, &b));
  EXPECT_FALSE(settings_read_int_entry(&r, &c));
  EXPECT_FALSE(settings_read_path_entry(&r, p, sizeof p));
  EXPECT_EQ(a, 640);
  EXPECT_EQ(b, 22);
  EXPECT_EQ(c, 33);
  EXPECT_STREQ(p, "keep");
}

TEST_F(SettingsFile, NumbersOutsideTheIntRangeAreRejected) {
  put("[A]\n2147483648\n[B]\n-2147483648");
  SettingsReader r;
  ASSERT_TRUE(settings_open(&r, path_.c_str()));
  int v = 9;
  EXPECT_FALSE(settings_read_int_entry(&r, &v));
  EXPECT_EQ(v, 9);
  put("[B]\n-2147483648\n[C]\n+4");
  ASSERT_TRUE(settings_open(&r, path_.c_str()));
  EXPECT_TRUE(settings_read_int_entry(&r, &v));
  EXPECT_EQ(v, INT32_MIN);
  EXPECT_TRUE(settings_read_int_entry(&r, &v));
  EXPECT_EQ(v, 4);
}

TEST_F(SettingsFile, UnterminatedPathReadsToTheEndAndIsCutAtItsLimit) {
  put("[P]\n\"" + std::string(40, 'x') + "\nmore");
  SettingsReader r;
  ASSERT_TRUE(settings_open(&r, path_.c_str()));
  char p[11];
  EXPECT_TRUE(settings_read_path_entry(&r, p, sizeof p));
  EXPECT_EQ(std::string(p), std::string(10, 'x'));
  int after = 5;
  EXPECT_FALSE(settings_read_int_entry(&r, &after));
  EXPECT_EQ(after, 5);
}

TEST_F(SettingsFile, MissingEmptyAndOversizedFiles) {
  SettingsReader r;
  EXPECT_FALSE(settings_open(&r, (dir_ / "absent.ini").string().c_str()));
  put("");
  ASSERT_TRUE(settings_open(&r, path_.c_str()));
  int v = 3;
  EXPECT_FALSE(settings_read_int_entry(&r, &v));
  EXPECT_EQ(v, 3);
  put(std::string(SETTINGS_FILE_LIMIT + 1, ' '));
  EXPECT_FALSE(settings_open(&r, path_.c_str()));
}

TEST_F(SettingsFile, CommitIntoAMissingFolderFailsAndLeavesNothing) {
  SettingsWriter w;
  settings_put_label(&w, "[A]");
  settings_put_int(&w, 1);
  EXPECT_FALSE(settings_commit(w, (dir_ / "no" / "such.ini").string().c_str()));
  EXPECT_FALSE(fs::exists(dir_ / "no"));
}

TEST_F(SettingsFile, WordsRealsAndSeparatorsForOtherUnits) {
  SettingsWriter w;
  settings_put_label(&w, "[FLAG]");
  settings_put_line(&w, "%s", "01");
  settings_put_label(&w, "[COM]");
  settings_put_line(&w, "%3.2f", 118.7);
  settings_put_label(&w, "[POSITION]");
  settings_put_line(&w, "%2.2f,%2.2f,%2.2f", -0.5, 1.25, 30.0);
  settings_put_label(&w, "[LONG]");
  settings_put_line(&w, "%s", "abcdefghij");
  ASSERT_TRUE(settings_commit(w, path_.c_str()));
  EXPECT_EQ(get(), "[FLAG]\n01\n[COM]\n118.70\n[POSITION]\n-0.50,1.25,30.00\n[LONG]\nabcdefghij");

  SettingsReader r;
  ASSERT_TRUE(settings_open(&r, path_.c_str()));
  char word[4];
  double com = 0, x = 0, y = 0, z = 0;
  ASSERT_TRUE(settings_skip_label(&r) && settings_read_word(&r, word, sizeof word));
  EXPECT_STREQ(word, "01");
  ASSERT_TRUE(settings_skip_label(&r) && settings_read_double(&r, &com));
  EXPECT_DOUBLE_EQ(com, 118.70);
  ASSERT_TRUE(settings_skip_label(&r) && settings_read_double(&r, &x) && settings_expect_char(&r, ',') &&
              settings_read_double(&r, &y) && settings_expect_char(&r, ',') && settings_read_double(&r, &z));
  EXPECT_DOUBLE_EQ(x, -0.5);
  EXPECT_DOUBLE_EQ(y, 1.25);
  EXPECT_DOUBLE_EQ(z, 30.0);
  ASSERT_TRUE(settings_skip_label(&r) && settings_read_word(&r, word, sizeof word));
  EXPECT_STREQ(word, "abc");
  EXPECT_FALSE(settings_read_word(&r, word, sizeof word));  // end of file
}

TEST_F(SettingsFile, RealsThatAreNotNumbersFail) {
  put("[A]\nabc\n[B]\n1e999\n");
  SettingsReader r;
  ASSERT_TRUE(settings_open(&r, path_.c_str()));
  double v = 7;
  EXPECT_FALSE(settings_skip_label(&r) && settings_read_double(&r, &v));
  EXPECT_DOUBLE_EQ(v, 7);
  put("[B]\n1e999\n");
  ASSERT_TRUE(settings_open(&r, path_.c_str()));
  EXPECT_FALSE(settings_skip_label(&r) && settings_read_double(&r, &v));
  EXPECT_DOUBLE_EQ(v, 7);
}

TEST(SettingsRepair, SizesFlagsAndRanges) {
  EXPECT_EQ(settings_size_or_default(0, 484), 484);
  EXPECT_EQ(settings_size_or_default(-7, 484), 484);
  EXPECT_EQ(settings_size_or_default(300, 484), 300);
  EXPECT_EQ(settings_flag(0), 0);
  EXPECT_EQ(settings_flag(1), 1);
  EXPECT_EQ(settings_flag(-9), 1);
  EXPECT_EQ(settings_clamp(-1, 0, 3), 0);
  EXPECT_EQ(settings_clamp(9, 0, 3), 3);
  EXPECT_EQ(settings_clamp(2, 0, 3), 2);
}

}  // namespace
