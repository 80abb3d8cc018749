#include "marking/state.h"

namespace tarnwick::marking {

namespace {

int requirementNumber(std::string_view message) {
    int n = 0;
    for (char c : message) {
        if (c < '0' || c > '9' || n > 99999) break;
        n = n * 10 + (c - '0');
    }
    return n;
}

}  // namespace

std::string explanation(const ItemResult& item) {
    if (item.read.empty() && item.expected.empty()) return {};
    std::string s = "读到：" + item.read;
    if (!item.expected.empty()) s += "；应为：" + item.expected;
    return s;
}

std::vector<const ItemResult*> itemsOfLines(const std::vector<std::string>& lines, const std::vector<ItemResult>& items,
                                            bool wrongList) {
    std::vector<const ItemResult*> matched;
    matched.reserve(lines.size());
    std::size_t item = 0;
    for (const std::string& line : lines) {
        while (item < items.size() && items[item].passed == wrongList) ++item;
        const bool match = item < items.size() && items[item].message == line;
        matched.push_back(match ? &items[item++] : nullptr);
    }
    return matched;
}

void MarkingState::RecordItem(int points, bool passed, std::string_view correct, std::string_view wrong,
                              std::string_view read, std::string_view expected) {
    const std::string_view message = passed ? correct : wrong;
    items.push_back({requirementNumber(message), points, passed, std::string(message), std::string(correct),
                     std::string(read), std::string(expected)});
    if (passed) {
        Score = static_cast<std::int16_t>(Score + points);
        CorrectList += correct;
        CorrectList += "\r\n";
    } else {
        addWrongLine(wrong);
    }
}

void MarkingState::addWrongLine(std::string_view line) {
    WrongList += line;
    WrongList += "\r\n";
}

void MarkingState::ContentLost() {
    addWrongLine("文章内容丢失，请重新做题");
    contentLost = true;
}

void MarkingState::clearLists() {
    CorrectList.clear();
    WrongList.clear();
    items.clear();
}

}  // namespace tarnwick::marking
