// sim_server with its model, end to end: a bad scenario stops it before it
// serves, and cockpit_ctl's model commands work against a running server.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "tests/support/private_link.h"
#include "tests/support/programs.h"

namespace {

class ServerWithModel : public ::testing::Test {
 protected:
  std::string folder;
  int pid = -1;
  void SetUp() override { folder = private_link_folder("srv"); }
  void TearDown() override {
    if (pid > 0) stop_program(pid, SIGTERM);
    remove_link_folder(folder);
  }
  int ctl(const std::string& arguments, std::string* out, std::string* err) {
    return run_command(cockpit_ctl_path() + " " + arguments, out, err);
  }
  std::string write_file(const std::string& name, const std::string& text) {
    std::string path = folder + "/" + name;
    std::ofstream(path) << text;
    return path;
  }
};

TEST_F(ServerWithModel, ABadScenarioStopsTheServerBeforeItServes) {
  std::string path = write_file("bad.scenario",
                                "departure KSEA 16L 47.46 -122.30 180 433 11900\n"
                                "arrival KPDX 10R 45.59 -122.62 119 30 10977\n"
                                "at 0:10 switch wipers on\n");
  std::string out, err;
  int status = run_command(sim_server_path() + " --scenario " + path, &out, &err);
  EXPECT_EQ(status, 2);
  EXPECT_NE(err.find(path + ":3: unknown switch 'wipers'"), std::string::npos) << err;
  EXPECT_FALSE(std::filesystem::exists(folder + "/UIPCMAIN"));
  status = run_command(sim_server_path() + " --time-scale 1000", &out, &err);
  EXPECT_EQ(status, 2);
  status = run_command(sim_server_path() + " --scenario /nonexistent.scenario", &out, &err);
  EXPECT_EQ(status, 2);
  EXPECT_NE(err.find("/nonexistent.scenario: cannot open"), std::string::npos) << err;
}

TEST_F(ServerWithModel, CockpitCtlControlsTheModel) {
  pid = start_sim_server({"--time-scale", "50"});
  ASSERT_GT(pid, 0);
  std::string out, err;
  ASSERT_EQ(ctl("state", &out, &err), 0) << err;
  EXPECT_NE(out.find("running"), std::string::npos);
  EXPECT_NE(out.find("time-scale 50"), std::string::npos);
  EXPECT_NE(out.find("phase "), std::string::npos);
  EXPECT_EQ(ctl("fail air-data", &out, &err), 0) << err;
  ASSERT_EQ(ctl("state", &out, &err), 0);
  EXPECT_NE(out.find("failures air-data"), std::string::npos) << out;
  EXPECT_EQ(ctl("restore air-data", &out, &err), 0);
  EXPECT_EQ(ctl("fail wings", &out, &err), 3);
  EXPECT_NE(err.find("unknown failure"), std::string::npos);
  EXPECT_EQ(ctl("time-scale -1", &out, &err), 3);
  EXPECT_EQ(ctl("pause", &out, &err), 0);
  ASSERT_EQ(ctl("get 0x023A", &out, &err), 0);   // clock seconds stand still while paused
  std::string second = out;
  ASSERT_EQ(ctl("get 0x023A", &out, &err), 0);
  EXPECT_EQ(out, second);
  EXPECT_EQ(ctl("resume", &out, &err), 0);
  // A new scenario from a file relative to the caller's folder.
  std::string path = write_file("short.scenario",
                                "name Short hop\n"
                                "departure KSEA 16L 47.46379733 -122.30775222 180.34 433 11900\n"
                                "arrival KPDX 10R 45.59515 -122.621472 119.09 30 10977\n"
                                "at 0:01 switch battery on\n");
  EXPECT_EQ(ctl("scenario load " + path, &out, &err), 0) << err;
  ASSERT_EQ(ctl("state", &out, &err), 0);
  EXPECT_NE(out.find("scenario Short hop"), std::string::npos) << out;
  std::string bad = write_file("broken.scenario", "cruise 99999 250\n");
  EXPECT_EQ(ctl("scenario load " + bad, &out, &err), 3);
  EXPECT_NE(err.find(bad + ":1: cruise altitude (ft) 99999 is outside"), std::string::npos) << err;
  ASSERT_EQ(ctl("state", &out, &err), 0);
  EXPECT_NE(out.find("scenario Short hop"), std::string::npos);   // the failed load changed nothing
}

TEST_F(ServerWithModel, HeldServerServesAStillSpaceUntilAScenarioIsLoaded) {
  pid = start_sim_server({"--hold"});
  ASSERT_GT(pid, 0);
  std::string out, err;
  ASSERT_EQ(ctl("get 0x281C --size 4", &out, &err), 0) << err;
  EXPECT_EQ(out, "0\n");
  ASSERT_EQ(ctl("state", &out, &err), 0);
  EXPECT_NE(out.find("held"), std::string::npos);
}

}  // namespace
