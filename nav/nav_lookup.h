#pragma once
// Finding database records by ident.
#include "nav/nav_record.h"

// The position of `ident` for a plan leg of `type` ('A' airports, 'V'
// navaids, 'I' waypoints, anything else all three lists). Of several records
// the one nearest (near_lat, near_lon) wins when `use_near`, else the first.
bool nav_find_position(const NavDatabase* db, const char* ident, char type, bool use_near, double near_lat,
                       double near_lon, float* latitude, float* longitude);
