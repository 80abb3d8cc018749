#include "support/test_support.h"

#include <iconv.h>
#include <unistd.h>

#include <atomic>
#include <fstream>
#include <stdexcept>

namespace tarnwick::test {

TempDir::TempDir() {
    static std::atomic<int> counter{0};
    path_ = std::filesystem::temp_directory_path() /
            ("tarnwick-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

std::string readBytes(const std::filesystem::path& file) {
    // A fixture that is not there fails its test with its path, not as an empty file.
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec)) throw std::runtime_error("missing test file: " + file.string());
    std::ifstream in(file, std::ios::binary);
    if (!in) throw std::runtime_error("cannot open test file: " + file.string());
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void writeBytes(const std::filesystem::path& file, std::string_view bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + file.string());
}

std::filesystem::path u8path(std::string_view utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::filesystem::path dataPath(std::string_view relative) { return std::filesystem::path(TARNWICK_TEST_DATA) / u8path(relative); }

std::filesystem::path corpusPath(std::string_view relative) { return std::filesystem::path(TARNWICK_CORPUS) / u8path(relative); }

std::string toCp936(std::string_view utf8) {
    iconv_t cd = ::iconv_open("CP936", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("no CP936 converter");
    std::string out(utf8.size() * 2 + 16, '\0');
    char* in = const_cast<char*>(utf8.data());
    std::size_t inLeft = utf8.size();
    char* o = out.data();
    std::size_t oLeft = out.size();
    const std::size_t r = ::iconv(cd, &in, &inLeft, &o, &oLeft);
    ::iconv_close(cd);
    if (r == static_cast<std::size_t>(-1)) throw std::runtime_error("text not representable in CP936");
    out.resize(out.size() - oLeft);
    return out;
}

}  // namespace tarnwick::test
