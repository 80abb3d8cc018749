// Services that record what a handler asked of the desktop, and answer its questions.
#pragma once

#include <deque>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/openers.h"
#include "platform/prompter.h"

namespace tarnwick::test {

struct RecordingPrompter : platform::Prompter {
    std::vector<std::string> boxes;  // the text of every box, in order
    std::deque<bool> answers;        // the answers to the next yes/no boxes (no answer left: 否)
    void info(std::string_view text) override { boxes.emplace_back(text); }
    bool yesNo(std::string_view text) override {
        boxes.emplace_back(text);
        if (answers.empty()) return false;
        const bool a = answers.front();
        answers.pop_front();
        return a;
    }
};

struct RecordingOpener : platform::FolderOpener, platform::DocumentOpener {
    std::vector<std::filesystem::path> opened;     // folders
    std::vector<std::filesystem::path> documents;  // documents
    void openFolder(const std::filesystem::path& folder) override { opened.push_back(folder); }
    void openDocument(const std::filesystem::path& document) override { documents.push_back(document); }
};

}  // namespace tarnwick::test
