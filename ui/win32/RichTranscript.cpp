#include "ui/win32/RichTranscript.h"

#include <algorithm>
#include <commctrl.h>
#include <richedit.h>
#include <string>

namespace lirbo::win32 {

namespace {
constexpr int kTwipsPerPoint = 20;
constexpr int kPointSize = 8;
// Above one removed line for this many that stay, MemoChat is filled afresh instead.
constexpr std::size_t kRebuildShare = 4;

// A line of the transcript as the control shows it: line breaks inside it become soft breaks
// (one character each, in the same paragraph) and zero bytes "?", so that every message takes
// exactly its two paragraphs and its characters can be counted.
std::string lineText(const std::string& bytes) {
    std::string line;
    line.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            line += '\v';
            if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
                ++i;
            }
        } else {
            line += c == '\0' ? '?' : c;
        }
    }
    return line;
}
} // namespace

bool RichTranscript::loadLibrary() {
    return LoadLibraryW(L"riched20.dll") != nullptr;
}

void RichTranscript::create(HWND parent, HINSTANCE instance, int id, HFONT font) {
    m_parent = parent;
    m_instance = instance;
    m_id = id;
    m_font = font;
    m_edit = make();
}

HWND RichTranscript::make() const {
    HWND edit =
        CreateWindowExW(WS_EX_CLIENTEDGE, RICHEDIT_CLASSW, L"",
                        WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL,
                        0, 0, 0, 0, m_parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(m_id)), m_instance, nullptr);
    SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(m_font), FALSE);
    SendMessageW(edit, EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
    SendMessageW(edit, EM_SETEVENTMASK, 0, 0);
    SendMessageW(edit, EM_SETUNDOLIMIT, 0, 0);
    SetWindowSubclass(edit, &RichTranscript::keysProc, 1, 0);
    return edit;
}

// A multi-line edit keeps Tab for itself; the transcript is read-only, so Tab and Shift+Tab move
// the focus on to the input line and back, closing the window's Tab cycle.
LRESULT CALLBACK RichTranscript::keysProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (message == WM_GETDLGCODE) {
        LRESULT code = DefSubclassProc(edit, message, wParam, lParam) & ~DLGC_WANTTAB;
        const auto* key = reinterpret_cast<const MSG*>(lParam);
        if (key != nullptr && key->message == WM_KEYDOWN && key->wParam == VK_TAB) {
            code &= ~(DLGC_WANTALLKEYS | DLGC_WANTMESSAGE);
        }
        return code;
    }
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(edit, &RichTranscript::keysProc, 1);
    }
    return DefSubclassProc(edit, message, wParam, lParam);
}

void RichTranscript::select(std::pair<long, long> range) {
    SendMessageW(m_edit, EM_SETOPTIONS, ECOOP_OR, ECO_NOHIDESEL);
    CHARRANGE selection{range.first, range.second};
    SendMessageW(m_edit, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    SendMessageW(m_edit, EM_SCROLLCARET, 0, 0);
}

void RichTranscript::setFont(HFONT font) {
    m_font = font;
    SendMessageW(m_edit, WM_SETFONT, reinterpret_cast<WPARAM>(m_font), TRUE);
}

// Emptying the control costs it time for each line times the lines that follow, so a fresh
// control takes the old one's place: same position, size, place in the tab order and focus.
void RichTranscript::replaceControl() {
    HWND fresh = make();
    RECT area;
    GetWindowRect(m_edit, &area);
    MapWindowPoints(nullptr, m_parent, reinterpret_cast<POINT*>(&area), 2);
    SendMessageW(fresh, WM_SETREDRAW, FALSE, 0);
    SetWindowPos(fresh, m_edit, area.left, area.top, area.right - area.left, area.bottom - area.top, SWP_NOACTIVATE);
    const bool focused = GetFocus() == m_edit;
    DestroyWindow(m_edit);
    m_edit = fresh;
    if (focused) {
        SetFocus(m_edit);
    }
}

// Appends a run of shown text to the batch's RTF: every character of `text` stays one character
// of the control (soft breaks as \line, the rest as itself or escaped), so the counts hold.
void RichTranscript::appendRun(std::string& rtf, const std::string& text, int colour, const char* style) {
    rtf += style;
    rtf += "\\cf";
    rtf += std::to_string(colour);
    rtf += ' ';
    static constexpr char kDigits[] = "0123456789abcdef";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\v') {
            rtf += "\\line ";
        } else if (c == '\t') {
            rtf += "\\tab ";
        } else if (c == '\\' || c == '{' || c == '}') {
            rtf += '\\';
            rtf += c;
        } else if (byte < 0x20 || byte >= 0x7F) {
            rtf += "\\'";
            rtf += kDigits[byte >> 4];
            rtf += kDigits[byte & 0x0F];
        } else {
            rtf += c;
        }
    }
    m_shown += text.size();
}

int RichTranscript::colourIndex(std::vector<core::TColor>& colours, core::TColor colour) {
    for (std::size_t i = 0; i < colours.size(); ++i) {
        if (colours[i].r == colour.r && colours[i].g == colour.g && colours[i].b == colour.b) {
            return static_cast<int>(i) + 1;
        }
    }
    colours.push_back(colour);
    return static_cast<int>(colours.size());
}

void RichTranscript::append(std::string& rtf, std::vector<core::TColor>& colours,
                            const core::TTranscriptMessage& message) {
    const std::size_t before = m_shown;
    const std::size_t bold = std::min(message.boldLength, message.header.size());
    const int colour = colourIndex(colours, message.colour);
    appendRun(rtf, lineText(message.header.substr(0, bold)), colour, "\\b\\i0");
    appendRun(rtf, lineText(message.header.substr(bold)), colourIndex(colours, core::TNickPalette::kSuffixGreen),
              "\\b0\\i");
    rtf += "\\par\r\n";
    appendRun(rtf, lineText(message.body), colour, "\\b0\\i0");
    rtf += "\\par\r\n";
    m_shown += 2; // the two paragraph ends
    m_lengths.push_back(m_shown - before);
}

namespace {
struct StreamSource {
    const std::string* rtf;
    std::size_t offset;
};

DWORD CALLBACK readStream(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* given) {
    auto* source = reinterpret_cast<StreamSource*>(cookie);
    const std::size_t count = std::min(static_cast<std::size_t>(wanted), source->rtf->size() - source->offset);
    std::copy_n(source->rtf->data() + source->offset, count, buffer);
    source->offset += count;
    *given = static_cast<LONG>(count);
    return 0;
}
} // namespace

// The new messages go in as one stream of rich text: one insertion and one layout per batch,
// where a run at a time cost a layout of the whole control per run. The text is escaped above,
// so received bytes never become markup.
void RichTranscript::appendAll(const std::deque<core::TTranscriptMessage>& messages, std::size_t from,
                               std::size_t count) {
    std::vector<core::TColor> colours;
    std::string body;
    for (std::size_t i = from; i < from + count; ++i) {
        append(body, colours, messages[i]);
    }
    std::string rtf = "{\\rtf1\\ansi\\ansicpg1251\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset204 Tahoma;}}{\\colortbl ;";
    for (const core::TColor colour : colours) {
        rtf += "\\red" + std::to_string(colour.r) + "\\green" + std::to_string(colour.g) + "\\blue" +
               std::to_string(colour.b) + ';';
    }
    rtf += "}\\pard\\f0\\fs" + std::to_string(kPointSize * 2) + "\\ul0\\strike0 ";
    rtf += body;
    rtf += '}';
    StreamSource source{&rtf, 0};
    EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&source), 0, readStream};
    SendMessageW(m_edit, EM_STREAMIN, SF_RTF | SFF_SELECTION, reinterpret_cast<LPARAM>(&stream));
}

void RichTranscript::draw(app::TranscriptMirror& mirror) {
    if (mirror.upToDate()) {
        return;
    }
    const app::TranscriptBatch batch = mirror.takeBatch();
    SendMessageW(m_edit, WM_SETREDRAW, FALSE, 0);
    const auto& messages = mirror.transcript().messages();
    std::size_t appendFrom = batch.appendFrom;
    // Removing lines from the top costs the control time for each line removed times the lines
    // that stay (every removed paragraph shifts all that follow), while emptying it and streaming
    // the whole model in again costs the same for any number removed: under a flood that trims
    // many lines per batch, the whole model goes in afresh.
    const bool rebuild = batch.clearAll || batch.removeOldest * kRebuildShare > m_lengths.size();
    // A clear (the user's, or a flood that pushed out everything shown) also takes a fresh
    // control: emptying a full one costs as much as trimming every line of it.
    if (rebuild && !m_lengths.empty()) {
        replaceControl();
    }
    if (rebuild) {
        m_lengths.clear();
        m_shown = 0;
        appendFrom = 0;
    }
    std::size_t removed = 0;
    for (std::size_t i = 0; !rebuild && i < batch.removeOldest && !m_lengths.empty(); ++i) {
        removed += m_lengths.front();
        m_lengths.pop_front();
    }
    if (removed != 0) {
        SendMessageW(m_edit, EM_SETSEL, 0, static_cast<LPARAM>(removed));
        SendMessageW(m_edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(L""));
        m_shown -= removed;
    }
    if (appendFrom < messages.size()) {
        const std::size_t end = m_shown;
        SendMessageW(m_edit, EM_SETSEL, static_cast<WPARAM>(end), static_cast<LPARAM>(end));
        appendAll(messages, appendFrom, messages.size() - appendFrom);
    }
    SendMessageW(m_edit, WM_SETREDRAW, TRUE, 0);
    if (batch.appendCount != 0) {
        // The end of the last body; the final line break opens an empty last line.
        const std::size_t end = m_shown > 0 ? m_shown - 1 : 0;
        SendMessageW(m_edit, EM_SETSEL, static_cast<WPARAM>(end), static_cast<LPARAM>(end));
        SendMessageW(m_edit, EM_SCROLLCARET, 0, 0);
    }
    // The scroll bar does not repaint itself after drawing was off.
    RedrawWindow(m_edit, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_ALLCHILDREN);
}

} // namespace lirbo::win32
