#pragma once
// The crew-alert logic of the EICAS, free of the link and of drawing.
//
// Inputs: AlertInputs, filled from the converted simulator values each frame
// the EICAS is shown. Reads and writes: the three record tables (AlertLists)
// and the alert byte 0x73D5 as read this frame: bit 3 master caution, bit 4
// master warning (set here), bit 5 acknowledge request (cleared here), bit 2
// manual N1 (only read, by the engine layer). The caller reads the byte,
// runs alert_evaluate and alert_update_byte, writes the byte back when it
// changed, plays the chimes counted, then runs alert_advance_advisories
// before the list is drawn.
#include <cstdint>

#include "mfd/alert_texts.h"

struct AlertRecord {
  bool active;        // the condition holds this frame
  bool was_active;    // active after the previous evaluation
  bool flashing;      // new and not yet acknowledged
  bool acknowledged;  // acknowledged since it last became active
  int64_t first_seen_ms;  // advisories: process clock when flashing started
  int64_t now_ms;         // advisories: process clock at the last advance
};

struct AlertLists {
  AlertRecord warnings[WARNING_COUNT];
  AlertRecord cautions[CAUTION_COUNT];
  AlertRecord advisories[ADVISORY_COUNT];
};

enum EngineSide { ENGINE_LEFT = 0, ENGINE_RIGHT = 1 };

// The converted values the conditions use; index 0 left engine, 1 right.
struct AlertInputs {
  bool battery_on;
  bool battery_was_off;      // the battery read off in the previous frame
  uint8_t engine_fire;       // 0x3366
  uint8_t door;              // 0x3367
  bool parking_brake;
  bool gear_down;            // gear control nonzero
  bool on_ground;
  bool spoilers_armed;
  bool pitot_heat_on;
  double ias_kt;
  double n1_pct[2];
  double fuel_pressure_psi[2];
  double bus_voltage[2];
  double oil_pressure_psi[2];
  double spoiler_deg[2];
  double flaps_deg;
  double pitch_trim;         // 0.6667 x elevator trim in degrees
  double aileron_trim_deg, rudder_trim_deg;
  double tank_lb[2];         // left and right tanks
  double combustion[2];      // exactly 0: that engine is shut down
  int32_t starter[2];        // 1: start
};

// The values several conditions share.
struct AlertDerived {
  bool running[2];       // N1 > 20 %
  bool high_power;
  bool spoilers_out;     // both spoilers beyond 1 degree
  bool trim_out_of_takeoff_range;
};

constexpr double ENGINE_RUNNING_N1_PCT = 20.0;
constexpr double HIGH_POWER_N1_PCT = 60.0;
// Shared with the synoptic pages: a wing tank at or below this is low; the
// take-off range of the trims.
constexpr double FUEL_QTY_LOW_LB = 330.0;
constexpr double TAKEOFF_PITCH_TRIM_MIN = 1.5;
constexpr double TAKEOFF_TRIM_MAX_DEG = 1.0;

constexpr int64_t ADVISORY_FLASH_MS = 5000;  // advisories flash at most this long

AlertDerived alert_derived(const AlertInputs& in);

// Clears the records after a battery-off frame, sets every condition, takes
// an engine's shut-down out of its own side's messages, then combines the
// sides ("L R" replaces the two single-side lines).
void alert_evaluate(const AlertInputs& in, AlertLists* lists);

// New messages start flashing (and clear the acknowledge request); the master
// bits follow the flashing warnings and cautions; an acknowledge request with
// something flashing acknowledges everything. Returns the byte to write back;
// `chimes` gets the number of new messages (the "END" line never counts).
uint8_t alert_update_byte(AlertLists* lists, uint8_t byte_read, int* chimes);

// Advisories stop flashing on their own 5 s after they rose; their was-active
// follows here, once the list has been evaluated.
void alert_advance_advisories(AlertLists* lists, int64_t now_ms);

// Blink phase of flashing lines: on in the second half of each second.
bool alert_blink_on(int64_t now_ms);
