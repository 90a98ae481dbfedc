#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>
#include <windows.h>

// Reaching the windows of another process by class, caption and control ID, with text in UTF-8
// (windows give UTF-16, turned into UTF-8 here, whatever the system's code page). Waits poll a condition until it holds
// or the time is up; nothing here sleeps as a substitute for a condition.
namespace lirbo::driver {

constexpr DWORD kWaitMs = 15000;

bool waitFor(const std::function<bool()>& condition, DWORD timeoutMs = kWaitMs);

// A visible top-level window of `process` with this class (and caption, when not empty).
HWND findTopLevel(DWORD process, const char* className, const std::string& caption = "");
HWND waitTopLevel(DWORD process, const char* className, const std::string& caption = "");

std::string text(HWND window);      // WM_GETTEXT, read as UTF-16 and turned into UTF-8
std::wstring wideText(HWND window); // WM_GETTEXT as the UTF-16 it is
void setText(HWND window, const std::string& text);
std::vector<std::string> listItems(HWND listBox); // LB_GETTEXT in its W form

void click(HWND button);             // posted, so a modal loop it opens does not block us
void postKey(HWND window, UINT key); // WM_KEYDOWN and WM_KEYUP, through the owner's message loop
void postChar(HWND window, char ascii);
void type(HWND window, const std::wstring& text); // one WM_CHAR per UTF-16 unit, as a keyboard types
HWND focusOf(HWND window);                        // the keyboard focus of the window's thread
void menu(HWND window, int id);                   // as if the menu item were chosen

RECT clientRectIn(HWND control, HWND parent); // a control's rectangle in its parent's client

// UTF-16, a window's text, as UTF-8, and back.
std::string utf8(std::wstring_view wide);
std::wstring wide(std::string_view utf8);

} // namespace lirbo::driver
