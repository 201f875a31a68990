// rename() does not replace an existing file on Windows; MoveFileEx does, in one step.
#include <windows.h>
#include <io.h>

#include "platform/files_system.h"

bool file_sync(std::FILE* file) { return _commit(_fileno(file)) == 0; }
bool file_replace(const char* from, const char* to) {
  return MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}
unsigned long file_process_id() { return static_cast<unsigned long>(GetCurrentProcessId()); }
bool file_process_alive(unsigned long process_id) {
  HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(process_id));
  if (!process) return GetLastError() != ERROR_INVALID_PARAMETER;  // the id names no process
  DWORD code = 0;
  const bool running = !GetExitCodeProcess(process, &code) || code == STILL_ACTIVE;
  CloseHandle(process);
  return running;
}

std::string file_path_text(const std::filesystem::path& path) {
  const std::wstring wide = path.wstring();
  if (wide.empty()) return std::string();
  int size = WideCharToMultiByte(CP_ACP, 0, wide.data(), int(wide.size()), nullptr, 0, nullptr, nullptr);
  std::string text(size > 0 ? size : 0, '\0');
  if (size > 0) WideCharToMultiByte(CP_ACP, 0, wide.data(), int(wide.size()), &text[0], size, nullptr, nullptr);
  return text;
}
