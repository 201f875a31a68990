#pragma once
// The inter-unit cells: one-byte cells of the offset space through which the
// units and the cockpit hardware interface speak. This header is the only
// place where a cell's offset is defined.
#include <cstdint>

// Display units (index by side: DU2 = mode 1, DU3 = mode 0; see du_cell()).
constexpr uint32_t CELL_DU2_SOFTKEYS = 0x73F8;
constexpr uint32_t CELL_DU3_SOFTKEYS = 0x73F9;
constexpr uint32_t CELL_DU2_KNOB = 0x73FC;
constexpr uint32_t CELL_DU3_KNOB = 0x73FD;
constexpr uint32_t CELL_DU2_DIMMING = 0x73D8;
constexpr uint32_t CELL_DU3_DIMMING = 0x73D9;
constexpr uint32_t CELL_REVERSION = 0x73FB;           // bit 0
constexpr uint8_t REVERSION_BIT = 0x01;

// Primary flight displays and EFIS panels (captain / first officer).
constexpr uint32_t CELL_CAPT_EFIS_MODE = 0x73FE;
constexpr uint32_t CELL_FO_EFIS_MODE = 0x73D0;
constexpr uint32_t CELL_CAPT_EFIS_COMPANION = 0x73FF;  // no writer
constexpr uint32_t CELL_FO_EFIS_COMPANION = 0x73D1;    // first officer's panel writes 0
constexpr uint32_t CELL_CAPT_BEARING1_SOURCE = 0x73DB;
constexpr uint32_t CELL_CAPT_BEARING2_SOURCE = 0x73DC;
constexpr uint32_t CELL_FO_BEARING1_SOURCE = 0x73DD;
constexpr uint32_t CELL_FO_BEARING2_SOURCE = 0x73DE;
constexpr uint32_t CELL_CAPT_MINIMUMS_KNOB = 0x73D2;
constexpr uint32_t CELL_FO_MINIMUMS_KNOB = 0x73D3;
constexpr uint32_t CELL_CAPT_PFD_DIMMING = 0x73D7;
constexpr uint32_t CELL_FO_PFD_DIMMING = 0x73DA;

// EFIS mode byte bits.
constexpr uint8_t EFIS_MODE_BARO_HPA = 0x01;     // set: hectopascals ("MB")
constexpr uint8_t EFIS_MODE_BUTTON_B = 0x02;
constexpr uint8_t EFIS_MODE_ARC = 0x04;          // set: arc, clear: full rose
constexpr uint8_t EFIS_MODE_NAV1 = 0x08;         // also set with FMS
constexpr uint8_t EFIS_MODE_FMS = 0x10;

// Bearing pointer source codes.
constexpr uint8_t BEARING_SOURCE_NONE = 0;
constexpr uint8_t BEARING_SOURCE_FMS = 1;
constexpr uint8_t BEARING_SOURCE_ADF = 2;
constexpr uint8_t BEARING_SOURCE_VOR = 4;

// Radio management units (RMU1 / RMU2).
constexpr uint32_t CELL_RMU1_BUTTONS_A = 0x73F0;
constexpr uint32_t CELL_RMU1_BUTTONS_B = 0x73F1;
constexpr uint32_t CELL_RMU2_BUTTONS_A = 0x73F2;
constexpr uint32_t CELL_RMU2_BUTTONS_B = 0x73F3;
constexpr uint32_t CELL_RMU1_INNER_KNOB = 0x73F4;
constexpr uint32_t CELL_RMU1_OUTER_KNOB = 0x73F5;
constexpr uint32_t CELL_RMU2_INNER_KNOB = 0x73F6;
constexpr uint32_t CELL_RMU2_OUTER_KNOB = 0x73F7;

// Shared by all.
constexpr uint32_t CELL_ALERT = 0x73D5;
constexpr uint8_t ALERT_RELOAD_CAPT = 0x01;
constexpr uint8_t ALERT_RELOAD_FO = 0x02;
constexpr uint8_t ALERT_MANUAL_N1 = 0x04;
constexpr uint8_t ALERT_MASTER_CAUTION = 0x08;
constexpr uint8_t ALERT_MASTER_WARNING = 0x10;
constexpr uint8_t ALERT_ACKNOWLEDGE = 0x20;
constexpr uint8_t ALERT_PFD_CONTROL = 0x40;   // minimums mode edge / Mach level

constexpr uint32_t CELL_TCAS_FLAGS = 0x73D6;
constexpr uint8_t TCAS_FLAG_TA_AUTO = 0x01;       // TA display mode 1 "AUTO", 0 "MANUAL"
constexpr uint8_t TCAS_FLAG_FO_COUPLED = 0x02;    // NAV/GPS coupling: set = first officer's side drives 0x132C

constexpr uint32_t CELL_TCAS_RANGE = 0x73FA;
constexpr uint32_t CELL_TCAS_BAND = 0x7842;
constexpr uint8_t TCAS_BAND_BIT_ABOVE_NORMAL = 0x04;  // bit 2
constexpr uint8_t TCAS_BAND_BIT_BELOW = 0x08;         // bit 3

// The simulator's NAV/GPS switch (4 bytes: 0 NAV, 1 GPS), written by one side.
constexpr uint32_t OFFSET_NAV_GPS_SWITCH = 0x132C;

// Side selection: side 0 captain / RMU1 / DU3 (mode 0), side 1 first officer / RMU2 / DU2 (mode 1).
struct EfisCells { uint32_t mode, companion, bearing1, bearing2, minimums_knob, dimming; uint8_t reload_bit; };
EfisCells efis_cells(int side);
struct DuCells { uint32_t softkeys, knob, dimming; };
DuCells du_cells(int mode);   // mode 1 = DU2, mode 0 = DU3
struct RmuCells { uint32_t buttons_a, buttons_b, inner_knob, outer_knob; };
RmuCells rmu_cells(int side);
// True when this side's units drive the NAV/GPS switch for the given TCAS flags byte.
bool side_drives_nav_gps(int side, uint8_t tcas_flags);

// A knob counter reader. Seeded from the first value seen, so that a unit
// starting late takes no phantom step.
struct CounterReader { uint8_t last; bool seeded; };
enum CounterStep { STEP_NONE = 0, STEP_UP = 1, STEP_DOWN = -1 };
// One step per changed value: 255 -> 0 or any increase is up; 0 -> 255 or any decrease is down.
// Give it only values of successful reads (the first one seeds the reader).
CounterStep counter_step(CounterReader* reader, uint8_t value);
// The raw rule without seeding, for units that start from a last value of 0.
CounterStep counter_direction(uint8_t previous, uint8_t value);

// Rising bits: the lowest bit set now and clear before, or -1.
int lowest_rising_bit(uint8_t previous, uint8_t now, int bit_count);

// Read-modify-write of a shared bit set: returns the byte with only `mask`
// bits replaced by `bits`; `changed` tells whether a write-back is needed.
uint8_t replace_bits(uint8_t current, uint8_t mask, uint8_t bits, bool* changed);
// Reads the cell in one batch and, when the unit's own bits change, writes the
// byte back in the next batch. `read_value` receives the cell as it now stands.
// False when a batch failed.
bool update_shared_bits(uint32_t cell, uint8_t mask, uint8_t bits, uint8_t* read_value, uint32_t* result);
