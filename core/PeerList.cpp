#include "core/PeerList.h"

#include "core/AtomicSave.h"
#include "core/ByteOrderMark.h"
#include "core/Exception.h"
#include "core/FileSystem.h"

#include <climits>
#include <new>

namespace lirbo::core {

namespace {

bool lineEnd(char c) {
    return c == '\r' || c == '\n' || c == '\0';
}

} // namespace

int TPeerList::count() const {
    return static_cast<int>(m_entries.size());
}

std::string TPeerList::get(int index) const {
    if (index < 0 || index >= count()) {
        throw listIndexError(index);
    }
    return m_entries[static_cast<std::size_t>(index)];
}

void TPeerList::setSelectedIndex(int index) {
    if (index < -1 || index >= count() || index == m_selected) {
        return;
    }
    m_selected = index;
    notify();
}

void TPeerList::append(std::string_view text) {
    try {
        if (m_entries.size() >= static_cast<std::size_t>(INT_MAX)) {
            throw lineInsertError();
        }
        m_entries.emplace_back(text);
    } catch (const std::bad_alloc&) {
        throw lineInsertError();
    }
}

void TPeerList::add(std::string_view text) {
    append(text);
    notify();
}

void TPeerList::addAll(const std::vector<std::string>& texts) {
    try {
        for (const std::string& text : texts) {
            append(text);
        }
    } catch (...) {
        notify();
        throw;
    }
    notify();
}

void TPeerList::replace(int index, std::string text) {
    if (index < 0 || index >= count()) {
        throw listIndexError(index);
    }
    m_entries[static_cast<std::size_t>(index)] = std::move(text);
    notify();
}

void TPeerList::remove(int index) {
    if (index < 0 || index >= count()) {
        return;
    }
    m_entries.erase(m_entries.begin() + index);
    // The selection stays on the entry it marked; the removed entry takes it away.
    if (index == m_selected) {
        m_selected = -1;
    } else if (index < m_selected) {
        --m_selected;
    }
    notify();
}

void TPeerList::clear() {
    m_entries.clear();
    m_selected = -1;
    notify();
}

std::vector<std::string> TPeerList::cutLines(std::string_view bytes) {
    std::vector<std::string> lines;
    forEachLine(bytes, [&lines](std::string_view line) { lines.emplace_back(line); });
    return lines;
}

void TPeerList::forEachLine(std::string_view bytes, const std::function<void(std::string_view)>& take) {
    std::size_t pos = startsWithByteOrderMark(bytes) ? utf8ByteOrderMark.size() : 0;
    while (pos < bytes.size() && bytes[pos] != '\0') {
        std::size_t end = pos;
        while (end < bytes.size() && !lineEnd(bytes[end])) {
            ++end;
        }
        take(bytes.substr(pos, end - pos));
        pos = end;
        if (pos < bytes.size() && bytes[pos] == '\r') {
            ++pos;
        }
        if (pos < bytes.size() && bytes[pos] == '\n') {
            ++pos;
        }
    }
}

void TPeerList::loadFromFile(const std::string& path) {
    std::string bytes;
    if (const int error = fs::readFile(path, bytes); error != 0) {
        throw fileOpenError(fs::fullPath(path), error);
    }
    m_entries.clear();
    m_selected = -1;
    // The view follows once, when the load has ended, also when it ends with an error.
    try {
        forEachLine(bytes, [this](std::string_view line) { append(line); });
    } catch (...) {
        notify();
        throw;
    }
    notify();
}

void TPeerList::saveToFile(const std::string& path) const {
    std::string bytes;
    try {
        std::size_t size = 0;
        for (const std::string& entry : m_entries) {
            size += entry.size() + 2;
        }
        bytes.reserve(size);
        for (const std::string& entry : m_entries) {
            bytes += entry;
            bytes += "\r\n";
        }
    } catch (const std::bad_alloc&) {
        throw streamWriteError();
    }
    saveFileAtomically(path, bytes, streamWriteError);
}

void TPeerList::notify() const {
    if (m_changed) {
        m_changed();
    }
}

} // namespace lirbo::core
