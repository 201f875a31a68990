// pfd_display: the primary flight display of the captain or first officer.
#include "pfd/pfd_frame.h"
#include "pfd/pfd_state.h"

int main(int argc, char** argv) {
  pfd_prepare();
  return run_unit(argc, argv, &pfd.common, pfd_hooks());
}
