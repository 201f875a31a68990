#include "pfd/pfd_state.h"

// The unit's one state record, zero at load.
PfdState pfd;
