#pragma once

#include "core/IniDocument.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace lirbo::core {

// A settings (INI) file on disk. Every operation reads the file anew and releases it at once;
// every change is written back whole and atomically before the call returns, so a refused or
// interrupted write leaves the previous file as it was.
class IniFile {
public:
    explicit IniFile(std::string path) : m_path(std::move(path)) {}

    const std::string& path() const { return m_path; }

    // Reading never fails: a file that is missing or cannot be read reads as an empty file.
    IniDocument read() const;
    IniSection section(std::string_view name) const;
    std::string readString(std::string_view section, std::string_view key, std::string_view fallback) const;
    std::int32_t readInteger(std::string_view section, std::string_view key, std::int32_t fallback) const;
    std::vector<std::string> listKeys(std::string_view section) const;

    // Each throws EIniFileException "Unable to write to <path>" when the system refuses the write.
    void writeString(std::string_view section, std::string_view key, std::string_view value) const;
    // Erasing a section that is not there writes nothing, and creates no file.
    void eraseSection(std::string_view section) const;

    // Applies `change` to the file's contents and writes them back once, if `change` returns true.
    // A file that exists but cannot be read is refused rather than overwritten. Throws
    // EIniFileException when the file cannot be read or written.
    void update(const std::function<bool(IniDocument&)>& change) const;

private:
    std::string m_path;
};

} // namespace lirbo::core
