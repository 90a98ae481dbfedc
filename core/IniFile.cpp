#include "core/IniFile.h"

#include "core/Exception.h"
#include "core/FileSystem.h"
#include "core/IntegerText.h"

namespace lirbo::core {

IniDocument IniFile::read() const {
    std::string bytes;
    if (fs::readFile(m_path, bytes) != 0) {
        return IniDocument();
    }
    return IniDocument(bytes);
}

IniSection IniFile::section(std::string_view name) const {
    return read().section(name);
}

std::string IniFile::readString(std::string_view section, std::string_view key, std::string_view fallback) const {
    auto value = this->section(section).value(key);
    return value ? std::move(*value) : std::string(fallback);
}

std::int32_t IniFile::readInteger(std::string_view section, std::string_view key, std::int32_t fallback) const {
    const auto value = this->section(section).value(key);
    return value ? integerOrDefault(*value, fallback) : fallback;
}

std::vector<std::string> IniFile::listKeys(std::string_view section) const {
    return this->section(section).keys();
}

void IniFile::writeString(std::string_view section, std::string_view key, std::string_view value) const {
    update([&](IniDocument& document) {
        document.setValue(section, key, value);
        return true;
    });
}

void IniFile::eraseSection(std::string_view section) const {
    update([&](IniDocument& document) { return document.eraseSection(section); });
}

void IniFile::update(const std::function<bool(IniDocument&)>& change) const {
    std::string bytes;
    const int error = fs::readFile(m_path, bytes);
    // A missing file (or folder) starts empty; one that is there but unreadable must not be
    // replaced by a file holding only the new lines.
    if (error != 0 && !fs::isNotFoundError(error)) {
        throw iniWriteError(m_path);
    }
    IniDocument document(bytes);
    bytes.clear();
    if (!change(document)) {
        return;
    }
    if (!fs::writeFileAtomically(m_path, document.bytes()).ok()) {
        throw iniWriteError(m_path);
    }
}

} // namespace lirbo::core
