#include "marking/word/word_document.h"

#include "base/utf.h"

namespace tarnwick::marking::word_rubrics {

void removeEmptyParagraphs(word::Document& document) {
    std::int32_t n = document.Paragraphs().Count();
    if (n <= 1) return;
    for (std::int32_t i = 1; i <= n; ++i) {
        word::Range r = document.Paragraphs()(i).Range();
        const word::Variant text = r.Text();
        if (text.isText() && utf16Length(text.asText()) == 1) {
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
