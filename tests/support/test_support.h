// Helpers shared by the tests: temporary exam folders, files, fixtures.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick::test {

// A fresh empty folder under the system's temporary folder, removed when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

// The whole file; throws with the path when it is missing or unreadable.
std::string readBytes(const std::filesystem::path& file);
void writeBytes(const std::filesystem::path& file, std::string_view bytes);
std::filesystem::path dataPath(std::string_view relative);    // tests/data/...
std::filesystem::path corpusPath(std::string_view relative);  // tests/data/office-corpus/...
std::filesystem::path u8path(std::string_view utf8);

// UTF-8 to code page 936 (for writing test pages as an editor saves them).
std::string toCp936(std::string_view utf8);

}  // namespace tarnwick::test
