#pragma once

#include <windows.h>

namespace lirbo::win32 {

// "Разрешить в брандмауэре": the installer's inbound rule for UDP 8800 and this program, added by
// netsh.exe started elevated (the system's elevation prompt; nothing else runs elevated). The
// wait is off the window's thread: `window` gets `message` with wParam one of the outcomes below
// and lParam netsh's exit status.
enum class AllowOutcome : WPARAM { Added, Cancelled, NotStarted, Failed };
void addAllowRuleElevated(HWND window, UINT message);

// The error box for an outcome other than Added.
void showAllowFailure(AllowOutcome outcome, DWORD detail);

} // namespace lirbo::win32
