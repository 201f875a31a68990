// The page controller's decisions: soft-key sequences through the menu
// levels, leaving a page, the V-speed rewrite announcement, the map layer
// presets, the knob on the range and on the plan list, and paging.
#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "mfd/mfd_menu_logic.h"
#include "mfd/mfd_pages.h"
#include "mfd/mfd_state.h"

namespace {

// One frame's decisions as the controller takes them.
bool press(int key) {
  g_mfd.bezel.soft_key_event = key;
  bool rewrite = mfd_menu_leave_page();
  if (g_mfd.eicas_shown) g_mfd.menu_level = MFD_MENU_SYSTEMS;
  mfd_menu_soft_key();
  if (g_mfd.page != MFD_PAGE_VSPEEDS) g_mfd.bezel.soft_key_event = SOFT_KEY_NONE;
  return rewrite;
}

void fresh(bool mfd_shown) {
  g_mfd = MfdState{};
  g_mfd.mfd_shown = mfd_shown;
  g_mfd.eicas_shown = !mfd_shown;
  g_mfd.bezel.soft_key_event = SOFT_KEY_NONE;
  g_mfd.plan_path[0] = '\0';
}

TEST(MfdMenu, SoftKeySequences) {
  struct Case {
    bool mfd_shown;
    std::vector<int> keys;
    int32_t level, page;
  };
  const Case cases[] = {
      {true, {0}, MFD_MENU_SYSTEMS, MFD_PAGE_SUMMARY},           // "SYS"
      {true, {0, 5}, MFD_MENU_SYSTEMS, MFD_PAGE_FUEL},           // "SYS", "FUEL"
      {true, {0, 5, 5}, MFD_MENU_TOP, MFD_PAGE_NONE},            // "FUEL" again leaves
      {true, {0, 0}, MFD_MENU_TOP, MFD_PAGE_NONE},               // "SUMRY" again leaves
      {true, {1}, MFD_MENU_MFD, MFD_PAGE_NONE},                  // "MFD"
      {true, {1, 2}, MFD_MENU_MFD, MFD_PAGE_JOYSTICK},           // "JSTK"
      {true, {1, 2, 0}, MFD_MENU_TOP, MFD_PAGE_NONE},            // "RTN"
      {true, {1, 1}, MFD_MENU_VSPEEDS, MFD_PAGE_VSPEEDS},        // "SPDS"
      {true, {1, 1, 0}, MFD_MENU_TOP, MFD_PAGE_NONE},            // leaving the V-speeds
      {true, {2, 4}, MFD_MENU_TOP, MFD_PAGE_NONE},               // keys without a page
      {false, {}, MFD_MENU_SYSTEMS, MFD_PAGE_NONE},
      {false, {2}, MFD_MENU_SYSTEMS, MFD_PAGE_HYDRAULIC},
      {false, {2, 2}, MFD_MENU_SYSTEMS, MFD_PAGE_HYDRAULIC},     // the EICAS keeps its page
      {false, {2, 2, 4}, MFD_MENU_SYSTEMS, MFD_PAGE_FLIGHT_CONTROLS},
  };
  for (const Case& c : cases) {
    fresh(c.mfd_shown);
    press(SOFT_KEY_NONE);
    for (int key : c.keys) press(key);
    EXPECT_EQ(g_mfd.menu_level, c.level) << c.keys.size() << " keys, mfd " << c.mfd_shown;
    EXPECT_EQ(g_mfd.page, c.page) << c.keys.size() << " keys, mfd " << c.mfd_shown;
  }
}

TEST(MfdMenu, TopMenuTogglesAndMapLayerPresets) {
  fresh(true);
  press(3);
  press(5);
  EXPECT_TRUE(g_mfd.tcas_flag);
  EXPECT_TRUE(g_mfd.plan_flag && g_mfd.show_plan);
  press(1);
  struct Preset { bool vors, airports; };
  const Preset presets[] = {{true, false}, {true, true}, {false, true}, {false, false}, {true, false}};
  for (const Preset& p : presets) {
    press(4);
    EXPECT_EQ(g_mfd.show_vors, p.vors) << g_mfd.map_layer_preset;
    EXPECT_EQ(g_mfd.show_airports, p.airports) << g_mfd.map_layer_preset;
  }
}

TEST(MfdMenu, LeavingChangedVSpeedsAnnouncesOneRewrite) {
  fresh(true);
  press(1);
  press(1);
  g_mfd.accfg_dirty = true;
  EXPECT_FALSE(press(3));  // a V-speed selection key stays with the page
  EXPECT_EQ(g_mfd.bezel.soft_key_event, 3);
  EXPECT_TRUE(press(0));
  EXPECT_FALSE(g_mfd.accfg_dirty);
  press(1);
  press(1);
  EXPECT_FALSE(press(0));  // nothing changed this time
}

TEST(MfdMenu, KnobOnRangeWrapsAndStaysOffWhileThePlanListIsOpen) {
  struct Case { int32_t from; bool decrement, increment, list_open; int32_t to; };
  const Case cases[] = {
      {8, false, true, false, 0}, {0, true, false, false, 8}, {3, true, true, false, 2},
      {4, false, true, false, 5}, {4, false, true, true, 4},
  };
  for (const Case& c : cases) {
    fresh(true);
    g_mfd.map_range_index = c.from;
    g_mfd.plan_list_shown = c.list_open;
    g_mfd.bezel.knob_decrement = c.decrement;
    g_mfd.bezel.knob_increment = c.increment;
    mfd_menu_knob_to_range();
    EXPECT_EQ(g_mfd.map_range_index, c.to) << c.from;
  }
  // The plan list's knob wraps at both ends.
  fresh(true);
  g_mfd.plan_list.count = 3;
  g_mfd.bezel.knob_decrement = true;
  mfd_plan_list_knob();
  EXPECT_EQ(g_mfd.selected_plan, 2);
  g_mfd.bezel.knob_increment = true;
  mfd_plan_list_knob();
  EXPECT_EQ(g_mfd.selected_plan, 0);
  EXPECT_FALSE(g_mfd.bezel.knob_increment || g_mfd.bezel.knob_decrement);
}

TEST(MfdMenu, PlanListPaging) {
  struct Case { int32_t plans, selected, page, pages, first; };
  const Case cases[] = {{0, 0, 0, 0, 0}, {12, 5, 0, 2, 0}, {12, 6, 1, 2, 6}, {13, 12, 2, 3, 12}, {6, 5, 0, 1, 0}};
  for (const Case& c : cases) {
    MfdPlanPaging p = mfd_plan_paging(c.plans, c.selected);
    EXPECT_EQ(p.page, c.page) << c.plans << "/" << c.selected;
    EXPECT_EQ(p.pages, c.pages) << c.plans;
    EXPECT_EQ(p.first, c.first) << c.plans;
  }
}

}  // namespace
