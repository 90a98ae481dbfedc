#pragma once

#include "core/NickPalette.h"

#include <ostream>
#include <string>
#include <vector>

namespace lirbo::test {

using core::TColor;

// A run of text with one format, as an RTF reader shows it.
struct RtfRun {
    std::string text;
    bool bold = false;
    bool italic = false;
    TColor colour;
    friend bool operator==(const RtfRun& a, const RtfRun& b) {
        return a.text == b.text && a.bold == b.bold && a.italic == b.italic && a.colour == b.colour;
    }
    friend std::ostream& operator<<(std::ostream& out, const RtfRun& run) {
        return out << '"' << run.text << '"' << (run.bold ? " bold" : "") << (run.italic ? " italic" : "") << " rgb("
                   << int{run.colour.r} << ',' << int{run.colour.g} << ',' << int{run.colour.b} << ')';
    }
};

using RtfParagraph = std::vector<RtfRun>;

struct RtfDocument {
    std::vector<RtfParagraph> paragraphs;
    std::vector<TColor> colourTable; // entry 0 is the default colour
    std::string fontName;
    int fontCharset = -1;
    int codePage = -1;
};

// A small strict reader of the RTF subset the transcript writer may produce: groups, the control
// words it knows, \'hh and escaped symbols. Anything else, raw bytes from 0x80 up or raw control
// bytes included, throws std::runtime_error, so an unescaped message byte cannot pass unnoticed.
// Text comes back as Windows-1251 bytes; adjacent runs with the same format are merged.
RtfDocument readRtf(const std::string& rtf);

} // namespace lirbo::test
