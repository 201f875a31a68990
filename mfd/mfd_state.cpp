#include "mfd/mfd_state.h"

MfdState g_mfd;
