// Scenario files: the default flight parses to the real data it was written
// from, and every bad line is reported with file, line and the problem,
// leaving the previous scenario untouched.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "server/scenario.h"

namespace {

const char* MINIMAL =
    "departure KSEA 16L 47.46379733 -122.30775222 180.34 433 11900\n"
    "arrival KPDX 10R 45.59515 -122.621472 119.09 30 10977\n";

struct Parsed {
  std::unique_ptr<Scenario> scenario = std::make_unique<Scenario>();
  ScenarioError error;
  bool ok = false;
  explicit Parsed(const std::string& text) {
    ok = scenario_parse_text(text.data(), text.size(), "test.scenario", scenario.get(), &error);
  }
  std::string message() const { return scenario_error_text(error); }
};

TEST(ScenarioParser, DefaultFlightHoldsTheRealAirportsAndAids) {
  auto s = std::make_unique<Scenario>();
  ScenarioError error;
  std::string path = std::string(COCKPIT_SOURCE_DIR) + "/server/scenarios/ksea_kpdx.scenario";
  ASSERT_TRUE(scenario_load_file(path.c_str(), s.get(), &error)) << scenario_error_text(error);
  EXPECT_STREQ(s->departure.airport, "KSEA");
  EXPECT_STREQ(s->arrival.ident, "10R");
  EXPECT_EQ(s->arrival.elevation_ft, 30);
  EXPECT_EQ(s->route_count, 3);
  bool ils = false;
  for (int i = 0; i < s->navaid_count; ++i)
    if (std::string(s->navaids[i].ident) == "IPDX") {
      ils = true;
      EXPECT_EQ(s->navaids[i].kind, NAVAID_ILS);
      EXPECT_NEAR(s->navaids[i].frequency, 110.50, 1e-9);
      EXPECT_NEAR(s->navaids[i].gs_angle, 3.0, 1e-9);
    }
  EXPECT_TRUE(ils);
  EXPECT_EQ(s->marker_count, 3);
  EXPECT_GE(s->traffic_count, 3);
  EXPECT_GT(s->event_count, 20);
}

TEST(ScenarioParser, StatementsAndTimesAreRead) {
  Parsed p(std::string(MINIMAL) +
           "clock 7:05:30\r\n"
           "at 1:30 switch battery on   # comment\n"
           "at cruise+0:45 cell 0x73FB 1\n"
           "at 10 cell 0x73FD -2\n"
           "at 0:01 press 0x73F9 3\n"
           "at 2:00 tune nav1 110.50\n"
           "at 2:00 squawk 7700\n"
           "traffic X1 when=climb+1:00 bearing=-30 distance=5 altitude=+700 speed=200 track=180\n"
           "traffic X2 when=0:00 lat=45.6 lon=-122.5 altitude=3000 speed=120\n");
  ASSERT_TRUE(p.ok) << p.message();
  const Scenario& s = *p.scenario;
  EXPECT_EQ(s.start_clock_s, 7 * 3600 + 5 * 60 + 30);
  ASSERT_EQ(s.event_count, 6);
  EXPECT_EQ(s.events[0].kind, EVENT_SWITCH);
  EXPECT_EQ(s.events[0].time_s, 90);
  EXPECT_EQ(s.events[1].anchor, PHASE_CRUISE);
  EXPECT_EQ(s.events[1].time_s, 45);
  EXPECT_EQ(s.events[1].index, 0x73FB);
  EXPECT_EQ(s.events[2].kind, EVENT_CELL_STEP);
  EXPECT_EQ(s.events[2].value, -2);
  EXPECT_EQ(s.events[4].index, RADIO_NAV1);
  EXPECT_EQ(s.events[5].value, 7700);
  ASSERT_EQ(s.traffic_count, 2);
  EXPECT_TRUE(s.traffic[0].relative);
  EXPECT_EQ(s.traffic[0].altitude_ft, 700);
  EXPECT_FALSE(s.traffic[1].relative);
}

TEST(ScenarioParser, BadLinesNameFileLineAndProblem) {
  struct Case { const char* line; const char* expected; };
  const Case cases[] = {
    {"wobble 1 2", "unknown statement 'wobble'"},
    {"cruise 16000 fast", "cruise speed (kt): 'fast' is not a number"},
    {"waypoint OLM 91 -122", "latitude 91 is outside -90..90"},
    {"waypoint TOOLONGID 46 -122", "waypoint ident must have 1 to 7 characters"},
    {"at 1:75 switch battery on", "minutes or seconds of 60 or more"},
    {"at taxi+0:10 switch battery on", "unknown phase 'taxi'"},
    {"at 0:10 switch wipers on", "unknown switch 'wipers'"},
    {"at 0:10 switch battery maybe", "expected on or off"},
    {"at 0:10 cell 0x1234 1", "is not an inter-unit cell"},
    {"at 0:10 cell 0x73FB 300", "cell value 300 is outside 0..255"},
    {"at 0:10 fail wings", "unknown failure 'wings'"},
    {"at 0:10 tune nav1 121.5", "NAV frequency (MHz) 121.5 is outside"},
    {"at 0:10 squawk 1289", "four digits 0-7"},
    {"at 0:10 phase cruise", "cannot be started by the timeline"},
    {"traffic T1 when=0:10 altitude=100 speed=100", "needs lat= lon= or bearing= distance="},
    {"traffic T1 when=0:10 lat=45 altitude=100 speed=100", "needs both lat= and lon="},
    {"navaid XX tacan 112.0 45 -122 0", "navaid kind is vor, vor-dme or ndb"},
    {"weather qnh 1013 wind 230 12", "expected: weather qnh"},
  };
  for (const Case& c : cases) {
    Parsed p(std::string(MINIMAL) + "# a comment line\n" + c.line + "\n");
    ASSERT_FALSE(p.ok) << c.line;
    EXPECT_EQ(p.error.line, 4) << c.line;
    EXPECT_NE(p.message().find("test.scenario:4: "), std::string::npos) << p.message();
    EXPECT_NE(p.message().find(c.expected), std::string::npos) << p.message();
  }
}

TEST(ScenarioParser, WholeFileProblemsAndLimits) {
  Parsed no_arrival("departure KSEA 16L 47.46 -122.30 180 433 11900\n");
  EXPECT_FALSE(no_arrival.ok);
  EXPECT_EQ(no_arrival.message(), "test.scenario: no arrival runway");
  Parsed long_line(std::string(MINIMAL) + "name " + std::string(600, 'x') + "\n");
  EXPECT_FALSE(long_line.ok);
  EXPECT_NE(long_line.message().find("longer than 512"), std::string::npos);
  std::string many(MINIMAL);
  for (int i = 0; i < SCENARIO_MAX_WAYPOINTS + 1; ++i) many += "waypoint W" + std::to_string(i) + " 45 -122\n";
  Parsed too_many(many);
  EXPECT_FALSE(too_many.ok);
  EXPECT_NE(too_many.message().find("too many waypoints"), std::string::npos);
  EXPECT_EQ(too_many.error.line, 2 + SCENARIO_MAX_WAYPOINTS + 1);
  Parsed nul(std::string(MINIMAL) + std::string("name a\0b\n", 9));
  EXPECT_FALSE(nul.ok);
}

TEST(ScenarioParser, AFailedParseLeavesTheScenarioUntouched) {
  auto s = std::make_unique<Scenario>();
  ScenarioError error;
  std::string good = std::string(MINIMAL) + "name first\n";
  ASSERT_TRUE(scenario_parse_text(good.data(), good.size(), "a", s.get(), &error));
  std::string bad = std::string(MINIMAL) + "name second\nwaypoint X 100 0\n";
  ASSERT_FALSE(scenario_parse_text(bad.data(), bad.size(), "b", s.get(), &error));
  EXPECT_STREQ(s->name, "first");
  EXPECT_FALSE(scenario_load_file("/nonexistent/file.scenario", s.get(), &error));
  EXPECT_NE(scenario_error_text(error).find("/nonexistent/file.scenario: cannot open"), std::string::npos);
  EXPECT_STREQ(s->name, "first");
}

}  // namespace
