#pragma once
// "MFD.ini": window geometry, frame and bezel flags, mode and three folders.

constexpr const char* MFD_SETTINGS_FILE = "MFD.ini";
constexpr int MFD_DEFAULT_X_SIZE = 484;
constexpr int MFD_DEFAULT_Y_SIZE = 605;
constexpr int MFD_DEFAULT_POSITION = 100;

// The unit's settings hooks (working directory's "MFD.ini").
void mfd_read_settings();
bool mfd_write_settings(bool defaults);
// A setting by name from the command line: "side" (the mode: 0 DU3, 1 DU2),
// "plan_path", "path_to_du2", "path_to_du3". False for any other name or a
// mode other than 0 or 1.
bool mfd_set_setting(const char* name, const char* value);

// The same on a named file, for tests.
void mfd_read_settings_from(const char* path);
bool mfd_write_settings_to(const char* path, bool defaults);
