#pragma once
// "RMU.ini": the window block, the side, the radio master choice, the COM and
// NAV memory lists and the display position without the bezel. Pairs are
// taken by position; the file is written whole to a temporary file and
// renamed over the old one, so that a crash never leaves half a file.
//
//   [X_SIZE,Y_SIZE]            484,605     drawing-area width and height
//   [X_POSITION,Y_POSITION]    100,100     window left and top
//   [FRAMELESS_WINDOW(0-1)]    0           flags: true only as the word "1"
//   [DISPLAY_BEZEL(0-1)]       1
//   [RMU1=0,RMU2=1]            0
//   [COM_WRITE_TO_SIM]         0           1: the unit is the radios' master
//   [COM_MEMORY]               0..12 lines "%3.2f"
//   [NAV_MEMORY]               0..12 lines "%3.2f"
//   [DISPLAY_POSITION]         X,Y,Z
#include <cstddef>
#include <string>

#include "framework/settings_file.h"
#include "rmu/rmu_state.h"

constexpr const char* RMU_SETTINGS_FILE = "RMU.ini";
constexpr const char* RMU_POSITION_LABEL = "[X_POSITION,Y_POSITION]";
constexpr SettingsWindow RMU_DEFAULT_WINDOW = {484, 605, 100, 100, 0, true, 1};

// Where the settings land: the window in UnitCommon, the unit's own values,
// and the memory lists with the radios.
struct RmuSettingsTarget {
  UnitCommon* common;
  RmuSettings* settings;
  RmuRadios* radios;
};

// Reads the file's text in order. Values that are missing keep what they
// held; a memory list takes at most 12 numbers (further ones are read and
// dropped, so a long list never shifts the rest of the file) and keeps only
// frequencies of its band; sizes and positions out of range take the
// default window's.
void rmu_parse_settings(const char* text, size_t size, const RmuSettingsTarget& target);
// The file's text: the default file, or the running values (the display
// position to a thousandth, the step of its keys).
std::string rmu_settings_text(bool defaults, const UnitCommon& common, const RmuSettings& settings,
                              const RmuRadios& radios);

// The hooks, on g_rmu and "RMU.ini" in the working folder.
void rmu_read_settings();
bool rmu_write_settings(bool defaults);
// A setting by name from the command line: "side" or "com_write_to_sim",
// each 0 or 1. False for any other name or value.
bool rmu_set_setting(const char* name, const char* value);
