#include "app/HistoryBrowser.h"

#include "core/CodePage1251.h"
#include "core/Exception.h"
#include "core/NickPalette.h"
#include "core/Texts.h"

#include <algorithm>
#include <cctype>

namespace lirbo::app {

namespace {

using core::cp1251::fromUtf8Once;

// "YYYY-MM-DD.txt", as the log names its files.
bool isDayFile(std::string_view name) {
    static constexpr std::string_view pattern = "0000-00-00.txt";
    if (name.size() != pattern.size()) {
        return false;
    }
    for (std::size_t i = 0; i < name.size(); ++i) {
        const bool digit = std::isdigit(static_cast<unsigned char>(name[i])) != 0;
        if (pattern[i] == '0' ? !digit : name[i] != pattern[i]) {
            return false;
        }
    }
    return true;
}

// Where `folded` (already folded) first occurs in `text`, letter case aside; npos when nowhere.
std::size_t findFolded(std::string_view text, const std::string& folded) {
    const auto at = std::search(text.begin(), text.end(), folded.begin(), folded.end(), [](char a, char b) {
        return TranscriptSearch::fold(static_cast<unsigned char>(a)) == static_cast<unsigned char>(b);
    });
    return at == text.end() && !folded.empty() ? std::string_view::npos : static_cast<std::size_t>(at - text.begin());
}

// "12.3" of a byte count in MiB.
std::string mebibytes(std::uint64_t bytes) {
    const std::uint64_t tenths = (bytes * 10 + (std::uint64_t{1} << 19)) >> 20;
    return std::to_string(tenths / 10) + ',' + std::to_string(tenths % 10);
}

} // namespace

HistoryBrowser::HistoryBrowser(std::string folder, std::function<void()> changed, std::uint64_t pageBytes)
    : m_folder(std::move(folder)), m_pageBytes(std::max<std::uint64_t>(pageBytes, 1)),
      m_transcript(static_cast<std::size_t>(-1) / 2), // never trimmed: the page bounds it
      m_mirror(m_transcript, std::move(changed)) {}

std::vector<HistoryDay> HistoryBrowser::listDays(const std::string& folder) {
    std::vector<std::string> names = core::fs::regularFiles(folder, isDayFile);
    std::sort(names.begin(), names.end(), std::greater<>());
    std::vector<HistoryDay> days;
    days.reserve(names.size());
    for (const std::string& name : names) {
        days.push_back({name.substr(0, 10), folder + core::fs::pathSeparator() + name});
    }
    return days;
}

void HistoryBrowser::refreshDays() {
    m_days = listDays(m_folder);
}

void HistoryBrowser::refresh() {
    refreshDays();
    const auto day = openedDay();
    if (day && !hasLater() && !reading()) {
        open(m_days[*day], {});
    }
}

std::optional<std::size_t> HistoryBrowser::openedDay() const {
    const auto day =
        std::find_if(m_days.begin(), m_days.end(), [&](const HistoryDay& d) { return d.date == m_openedDate; });
    return day == m_days.end() ? std::nullopt : std::optional<std::size_t>(day - m_days.begin());
}

void HistoryBrowser::toMessage(const core::history::Record& record, std::string& header, std::size_t& boldLength,
                               std::string& body) {
    header.clear();
    body = record.text;
    if (record.kind.empty()) { // a line the log did not write whole
        boldLength = 0;
        return;
    }
    // "nick[hh:mm:ss]", then the kind and the address as the transcript's suffix.
    header += record.nick;
    header += '[';
    header += std::string_view(record.dateTime).substr(std::min<std::size_t>(11, record.dateTime.size()));
    header += ']';
    boldLength = header.size();
    header += ' ';
    header += record.kind;
    if (!record.address.empty()) {
        header += ' ';
        header += record.address;
    }
}

void HistoryBrowser::openDay(std::size_t day, std::optional<std::uint64_t> around) {
    if (day < m_days.size()) {
        open(m_days[day], around);
    }
}

void HistoryBrowser::open(const HistoryDay& day, std::optional<std::uint64_t> around) {
    m_openedDate.clear();
    m_transcript.clear();
    m_offsets.clear();
    m_wantedOffset = around;
    m_match.reset();
    if (const int error = m_page.open(day.path)) {
        throw core::fileOpenError(core::fs::fullPath(day.path), error);
    }
    m_openedDate = day.date;
    const std::uint64_t size = m_page.fileSize();
    std::uint64_t end = size;
    if (around && *around < size) {
        const std::uint64_t begin = *around > m_pageBytes / 2 ? *around - m_pageBytes / 2 : 0;
        end = std::min(size, begin + m_pageBytes);
    }
    showPart(end > m_pageBytes ? end - m_pageBytes : 0, end);
}

void HistoryBrowser::showPart(std::uint64_t begin, std::uint64_t end) {
    m_transcript.clear();
    m_offsets.clear();
    m_begin = begin;
    m_end = end;
    m_page.start(begin, end);
    step(); // the first slice at once, so that the view is not empty for a moment
}

void HistoryBrowser::earlier() {
    if (hasEarlier()) {
        showPart(m_begin > m_pageBytes ? m_begin - m_pageBytes : 0, m_begin);
    }
}

void HistoryBrowser::later() {
    if (hasLater()) {
        showPart(m_end, std::min(m_page.fileSize(), m_end + m_pageBytes));
    }
}

std::string HistoryBrowser::pageNote() const {
    if (m_openedDate.empty() || (m_begin == 0 && m_end >= m_page.fileSize())) {
        return {};
    }
    return fromUtf8Once<text::kHistoryPartFrom>() + mebibytes(m_begin) + fromUtf8Once<text::kHistoryPartTo>() +
           mebibytes(m_end) + fromUtf8Once<text::kHistoryPartOf>() + mebibytes(m_page.fileSize()) +
           fromUtf8Once<text::kHistoryPartMebibytes>();
}

void HistoryBrowser::pageLine(std::uint64_t offset, std::string_view line) {
    core::history::parseLine(line, m_record);
    std::size_t bold = 0;
    toMessage(m_record, m_header, bold, m_body);
    // Drawn in the colour it was shown in; a line that keeps none (older, or the log's own) in the text's.
    const core::TColor colour =
        m_record.colourIndex ? core::TNickPalette::colour(*m_record.colourIndex) : core::TNickPalette::kDefaultText;
    m_transcript.appendMessage(m_header, bold, colour, m_body);
    m_offsets.push_back(offset);
    if (m_wantedOffset && *m_wantedOffset == offset) {
        m_wantedOffset.reset();
        matchIn(m_transcript.messages().size() - 1);
    }
}

void HistoryBrowser::matchIn(std::size_t index) {
    const core::TTranscriptMessage& message = m_transcript.messages()[index];
    for (int line = 0; line < 2; ++line) {
        const std::string& text = line == 0 ? message.header : message.body;
        const std::size_t at = findFolded(text, m_searchText);
        if (at != std::string::npos) {
            m_match = TranscriptMatch{index, line, at, m_searchText.size()};
            return;
        }
    }
    m_match = TranscriptMatch{index, 1, 0, 0}; // the text changed meanwhile: the line itself
}

std::optional<TranscriptMatch> HistoryBrowser::takeMatch() {
    std::optional<TranscriptMatch> match;
    match.swap(m_match);
    return match;
}

void HistoryBrowser::startSearch(const std::string& text) {
    m_hits.clear();
    m_hitsCapped = false;
    m_search.close();
    m_searchText.clear();
    for (const char c : text) {
        m_searchText += static_cast<char>(TranscriptSearch::fold(static_cast<unsigned char>(c)));
    }
    refreshDays();
    m_searchDays = text.empty() ? std::vector<HistoryDay>{} : m_days;
    m_searchDay = 0;
    if (searching()) {
        m_searchDay = static_cast<std::size_t>(-1);
        nextSearchDay();
    }
}

void HistoryBrowser::nextSearchDay() {
    // A day that cannot be read is passed over: the search goes on with the others.
    for (++m_searchDay; m_searchDay < m_searchDays.size(); ++m_searchDay) {
        if (m_search.open(m_searchDays[m_searchDay].path) == 0) {
            m_search.start(0, m_search.fileSize());
            return;
        }
    }
    m_search.close();
}

void HistoryBrowser::searchLine(std::uint64_t offset, std::string_view line) {
    core::history::parseLine(line, m_record);
    std::size_t bold = 0;
    toMessage(m_record, m_header, bold, m_body);
    if (findFolded(m_header, m_searchText) == std::string::npos &&
        findFolded(m_body, m_searchText) == std::string::npos) {
        return;
    }
    if (m_hits.size() == kMaxHits) {
        m_hitsCapped = true; // one more than listed: the search ends here
        return;
    }
    m_hits.push_back({m_searchDays[m_searchDay].date, offset, m_header, m_body});
}

std::string HistoryBrowser::searchNote() const {
    const std::string count = std::to_string(m_hits.size());
    if (searching()) {
        return fromUtf8Once<text::kHistorySearching>() + count;
    }
    if (m_hitsCapped) {
        return fromUtf8Once<text::kHistoryFoundMore>() + count + fromUtf8Once<text::kHistoryShownFirst>() + count;
    }
    if (m_searchText.empty()) {
        return {};
    }
    return m_hits.empty() ? fromUtf8Once<text::kHistoryNotFound>() : fromUtf8Once<text::kHistoryFound>() + count;
}

void HistoryBrowser::openHit(std::size_t hit) {
    if (hit >= m_hits.size()) {
        return;
    }
    const HistoryHit& wanted = m_hits[hit];
    const auto day =
        std::find_if(m_days.begin(), m_days.end(), [&](const HistoryDay& d) { return d.date == wanted.date; });
    if (day == m_days.end()) {
        return;
    }
    open(*day, wanted.offset);
}

bool HistoryBrowser::step() {
    if (!m_page.done()) {
        m_page.step([this](std::uint64_t offset, std::string_view line) { pageLine(offset, line); });
        return busy();
    }
    if (searching()) {
        const bool more =
            m_search.step([this](std::uint64_t offset, std::string_view line) { searchLine(offset, line); });
        if (m_hitsCapped) {
            m_searchDay = m_searchDays.size();
            m_search.close();
        } else if (!more) {
            nextSearchDay();
        }
    }
    return busy();
}

} // namespace lirbo::app
