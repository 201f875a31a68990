#pragma once
// The one state record of mfd_display: the skeleton's members, power, bezel
// input, lists, settings, the simulator variables (raw and converted), the
// map selections and the page controller.
#include <cstdint>

#include "framework/aircraft_config.h"
#include "framework/bezel_input.h"
#include "framework/display_lists.h"
#include "framework/display_power.h"
#include "framework/overlay_quads.h"
#include "framework/unit_common.h"
#include "mfd/alert_logic.h"
#include "mfd/map_logic.h"
#include "mfd/mfd_variables.h"
#include "nav/nav_map_range.h"
#include "nav/nav_plan.h"
#include "nav/nav_plan_list.h"
#include "nav/nav_record.h"
#include "simlink/cells.h"

constexpr int MFD_PLAN_PATH_CAPACITY = 600;  // at most 599 characters
constexpr int MFD_DU_PATH_CAPACITY = 500;    // at most 499 characters
constexpr int MFD_MODE_MFD = 0;              // this unit is DU3
constexpr int MFD_MODE_EICAS = 1;            // this unit is DU2
constexpr int MAP_RANGE_INDEX_MAX = 8;

// Texture slots of the unit.
constexpr int MFD_TEXTURE_NO_BEZEL = 3;
constexpr int MFD_TEXTURE_OVERLAY = 4;

// One slot of the simulator's traffic table as last read, and what the
// classification worked out from it.
struct TrafficSlot {
  uint8_t indicator;           // slot indicator as last read; 0 = empty slot
  float latitude, longitude;   // degrees
  float altitude;              // feet
  int16_t vertical_speed;      // feet per minute
  float distance;              // NM from the aircraft
  float display_course;        // map course plus magnetic variation
  int32_t threat_class;        // TrafficClass
};

struct MapTraffic {
  TrafficSlot slot[TRAFFIC_SLOT_COUNT];
  uint8_t range_cell;     // 0x73FA as read
  uint8_t band_cell;      // 0x7842 as read
  uint8_t flags_cell;     // 0x73D6 as read
  int32_t range;          // NM, 6..40
  int32_t band;           // TrafficBand
  int32_t cursor;         // next slot to refresh
  bool automatic;         // bit 0 of 0x73D6: shown only when a threat exists
  bool threat;            // some slot is an advisory or a resolution advisory
  bool display_active;    // the map uses its small area
  bool drawn;             // the traffic picture is drawn this frame
};

// The map page's working state: the refresh cycle and the nearest records.
struct MapWork {
  int32_t frame_counter;  // 0..3: navaids refresh at 0, airports at 3
  NavLatitudeIndex navaid_index, airport_index;
  NavMapSelection navaids, airports;
  int32_t navigation_source;  // 0x132C as read: nonzero = GPS
};

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

  // Simulator variables: as read, and converted from them every frame.
  MfdRaw raw;
  MfdValues value;
  MfdLimits limits;            // from accfg.ini; zero members take the defaults
  AircraftValues aircraft;     // accfg.ini's values, as read and as the V-speed page sets them
  uint32_t sim_version;        // simulator version read at link open (low 16 bits)
  CounterReader knob_reader;   // seeded from the first knob cell read
  bool reversion;              // bit 0 of the reversion cell as last acted on
  AlertLists alerts;           // the EICAS crew-alert records (mfd/alert_logic.h)

  // Map page selections driven by the keyboard and the menu.
  int32_t map_range_index;
  bool show_airports, show_vors, show_intersections, show_ndbs, show_plan;
  MapWork map;
  MapTraffic traffic;

  // Page controller.
  int32_t menu_level, page;    // MfdMenuLevel, MfdPageId
  int32_t previous_page;       // page at the end of the previous frame
  bool plan_list_shown;        // the flight-plan list box is open
  bool plan_load_requested;    // the selected plan is to be loaded
  int32_t map_layer_preset;    // 0..3: none, VOR, VOR and airports, airports
  bool tcas_flag, plan_flag;   // toggled from the top menu
  bool accfg_dirty;            // a V-speed was changed
  bool accfg_rewrite_pending;  // accfg.ini was rewritten; the alert cell announces it

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
