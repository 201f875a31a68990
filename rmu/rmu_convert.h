#pragma once
// The read set's conversions, run right after each successful read: every
// engineering value is recomputed from the raw words. While the simulator is
// the radios' master ("[COM_WRITE_TO_SIM]" 0) the side's radios, the ADF
// frequency and the transponder code follow its words too; the transponder
// digits change only by tuning. The first read also gives the ADF tuning
// state its start.
#include "rmu/rmu_state.h"

void rmu_convert_values(const RmuRaw& raw, RmuValues* value);
void rmu_convert_radios(const RmuRaw& raw, bool simulator_master, RmuRadios* radios, RmuTransponder* transponder);
