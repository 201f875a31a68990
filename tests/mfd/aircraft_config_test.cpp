// accfg.ini on the display unit: the two label sets, reading only a whole
// file, saving both copies (or announcing nothing), the V-speed page's keys
// and knob, and the active plan a text plan brings.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "framework/aircraft_config.h"
#include "framework/bezel_input.h"
#include "mfd/mfd_aircraft_config.h"
#include "mfd/mfd_data.h"
#include "mfd/mfd_menu_logic.h"
#include "mfd/mfd_page_parts.h"
#include "mfd/mfd_pages.h"
#include "mfd/mfd_state.h"
#include "platform/files.h"
#include "tests/support/temp_folder.h"

namespace fs = std::filesystem;

namespace {

const char DEFAULT_FILE[] =
    "[V1]\n100\n[VR]\n100\n[V2]\n100\n[MAX_FLAPS]\n40\n[VMIN]\n90\n[VMAX_FLAP_8]\n250\n[VMAX_FLAP_20]\n200\n"
    "[VMAX_FLAP_40]\n150\n[VMO]\n335\n[MMO]\n0.81\n[MAX_SPOILERS]\n60\n[MIN_RUNWAY_LENGTH]\n5000\n[MAX_FUEL]\n6062\n";
const char SAVED_PAIRS[] =
    "[V1]\n120\n[VR]\n125\n[V2]\n130\n[MAX_FLAPS]\n30\n[VMIN]\n95\n[VMAX_FLAPS_8]\n240\n[VMAX_FLAPS_20]\n190\n"
    "[VMAX_FLAPS_40]\n140\n[VMO]\n320.000000\n[MM0]\n0.780000\n[MAX_SPOILERS]\n55\n[MIN_RUNWAY_LENGTH]\n4000\n"
    "[MAX_FUEL]\n5000\n";

AircraftValues saved_values() {
  return AircraftValues{120, 125, 130, 30, 95, 240, 190, 140, 320.0f, 0.78f, 55, 4000, 5000};
}

std::string read_all(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

AircraftValues speeds(int32_t v1, int32_t vr, int32_t v2) {
  AircraftValues v{};
  v.v1 = v1;
  v.vr = vr;
  v.v2 = v2;
  return v;
}

void write_all(const fs::path& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

bool has_temporaries(const fs::path& folder) {
  for (const auto& entry : fs::directory_iterator(folder))
    if (entry.path().filename().string().find(".tmp.") != std::string::npos) return true;
  return false;
}

void add_leg(ActivePlan* plan, const char* ident, float latitude, float longitude) {
  NavPlanLeg& leg = plan->legs[plan->leg_count++];
  std::snprintf(leg.ident, sizeof leg.ident, "%s", ident);
  leg.latitude = latitude;
  leg.longitude = longitude;
}

// Each test runs in a working folder of its own, with DU2's and DU3's
// folders beside it as the run tree lays them out.
class MfdAircraftConfig : public ::testing::Test {
 protected:
  void SetUp() override {
    home_ = fs::current_path();
    fs::create_directories(dir_ / "du2");
    fs::create_directories(dir_ / "du3");
    ASSERT_TRUE(change_directory((dir_ / "du3").string().c_str()));
    g_mfd = MfdState{};
    g_mfd.mfd_shown = true;
    std::snprintf(g_mfd.du2_path, sizeof g_mfd.du2_path, "..\\du2");
    std::snprintf(g_mfd.du3_path, sizeof g_mfd.du3_path, "../du3/");
    g_mfd.bezel.soft_key_event = SOFT_KEY_NONE;
  }
  void TearDown() override { change_directory(home_.string().c_str()); }
  fs::path home_;
  TempFolder temp_{"mfd_aircraft_config"};
  const fs::path dir_ = temp_.path;
};

TEST_F(MfdAircraftConfig, DefaultAndSavedFilesCarryTheirLabelSets) {
  EXPECT_EQ(aircraft_config_default_text(), DEFAULT_FILE);
  ActivePlan plan{};
  add_leg(&plan, "KSEA", 47.45f, -122.3f);
  add_leg(&plan, "OLM", 46.97f, -122.9f);
  add_leg(&plan, "KPDX", 45.59f, -122.6f);
  const std::string saved = mfd_aircraft_config_text(saved_values(), &plan);
  EXPECT_EQ(saved, std::string(SAVED_PAIRS) +
                       "[ACTIVE_PLAN]\n3,47.450001,-122.300003,KSEA\n2,46.970001,-122.900002,OLM\n"
                       "1,45.590000,-122.599998,KPDX\n");
}

TEST_F(MfdAircraftConfig, ReadTakesOnlyAWholeFileAndWritesDefaultsOnlyWhereThereIsNone) {
  const std::string long_label = "[" + std::string(100000, 'X') + "]";
  std::string bad_real = SAVED_PAIRS;
  bad_real.replace(bad_real.find("320.000000"), 10, "1e300");
  struct Case {
    const char* what;
    bool present;
    std::string text;
    MfdAircraftConfigRead result;
    int32_t v2;  // starts at 77
  };
  const Case cases[] = {
      {"missing", false, "", MFD_ACCFG_DEFAULTS_WRITTEN, 100},
      {"saved", true, SAVED_PAIRS, MFD_ACCFG_READ, 130},
      {"long label", true, long_label + std::string(SAVED_PAIRS).substr(4), MFD_ACCFG_READ, 130},
      {"empty", true, "", MFD_ACCFG_KEPT, 77},
      {"twelve values", true, std::string(SAVED_PAIRS).substr(0, std::strlen(SAVED_PAIRS) - 16), MFD_ACCFG_KEPT, 77},
      {"real beyond a float", true, bad_real, MFD_ACCFG_KEPT, 77},
  };
  for (const Case& c : cases) {
    fs::remove("accfg.ini");
    if (c.present) write_all("accfg.ini", c.text);
    AircraftValues v{};
    v.v2 = 77;
    EXPECT_EQ(mfd_aircraft_config_read(AIRCRAFT_CONFIG_FILE, &v), c.result) << c.what;
    EXPECT_EQ(v.v2, c.v2) << c.what;
    EXPECT_EQ(read_all("accfg.ini"), c.present ? c.text : std::string(DEFAULT_FILE)) << c.what;
  }
  // A folder in the file's place cannot be read, and is not replaced.
  fs::remove("accfg.ini");
  fs::create_directories("accfg.ini/kept");
  AircraftValues v{};
  EXPECT_EQ(mfd_aircraft_config_read(AIRCRAFT_CONFIG_FILE, &v), MFD_ACCFG_KEPT);
  EXPECT_TRUE(fs::exists("accfg.ini/kept"));
}

TEST_F(MfdAircraftConfig, SaveWritesBothCopiesOrAnnouncesNothing) {
  struct Case {
    const char* what;
    int32_t mode;
    bool own_blocked, other_missing;
    bool pending, dirty;
    const char* other;  // the other unit's folder
  };
  const Case cases[] = {
      {"DU3 into DU2's folder", MFD_MODE_MFD, false, false, true, false, "du2"},
      {"DU2 into DU3's folder", MFD_MODE_EICAS, false, false, true, false, "du3"},
      {"other folder missing", MFD_MODE_MFD, false, true, true, false, "du2"},
      {"own copy fails", MFD_MODE_MFD, true, false, false, true, "du2"},
  };
  for (const Case& c : cases) {
    const fs::path own = dir_ / (c.mode == MFD_MODE_MFD ? "du3" : "du2");
    ASSERT_TRUE(change_directory(own.string().c_str()));
    fs::remove_all(dir_ / c.other);
    if (!c.other_missing) fs::create_directories(dir_ / c.other);
    if (c.own_blocked) fs::create_directories(own / "accfg.ini" / "x");  // a folder cannot be renamed over
    g_mfd.mode = c.mode;
    g_mfd.aircraft = saved_values();
    g_mfd.accfg_dirty = true;
    g_mfd.accfg_rewrite_pending = false;
    mfd_menu_save_vspeeds();
    EXPECT_EQ(g_mfd.accfg_rewrite_pending, c.pending) << c.what;
    EXPECT_EQ(g_mfd.accfg_dirty, c.dirty) << c.what;
    const std::string expected = std::string(SAVED_PAIRS) + "[ACTIVE_PLAN]\n";
    if (!c.own_blocked) {
      EXPECT_EQ(read_all(own / "accfg.ini"), expected) << c.what;
    }
    const bool other_written = !c.own_blocked && !c.other_missing;
    EXPECT_EQ(fs::exists(dir_ / c.other / "accfg.ini"), other_written) << c.what;
    if (other_written) {
      EXPECT_EQ(read_all(dir_ / c.other / "accfg.ini"), expected) << c.what;
    }
    EXPECT_FALSE(has_temporaries(own)) << c.what;
    fs::remove_all(own / "accfg.ini");
  }
}

TEST_F(MfdAircraftConfig, VSpeedPageSelectsByKeyStepsByKnobAndClamps) {
  struct Case {
    int key;
    bool increment, decrement;
    AircraftValues from;  // V1, VR, V2 matter
    int32_t v1, vr, v2;
    bool dirty;
  };
  const AircraftValues mid = speeds(150, 160, 170);
  const Case cases[] = {
      {2, true, false, mid, 151, 160, 170, true},
      {3, false, true, mid, 150, 159, 170, true},
      {4, true, true, mid, 150, 160, 171, true},  // one event a frame, the increment first
      {5, true, false, mid, 150, 160, 170, false},
      {SOFT_KEY_NONE, false, true, mid, 150, 160, 170, false},
      {4, true, false, speeds(150, 160, 300), 150, 160, 300, true},
      {2, false, true, speeds(0, 160, 170), 0, 160, 170, true},
      {5, false, false, speeds(-4, 400, 170), 0, 300, 170, false},  // clamped every frame
  };
  for (const Case& c : cases) {
    g_mfd.page = g_mfd.previous_page = MFD_PAGE_VSPEEDS;
    g_mfd.accfg_dirty = false;
    g_mfd.aircraft = c.from;
    g_mfd.bezel.soft_key_event = c.key;
    g_mfd.bezel.knob_increment = c.increment;
    g_mfd.bezel.knob_decrement = c.decrement;
    mfd_vspeeds_page_keys();
    EXPECT_EQ(g_mfd.aircraft.v1, c.v1) << c.key;
    EXPECT_EQ(g_mfd.aircraft.vr, c.vr) << c.key;
    EXPECT_EQ(g_mfd.aircraft.v2, c.v2) << c.key;
    EXPECT_EQ(g_mfd.accfg_dirty, c.dirty) << c.key;
    // A selection takes the knob; without one it is left to the map range.
    const bool selected = c.key >= 2 && c.key <= 4;
    EXPECT_EQ(g_mfd.bezel.knob_increment || g_mfd.bezel.knob_decrement,
              !selected && (c.increment || c.decrement)) << c.key;
  }
  // Entering the page reads the file the other unit may have written, unless
  // a change of this unit's is still to be saved.
  write_all("accfg.ini", SAVED_PAIRS);
  g_mfd.previous_page = MFD_PAGE_NONE;
  g_mfd.aircraft.v2 = 111;
  g_mfd.accfg_dirty = true;
  mfd_vspeeds_page_keys();
  EXPECT_EQ(g_mfd.aircraft.v2, 111);
  g_mfd.accfg_dirty = false;
  mfd_vspeeds_page_keys();
  EXPECT_EQ(g_mfd.aircraft.v2, 130);
  EXPECT_EQ(g_mfd.limits.max_fuel, 5000);
  EXPECT_EQ(g_mfd.min_runway_ft, 4000);
}

TEST_F(MfdAircraftConfig, TextPlanLoadSavesTheActivePlanAndAnnouncesIt) {
  fs::create_directories(dir_ / "plans");
  write_all(dir_ / "plans" / "route.pln",
            "[flightplan]\nwaypoint.0=, KSEA, , KSEA, A, N47* 27.00', W122* 18.00', +000433.00,\n"
            "waypoint.1=, OLM, , OLM, V, N46* 58.20', W122* 54.00', +000000.00,\n");
  std::snprintf(g_mfd.plan_path, sizeof g_mfd.plan_path, "%s", (dir_ / "plans").string().c_str());
  aircraft_values_defaults(&g_mfd.aircraft);
  mfd_load_plan_list();
  g_mfd.plan_load_requested = true;
  mfd_plan_load_step();
  EXPECT_TRUE(g_mfd.accfg_rewrite_pending);
  const std::string saved = read_all("accfg.ini");
  EXPECT_NE(saved.find("[MAX_FUEL]\n6062\n[ACTIVE_PLAN]\n2,47.450001,-122.300003,KSEA\n1,46.970001,-122.900002,OLM\n"),
            std::string::npos)
      << saved;
  EXPECT_EQ(read_all(dir_ / "du2" / "accfg.ini"), saved);
}

}  // namespace
