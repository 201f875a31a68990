#include <cstdlib>

#include "platform/environment.h"

bool platform_set_environment(const char* name, const char* value) { return setenv(name, value, 1) == 0; }
