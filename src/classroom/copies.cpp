#include "classroom/copies.h"

#include <algorithm>
#include <fstream>
#include <map>

#include "base/read_file.h"

namespace tarnwick::classroom {
namespace {

constexpr const char* kSameBytes = "文件内容完全相同";
constexpr const char* kStartFile = "与试题原始文件完全相同（没有做题）";
constexpr const char* kSameSummary = "文档属性中的创建时间和作者相同（可能是复制同一个文件后修改）";

bool sameAsBytes(const std::filesystem::path& file, Bytes bytes) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return false;
    std::vector<char> buf(bytes.size() + 1);
    in.read(buf.data(), static_cast<std::streamsize>(buf.size()));
    return static_cast<std::size_t>(in.gcount()) == bytes.size() &&
           std::equal(bytes.begin(), bytes.end(), buf.begin(), [](std::uint8_t x, char y) { return x == static_cast<std::uint8_t>(y); });
}

}  // namespace

std::vector<CopyFinding> findCopies(const std::vector<StudentResult>& results, Bytes startBytes) {
    const Fingerprint start = fingerprintOf(startBytes);
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
    // Each group against its first member, read once: equality is transitive, and a class of
    // identical files costs one comparison per file, not one per pair.
    std::vector<bool> copied(results.size());  // members found equal to their group's first
    for (const auto& [key, group] : byContent) {
        if (group.size() < 2) continue;
        const auto first = readWholeFile(*results[group[0]].submission.document, kMaxFingerprintBytes, {});
        if (!first) continue;
        for (std::size_t m = 1; m < group.size(); ++m)
            if (sameAsBytes(*results[group[m]].submission.document, Bytes(*first))) {
                found.push_back({results[group[0]].submission.student, results[group[m]].submission.student, kSameBytes});
                copied[group[m]] = true;
            }
    }
    for (const auto& [key, group] : bySummary)
        for (std::size_t m = 1; m < group.size(); ++m)
            if (!copied[group[m]])
                found.push_back({results[group[0]].submission.student, results[group[m]].submission.student, kSameSummary});
    return found;
}

}  // namespace tarnwick::classroom
