#pragma once

#include "core/ChatPorts.h"

#include <functional>
#include <string>
#include <vector>

namespace lirbo::core {

// The user's own list of peer addresses, in the order added, with at most one selected entry.
// Entries are any Windows-1251 text: nothing is trimmed or checked, duplicates and empty
// entries stay.
class TPeerList : public IPeerSequence {
public:
    int count() const override;
    // Throws EStringListError "List index out of bounds (%d)" for an index outside the list.
    std::string get(int index) const override;
    int selectedIndex() const override { return m_selected; }

    // Selects an entry; -1 clears the selection. Other indexes are ignored.
    void setSelectedIndex(int index);

    void add(std::string text);
    void replace(int index, std::string text); // keeps position and selection
    void remove(int index);                     // an index outside the list does nothing
    void clear();

    // Replaces the entries with the lines of a text file (CR LF, LF or CR; a zero byte ends the
    // text); nothing selected afterwards. Throws EFOpenError and leaves the list unchanged when the
    // file cannot be read.
    void loadFromFile(const std::string& path);
    // Writes every entry followed by CR LF, atomically. Throws EFCreateError or EWriteError.
    void saveToFile(const std::string& path) const;

    const std::vector<std::string>& entries() const { return m_entries; }

    // Called after every change of the entries or the selection, so a view can follow.
    void setChangeListener(std::function<void()> listener) { m_changed = std::move(listener); }

private:
    void notify() const;

    std::vector<std::string> m_entries;
    int m_selected = -1;
    std::function<void()> m_changed;
};

} // namespace lirbo::core
