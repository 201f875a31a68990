// efis_panel: the EFIS control panel of the captain or the first officer.
#include <cstdio>

#include "efis/efis_state.h"
#include "efis/efis_unit.h"

int main(int argc, char** argv) {
  const char* error = nullptr;
  if (!efis_take_click_options(&argc, argv, &g_efis.clicks, &error)) {
    std::fprintf(stderr, "efis_panel: %s\n", error);
    return 2;  // as for every other fault of the command line
  }
  return run_unit(argc, argv, &g_efis.common, &efis_unit_hooks());
}
