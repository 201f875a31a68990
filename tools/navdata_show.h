#pragma once
// What `navdata plan` and `navdata find` print.
#include <string>

#include "nav/nav_plan.h"
#include "nav/nav_record.h"

// "LAYOUT\t<xml|text|fmc|none>", then one line per leg:
// IDENT<TAB>TYPE<TAB>LATITUDE<TAB>LONGITUDE, type "-" when the file gave none,
// coordinates with six decimals.
std::string navdata_plan_text(NavPlanLayout layout, const ActivePlan* plan);
// One line per record with the ident, as the display unit holds it:
// navaid<TAB>IDENT<TAB>LAT<TAB>LON<TAB>NDB|VOR|VOR-DME<TAB>NAME<TAB>FREQUENCY
// waypoint<TAB>IDENT<TAB>LAT<TAB>LON
// airport<TAB>IDENT<TAB>LAT<TAB>LON<TAB>runway-ok 0|1
std::string navdata_find_text(const NavDatabase* db, const char* ident);
