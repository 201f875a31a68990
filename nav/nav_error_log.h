#pragma once
// The error log of the navigation data and plan loading: each line is
// appended to the file named (opened for appending and closed again), or
// written to stderr when no file is named (the command-line tool).
#include <string>

constexpr const char* NAV_ERROR_LOG = "error.log";

void nav_log_error(const char* error_log, const std::string& line);
