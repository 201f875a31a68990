#include "platform/file_privacy.h"

bool file_owner_only(const char*) { return true; }
bool file_make_owner_only(const char*) { return true; }
