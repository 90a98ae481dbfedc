#include "core/RtfWriter.h"

#include "core/ChatTranscript.h"

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
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        switch (byte) {
        case '\\':
        case '{':
        case '}':
            rtf += '\\';
            rtf += static_cast<char>(byte);
            break;
        case '\t':
            rtf += "\\tab ";
            break;
        case '\r':
            if (i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
            rtf += "\\line ";
            break;
        case '\n':
            rtf += "\\line ";
            break;
        default:
            if (byte < 0x20 || byte >= 0x7F) {
                appendHexByte(rtf, byte);
            } else {
                rtf += static_cast<char>(byte);
            }
        }
    }
}

// Starts a run; the trailing space ends the last control word and is not part of the text.
void appendRun(std::string& rtf, bool bold, bool italic, int colour, std::string_view text) {
    rtf += bold ? "\\b" : "\\b0";
    rtf += italic ? "\\i" : "\\i0";
    rtf += "\\cf" + std::to_string(colour) + ' ';
    appendText(rtf, text);
}

} // namespace

std::string transcriptToRtf(const TChatTranscript& transcript) {
    ColourTable colours;
    std::string body;
    for (const TTranscriptMessage& message : transcript.messages()) {
        const std::string_view header = message.header;
        const std::size_t bold = std::min(message.boldLength, header.size());
        const int colour = colours.indexOf(message.colour);
        if (bold > 0) {
            appendRun(body, true, false, colour, header.substr(0, bold));
        }
        if (bold < header.size()) {
            appendRun(body, false, true, colours.indexOf(TNickPalette::kSuffixGreen), header.substr(bold));
        }
        body += "\\par\r\n";
        appendRun(body, false, false, colour, message.body);
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

} // namespace lirbo::core
