#include <windows.h>

#include "tests/support/mapping_probe.h"

const bool MAPPING_NAME_REMOVED_ONCE_SERVED = false;

void* mapping_probe_take(const char* name) {
  HANDLE mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 0x8000, name);
  if (mapping && GetLastError() == ERROR_ALREADY_EXISTS) {
    CloseHandle(mapping);
    return nullptr;
  }
  return mapping;
}

void mapping_probe_release(void* taken, const char*) {
  if (taken) CloseHandle(static_cast<HANDLE>(taken));
}

bool mapping_probe_exists(const char* name) {
  HANDLE mapping = OpenFileMappingA(FILE_MAP_READ, FALSE, name);
  if (mapping) CloseHandle(mapping);
  return mapping != nullptr;
}
