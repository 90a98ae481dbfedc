// Resource identifiers of the Windows program and its private window messages. The numbers of the
// controls and menu items are shared with the descriptions of the forms (ui/common/ControlIds.h).
#pragma once

#include "ui/common/ControlIds.h"

#define IDI_MAINICON 1

#define IDJ_BANNER 110

// The posted message that makes the main window draw what the transcript gained.
#define WM_LIRBO_DRAW_TRANSCRIPT (WM_APP + 1)
// The notification icon's mouse messages to the main window.
#define WM_LIRBO_TRAY (WM_APP + 2)
// A firewall snapshot read in the background is ready (lParam: the snapshot to take over).
#define WM_LIRBO_FIREWALL (WM_APP + 22)
// The elevated rule helper has ended (wParam: the outcome, lParam: netsh's exit status).
#define WM_LIRBO_ALLOW_RULE (WM_APP + 23)
