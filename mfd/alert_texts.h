#pragma once
// The crew-alert messages in display order. Each text carries its side
// marker ("L   ", "R   ", "L R " or four blanks) as part of the message.

constexpr int WARNING_COUNT = 19;   // red
constexpr int CAUTION_COUNT = 32;   // amber
constexpr int ADVISORY_COUNT = 27;  // white, the last one "END"

extern const char* const WARNING_TEXTS[WARNING_COUNT];
extern const char* const CAUTION_TEXTS[CAUTION_COUNT];
extern const char* const ADVISORY_TEXTS[ADVISORY_COUNT];

// Messages the alert logic raises or names, by table position.
enum WarningId {
  WARN_APU_FIRE = 0,
  WARN_PARK_BRAKE = 1,
  WARN_ENTRY_DOOR = 2,
  WARN_GEAR = 3,
  WARN_FUEL_PRESS_L = 4,
  WARN_FUEL_PRESS_R = 5,
  WARN_FUEL_PRESS_LR = 6,
  WARN_GEN_FAIL_L = 8,
  WARN_GEN_FAIL_R = 9,
  WARN_GEN_FAIL_LR = 10,
  WARN_OIL_PRESS_L = 11,
  WARN_OIL_PRESS_R = 12,
  WARN_OIL_PRESS_LR = 13,
  WARN_SPOILERS_EXT = 14,
  WARN_TAKEOFF_TRIM = 15,
};

enum CautionId {
  CAUT_SPOILERS_EXT = 8,
  CAUT_FUEL_PRESS_L = 9,
  CAUT_FUEL_PRESS_R = 10,
  CAUT_FUEL_PRESS_LR = 11,
  CAUT_GEN_FAIL_L = 12,
  CAUT_GEN_FAIL_R = 13,
  CAUT_GEN_FAIL_LR = 14,
  CAUT_FUEL_QTY_L = 18,
  CAUT_FUEL_QTY_R = 19,
  CAUT_FUEL_QTY_LR = 20,
  CAUT_PITOT_HEAT = 21,
};

enum AdvisoryId {
  ADV_AUTOSPOILER_ARM = 0,
  ADV_PARK_BRAKE = 2,
  ADV_ENG_SHUTDOWN_L = 3,
  ADV_ENG_SHUTDOWN_R = 4,
  ADV_ENG_SHUTDOWN_LR = 5,
  ADV_SPOILERS_EXT = 6,
  ADV_HYD_PUMP_L = 7,
  ADV_HYD_PUMP_R = 8,
  ADV_HYD_PUMP_LR = 9,
  ADV_TAKEOFF_TRIM = 10,
  ADV_END = 26,
};
