// mfd_display: display unit DU2 / DU3 (MFD or EICAS).
#include "mfd/mfd_state.h"
#include "mfd/mfd_unit.h"

int main(int argc, char** argv) { return run_unit(argc, argv, &g_mfd.common, &mfd_unit_hooks()); }
