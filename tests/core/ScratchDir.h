#pragma once

#include "Platform.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>
#include <string>

namespace lirbo::core::test {

// A fresh folder under the system's temporary folder, removed with everything in it at the end.
class ScratchDir {
public:
    ScratchDir() {
        std::random_device seed;
        std::mt19937_64 random(seed());
        for (int attempt = 0; attempt < 100; ++attempt) {
            const auto candidate =
                std::filesystem::temp_directory_path() / ("lirbo-test-" + std::to_string(random() % 1000000000));
            if (std::filesystem::create_directory(candidate)) {
                m_path = candidate.string();
                return;
            }
        }
        throw std::runtime_error("cannot create a scratch folder");
    }
    ~ScratchDir() {
        // A read-only file cannot be deleted on Windows: give write permission back first.
        std::error_code ignored;
        for (auto it = std::filesystem::recursive_directory_iterator(m_path, ignored);
             it != std::filesystem::recursive_directory_iterator(); it.increment(ignored)) {
            std::filesystem::permissions(it->path(), std::filesystem::perms::owner_write,
                                         std::filesystem::perm_options::add, ignored);
        }
        std::filesystem::remove_all(m_path, ignored);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::string& path() const { return m_path; }
    // A path inside the folder, written with the system's own separators ("a/b" is "a\b" on Windows).
    std::string file(const std::string& name) const {
        return (std::filesystem::path(m_path) / name).make_preferred().string();
    }
    // The number of names in the folder, to see that no temporary file is left behind.
    std::size_t entryCount() const {
        return static_cast<std::size_t>(
            std::distance(std::filesystem::directory_iterator(m_path), std::filesystem::directory_iterator()));
    }

    static void write(const std::string& path, const std::string& bytes) {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << bytes;
    }
    static std::string read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    static bool exists(const std::string& path) { return std::filesystem::exists(path); }
    // Makes the file read-only, as the program must treat it even for root.
    static void makeReadOnly(const std::string& path) { platform::makeReadOnly(path); }

private:
    std::string m_path;
};

} // namespace lirbo::core::test
