#include "classroom/copies.h"

#include <algorithm>
#include <fstream>
#include <map>

namespace tarnwick::classroom {
namespace {

constexpr const char* kSameBytes = "文件内容完全相同";
constexpr const char* kStartFile = "与试题原始文件完全相同（没有做题）";
constexpr const char* kSameSummary = "文档属性中的创建时间和作者相同（可能是复制同一个文件后修改）";

// Whether two files hold the same bytes, read a block at a time.
bool sameFiles(const std::filesystem::path& a, const std::filesystem::path& b) {
    std::ifstream fa(a, std::ios::binary), fb(b, std::ios::binary);
    if (!fa || !fb) return false;
    char ba[1 << 14], bb[1 << 14];
    for (;;) {
        fa.read(ba, sizeof ba);
        fb.read(bb, sizeof bb);
        const auto na = fa.gcount(), nb = fb.gcount();
        if (na != nb || std::char_traits<char>::compare(ba, bb, static_cast<std::size_t>(na)) != 0) return false;
        if (na == 0) return true;
    }
}

bool sameAsBytes(const std::filesystem::path& file, Bytes bytes) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return false;
    std::vector<char> buf(bytes.size() + 1);
    in.read(buf.data(), static_cast<std::streamsize>(buf.size()));
    return static_cast<std::size_t>(in.gcount()) == bytes.size() &&
           std::equal(bytes.begin(), bytes.end(), buf.begin(), [](std::uint8_t x, char y) { return x == static_cast<std::uint8_t>(y); });
}

}  // namespace

std::vector<CopyFinding> findCopies(const std::vector<StudentResult>& results, const Fingerprint& start, Bytes startBytes) {
    std::vector<CopyFinding> found;
    std::map<std::pair<std::uintmax_t, std::uint64_t>, std::vector<std::size_t>> byContent;
    std::map<std::string, std::vector<std::size_t>> bySummary;
    for (std::size_t i = 0; i < results.size(); ++i) {
        const auto& f = results[i].fingerprint;
        if (!f || !results[i].submission.document) continue;
        if (f->size == start.size && f->hash == start.hash && sameAsBytes(*results[i].submission.document, startBytes)) {
            found.push_back({results[i].submission.student, "", kStartFile});
            continue;
        }
        byContent[{f->size, f->hash}].push_back(i);
        if (!f->createdBy.empty() && f->createdBy != start.createdBy) bySummary[f->createdBy].push_back(i);
    }
    // Each group against its first member: equality is transitive, and a class of identical
    // files costs one comparison per file, not one per pair.
    std::vector<std::size_t> copied;  // members found equal to their group's first
    for (const auto& [key, group] : byContent)
        for (std::size_t m = 1; m < group.size(); ++m)
            if (sameFiles(*results[group[0]].submission.document, *results[group[m]].submission.document)) {
                found.push_back({results[group[0]].submission.student, results[group[m]].submission.student, kSameBytes});
                copied.push_back(group[m]);
            }
    for (const auto& [key, group] : bySummary)
        for (std::size_t m = 1; m < group.size(); ++m)
            if (std::find(copied.begin(), copied.end(), group[m]) == copied.end())
                found.push_back({results[group[0]].submission.student, results[group[m]].submission.student, kSameSummary});
    return found;
}

}  // namespace tarnwick::classroom
