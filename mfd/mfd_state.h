#pragma once
// The one state record of mfd_display: the skeleton's members, power, bezel
// input, lists, settings, the map selections and the page controller.
#include <cstdint>

#include "framework/bezel_input.h"
#include "framework/display_lists.h"
#include "framework/display_power.h"
#include "framework/overlay_quads.h"
#include "framework/unit_common.h"
#include "nav/nav_plan.h"
#include "nav/nav_plan_list.h"
#include "nav/nav_record.h"

constexpr int MFD_PLAN_PATH_CAPACITY = 600;  // at most 599 characters
constexpr int MFD_DU_PATH_CAPACITY = 500;    // at most 499 characters
constexpr int MFD_MODE_MFD = 0;              // this unit is DU3
constexpr int MFD_MODE_EICAS = 1;            // this unit is DU2
constexpr int MAP_RANGE_INDEX_MAX = 8;

// Texture slots of the unit.
constexpr int MFD_TEXTURE_NO_BEZEL = 3;
constexpr int MFD_TEXTURE_OVERLAY = 4;

struct MfdState {
  UnitCommon common;
  DisplayPower power;
  BezelInput bezel;
  StaticLists lists;
  OverlayOpening bezel_opening;  // the bezel is drawn around its open screen area

  int32_t mode;          // 0 = DU3 (MFD side), 1 = DU2 (EICAS side)
  bool mfd_side;         // mode == 0
  bool mfd_shown, eicas_shown;
  char plan_path[MFD_PLAN_PATH_CAPACITY];
  char du2_path[MFD_DU_PATH_CAPACITY];
  char du3_path[MFD_DU_PATH_CAPACITY];

  // Map page selections driven by the keyboard.
  int32_t map_range_index;
  bool show_airports, show_vors, show_intersections, show_ndbs, show_plan;

  // Page controller position (systems menu level and page).
  int32_t menu_level, page;

  // Navigation data and flight plans: the database lists (loaded at start-up
  // and on the first frame), the plan list of the plan folder, the selection
  // on it, and the active plan.
  NavDatabase nav;
  NavPlanList plan_list;
  int32_t selected_plan;
  ActivePlan active_plan;
  int32_t min_runway_ft;  // [MIN_RUNWAY_LENGTH] of accfg.ini; 0 until read
};

extern MfdState g_mfd;
