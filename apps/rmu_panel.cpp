// rmu_panel: the radio management unit of the captain (RMU1) or the first officer (RMU2).
#include "rmu/rmu_state.h"
#include "rmu/rmu_unit.h"

int main(int argc, char** argv) { return run_unit(argc, argv, &g_rmu.common, &rmu_unit_hooks()); }
