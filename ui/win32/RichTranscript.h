#pragma once

#include "app/TranscriptMirror.h"

#include <cstddef>
#include <deque>
#include <string>
#include <utility>
#include <vector>
#include <windows.h>

namespace lirbo::win32 {

// MemoChat: a read-only rich edit that mirrors the transcript model. It only ever shows what the
// model holds; saving goes through the model, never through the control.
class RichTranscript {
public:
    // Loads the rich edit library; false when the system has none.
    static bool loadLibrary();

    void create(HWND parent, HINSTANCE instance, int id, HFONT font);
    HWND handle() const { return m_edit; }
    // The control's font at a new scaling; the text keeps its own point sizes.
    void setFont(HFONT font);

    // Catches up with the model in one batch and scrolls to the end of the newest body.
    void draw(app::TranscriptMirror& mirror);
    // Selects the characters [first, after) and scrolls them into view; the selection stays
    // marked while another window has the focus.
    void select(std::pair<long, long> range);

private:
    void appendAll(const std::deque<core::TTranscriptMessage>& messages, std::size_t from, std::size_t count);
    void append(std::string& rtf, std::vector<core::TColor>& colours, const core::TTranscriptMessage& message);
    void appendRun(std::string& rtf, const std::string& text, int colour, const char* style);
    static int colourIndex(std::vector<core::TColor>& colours, core::TColor colour);

    HWND make() const;
    static LRESULT CALLBACK keysProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR);
    void replaceControl();

    HWND m_parent = nullptr;
    HINSTANCE m_instance = nullptr;
    int m_id = 0;
    HFONT m_font = nullptr;
    HWND m_edit = nullptr;
    std::deque<std::size_t> m_lengths; // characters of each message shown, oldest first
    std::size_t m_shown = 0;           // characters shown in all
};

} // namespace lirbo::win32
