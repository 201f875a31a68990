#include "mfd/alert_texts.h"

const char* const WARNING_TEXTS[WARNING_COUNT] = {
    "    APU FIRE",          "    EMER/PARK BRK",    "    ENTRY DOOR",       "    GEAR",
    "L   FUEL PRESS LOW",    "R   FUEL PRESS LOW",   "L R FUEL PRESS LOW",  "    UNL",
    "L   GEN FAIL",          "R   GEN FAIL",         "L R GEN FAIL",        "L   OIL PRESS LOW",
    "R   OIL PRESS LOW",     "L R OIL PRESS LOW",    "    SPOILERS EXT",     "    TAKEOFF TRIM",
    "L R BLEED_AIR_LEAK",    "    WING STAB LEAK",   "    PIT TRIM BIAS",
};

const char* const CAUTION_TEXTS[CAUTION_COUNT] = {
    "    AUX HYD PUMP LOW",  "    BRAKE ACUM PRESS", "    EMER BATT LOW",    "    EMER BUS VOLTS",
    "    GEAR",              "    ENTRY DOOR",       "    MAIN HYD PRESS",   "    OXYGEN OFF",
    "    SPOILERS EXT",      "L   FUEL PRESS LOW",   "R   FUEL PRESS LOW",   "L R FUEL PRESS LOW",
    "L   GEN FAIL",          "R   GEN FAIL",         "L R GEN FAIL",        "L   OIL PRESS LOW",
    "R   OIL PRESS LOW",     "L R OIL PRESS LOW",    "L   FUEL QTY LOW",     "R   FUEL QTY LOW",
    "L R FUEL QTY LOW",      "L R PITOT HT",         "L R NAC HT",          "    EMER LIGHTS",
    "    ANTI SKID FAIL",    "L R EMER PRESS ON",    "    ELEVATOR DISC",    "    FLAPS FAIL",
    "    FLAPS FAULT",       "L   AOA HT FAIL",      "R   AOA HT FAIL",      "    RUD BOOST INOP",
};

const char* const ADVISORY_TEXTS[ADVISORY_COUNT] = {
    "    AUTOSPLR ARM",      "    APU AVAILABLE",    "    EMER/PARK BRK",    "L   ENG SHUTDOWN",
    "R   ENG SHUTDOWN",      "L R ENG SHUTDOWN",     "    SPOILERS EXT",     "L   HYD PUMP LOW",
    "R   HYD PUMP LOW",      "L R HYD PUMP LOW",     "    TAKEOFF TRIM",     "    BUS TIE CLOSED",
    "    EMER LIGHTS",       "    PAX OXY DEPLOY",   "    PACK HI FLOW",     "    EMER DEPRESS",
    "L R FWSOV CLSD",        "L   STBY PUMP ON",     "R   STBY PUMP ON",     "L R STBY PUMP ON",
    "    FUEL XFLOW OPEN",   "    ELEVATOR DISC",    "    WG STAB HT OK",    "    GPWS FAIL",
    "    PIT TRIM BIAS",     "    RUD BOOST INOP",   "END",
};
