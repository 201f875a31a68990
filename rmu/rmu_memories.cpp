#include "rmu/rmu_memories.h"

bool rmu_memory_append(RmuMemoryList* list, float mhz) {
  if (list->count < 0 || list->count >= RMU_MEMORY_CAPACITY) return false;
  list->values[list->count++] = mhz;
  return true;
}

bool rmu_memory_insert(RmuMemoryList* list, int number, float mhz) {
  if (number < 1 || list->count < 0 || list->count >= RMU_MEMORY_CAPACITY) return false;
  int at = number < list->count ? number : list->count;
  for (int i = list->count; i > at; --i) list->values[i] = list->values[i - 1];
  list->values[at] = mhz;
  ++list->count;
  return true;
}

bool rmu_memory_delete(RmuMemoryList* list, int number) {
  if (!rmu_memory_at(list, number)) return false;
  for (int i = number - 1; i + 1 < list->count; ++i) list->values[i] = list->values[i + 1];
  --list->count;
  return true;
}

float* rmu_memory_at(RmuMemoryList* list, int number) {
  if (number < 1 || number > list->count || number > RMU_MEMORY_CAPACITY) return nullptr;
  return &list->values[number - 1];
}

int rmu_memory_matching(const RmuMemoryList& list, float mhz) {
  uint16_t word = rmu_frequency_word(mhz);
  for (int i = 0; i < list.count && i < RMU_MEMORY_CAPACITY; ++i)
    if (rmu_frequency_word(list.values[i]) == word) return i + 1;
  return 0;
}
