#include "marking/word/word_document.h"

namespace tarnwick::marking::word_rubrics {
namespace {

// Length of a text in Word's characters (UTF-16 units).
std::size_t wordLength(const std::string& utf8) {
    std::size_t n = 0;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if ((c & 0xC0) == 0x80) continue;
        n += c >= 0xF0 ? 2 : 1;
    }
    return n;
}

}  // namespace

void removeEmptyParagraphs(word::Document& document) {
    std::int32_t n = document.Paragraphs().Count();
    if (n <= 1) return;
    for (std::int32_t i = 1; i <= n; ++i) {
        word::Range r = document.Paragraphs()(i).Range();
        const word::Variant text = r.Text();
        if (text.isText() && wordLength(text.asText()) == 1) {
            r.Delete();
            --n;
        }
    }
}

Opened openForMarking(const std::filesystem::path& file, MarkingState& state) {
    Opened o;
    state.clearLists();
    auto d = word::Document::open(file);
    if (!d) {
        state.addWrongLine(d.error().message);
        o.end = RubricEnd::markedUnread(d.error().message);
        return o;
    }
    o.document.emplace(std::move(*d));
    removeEmptyParagraphs(*o.document);
    return o;
}

}  // namespace tarnwick::marking::word_rubrics
