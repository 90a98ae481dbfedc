#pragma once

#include "core/ChatPorts.h"

#include <functional>
#include <string>
#include <string_view>
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

    // Throw EOutOfResources "Unable to insert a line" when there is no room for another entry;
    // addAll keeps the entries added before the failing one and tells the listener once.
    void add(std::string_view text);
    void addAll(const std::vector<std::string>& texts);
    void replace(int index, std::string text); // keeps position and selection; EStringListError outside
    void remove(int index);                    // an index outside the list does nothing
    void clear();

    // Replaces the entries with the lines of a text file (CR LF, LF or CR; a zero byte ends the
    // text); nothing selected afterwards. Throws EFOpenError and leaves the list unchanged when the
    // file cannot be read.
    void loadFromFile(const std::string& path);
    // Writes every entry followed by CR LF, atomically. Throws EFCreateError or EWriteError.
    void saveToFile(const std::string& path) const;

    const std::vector<std::string>& entries() const { return m_entries; }

    // The lines of a list file: each runs to the next CR, LF or zero byte; one CR and then one LF
    // after it are skipped; the first zero byte ends the text. A UTF-8 byte-order mark at the
    // start is skipped.
    static std::vector<std::string> cutLines(std::string_view bytes);

    // Called after every change of the entries or the selection, so a view can follow.
    void setChangeListener(std::function<void()> listener) { m_changed = std::move(listener); }

private:
    static void forEachLine(std::string_view bytes, const std::function<void(std::string_view)>& take);
    void append(std::string_view text); // without notifying
    void notify() const;

    std::vector<std::string> m_entries;
    int m_selected = -1;
    std::function<void()> m_changed;
};

} // namespace lirbo::core
