#pragma once

#include "app/HistoryLines.h"
#include "app/TranscriptMirror.h"
#include "app/TranscriptSearch.h"
#include "core/ChatTranscript.h"
#include "core/HistoryLine.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace lirbo::app {

// A day that has a file in the log's folder.
struct HistoryDay {
    std::string date; // "YYYY-MM-DD"
    std::string path;
};

// A line of the log that a search found.
struct HistoryHit {
    std::string date;         // of the day, as in HistoryDay
    std::uint64_t offset = 0; // where the line starts in the day's file
    std::string header;       // the message's two lines as the transcript shows them (Windows-1251)
    std::string body;
};

// The history viewer's rules, for any front-end: the days that have a file (newest first), one day
// read as a transcript, and a search across every day, letter case aside as in the main window's
// find. Files are read in slices by step(), which the front-end calls from its event loop while it
// returns true, so that no day, however large, stops the window. A day larger than the page size
// is shown a part at a time (the end first), which bounds what is held and drawn; earlier() and
// later() move to the parts around. Text from the log is kept as plain text: the view draws it
// with the transcript's formats and never interprets it.
class HistoryBrowser {
public:
    static constexpr std::uint64_t kPageBytes = std::uint64_t{4} << 20;
    static constexpr std::size_t kMaxHits = 1000;
    // The bytes of the shown part read in one slice: what a view takes in one go stays small.
    static constexpr std::size_t kPageStepBytes = std::size_t{64} << 10;

    // `changed` runs after every change of the transcript (the front-end schedules its redraw).
    HistoryBrowser(std::string folder, std::function<void()> changed, std::uint64_t pageBytes = kPageBytes);

    // Lists the day files of the folder again (a search does it too); what is shown and found stays.
    void refreshDays();
    const std::vector<HistoryDay>& days() const { return m_days; }
    // The window is shown again: the days are listed again, and the day shown, when its end is
    // shown, is read again from its end, so that the messages logged since appear.
    void refresh();

    // Shows a day from the start of its reading: the part of the file that ends at its end, or
    // the part around the line at `around`. Throws EFOpenError when the file cannot be read.
    void openDay(std::size_t day, std::optional<std::uint64_t> around = {});
    // The index in days() of the day shown.
    std::optional<std::size_t> openedDay() const;
    bool hasEarlier() const { return !m_openedDate.empty() && m_begin > 0; }
    bool hasLater() const { return !m_openedDate.empty() && m_end < m_page.fileSize(); }
    void earlier();
    void later();
    // Which part of the day is shown; empty when the whole day is.
    std::string pageNote() const;

    // Searches every day for `text`, newest day first; an empty text stops the search.
    void startSearch(const std::string& text);
    bool searching() const { return m_searchDay < m_searchDays.size(); }
    const std::vector<HistoryHit>& hits() const { return m_hits; }
    // How the search went: under way, the number found, or that no more are listed.
    std::string searchNote() const;
    // Opens the day of a hit around its line; once the line is read, takeMatch() tells where.
    void openHit(std::size_t hit);
    // The place of the hit opened last, once its message is in the transcript (taken once).
    std::optional<TranscriptMatch> takeMatch();

    // Does one slice of the pending work: reading the shown day first, then the search. True while
    // work remains.
    bool step();
    bool busy() const { return reading() || searching(); }
    // Whether the shown part is still being read.
    bool reading() const { return !m_page.done(); }

    core::TChatTranscript& transcript() { return m_transcript; }
    TranscriptMirror& mirror() { return m_mirror; }
    // The file offset of each message of the transcript.
    const std::vector<std::uint64_t>& offsets() const { return m_offsets; }

    // The day files of a folder, newest first.
    static std::vector<HistoryDay> listDays(const std::string& folder);
    // A log line as the transcript shows it: header (its bold part first) and body.
    static void toMessage(const core::history::Record& record, std::string& header, std::size_t& boldLength,
                          std::string& body);

private:
    void open(const HistoryDay& day, std::optional<std::uint64_t> around);
    void showPart(std::uint64_t begin, std::uint64_t end);
    void pageLine(std::uint64_t offset, std::string_view line);
    void searchLine(std::uint64_t offset, std::string_view line);
    void nextSearchDay();
    // The hit opened last lies in message `index`: where in it.
    void matchIn(std::size_t index);

    std::string m_folder;
    std::uint64_t m_pageBytes;
    std::vector<HistoryDay> m_days;
    core::TChatTranscript m_transcript;
    TranscriptMirror m_mirror;
    std::vector<std::uint64_t> m_offsets;
    core::history::Record m_record; // reused for every line
    std::string m_header;
    std::string m_body;

    HistoryLines m_page{kPageStepBytes};
    std::string m_openedDate;
    std::uint64_t m_begin = 0;
    std::uint64_t m_end = 0;
    std::optional<std::uint64_t> m_wantedOffset; // the hit to find once read
    std::optional<TranscriptMatch> m_match;

    HistoryLines m_search;
    std::string m_searchText; // folded
    std::vector<HistoryDay> m_searchDays;
    std::size_t m_searchDay = 0;
    std::vector<HistoryHit> m_hits;
    bool m_hitsCapped = false;
};

} // namespace lirbo::app
