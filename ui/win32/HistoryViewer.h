#pragma once

#include "app/HistoryBrowser.h"
#include "ui/win32/Dpi.h"
#include "ui/win32/TranscriptView.h"

#include <string>
#include <windows.h>

namespace lirbo::win32 {

// The history viewer "История": a window of its own beside the main one, never modal. It draws
// what app::HistoryBrowser reads: the days on the left (newest first), the chosen day in a
// read-only rich edit (Ctrl+C copies), the search across every day with its results (Enter or a
// double click opens the day at the line found). The reading runs in slices on a timer, so the
// window answers at once whatever the size of a day.
class HistoryViewer {
public:
    HistoryViewer(HINSTANCE instance, std::string folder);
    ~HistoryViewer();
    HistoryViewer(const HistoryViewer&) = delete;
    HistoryViewer& operator=(const HistoryViewer&) = delete;

    // Creates the window at its first call, lists the days again and shows it in front.
    void present(HWND owner);
    // The open window, for the message loop's keyboard handling; null before the first present.
    HWND handle() const { return m_window; }

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void create(HWND owner);
    HWND control(const wchar_t* type, const wchar_t* text, DWORD style, DWORD exStyle, int id);
    void applyDpi();
    void layout();
    void command(int id, int code);
    void showDays();
    void dayChosen();
    void hitChosen();
    void search();
    void work();
    void showProgress();
    template <typename Run> void guarded(Run&& run);

    HINSTANCE m_instance;
    app::HistoryBrowser m_browser;
    Dpi m_dpi;
    HFONT m_font = nullptr;
    HWND m_window = nullptr;
    HWND m_days = nullptr;
    TranscriptView m_view;
    HWND m_pageNote = nullptr;
    HWND m_earlier = nullptr;
    HWND m_later = nullptr;
    HWND m_searchText = nullptr;
    HWND m_find = nullptr;
    HWND m_searchNote = nullptr;
    HWND m_hits = nullptr;
    bool m_working = false;
};

} // namespace lirbo::win32
