// The system's message box: OK button, the icon the caller names.
#include <windows.h>

#include "platform/message_box.h"

bool platform_show_system_box(const char* caption, const char* text, MessageIcon icon) {
  UINT style = MB_OK | (icon == ICON_EXCLAMATION ? MB_ICONEXCLAMATION : MB_ICONINFORMATION);
  return MessageBoxA(nullptr, text, caption, style) != 0;
}
