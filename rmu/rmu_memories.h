#pragma once
// The two lists of stored frequencies: store, insert, delete, and which
// memory a standby frequency equals. Pure functions over one list.
#include "rmu/rmu_frequency.h"
#include "rmu/rmu_state.h"

// Appends when the list holds fewer than 12; false when it is full.
bool rmu_memory_append(RmuMemoryList* list, float mhz);
// Inserts `mhz` after memory `number` (1-based), or at the end when the
// number lies beyond the list; false when the list is full or no memory is
// selected (number < 1).
bool rmu_memory_insert(RmuMemoryList* list, int number, float mhz);
// Removes memory `number` (1-based); false when it does not exist.
bool rmu_memory_delete(RmuMemoryList* list, int number);
// The memory `number` (1-based) when it exists.
float* rmu_memory_at(RmuMemoryList* list, int number);
// The number of the first memory on the same channel as `mhz`, 0 for none.
// Channels, not raw floats, are compared: a frequency read back from the
// simulator carries a small bias that a stored value does not.
int rmu_memory_matching(const RmuMemoryList& list, float mhz);
