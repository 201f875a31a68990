#pragma once
// The radio management unit's one state record. Raw simulator values keep the
// exact width and signedness of their offsets; converted values live in
// separate members and are recomputed from the raw ones after every read, so
// a failed exchange never applies a conversion twice.
#include <cstdint>

#include "framework/unit_common.h"
#include "simlink/cells.h"

constexpr int RMU_SIDE_1 = 0;  // captain: COM1/NAV1, ADF
constexpr int RMU_SIDE_2 = 1;  // first officer: COM2/NAV2

// Pages; any other number is replaced by the radio page when the frame draws.
enum RmuPageId : int32_t {
  RMU_PAGE_RADIO = 0,
  RMU_PAGE_COM_MEMORY = 1,
  RMU_PAGE_NAV_MEMORY = 2,
  RMU_PAGE_ATC_TCAS = 3,
  RMU_PAGE_NAVIGATION = 5,
  RMU_PAGE_ENGINE_1 = 6,
  RMU_PAGE_ENGINE_2 = 7,
  RMU_PAGE_MENU = 9,
};

// Keys: L1-L6 down the left, R1-R6 down the right, B1-B4 the upper and B5-B8
// the lower bottom row, left to right.
enum RmuKey : int32_t {
  RMU_KEY_L1 = 0, RMU_KEY_L2, RMU_KEY_L3, RMU_KEY_L4, RMU_KEY_L5, RMU_KEY_L6,
  RMU_KEY_R1 = 6, RMU_KEY_R2, RMU_KEY_R3, RMU_KEY_R4, RMU_KEY_R5, RMU_KEY_R6,
  RMU_KEY_B1 = 12, RMU_KEY_B2, RMU_KEY_B3, RMU_KEY_B4, RMU_KEY_B5, RMU_KEY_B6, RMU_KEY_B7, RMU_KEY_B8,
  RMU_KEY_NONE = 20,
};
constexpr int32_t RMU_KEY_DIM = RMU_KEY_B2;
constexpr int32_t RMU_KEY_STORE = RMU_KEY_B4;
constexpr int32_t RMU_KEY_IDENT = RMU_KEY_B5;
constexpr int32_t RMU_KEY_PAGE = RMU_KEY_B6;

constexpr int32_t RMU_CURSOR_NONE = -1;
constexpr int RMU_MEMORY_CAPACITY = 12;
constexpr int RMU_MEMORIES_PER_HALF = 6;
constexpr int RMU_FLIGHT_ID_FIELD = 12;
constexpr int RMU_IDENTITY_FIELD = 6;
constexpr int RMU_WRITE_CAPACITY = 8;
constexpr uint16_t RMU_LINK_DEFAULT_PORTS[2] = {1001, 1002};  // of groups 225.0.0.1 and 225.0.0.2
// The display position when the bezel is hidden, before the file gives one.
constexpr float RMU_BUILT_IN_DISPLAY_POSITION[3] = {0.0f, -0.073f, -0.67f};

// Values exactly as the simulator delivers them (the read set, in its order).
struct RmuRaw {
  // This side's radio words (read only while the simulator is the master).
  uint16_t com_active, com_standby, nav_active, nav_standby;
  uint16_t adf_main, adf_extension;            // read only while the simulator is the master
  uint16_t adf_main_seen, adf_extension_seen;  // read always: the ADF tuning start
  uint16_t transponder;                        // 0x0354, one octal digit per nibble
  uint8_t transponder_standby;                 // 0x7B91
  int16_t n1[2], n2[2];                        // % x 16384 / 100
  double itt[2];                               // Rankine
  double oil_pressure[2];                      // pounds per square foot
  int16_t oil_temperature[2];                  // C x 16384 / 140
  double fuel_flow[2];                         // pounds per hour
  int32_t left_tank_level, left_tank_capacity;    // level % x 65535 x 127 / 100; US gallons
  int32_t right_tank_level, right_tank_capacity;
  int32_t hydraulic;                           // psi x 4
  int32_t flaps, spoilers;                     // 0..16383
  double elevator_trim, aileron_trim, rudder_trim;  // radians
  double air_temperature;                      // 0x28D0, Fahrenheit
  char flight_id[RMU_FLIGHT_ID_FIELD];         // 0x313C, not terminated when full
  double atc_altitude;                         // 0x6020, metres
  uint32_t heading;                            // 0x0580, true, 2^32 = 360 degrees
  int16_t magnetic_variation;                  // 0x02A0, 65536 = 360 degrees
  int8_t localiser, glideslope;                // 0x0C48, 0x0C49 needles
  uint8_t to_from;                             // 0x0C4B: 1 TO, 2 FROM
  uint16_t nav1_course;                        // 0x0C4E, degrees
  int16_t vor_bearing, bearing_0c60;           // 0x0C56, 0x0C60, degrees
  uint16_t marker_inner, marker_middle, marker_outer;
  uint16_t dme;                                // 0x0300, tenths of a nautical mile
  char identity[RMU_IDENTITY_FIELD];           // 0x303E, not terminated when full
  uint16_t nav_flags;                          // 0x3300
  int32_t battery;                             // 0x281C
  uint8_t ident;                               // 0x7B93
  uint8_t band_byte;                           // 0x7842
  uint8_t buttons[2];                          // the side's two button cells
  uint8_t knobs[2];                            // inner and outer knob counters (their own read)
};

// Engineering values recomputed from RmuRaw after every successful read.
struct RmuValues {
  float n1[2], n2[2];                // percent
  double itt[2];                     // C
  double oil_pressure[2];            // psi
  int32_t oil_temperature[2];        // C
  double fuel_flow[2];               // pounds per hour
  int32_t left_fuel, right_fuel;     // pounds
  int32_t hydraulic;                 // psi
  int32_t flap_angle, spoiler_angle; // degrees
  double elevator_trim, aileron_trim, rudder_trim;  // radians
  int32_t sat;                       // C, truncated
  char flight_id[RMU_FLIGHT_ID_FIELD + 1];
  double atc_altitude;               // feet
  double true_heading;               // degrees
  double magnetic_variation;         // degrees
  double magnetic_heading;           // degrees, 0 up to below 360
  float vor_bearing, bearing_0c60;   // degrees
  double dme;                        // nautical miles
  char identity[RMU_IDENTITY_FIELD + 1];
  bool marker_inner, marker_middle, marker_outer;
  bool vor_pointer, adf_pointer, glideslope_scale;  // bits 1, 3, 6 of the flags
  int32_t nav1_course;               // degrees; the course line steps it between reads
};

// A list of stored frequencies, in display order.
struct RmuMemoryList {
  float values[RMU_MEMORY_CAPACITY];  // MHz
  int32_t count;
};

struct RmuRadios {
  float com_active, com_standby;   // MHz
  float nav_active, nav_standby;   // MHz
  float adf_frequency;             // kHz
  int32_t adf_hundreds;            // 0..17, tuning state
  int32_t adf_units;               // 0..99, tuning state
  int32_t adf_mode_index;          // into "ANT", "ADF", "BFO", "VOICE"; always 0
  bool adf_start_pending;          // take the tuning state from the next read
  RmuMemoryList com_memories, nav_memories;
  bool second_memory_half;         // the memory pages show 7..12
};

// Transponder and TCAS: shared with the other unit and the display units.
struct RmuTransponder {
  uint8_t digits[4];        // units, tens, hundreds, thousands; each 0..7
  uint16_t code;            // decimal reading of the digits
  int32_t mode;             // index into "ATC_ON", "STANDBY", "ATC_ALT", "TA_ONLY", "TA_RA"
  int32_t mode_byte;        // last written to 0x7B91
  bool ident_request;       // raised by the ident key
  uint8_t tcas_range;       // nautical miles, 6..40
  int32_t band_tuning;      // 0..2, stepped by the knob
  int32_t band;             // 0 NORMAL, 1 ABOVE, 2 BELOW
  int32_t ta_mode;          // 0 MANUAL, 1 AUTO
  uint8_t ta_byte;          // bit 0 = TA mode
  bool ta_cell_pending;     // the TA mode changed here: put it into bit 0 of 0x73D6
  bool ident_shown;         // the radio page shows "ID" this frame
};

// One end of the RMU-to-RMU link. The socket is held only while ready; a
// failed attempt releases what it opened and is retried about once a second.
constexpr int RMU_LINK_SHOWN_ERRORS = 8;
struct RmuEndpoint {
  bool ready;
  int64_t socket;                  // valid while ready
  int32_t last_error;              // 0 none
  int32_t logged_error;            // code of the last line in the error file; 0 none
  int32_t shown_errors[RMU_LINK_SHOWN_ERRORS];  // codes already shown in a message box
  int32_t shown_count;
  int64_t next_attempt_ms;         // process clock
  bool host_name_checked;          // looked up once; a failure is logged, never fatal
};

// Groups 225.0.0.1 and 225.0.0.2; RMU1 sends on the first and listens on the
// second, RMU2 the other way round.
struct RmuLinkConfig {
  uint32_t interface_address;  // 0: the system's choice
  uint16_t group_ports[2];     // 1001 and 1002 unless chosen otherwise
};

struct RmuLink {
  RmuLinkConfig config;
  RmuEndpoint sender, receiver;
  bool send_transponder, send_ta_display, send_range, send_band;  // A, B, C, D
  uint64_t datagrams_sent, datagrams_received, messages_applied, datagrams_dropped;
  int32_t last_frame_applied;  // messages applied by the last frame
};

// The inputs: what the click, the button cells and the knob counters set,
// and what the pages consume.
struct RmuKnobs {
  bool inner_down, inner_up, outer_down, outer_up;
};

struct RmuInput {
  int32_t selected_line;            // RMU_KEY_L1..RMU_KEY_R6 or RMU_KEY_NONE; persists
  int32_t pending_bottom_key;       // RMU_KEY_B1..RMU_KEY_B8 or RMU_KEY_NONE; this frame only
  RmuKnobs knobs;                   // this frame only
  CounterReader inner_counter, outer_counter;  // seeded from the first read
  bool buttons_taken;               // a button cell bit was taken: write both cells back as 0
};

// One word the pages want written to the simulator this frame.
struct RmuWrite {
  uint32_t offset;
  uint32_t size;   // 1 or 2 bytes
  uint32_t value;
};
struct RmuWriteList {
  RmuWrite writes[RMU_WRITE_CAPACITY];
  int32_t count;
};

// "RMU.ini" values beyond the window block kept in UnitCommon.
struct RmuSettings {
  int32_t side;                  // RMU_SIDE_1 / RMU_SIDE_2
  bool com_write_to_sim;         // true: the unit is the master and does not read its radios
  float display_position[3];     // X, Y, Z of the display group without the bezel
};

struct RmuState {
  UnitCommon common;
  RmuSettings settings;
  RmuRaw raw;
  RmuValues value;
  RmuRadios radios;
  RmuTransponder transponder;
  RmuInput input;
  RmuWriteList writes;
  RmuLink link;

  int32_t page;                  // RmuPageId
  int32_t return_page;           // where "RETURN" of the page menu leads
  int32_t page_last_frame;       // a page change clears the cursor
  int32_t cursor;                // field or memory number under the box, or RMU_CURSOR_NONE
  int32_t previous_memory_line[2];  // selected line at the end of the last COM / NAV memory page frame

  bool dim_page_shown;
  float dim_level;               // 0 full brightness .. 255 black; not saved
  bool first_frame_pending;
  bool settings_save_requested;  // a memory insert or delete: rewrite RMU.ini after the page
  bool vor_pointer_started;      // the navigation page's VOR pointer took its first bearing
  float vor_pointer_angle;       // degrees, -180..180
};

extern RmuState g_rmu;

// The values in place before the settings file is read: radio page, nothing
// selected or pending, first frame pending, display position (0, -0.073, -0.67).
void rmu_state_start_values();
