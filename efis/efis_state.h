#pragma once
// The program's one state record: the skeleton's members, the panel, and the
// scripted clicks of a test run.
#include "efis/efis_panel.h"
#include "efis/efis_script.h"
#include "framework/unit_common.h"

struct EfisState {
  UnitCommon common;
  EfisPanel panel;
  int frames_run;
  EfisClickScript clicks;
};

extern EfisState g_efis;
