// pfd_display: the primary flight display of the captain or first officer.
#include "pfd/pfd_state.h"
#include "pfd/pfd_unit.h"

int main(int argc, char** argv) { return run_unit(argc, argv, &g_pfd.common, &pfd_unit_hooks()); }
