// The three plan layouts on text in memory, the airports marked on a plan,
// and the active plan as the aircraft configuration file carries it.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "nav/nav_active_plan.h"
#include "nav/nav_plan.h"

namespace {

struct Leg {
  const char* ident;
  char type;
  double latitude, longitude;
};

void expect_legs(const ActivePlan& plan, std::initializer_list<Leg> legs, const char* what) {
  ASSERT_EQ(plan.leg_count, static_cast<int32_t>(legs.size())) << what;
  int i = 0;
  for (const Leg& leg : legs) {
    EXPECT_STREQ(plan.legs[i].ident, leg.ident) << what << " leg " << i;
    EXPECT_EQ(plan.legs[i].type, leg.type) << what << " leg " << i;
    EXPECT_NEAR(plan.legs[i].latitude, leg.latitude, 1e-5) << what << " leg " << i;
    EXPECT_NEAR(plan.legs[i].longitude, leg.longitude, 1e-5) << what << " leg " << i;
    ++i;
  }
}

std::unique_ptr<ActivePlan> empty_plan() { return std::make_unique<ActivePlan>(); }

TEST(NavPlanText, WaypointLinesOfEachLayout) {
  const std::string long_line = "waypoint.5=, LONG, , LONG, I, N10* 00.00', E010* 00.00', +000000.00," +
                                std::string(40, ' ') + "waypoint.6=, EXTRA, , EXTRA, I, N11* 0', E011* 0'";
  const std::string text =
      "waypoint.0=, EGPB, , EGPB, A, N59* 52.88', W001* 17.63', +000020.00,\r\n"   // no region code
      "waypoint.1=KK, WIK, , WIK, V, N58* 27.53', W003* 06.02', +000000.00,\r\n"   // region code
      "waypoint.2=ABC, I, S33* 30.00', E151* 15.00'\r\n"                           // no repeated ident
      "waypoint.3=KK, SHORT\r\n"                                                    // too few tokens
      "waypoint.4=, BAD, , BAD, I, Q47* 00.00', W122* 00.00',\r\n"                  // no hemisphere letter
      + long_line + "\r\n"                                                          // the rest is no leg
      "\r\n"                                                                        // a blank line ends the plan
      "waypoint.7=, AFTER, , AFTER, I, N1* 0', E1* 0',\r\n";
  auto plan = empty_plan();
  NavPlanIssues issues{};
  nav_plan_parse_text(text, plan.get(), &issues);
  expect_legs(*plan,
              {{"EGPB", 'A', 59.881333, -1.293833},
               {"WIK", 'V', 58.458833, -3.100333},
               {"ABC", 'I', -33.5, 151.25},
               {"LONG", 'I', 10.0, 10.0}},
              "text");
}

TEST(NavPlanXml, ElementsPositionsAndTypes) {
  const std::string text =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<SimBase.Document Type=\"AceXML\" version=\"1,0\">\n"
      "<ATCWaypoint id=\"KSEA\">\n<ATCWaypointType>Airport</ATCWaypointType>\n"
      "<WorldPosition>N47\xC2\xB0 26' 57.00\",W122\xC2\xB0 18' 44.00\",+000433.00</WorldPosition>\n"
      "</ATCWaypoint>\n"
      "<ATCWaypoint id=\"OLM\"><ATCWaypointType>VOR</ATCWaypointType>"
      "<WorldPosition>N47\xB0 26' 57.00\",W122\xB0 18' 44.00\",+0</WorldPosition></ATCWaypoint>\n"
      "\t\t<ATCWaypoint id=\"USR\">\n<ATCWaypointType>User</ATCWaypointType>\n"
      "<WorldPosition>S26* 32' 20.00\",E018* 06' 42.00\",+000000.00</WorldPosition>\n</ATCWaypoint>\n"
      "<ATCWaypoint>\n<ATCWaypointType>Intersection</ATCWaypointType>\n"  // ident only in ICAOIdent
      "<WorldPosition>54.285833 , -130.444678,+116.0</WorldPosition>\n"   // signed decimal degrees
      "<ICAO><ICAOIdent>NEKLO</ICAOIdent></ICAO>\n</ATCWaypoint>\n"
      "<ATCWaypoint id=\"NOPOS\">\n<WorldPosition>N47\xC2\xB0 26'</WorldPosition>\n</ATCWaypoint>\n"
      "<ATCWaypoint id=\"BUXOM\">\n<ATCWaypointType>Intersection</ATCWaypointType>\n</ATCWaypoint>\n";
  NavDatabase db;
  NavRecord fix{};
  std::snprintf(fix.ident, sizeof fix.ident, "BUXOM");
  fix.latitude = 45.697575f;
  fix.longitude = -122.860664f;
  db.waypoints.push_back(fix);
  const double north_47 = 47 + 26 / 60.0 + 57 / 3600.0, west_122 = -(122 + 18 / 60.0 + 44 / 3600.0);
  auto plan = empty_plan();
  NavPlanIssues issues{};
  nav_plan_parse_xml(text, &db, plan.get(), &issues);
  expect_legs(*plan,
              {{"KSEA", 'A', north_47, west_122},
               {"OLM", 'V', north_47, west_122},
               {"USR", NAV_LEG_TYPE_NONE, -(26 + 32 / 60.0 + 20 / 3600.0), 18 + 6 / 60.0 + 42 / 3600.0},
               {"NEKLO", 'I', 54.285833, -130.444678},
               {"BUXOM", 'I', 45.697575, -122.860664}},
              "xml");
  ASSERT_EQ(issues.unplaced.size(), 1u);
  EXPECT_EQ(issues.unplaced[0], "NOPOS");
}

TEST(NavPlanFmc, LegListGroups) {
  const std::string header = "FMC plan\nversion line\n[VERSION]\nVersion=1\n[AIRPORTS]\n" + std::string(11, '\n');
  const std::string group1 = "Ident=KSEA\nb\nc\nLat=47.45\nLon=-122.31\nf\ng\nh\n";
  const std::string group2 = "Ident=OLM\nb\nc\nLat=46.97\nLon=-122.90\nf\ng\nh\n";
  const struct {
    std::string text;
    std::initializer_list<Leg> legs;
    int ignored;
  } cases[] = {
      {header + "[LEGLIST]\n" + group1 + group2 + "LegCount=2\n[ROUTE]\n",
       {{"KSEA", ' ', 47.45, -122.31}, {"OLM", ' ', 46.97, -122.90}}, 0},
      // A count before the legs is read as part of the first group.
      {header + "[LEGLIST]\nLegCount=1\n" + group1, {{"1", ' ', 0.0, 47.45}}, 0},
      // More legs counted than the file holds: only whole groups.
      {header + "[LEGLIST]\n" + group1 + "Ident=CUT\nb\nLegCount=9\n", {{"KSEA", ' ', 47.45, -122.31}}, 0},
      {header + "[LEGLIST]\nLegCount=-5\n" + group1, {}, 0},
      {header + "[LEGLIST]\n" + group1 + "LegCount=1000\n", {{"KSEA", ' ', 47.45, -122.31}}, 900},
      {header + "[LEGLIST]\n" + group1, {}, 0},  // no count: no legs
  };
  for (const auto& c : cases) {
    auto plan = empty_plan();
    NavPlanIssues issues{};
    nav_plan_parse_fmc(c.text, plan.get(), &issues);
    expect_legs(*plan, c.legs, c.text.c_str());
    EXPECT_EQ(issues.legs_ignored, c.ignored);
  }
}

TEST(NavPlan, TableHoldsAHundredLegs) {
  std::string text;
  for (int i = 0; i < 130; ++i) text += "waypoint=, W" + std::to_string(i) + ", , W" + std::to_string(i) + ", I, N1* 0', E1* 0',\n";
  auto plan = empty_plan();
  NavPlanIssues issues{};
  nav_plan_parse_text(text, plan.get(), &issues);
  EXPECT_EQ(plan->leg_count, NAV_PLAN_MAX_LEGS);
  EXPECT_STREQ(plan->legs[99].ident, "W99");
  EXPECT_EQ(issues.legs_ignored, 30);
}

TEST(NavPlan, AirportsOnThePlanAreMarked) {
  NavDatabase db;
  for (const char* ident : {"KSEA", "SEA", "KPDX"}) {
    NavRecord r{};
    std::snprintf(r.ident, sizeof r.ident, "%s", ident);
    db.airports.push_back(r);
  }
  db.airports[2].on_plan = 1;  // from an earlier plan: never cleared
  auto plan = empty_plan();
  NavPlanIssues issues{};
  nav_plan_add_leg(plan.get(), &issues, "KSEA", 'A', 0, 0);
  nav_plan_add_leg(plan.get(), &issues, "SEA", 'V', 0, 0);
  nav_plan_mark_airports(plan.get(), &db);
  EXPECT_EQ(db.airports[0].on_plan, 1);
  EXPECT_EQ(db.airports[1].on_plan, 0);
  EXPECT_EQ(db.airports[2].on_plan, 1);
}

TEST(NavActivePlan, RowsCountDownFromTheFirstLeg) {
  auto plan = empty_plan();
  NavPlanIssues issues{};
  nav_plan_add_leg(plan.get(), &issues, "KSEA", 'A', 47.45, -122.31);
  nav_plan_add_leg(plan.get(), &issues, "C0 W1", 'I', 46.5, -122.0);
  nav_plan_add_leg(plan.get(), &issues, "", ' ', -33.25, 151.5);
  EXPECT_EQ(nav_active_plan_section(plan.get(), 0),
            "[ACTIVE_PLAN]\n3,47.450001,-122.309998,KSEA\n2,46.500000,-122.000000,C0_W1\n1,-33.250000,151.500000,-\n");
  EXPECT_EQ(nav_active_plan_section(plan.get(), 2), "[ACTIVE_PLAN]\n1,-33.250000,151.500000,-\n");
  plan->leg_count = 0;
  EXPECT_EQ(nav_active_plan_section(plan.get(), 0), "[ACTIVE_PLAN]\n");
}

}  // namespace
