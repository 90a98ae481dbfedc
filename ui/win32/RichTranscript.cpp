#include "ui/win32/RichTranscript.h"

#include <algorithm>
#include <richedit.h>
#include <string>

namespace lirbo::win32 {

namespace {
constexpr int kTwipsPerPoint = 20;
constexpr int kPointSize = 8;

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
    return LoadLibraryA("riched20.dll") != nullptr;
}

void RichTranscript::create(HWND parent, HINSTANCE instance, int id, HFONT font) {
    m_edit =
        CreateWindowExA(WS_EX_CLIENTEDGE, RICHEDIT_CLASSA, "",
                        WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL,
                        0, 0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    SendMessageA(m_edit, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SendMessageA(m_edit, EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
    SendMessageA(m_edit, EM_SETEVENTMASK, 0, 0);
}

void RichTranscript::insert(const std::string& text, core::TColor colour, DWORD effects) {
    CHARFORMAT2A format{};
    format.cbSize = sizeof format;
    format.dwMask =
        CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT | CFM_COLOR | CFM_FACE | CFM_SIZE | CFM_CHARSET;
    format.dwEffects = effects;
    format.crTextColor = RGB(colour.r, colour.g, colour.b);
    format.yHeight = kPointSize * kTwipsPerPoint;
    format.bCharSet = RUSSIAN_CHARSET;
    lstrcpynA(format.szFaceName, "Tahoma", LF_FACESIZE);
    SendMessageA(m_edit, EM_SETSEL, static_cast<WPARAM>(m_shown), static_cast<LPARAM>(m_shown));
    SendMessageA(m_edit, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
    // Plain text with character formats: received text is never read as markup.
    SendMessageA(m_edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
    m_shown += text.size();
}

void RichTranscript::append(const core::TTranscriptMessage& message) {
    const std::size_t before = m_shown;
    const std::size_t bold = std::min(message.boldLength, message.header.size());
    insert(lineText(message.header.substr(0, bold)), message.colour, CFE_BOLD);
    insert(lineText(message.header.substr(bold)) + "\r", core::TNickPalette::kSuffixGreen, CFE_ITALIC);
    insert(lineText(message.body) + "\r", message.colour, 0);
    m_lengths.push_back(m_shown - before);
}

void RichTranscript::draw(app::TranscriptMirror& mirror) {
    if (mirror.upToDate()) {
        return;
    }
    const app::TranscriptBatch batch = mirror.takeBatch();
    SendMessageA(m_edit, WM_SETREDRAW, FALSE, 0);
    if (batch.clearAll) {
        SetWindowTextA(m_edit, "");
        m_lengths.clear();
        m_shown = 0;
    }
    std::size_t removed = 0;
    for (std::size_t i = 0; i < batch.removeOldest && !m_lengths.empty(); ++i) {
        removed += m_lengths.front();
        m_lengths.pop_front();
    }
    if (removed != 0) {
        SendMessageA(m_edit, EM_SETSEL, 0, static_cast<LPARAM>(removed));
        SendMessageA(m_edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(""));
        m_shown -= removed;
    }
    const auto& messages = mirror.transcript().messages();
    for (std::size_t i = batch.appendFrom; i < batch.appendFrom + batch.appendCount; ++i) {
        append(messages[i]);
    }
    SendMessageA(m_edit, WM_SETREDRAW, TRUE, 0);
    if (batch.appendCount != 0) {
        // The end of the last body; the final line break opens an empty last line.
        const std::size_t end = m_shown > 0 ? m_shown - 1 : 0;
        SendMessageA(m_edit, EM_SETSEL, static_cast<WPARAM>(end), static_cast<LPARAM>(end));
        SendMessageA(m_edit, EM_SCROLLCARET, 0, 0);
    }
    // The scroll bar does not repaint itself after drawing was off.
    RedrawWindow(m_edit, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_ALLCHILDREN);
}

} // namespace lirbo::win32
