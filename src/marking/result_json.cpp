#include "marking/result_json.h"

#include "base/json_text.h"

namespace tarnwick::marking {

std::string_view statusName(const RunOutcome& r) {
    switch (r.end) {
        case RunEnd::NoExercise: return "no-rubric";
        case RunEnd::ProbeRefused: return "probe-refused";
        case RunEnd::FileMissing: return "file-missing";
        case RunEnd::Unreadable: return "unreadable";
        case RunEnd::Ended: return r.unreadable.empty() ? "ended" : "unreadable";
    }
    return "ended";
}

const std::string& reasonOf(const RunOutcome& r) { return r.end == RunEnd::Ended ? r.unreadable : r.message; }

std::string resultJson(int question, const RunOutcome& r, const MarkingState& state, std::string_view student) {
    const bool ended = r.end == RunEnd::Ended;
    std::string out = "{";
    if (!student.empty()) out += "\"student\": " + jsonString(student) + ", ";
    out += "\"question\": " + std::to_string(question) + ", \"status\": " + jsonString(statusName(r));
    const std::string& reason = reasonOf(r);
    if (!reason.empty()) out += ", \"reason\": " + jsonString(reason);
    if (ended) {
        out += ", \"score\": " + std::to_string(state.Score) + ", \"correct\": " + jsonArray(crlfLines(state.CorrectList)) +
               ", \"wrong\": " + jsonArray(crlfLines(state.WrongList)) + ", \"verdict\": " + jsonString(r.verdict) +
               ", \"items\": " + itemsJson(state);
    }
    return out + "}";
}

std::string itemsJson(const MarkingState& state) {
    std::string out = "[";
    for (std::size_t i = 0; i < state.items.size(); ++i) {
        const ItemResult& it = state.items[i];
        if (i) out += ", ";
        out += "{\"number\": " + std::to_string(it.number) + ", \"points\": " + std::to_string(it.points) +
               ", \"passed\": " + (it.passed ? "true" : "false") + ", \"message\": " + jsonString(it.message) +
               ", \"read\": " + jsonString(it.read) + ", \"expected\": " + jsonString(it.expected) + "}";
    }
    return out + "]";
}

}  // namespace tarnwick::marking
