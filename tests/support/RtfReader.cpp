#include "support/RtfReader.h"

#include <cctype>
#include <stdexcept>

namespace lirbo::test {

namespace {

enum class Destination { Text, FontTable, ColourTable };

struct GroupState {
    Destination destination = Destination::Text;
    bool bold = false;
    bool italic = false;
    int colour = 0;
};

class Reader {
public:
    explicit Reader(const std::string& rtf) : m_rtf(rtf) {}

    RtfDocument read() {
        if (m_rtf.compare(0, 6, "{\\rtf1") != 0) {
            fail("not an RTF document");
        }
        std::vector<GroupState> stack;
        GroupState state;
        bool ended = false;
        while (m_pos < m_rtf.size()) {
            const char c = m_rtf[m_pos++];
            if (ended && c != '\r' && c != '\n') {
                fail("text after the document");
            }
            if (c == '{') {
                stack.push_back(state);
            } else if (c == '}') {
                if (stack.empty()) {
                    fail("unbalanced }");
                }
                state = stack.back();
                stack.pop_back();
                ended = stack.empty();
            } else if (c == '\\') {
                controlSequence(state);
            } else if (c == '\r' || c == '\n') {
                continue;
            } else if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) >= 0x7F) {
                fail("raw byte " + std::to_string(static_cast<unsigned char>(c)));
            } else {
                emit(state, c);
            }
        }
        if (!ended || !m_paragraph.empty()) {
            fail("document not closed or last paragraph not ended");
        }
        return m_doc;
    }

private:
    [[noreturn]] void fail(const std::string& why) const {
        throw std::runtime_error(why + " at byte " + std::to_string(m_pos));
    }

    void controlSequence(GroupState& state) {
        if (m_pos >= m_rtf.size()) {
            fail("lone backslash");
        }
        const char c = m_rtf[m_pos++];
        if (c == '\\' || c == '{' || c == '}') {
            emit(state, c);
        } else if (c == '\'') {
            const std::string hex = m_rtf.substr(m_pos, 2);
            if (hex.size() != 2 || !std::isxdigit(static_cast<unsigned char>(hex[0])) ||
                !std::isxdigit(static_cast<unsigned char>(hex[1]))) {
                fail("bad \\'hh");
            }
            m_pos += 2;
            emit(state, static_cast<char>(std::stoi(hex, nullptr, 16)));
        } else if (std::isalpha(static_cast<unsigned char>(c))) {
            std::string word(1, c);
            while (m_pos < m_rtf.size() && std::isalpha(static_cast<unsigned char>(m_rtf[m_pos]))) {
                word += m_rtf[m_pos++];
            }
            std::string digits;
            if (m_pos < m_rtf.size() && m_rtf[m_pos] == '-') {
                digits += m_rtf[m_pos++];
            }
            while (m_pos < m_rtf.size() && std::isdigit(static_cast<unsigned char>(m_rtf[m_pos]))) {
                digits += m_rtf[m_pos++];
            }
            if (m_pos < m_rtf.size() && m_rtf[m_pos] == ' ') {
                ++m_pos;
            }
            controlWord(state, word, digits.empty() ? -1 : std::stoi(digits), !digits.empty());
        } else {
            fail(std::string("unknown control symbol ") + c);
        }
    }

    void controlWord(GroupState& state, const std::string& word, int value, bool hasValue) {
        if (word == "b" || word == "i") {
            (word == "b" ? state.bold : state.italic) = !hasValue || value != 0;
        } else if (word == "cf") {
            if (value < 0 || static_cast<std::size_t>(value) >= m_doc.colourTable.size()) {
                fail("colour index outside the colour table");
            }
            state.colour = value;
        } else if (word == "par") {
            m_doc.paragraphs.push_back(std::move(m_paragraph));
            m_paragraph.clear();
        } else if (word == "line" || word == "tab") {
            emit(state, word == "line" ? '\n' : '\t');
        } else if (word == "fonttbl" || word == "colortbl") {
            state.destination = word == "fonttbl" ? Destination::FontTable : Destination::ColourTable;
        } else if (word == "red" || word == "green" || word == "blue") {
            const auto part = static_cast<std::uint8_t>(value);
            (word == "red" ? m_colour.r : word == "green" ? m_colour.g : m_colour.b) = part;
        } else if (word == "fcharset") {
            m_doc.fontCharset = value;
        } else if (word == "ansicpg") {
            m_doc.codePage = value;
        } else if (word != "rtf" && word != "ansi" && word != "deff" && word != "deflang" && word != "f" &&
                   word != "fswiss" && word != "viewkind" && word != "uc" && word != "pard" && word != "fs") {
            fail("unexpected control word \\" + word);
        }
    }

    void emit(const GroupState& state, char c) {
        if (state.destination == Destination::ColourTable) {
            if (c != ';') {
                fail("text in the colour table");
            }
            m_doc.colourTable.push_back(m_colour);
            m_colour = TColor{};
        } else if (state.destination == Destination::FontTable) {
            if (c != ';') {
                m_doc.fontName += c;
            }
        } else {
            if (m_doc.colourTable.empty()) {
                fail("text before the colour table");
            }
            const TColor colour = m_doc.colourTable[static_cast<std::size_t>(state.colour)];
            if (m_paragraph.empty() || m_paragraph.back().bold != state.bold ||
                m_paragraph.back().italic != state.italic || m_paragraph.back().colour != colour) {
                m_paragraph.push_back(RtfRun{std::string(), state.bold, state.italic, colour});
            }
            m_paragraph.back().text += c;
        }
    }

    const std::string& m_rtf;
    std::size_t m_pos = 0;
    RtfDocument m_doc;
    RtfParagraph m_paragraph;
    TColor m_colour;
};

} // namespace

RtfDocument readRtf(const std::string& rtf) {
    return Reader(rtf).read();
}

} // namespace lirbo::test
