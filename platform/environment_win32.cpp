#include <cstdlib>

#include "platform/environment.h"

bool platform_set_environment(const char* name, const char* value) { return _putenv_s(name, value) == 0; }
