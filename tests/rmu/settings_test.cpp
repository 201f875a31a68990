// "RMU.ini": the default file, reading by position, the memory lists and the
// values that must never reach the simulator or shift the rest of the file.
#include <gtest/gtest.h>

#include <string>

#include "rmu/rmu_settings.h"

namespace {

struct Parsed {
  UnitCommon common{};
  RmuSettings settings{};
  RmuRadios radios{};
};

Parsed parse(const std::string& text) {
  Parsed p;
  p.common.bezel_shown = true;
  for (int i = 0; i < 3; ++i) p.settings.display_position[i] = RMU_BUILT_IN_DISPLAY_POSITION[i];
  rmu_parse_settings(text.data(), text.size(), RmuSettingsTarget{&p.common, &p.settings, &p.radios});
  return p;
}

std::string file(const std::string& flags, const std::string& com, const std::string& nav,
                 const std::string& position = "0.00,-0.07,-0.67\n") {
  return "[X_SIZE,Y_SIZE]\n328,400\n[X_POSITION,Y_POSITION]\n10,20\n" + flags + "[COM_MEMORY]\n" + com +
         "[NAV_MEMORY]\n" + nav + "[DISPLAY_POSITION]\n" + position;
}
const std::string PLAIN_FLAGS =
    "[FRAMELESS_WINDOW(0-1)]\n0\n[DISPLAY_BEZEL(0-1)]\n1\n[RMU1=0,RMU2=1]\n0\n[COM_WRITE_TO_SIM]\n0\n";

std::vector<float> values(const RmuMemoryList& list) { return {list.values, list.values + list.count}; }

TEST(RmuSettings, DefaultFileReadsBackAsTheBuiltInValues) {
  const std::string text = rmu_settings_text(true, UnitCommon{}, RmuSettings{}, RmuRadios{});
  EXPECT_EQ(text,
            "[X_SIZE,Y_SIZE]\n484,605\n[X_POSITION,Y_POSITION]\n100,100\n[FRAMELESS_WINDOW(0-1)]\n0\n"
            "[DISPLAY_BEZEL(0-1)]\n1\n[RMU1=0,RMU2=1]\n0\n[COM_WRITE_TO_SIM]\n0\n[COM_MEMORY]\n[NAV_MEMORY]\n"
            "[DISPLAY_POSITION]\n0.00,-0.07,-0.67\n");
  Parsed p = parse(text);
  EXPECT_EQ(p.common.x_size, 484);
  EXPECT_EQ(p.common.y_position, 100);
  EXPECT_TRUE(p.common.bezel_shown);
  EXPECT_FALSE(p.common.frameless);
  EXPECT_EQ(p.radios.com_memories.count + p.radios.nav_memories.count, 0);
  EXPECT_FLOAT_EQ(p.settings.display_position[0], 0.0f);
  EXPECT_FLOAT_EQ(p.settings.display_position[1], -0.07f);
  EXPECT_FLOAT_EQ(p.settings.display_position[2], -0.67f);
}

TEST(RmuSettings, FlagsCountOnlyAsTheWordOne) {
  struct Case { const char* word; bool set; };
  for (const Case& c : {Case{"1", true}, Case{"1   ", true}, Case{"true", false}, Case{"01", false},
                        Case{"2", false}, Case{"10", false}}) {
    std::string flags = std::string("[FRAMELESS_WINDOW(0-1)]\n") + c.word + "\n[DISPLAY_BEZEL(0-1)]\n" + c.word +
                        "\n[RMU1=0,RMU2=1]\n" + c.word + "\n[COM_WRITE_TO_SIM]\n" + c.word + "\n";
    Parsed p = parse(file(flags, "121.50\n", ""));
    EXPECT_EQ(p.common.frameless, c.set) << c.word;
    EXPECT_EQ(p.common.bezel_shown, c.set) << c.word;
    EXPECT_EQ(p.settings.side, c.set ? 1 : 0) << c.word;
    EXPECT_EQ(p.settings.com_write_to_sim, c.set) << c.word;
    // The words never shift the values after them.
    EXPECT_EQ(values(p.radios.com_memories), std::vector<float>{121.5f}) << c.word;
  }
}

TEST(RmuSettings, MemoryListsKeepTwelveFrequenciesOfTheirBand) {
  struct Case {
    const char* name;
    std::string com, nav;
    std::vector<float> com_read, nav_read;
  };
  std::string thirteen;
  for (int i = 0; i < 13; ++i) thirteen += std::to_string(118 + i) + ".00\n";
  const Case cases[] = {
      {"three and none", "118.10\n121.50\n135.95\n", "", {118.1f, 121.5f, 135.95f}, {}},
      {"zeros dropped", "0.00\n119.00\n", "0.00\n", {119.0f}, {}},
      {"thirteen: the last is dropped, NAV still read", thirteen, "110.30\n",
       {118, 119, 120, 121, 122, 123, 124, 125, 126, 127, 128, 129}, {110.3f}},
      {"out of band, non-finite and strays dropped", "117.99\n136.00\nnan\ninf\n-121.5\n1e999\n120.00\n",
       "108.00\n118.00\n", {120.0f}, {108.0f}},
      {"a value that is no number ends the list", "119.00\n12x\n", "110.30\n", {119.0f}, {}},
  };
  for (const Case& c : cases) {
    Parsed p = parse(file(PLAIN_FLAGS, c.com, c.nav, "0.125,-0.250,-0.700\n"));
    EXPECT_EQ(values(p.radios.com_memories), c.com_read) << c.name;
    EXPECT_EQ(values(p.radios.nav_memories), c.nav_read) << c.name;
    if (std::string(c.name).rfind("a value", 0) == 0) continue;  // the rest of that file is off by design
    EXPECT_FLOAT_EQ(p.settings.display_position[0], 0.125f) << c.name;
    EXPECT_FLOAT_EQ(p.settings.display_position[2], -0.7f) << c.name;
  }
}

TEST(RmuSettings, RunningValuesRoundTripToTheThousandth) {
  Parsed p = parse(file(PLAIN_FLAGS, "121.50\n118.00\n", "110.30\n"));
  p.settings.side = 1;
  p.settings.com_write_to_sim = true;
  p.settings.display_position[1] = -0.073f + 0.003f;  // three steps of the W key
  p.common.x_position = -40;
  const std::string text = rmu_settings_text(false, p.common, p.settings, p.radios);
  EXPECT_NE(text.find("[COM_MEMORY]\n121.50\n118.00\n[NAV_MEMORY]\n110.30\n[DISPLAY_POSITION]\n0.000,-0.070,-0.670\n"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("[X_POSITION,Y_POSITION]\n-40,20\n"), std::string::npos);
  Parsed again = parse(text);
  EXPECT_EQ(rmu_settings_text(false, again.common, again.settings, again.radios), text);
  EXPECT_EQ(again.settings.side, 1);
  EXPECT_TRUE(again.settings.com_write_to_sim);
  // Damaged window values take the defaults instead of a window nobody sees.
  Parsed damaged = parse("[X_SIZE,Y_SIZE]\n0,-3\n[X_POSITION,Y_POSITION]\n99999,5\n");
  EXPECT_EQ(damaged.common.x_size, 484);
  EXPECT_EQ(damaged.common.y_size, 605);
  EXPECT_EQ(damaged.common.x_position, 32767);
  Parsed far = parse(file(PLAIN_FLAGS, "", "", "0.5,1e300,2\n"));
  EXPECT_FLOAT_EQ(far.settings.display_position[0], 0.5f);
  EXPECT_FLOAT_EQ(far.settings.display_position[1], -0.073f);  // kept: the line ends there
}

}  // namespace
