// "EFIS.ini": the exact text, reading by position, short and damaged files,
// and whole-file replacement.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "efis/efis_settings.h"
#include "efis/efis_state.h"
#include "efis/efis_unit.h"

namespace fs = std::filesystem;

namespace {

EfisSettings parse(const std::string& text, int* count = nullptr) {
  EfisSettings settings = EFIS_SETTINGS_BUILT_IN;
  int read = efis_parse_settings(text.data(), text.size(), &settings);
  if (count) *count = read;
  return settings;
}

bool same(const EfisSettings& a, const EfisSettings& b) {
  return a.x_size == b.x_size && a.y_size == b.y_size && a.x_position == b.x_position &&
         a.y_position == b.y_position && a.frameless == b.frameless && a.side == b.side &&
         a.bearing1 == b.bearing1 && a.bearing2 == b.bearing2;
}

struct TempDir {
  fs::path path;
  TempDir() {
    path = fs::temp_directory_path() / ("efis_settings_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                        "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(path);
    fs::create_directories(path);
  }
  ~TempDir() { fs::remove_all(path); }
};

std::string slurp(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace

TEST(EfisSettingsText, DefaultFileIsExact) {
  EXPECT_EQ(efis_settings_text(EFIS_SETTINGS_DEFAULTS),
            "[X_SIZE,Y_SIZE]\n617,225\n[X_POSITION,Y_POSISTION]\n100,100\n"
            "[FRAMELESS_WINDOW(0-1)]\n0\n[CAP_EFIS=0,CO_EFIS=1]\n0\n"
            "[BEARING1_SOURCE]\n0\n[BEARING2_SOURCE]\n0\n");
  EfisSettings running = {617, 224, -40, 1200, 1, 1, 3, 2};
  int count = 0;
  EXPECT_TRUE(same(parse(efis_settings_text(running), &count), running));
  EXPECT_EQ(count, EFIS_SETTINGS_VALUE_COUNT);
}

TEST(EfisSettingsText, LabelsAreNotComparedAndWindowsLineEndsRead) {
  EfisSettings s = parse("[A]\r\n800,291\r\n[B]\r\n5,6\r\n[C]\r\n1\r\n[D]\r\n1\r\n[E]\r\n2\r\n[F]\r\n3");
  EXPECT_TRUE(same(s, EfisSettings{800, 291, 5, 6, 1, 1, 2, 3}));
}

TEST(EfisSettingsText, ShortOrDamagedFilesKeepTheBuiltInValues) {
  int count = -1;
  EXPECT_TRUE(same(parse("", &count), EFIS_SETTINGS_BUILT_IN));
  EXPECT_EQ(count, 0);
  // Ends after the first value of the size pair.
  EfisSettings s = parse("[X_SIZE,Y_SIZE]\n700", &count);
  EXPECT_EQ(count, 1);
  EXPECT_TRUE(same(s, EfisSettings{700, 208, 0, 0, 0, 0, 0, 0}));
  // A word where a number belongs stops the reading there.
  s = parse("[X_SIZE,Y_SIZE]\n700,250\n[X_POSITION,Y_POSISTION]\nleft,100\n[F]\n1\n", &count);
  EXPECT_EQ(count, 2);
  EXPECT_TRUE(same(s, EfisSettings{700, 250, 0, 0, 0, 0, 0, 0}));
  // A number beyond 32 bits is not a number.
  s = parse("[S]\n99999999999,5\n", &count);
  EXPECT_EQ(count, 0);
  s = parse("[S]\n-2147483648,2147483647\n", &count);
  EXPECT_EQ(count, 2);
  EXPECT_EQ(s.x_size, INT32_MIN);
  EXPECT_EQ(s.y_size, INT32_MAX);
  // Only the given length is read, even from a longer buffer.
  std::string text = efis_settings_text(EfisSettings{700, 250, 1, 2, 1, 1, 3, 3});
  EfisSettings partial = EFIS_SETTINGS_BUILT_IN;
  EXPECT_EQ(efis_parse_settings(text.data(), text.find("[FRAMELESS"), &partial), 4);
  EXPECT_EQ(partial.frameless, 0);
}

TEST(EfisSettingsText, SanitisingRepairsOnlyWhatIsUnusable) {
  EfisSettings s = {0, -5, 40000, -40000, 7, -3, 9, -2};
  efis_sanitize_settings(&s);
  EXPECT_TRUE(same(s, EfisSettings{617, 225, 100, 100, 1, 1, 3, 0}));
  EfisSettings valid = {900, 327, -200, 50, 1, 1, 2, 1};
  EfisSettings copy = valid;
  efis_sanitize_settings(&copy);
  EXPECT_TRUE(same(copy, valid));
  EfisSettings built_in = EFIS_SETTINGS_BUILT_IN;
  efis_sanitize_settings(&built_in);
  EXPECT_TRUE(same(built_in, EfisSettings{571, 208, 0, 0, 0, 0, 0, 0}));
}

TEST(EfisSettingsFile, WritesWholeFilesAndReadsThemBack) {
  TempDir dir;
  std::string path = (dir.path / EFIS_SETTINGS_FILE).string();
  EXPECT_FALSE(efis_settings_exist(path.c_str()));
  EfisSettings s;
  EXPECT_FALSE(efis_read_settings_file(path.c_str(), &s));
  EXPECT_TRUE(same(s, EFIS_SETTINGS_BUILT_IN));

  ASSERT_TRUE(efis_write_settings_file(path.c_str(), EFIS_SETTINGS_DEFAULTS));
  EXPECT_TRUE(efis_settings_exist(path.c_str()));
  EXPECT_EQ(slurp(path), efis_settings_text(EFIS_SETTINGS_DEFAULTS));
  EfisSettings moved = {617, 224, 300, 400, 0, 1, 1, 2};
  ASSERT_TRUE(efis_write_settings_file(path.c_str(), moved));
  ASSERT_TRUE(efis_read_settings_file(path.c_str(), &s));
  EXPECT_TRUE(same(s, moved));
  // Nothing but the file itself is left in the folder.
  int entries = 0;
  for (const auto& entry : fs::directory_iterator(dir.path)) {
    (void)entry;
    ++entries;
  }
  EXPECT_EQ(entries, 1);
}

TEST(EfisSettingsFile, DamagedFileReadsSafeValuesAndUnwritableFolderFailsCleanly) {
  TempDir dir;
  std::string path = (dir.path / EFIS_SETTINGS_FILE).string();
  {
    std::ofstream out(path);
    out << "[X_SIZE,Y_SIZE]\n0,0\n[X_POSITION,Y_POSISTION]\n10,20\n[F]\n1\n[SIDE]\n2\n[B1]\n-1\n[B2]\n4\n";
  }
  EfisSettings s;
  ASSERT_TRUE(efis_read_settings_file(path.c_str(), &s));
  EXPECT_TRUE(same(s, EfisSettings{617, 225, 10, 20, 1, 1, 0, 3}));

  std::string missing_folder = (dir.path / "no-such-folder" / EFIS_SETTINGS_FILE).string();
  EXPECT_FALSE(efis_write_settings_file(missing_folder.c_str(), EFIS_SETTINGS_DEFAULTS));
  EXPECT_FALSE(fs::exists(dir.path / "no-such-folder"));
}

TEST(EfisUnitSettings, MovesRewriteTheFileFromTheRunningState) {
  TempDir dir;
  fs::path previous = fs::current_path();
  fs::current_path(dir.path);
  const UnitHooks& hooks = efis_unit_hooks();
  hooks.write_settings(true);
  EXPECT_EQ(slurp(EFIS_SETTINGS_FILE), efis_settings_text(EFIS_SETTINGS_DEFAULTS));

  {
    std::ofstream out(EFIS_SETTINGS_FILE);
    out << "[X_SIZE,Y_SIZE]\n800,291\n[X_POSITION,Y_POSISTION]\n5,6\n[F]\n1\n[S]\n1\n[B1]\n2\n[B2]\n3\n";
  }
  hooks.read_settings();
  EXPECT_EQ(g_efis.common.x_size, 800);
  EXPECT_EQ(g_efis.common.y_position, 6);
  EXPECT_TRUE(g_efis.common.frameless);
  EXPECT_EQ(g_efis.panel.side, 1);
  EXPECT_EQ(g_efis.panel.nav1, 1);
  EXPECT_STREQ(hooks.startup_title(), "Korvu FO EFIS - v1.0.0.4 build 205");

  // The window was moved and the knobs turned: the next notification saves that.
  g_efis.common.x_position = 250;
  g_efis.common.y_size = 291;
  g_efis.panel.bearing1_position = 0;
  hooks.window_moved();
  EXPECT_EQ(slurp(EFIS_SETTINGS_FILE), efis_settings_text(EfisSettings{800, 291, 250, 6, 1, 1, 0, 3}));
  fs::current_path(previous);
}
