#pragma once
// "MFD.ini": window geometry, frame and bezel flags, mode and three folders.
#include "framework/settings_file.h"

constexpr const char* MFD_SETTINGS_FILE = "MFD.ini";
// The default file's window: 484 x 605 at 100,100, framed, bezel shown.
constexpr SettingsWindow MFD_DEFAULT_WINDOW = {484, 605, 100, 100, 0, true, 1};

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
