#include "core/IniFile.h"

#include "core/Exception.h"
#include "core/FileSystem.h"
#include "core/IntegerText.h"

namespace lirbo::core {

namespace {

class IniDiskFile final : public IniStorage {
public:
    explicit IniDiskFile(std::string path) : m_path(std::move(path)) {}
    int read(std::string& bytes) const override { return fs::readFile(m_path, bytes); }
    bool write(std::string_view bytes) override { return fs::writeFileAtomically(m_path, bytes).ok(); }

private:
    std::string m_path;
};

} // namespace

int IniMemory::read(std::string& bytes) const {
    bytes = m_bytes;
    return 0;
}

bool IniMemory::write(std::string_view bytes) {
    m_bytes.assign(bytes);
    return true;
}

IniFile::IniFile(std::string path) : m_path(std::move(path)), m_storage(std::make_shared<IniDiskFile>(m_path)) {}

IniFile::IniFile(std::string path, std::shared_ptr<IniStorage> storage)
    : m_path(std::move(path)), m_storage(std::move(storage)) {}

IniDocument IniFile::read(int* error) const {
    std::string bytes;
    const int result = m_storage->read(bytes);
    if (error != nullptr) {
        *error = result;
    }
    return result == 0 ? IniDocument(bytes) : IniDocument();
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
    const int error = m_storage->read(bytes);
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
    if (!m_storage->write(document.bytes())) {
        throw iniWriteError(m_path);
    }
}

} // namespace lirbo::core
