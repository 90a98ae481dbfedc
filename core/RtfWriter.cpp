#include "core/RtfWriter.h"

#include "core/ChatTranscript.h"
#include "core/StyledMessage.h"

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace lirbo::core {

namespace {

std::uint32_t colourKey(TColor colour) {
    return static_cast<std::uint32_t>(colour.r) << 16 | static_cast<std::uint32_t>(colour.g) << 8 | colour.b;
}

// The colours in order of first use; \cfN refers to entry N, entry 0 being the default text colour.
class ColourTable {
public:
    int indexOf(TColor colour) {
        const auto [it, added] = m_index.try_emplace(colourKey(colour), static_cast<int>(m_colours.size()) + 1);
        if (added) {
            m_colours.push_back(colour);
        }
        return it->second;
    }

    std::string toRtf() const {
        std::string rtf = "{\\colortbl ;";
        for (const TColor colour : m_colours) {
            rtf += "\\red" + std::to_string(colour.r) + "\\green" + std::to_string(colour.g) + "\\blue" +
                   std::to_string(colour.b) + ';';
        }
        rtf += "}\r\n";
        return rtf;
    }

private:
    std::unordered_map<std::uint32_t, int> m_index;
    std::vector<TColor> m_colours;
};

void appendHexByte(std::string& rtf, unsigned char byte) {
    static constexpr char kDigits[] = "0123456789abcdef";
    rtf += "\\'";
    rtf += kDigits[byte >> 4];
    rtf += kDigits[byte & 0x0F];
}

void appendText(std::string& rtf, std::string_view text) {
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        switch (byte) {
        case '\\':
        case '{':
        case '}':
            rtf += '\\';
            rtf += c;
            break;
        case '\t':
            rtf += "\\tab ";
            break;
        case TStyledMessage::kSoftBreak:
            rtf += "\\line ";
            break;
        default:
            if (byte < 0x20 || byte >= 0x7F) {
                appendHexByte(rtf, byte);
            } else {
                rtf += c;
            }
        }
    }
}

// Starts a run; the trailing space ends the last control word and is not part of the text.
void appendRun(std::string& rtf, ColourTable& colours, const TStyledRun& run) {
    rtf += run.bold ? "\\b" : "\\b0";
    rtf += run.italic ? "\\i" : "\\i0";
    rtf += "\\cf" + std::to_string(colours.indexOf(run.colour)) + ' ';
    appendText(rtf, run.text);
}

} // namespace

std::string messagesToRtf(const std::deque<TTranscriptMessage>& messages, std::size_t from, std::size_t count) {
    ColourTable colours;
    std::string body;
    from = std::min(from, messages.size());
    count = std::min(count, messages.size() - from);
    for (std::size_t i = from; i < from + count; ++i) {
        const TStyledMessage styled = styleMessage(messages[i]);
        // The message's colour comes first in the table, as it is the header's first colour.
        colours.indexOf(styled.body.colour);
        for (const TStyledRun& run : styled.header) {
            if (!run.text.empty()) {
                appendRun(body, colours, run);
            }
        }
        body += "\\par\r\n";
        appendRun(body, colours, styled.body);
        body += "\\par\r\n";
    }

    std::string rtf = "{\\rtf1\\ansi\\ansicpg1251\\deff0\\deflang1049"
                      "{\\fonttbl{\\f0\\fswiss\\fcharset204 Tahoma;}}\r\n";
    rtf += colours.toRtf();
    rtf += "\\viewkind4\\uc1\\pard\\f0\\fs16\r\n";
    rtf += body;
    rtf += "}\r\n";
    return rtf;
}

std::string transcriptToRtf(const TChatTranscript& transcript) {
    return messagesToRtf(transcript.messages(), 0, transcript.messages().size());
}

} // namespace lirbo::core
