#pragma once
// The process environment, for settings handed to child processes and to
// code that reads them later (the link folder of tests).

// Sets (replaces) a variable of this process; false if the system refuses.
bool platform_set_environment(const char* name, const char* value);
