#pragma once

#include "ui/win32/Dpi.h"

#include <functional>
#include <string>
#include <windows.h>

namespace lirbo::win32 {

// A one-line bar above the transcript: a text, a link and a close button on the system's
// tooltip colours. It exists only while shown; closing destroys it and asks for a new layout.
class NoticeBar {
public:
    static constexpr int kHeight = 20; // at 96 dots per inch

    // `changed` is told when the bar comes or goes, so the window lays itself out again.
    NoticeBar(std::function<void()> openLink, std::function<void()> changed);
    // Creates the bar as child `id` of `parent`; a bar already shown keeps its text.
    void show(HWND parent, HINSTANCE instance, HFONT font, const std::wstring& text, const std::wstring& link);
    HWND handle() const { return m_bar; }
    // Closes the bar, as its close button does.
    void close();
    // The bar's height at this scaling, 0 while it is not shown.
    int height(const Dpi& dpi) const { return m_bar != nullptr ? dpi(kHeight) : 0; }
    void setFont(HFONT font, const Dpi& dpi);

private:
    static LRESULT CALLBACK barProc(HWND bar, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void layout();

    std::function<void()> m_openLink;
    std::function<void()> m_changed;
    HWND m_bar = nullptr;
    HWND m_text = nullptr;
    HWND m_link = nullptr;
    HWND m_close = nullptr;
    Dpi m_dpi;
};

} // namespace lirbo::win32
