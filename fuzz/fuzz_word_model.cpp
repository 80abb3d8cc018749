// Fuzzes the word:: object model: every read a rubric makes, on every paragraph, after the
// empty-paragraph pass, plus character ranges cut anywhere.
#include <cstddef>
#include <cstdint>

#include "model/word/document.h"

namespace {

using namespace tarnwick::word;

volatile std::size_t sink;

void readAll(const Range& r) {
    const Font f = r.Font();
    const ParagraphFormat p = r.ParagraphFormat();
    for (const Variant& v : {r.Text(), r.Start(), r.End(), f.Name(), f.Size(), f.Color(), f.Bold(), f.Italic(),
                             f.Underline(), p.Alignment(), p.LineSpacing(), p.CharacterUnitFirstLineIndent(),
                             p.CharacterUnitLeftIndent(), p.LineUnitBefore(), p.LineUnitAfter()}) {
        if (v.isFailed() && v.failure().empty()) __builtin_trap();
        sink = v.describe().size();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto opened = Document::open(tarnwick::Bytes(data, size));
    if (!opened) return 0;
    Document& d = *opened;
    // The empty-paragraph pass as the marking run makes it.
    std::int32_t n = d.Paragraphs().Count();
    if (n > 1)
        for (std::int32_t i = 1; i <= n; ++i) {
            Range r = d.Paragraphs()(i).Range();
            const Variant t = r.Text();
            if (t.isText() && t.asText() == "\r") {
                r.Delete();
                --n;
            }
        }
    const std::int32_t count = d.Paragraphs().Count();
    for (std::int32_t i = 1; i <= count && i <= 2000; ++i) readAll(d.Paragraphs()(i).Range());
    readAll(d.Range());
    const std::int32_t end = static_cast<std::int32_t>(d.Range().End().asNumber());
    readAll(d.Range(end / 3, end / 2 + 1));
    const PageSetup ps = d.PageSetup();
    sink = ps.PageWidth().describe().size() + ps.Orientation().describe().size() + ps.TopMargin().describe().size();
    Pane pane = d.ActivePane();
    pane.SetSeekView(wd::SeekCurrentPageHeader);
    pane.SetSelectionEnd(2);
    sink = pane.SelectionText().describe().size();
    sink = d.Sections()(1).Footers()(wd::HeaderFooterPrimary).PageNumbers()(1).Alignment().describe().size();
    sink = d.savedBy().application.size();
    return 0;
}
