#include "support/ScratchDir.h"

#include "support/Platform.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

namespace lirbo::test {

namespace {

std::filesystem::path baseFolder(ScratchDir::Place place) {
    if (place == ScratchDir::Place::Memory && std::filesystem::is_directory("/dev/shm")) {
        return "/dev/shm";
    }
    return std::filesystem::temp_directory_path();
}

} // namespace

ScratchDir::ScratchDir(Place place) {
    const std::filesystem::path base = baseFolder(place);
    std::random_device seed;
    std::mt19937_64 random(seed());
    for (int attempt = 0; attempt < 100; ++attempt) {
        const auto candidate = base / ("lirbo-test-" + std::to_string(random() % 1000000000));
        if (std::filesystem::create_directory(candidate)) {
            m_path = candidate.string();
            return;
        }
    }
    throw std::runtime_error("cannot create a scratch folder");
}

ScratchDir::~ScratchDir() {
    // A read-only file cannot be deleted on Windows: give write permission back first.
    std::error_code ignored;
    for (auto it = std::filesystem::recursive_directory_iterator(m_path, ignored);
         it != std::filesystem::recursive_directory_iterator(); it.increment(ignored)) {
        std::filesystem::permissions(it->path(), std::filesystem::perms::owner_write,
                                     std::filesystem::perm_options::add, ignored);
    }
    std::filesystem::remove_all(m_path, ignored);
}

std::string ScratchDir::file(const std::string& name) const {
    return (std::filesystem::path(m_path) / name).make_preferred().string();
}

std::size_t ScratchDir::entryCount() const {
    return static_cast<std::size_t>(
        std::distance(std::filesystem::directory_iterator(m_path), std::filesystem::directory_iterator()));
}

void ScratchDir::write(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) {
        throw std::runtime_error("cannot write " + path);
    }
}

std::string ScratchDir::read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool ScratchDir::exists(const std::string& path) {
    return std::filesystem::exists(path);
}

void ScratchDir::makeReadOnly(const std::string& path) {
    platform::makeReadOnly(path);
}

} // namespace lirbo::test
