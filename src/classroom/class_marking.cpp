#include "classroom/class_marking.h"

#include <algorithm>
#include <atomic>
#include <mutex>
#include <thread>

#include "base/read_file.h"
#include "formats/cfb/compound_file.h"
#include "formats/oleps/property_set.h"
#include "platform/exam_folder.h"

namespace tarnwick::classroom {
namespace {

std::uint64_t fnv1a(Bytes bytes) {
    std::uint64_t h = 1469598103934665603ull;
    for (const std::uint8_t b : bytes) {
        h ^= b;
        h *= 1099511628211ull;
    }
    return h;
}

// "created|author" of a compound file's summary information, or empty.
std::string createdBy(Bytes bytes) {
    auto cf = cfb::CompoundFile::open(bytes);
    if (!cf || !cf->hasStream("\x05SummaryInformation")) return {};
    auto stream = cf->stream("\x05SummaryInformation");
    if (!stream) return {};
    auto summary = oleps::readSummaryInformation(*stream);
    if (!summary || !summary->created || !summary->author) return {};
    const std::string& author = summary->author->utf8 ? *summary->author->utf8 : summary->author->bytes;
    if (author.empty() || summary->created->value == 0) return {};
    return std::to_string(summary->created->value) + "|" + author;
}

StudentResult markOne(exercises::QuestionNumberType number, const Submission& s) {
    StudentResult r;
    r.submission = s;
    if (!s.refusal.empty()) {
        r.outcome.end = marking::RunEnd::Unreadable;
        r.outcome.message = r.outcome.unreadable = s.refusal;
        return r;
    }
    if (s.folder) {
        // Exactly what `mark N --exam-dir FOLDER --skip-probe` does.
        r.outcome = marking::runMarking(number, platform::examFolderAt(s.entry), nullptr, r.state);
    } else {
        r.outcome = marking::markDocument(number, *s.document, r.state);
    }
    if (s.document) r.fingerprint = fingerprintOf(*s.document, kMaxFingerprintBytes);
    return r;
}

}  // namespace

Fingerprint fingerprintOf(Bytes bytes) { return Fingerprint{bytes.size(), fnv1a(bytes), createdBy(bytes)}; }

std::optional<Fingerprint> fingerprintOf(const std::filesystem::path& file, std::uintmax_t maxBytes) {
    auto bytes = readWholeFile(file, maxBytes, {});
    if (!bytes) return std::nullopt;
    return fingerprintOf(Bytes(*bytes));
}

std::vector<StudentResult> markClass(exercises::QuestionNumberType number, const std::vector<Submission>& submissions,
                                     const ClassOptions& options) {
    std::vector<StudentResult> results(submissions.size());
    unsigned jobs = options.jobs ? options.jobs : std::max(1u, std::thread::hardware_concurrency());
    jobs = static_cast<unsigned>(std::min<std::size_t>(jobs, std::max<std::size_t>(1, submissions.size())));
    std::atomic<std::size_t> next{0};
    std::size_t done = 0;
    std::mutex progressLock;
    auto work = [&] {
        for (std::size_t i; (i = next.fetch_add(1)) < submissions.size();) {
            results[i] = markOne(number, submissions[i]);
            if (options.progress) {
                const std::lock_guard<std::mutex> lock(progressLock);
                options.progress(++done, submissions.size());
            }
        }
    };
    std::vector<std::thread> threads;
    for (unsigned t = 1; t < jobs; ++t) threads.emplace_back(work);
    work();
    for (std::thread& t : threads) t.join();
    return results;
}

}  // namespace tarnwick::classroom
