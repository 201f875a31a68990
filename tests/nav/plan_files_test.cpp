// The plan list of a folder, loading its entries, and every real plan file
// of the shared test data.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "nav/nav_error_log.h"
#include "nav/nav_plan_files.h"
#include "tests/support/shared_data.h"
#include "tests/support/temp_folder.h"

namespace fs = std::filesystem;

namespace {

std::string read_all(const fs::path& path) {
  std::ifstream in(path);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class NavPlanFiles : public ::testing::Test {
 protected:
  void SetUp() override { fs::create_directories(dir_ / "plans"); }
  void write(const std::string& name, const std::string& text) { std::ofstream(dir_ / "plans" / name) << text; }
  int find(const char* name) const {
    for (int i = 0; i < list_->count; ++i)
      if (std::strcmp(list_->names[i], name) == 0) return i;
    return -1;
  }
  TempFolder temp_{"nav_plan_files"};
  const fs::path dir_ = temp_.path;
  const std::string folder_ = (dir_ / "plans").string(), log_ = (dir_ / NAV_ERROR_LOG).string();
  std::unique_ptr<NavPlanList> list_ = std::make_unique<NavPlanList>();
  std::unique_ptr<ActivePlan> plan_ = std::make_unique<ActivePlan>();
};

TEST_F(NavPlanFiles, ListKeepsPlanNamesInBareListingOrder) {
  for (const char* name : {"b.pln", "A.PLN", "route.Pln", "x.fmc", "y.FMC.bak", "z.txt", "c.PLn", "Vol (été).pln"})
    write(name, "x");
  fs::create_directories(dir_ / "plans" / "folder.pln");
  nav_plan_list_build(list_.get(), folder_.c_str());
  ASSERT_EQ(list_->count, 6);
  const char* names[] = {"A.PLN", "b.pln", "route.Pln", "Vol (été).pln", "x.fmc", "y.FMC.bak"};
  for (int i = 0; i < 6; ++i) EXPECT_STREQ(list_->names[i], names[i]);
  EXPECT_STREQ(list_->shown[3], "VOL (éTé).PLN");  // letters beyond ASCII stay as they are
  EXPECT_EQ(read_all(dir_ / "plans" / "planlist.txt"),
            "A.PLN\nb.pln\nc.PLn\nroute.Pln\nVol (été).pln\nx.fmc\ny.FMC.bak\nz.txt\n");

  // At most 50 names; a missing folder gives none.
  for (int i = 0; i < 60; ++i) write("p" + std::to_string(100 + i) + ".pln", "x");
  nav_plan_list_build(list_.get(), folder_.c_str());
  EXPECT_EQ(list_->count, NAV_PLAN_LIST_CAPACITY);
  nav_plan_list_build(list_.get(), (dir_ / "absent").string().c_str());
  EXPECT_EQ(list_->count, 0);
}

TEST_F(NavPlanFiles, SelectionStaysInsideTheList) {
  list_->count = 0;
  EXPECT_EQ(nav_plan_selection_clamp(list_.get(), 7), 0);
  EXPECT_EQ(nav_plan_selection_step(list_.get(), 0, -1), 0);
  list_->count = 3;
  EXPECT_EQ(nav_plan_selection_clamp(list_.get(), 7), 2);
  EXPECT_EQ(nav_plan_selection_clamp(list_.get(), -1), 0);
  EXPECT_EQ(nav_plan_selection_step(list_.get(), 0, -1), 2);
  EXPECT_EQ(nav_plan_selection_step(list_.get(), 2, +1), 0);
  EXPECT_EQ(nav_plan_selection_step(list_.get(), 1, +1), 2);
}

TEST_F(NavPlanFiles, LoadsByListedNameAndReportsWhatTheCallerDoes) {
  write("route.pln", "[flightplan]\nwaypoint.0=, KSEA, , KSEA, A, N47* 27.01', W122* 18.74', +000433.00,\n");
  write("legs.fmc", "h\nh\n[LEGLIST]\nIdent=OLM\nb\nc\nLat=46.97\nLon=-122.9\nf\ng\nh\nLegCount=1\n");
  write("other.pln", "nothing of any layout\n");
  fs::create_directories(dir_ / "plans" / "dir.pln");
  nav_plan_list_build(list_.get(), folder_.c_str());
  NavDatabase db;
  NavRecord ksea{};
  std::snprintf(ksea.ident, sizeof ksea.ident, "KSEA");
  db.airports.push_back(ksea);

  NavPlanLoad load = nav_plan_load(list_.get(), find("route.pln"), folder_.c_str(), &db, plan_.get(), log_.c_str());
  EXPECT_TRUE(load.loaded && load.accfg_rewrite);
  EXPECT_EQ(load.layout, NAV_PLAN_TEXT);
  EXPECT_EQ(plan_->leg_count, 1);
  EXPECT_EQ(plan_->loaded, 1);
  EXPECT_EQ(db.airports[0].on_plan, 1);

  load = nav_plan_load(list_.get(), find("legs.fmc"), folder_.c_str(), &db, plan_.get(), log_.c_str());
  EXPECT_TRUE(load.loaded && !load.accfg_rewrite);
  EXPECT_EQ(load.layout, NAV_PLAN_FMC);
  ASSERT_EQ(plan_->leg_count, 1);
  EXPECT_STREQ(plan_->legs[0].ident, "OLM");

  load = nav_plan_load(list_.get(), find("other.pln"), folder_.c_str(), &db, plan_.get(), log_.c_str());
  EXPECT_TRUE(load.loaded && load.accfg_rewrite);
  EXPECT_EQ(load.layout, NAV_PLAN_NONE);
  EXPECT_EQ(plan_->leg_count, 0);

  // Out of the list: nothing changes, nothing is logged.
  plan_->leg_count = 1;
  load = nav_plan_load(list_.get(), list_->count, folder_.c_str(), &db, plan_.get(), log_.c_str());
  EXPECT_FALSE(load.loaded);
  EXPECT_EQ(plan_->leg_count, 1);
  EXPECT_FALSE(fs::exists(log_));

  // No longer there: the error line, and an empty plan.
  fs::remove(dir_ / "plans" / "route.pln");
  load = nav_plan_load(list_.get(), find("route.pln"), folder_.c_str(), &db, plan_.get(), log_.c_str());
  EXPECT_FALSE(load.loaded);
  EXPECT_EQ(plan_->leg_count, 0);
  EXPECT_EQ(read_all(log_), "ERROR - Could not open Flight Plan, none found in " + folder_ + ". Check path in MFD.ini\n");
  EXPECT_EQ(db.airports[0].on_plan, 1);
}

// The real plans of ../shared/data/plans: every file loads, and spot checks
// of legs a pilot would expect from the three layouts.
TEST(NavRealPlans, EveryFileLoadsAndGivesTheExpectedLegs) {
  const fs::path root = shared_data_dir() / "plans";
  if (!fs::is_directory(root)) GTEST_SKIP() << "no shared plan files at " << root;
  auto plan = std::make_unique<ActivePlan>();
  TempFolder temp("nav_real_plans");
  const std::string log = (temp.path / NAV_ERROR_LOG).string();
  int files = 0;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root)) {
    if (!entry.is_regular_file() || entry.path().filename() == "SOURCES.md") continue;
    const NavPlanLoad load = nav_plan_load_file(entry.path().parent_path().string().c_str(),
                                                entry.path().filename().string().c_str(), false, nullptr,
                                                plan.get(), log.c_str());
    EXPECT_TRUE(load.loaded) << entry.path();
    EXPECT_LE(plan->leg_count, NAV_PLAN_MAX_LEGS);
    ++files;
  }
  EXPECT_GE(files, 39);
  // Two plans run past the table; each says so once.
  EXPECT_NE(read_all(log).find("ERROR - Flight Plan KSEA_KFLL_sid_star_trans.pln has more than 100 legs"),
            std::string::npos);

  const struct {
    const char* file;
    NavPlanLayout layout;
    int legs;
    int leg;  // spot-checked leg
    const char* ident;
    char type;
    double latitude, longitude;
  } checks[] = {
      {"text/flightplan-fs9.pln", NAV_PLAN_TEXT, 13, 0, "EGPB", 'A', 59.881333, -1.293833},
      {"text/flightplan-fs9.pln", NAV_PLAN_TEXT, 13, 12, "EISG", 'A', 54.280333, -8.599167},
      {"text/EDDB-OMDB.pln", NAV_PLAN_TEXT, 61, 60, "OMDB", 'A', 25.252, 55.364},
      {"xml/IFR Zurich (LSZH) to Dublin (EIDW).pln", NAV_PLAN_XML, 32, 0, "LSZH", 'A', 47.458056, 8.548056},
      {"xml/48f3c4d6-cd97-47f7-8ca5-7981fb7d5a8a.pln", NAV_PLAN_XML, 28, 0, nullptr, 0, 0, -130},  // W1xx
      {"xml/Trip2_NamibDesert.pln", NAV_PLAN_XML, 4, 0, "FYKT", 'A', -26.538889, 18.111667},
      {"xml/BPRL2.pln", NAV_PLAN_XML, 28, 0, "CYPR", ' ', 54.285833, -130.444678},
      {"xml/KSEA_KFLL_sid_star_trans.pln", NAV_PLAN_XML, 100, 0, "KSEA", 'A', 47.449, -122.309},
      {"xml/khwo-msfs2024.pln", NAV_PLAN_XML, 8, 2, "EYW", 'V', 24.585878, -81.800476},
      {"xml/EDDF EDDM MSFS24.pln", NAV_PLAN_XML, 0, -1, nullptr, 0, 0, 0},  // no positions, no database
  };
  for (const auto& c : checks) {
    const fs::path path = root / c.file;
    const NavPlanLoad load = nav_plan_load_file(path.parent_path().string().c_str(),
                                                path.filename().string().c_str(), false, nullptr, plan.get(),
                                                nullptr);
    EXPECT_EQ(load.layout, c.layout) << c.file;
    ASSERT_EQ(plan->leg_count, c.legs) << c.file;
    if (c.leg < 0) continue;
    const NavPlanLeg& leg = plan->legs[c.leg];
    if (c.ident) {
      EXPECT_STREQ(leg.ident, c.ident) << c.file;
      EXPECT_EQ(leg.type, c.type) << c.file;
      EXPECT_NEAR(leg.latitude, c.latitude, 0.01) << c.file;
    }
    EXPECT_NEAR(leg.longitude, c.longitude, c.ident ? 0.01 : 30.0) << c.file;
  }
}

}  // namespace
