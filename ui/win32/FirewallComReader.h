#pragma once

#include "app/FirewallRules.h"

#include <string>
#include <windows.h>

namespace lirbo::win32 {

// The Windows Firewall as its COM interface tells it: the connected networks' profiles, each
// one's switches, and every inbound rule. Call on a thread where COM is initialised; any failure
// of the interface leaves the snapshot unknown, with the reason. Rules' programs and `program`
// are upper-cased UTF-8, so that they compare as Windows compares paths.
app::firewall::Snapshot readFirewall();
std::string runningProgram();
// The running program's full path as the system gives it, whatever its length.
std::wstring programPath();

// The firewall is read off the window's thread; `window` gets `message` when the snapshot is
// ready, its lParam a heap-allocated app::firewall::Snapshot that the receiver takes over.
void readFirewallInBackground(HWND window, UINT message);

} // namespace lirbo::win32
