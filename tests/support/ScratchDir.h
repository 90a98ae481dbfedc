#pragma once

#include <cstddef>
#include <string>

namespace lirbo::test {

// A fresh folder for the files a test, fuzz target or benchmark writes, removed with everything in
// it at the end.
class ScratchDir {
public:
    enum class Place {
        TempFolder, // the system's temporary folder
        Memory,     // /dev/shm where the system has it (the stores flush every file), else TempFolder
    };

    explicit ScratchDir(Place place = Place::TempFolder);
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::string& path() const { return m_path; }
    // A path inside the folder, written with the system's own separators ("a/b" is "a\b" on Windows).
    std::string file(const std::string& name) const;
    // The number of names in the folder, to see that no temporary file is left behind.
    std::size_t entryCount() const;

    // Replaces the file's contents with `bytes`, plainly (not through the code under test).
    static void write(const std::string& path, const std::string& bytes);
    static std::string read(const std::string& path);
    static bool exists(const std::string& path);
    // Makes the file read-only, as the program must treat it even for root.
    static void makeReadOnly(const std::string& path);

private:
    std::string m_path;
};

} // namespace lirbo::test
