#pragma once

#include "core/IniDocument.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace lirbo::core {

// Where the bytes of a settings file are kept: the file on disk for the program, memory for the
// fuzz targets, so that both go through the same reader and writer.
class IniStorage {
public:
    virtual ~IniStorage() = default;
    // The whole contents: 0, or an error number of fs::readFile (a refusal among them).
    virtual int read(std::string& bytes) const = 0;
    // Replaces the contents whole; false when refused.
    virtual bool write(std::string_view bytes) = 0;
};

class IniMemory final : public IniStorage {
public:
    explicit IniMemory(std::string bytes = {}) : m_bytes(std::move(bytes)) {}
    int read(std::string& bytes) const override;
    bool write(std::string_view bytes) override;
    const std::string& bytes() const { return m_bytes; }

private:
    std::string m_bytes;
};

// A settings (INI) file. Every operation reads the file anew and releases it at once; every
// change is written back whole and atomically before the call returns, so a refused or
// interrupted write leaves the previous file as it was.
class IniFile {
public:
    // The file on disk at `path`.
    explicit IniFile(std::string path);
    // The bytes in `storage`; `path` only names it in errors.
    IniFile(std::string path, std::shared_ptr<IniStorage> storage);

    const std::string& path() const { return m_path; }

    // Reading never fails: a file that is missing, cannot be read or is refused (not a regular
    // file, too large) reads as an empty file; `error` gets the reason, 0 when it was read.
    IniDocument read(int* error = nullptr) const;
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
    std::shared_ptr<IniStorage> m_storage;
};

} // namespace lirbo::core
