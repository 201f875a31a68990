#pragma once
// Message boxes. Headless (or with no display to show them) the caption and
// text go to stderr instead, so that nothing ever waits for a click.

enum MessageIcon { ICON_INFORMATION, ICON_EXCLAMATION };

void platform_set_headless(bool headless);
bool platform_is_headless();
void platform_message_box(const char* caption, const char* text, MessageIcon icon);
// The system's own box, waiting for the click; false when none can be shown.
bool platform_show_system_box(const char* caption, const char* text, MessageIcon icon);
