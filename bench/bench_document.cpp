// Opening a Word document and making every read the word-processing rubrics make; the shapes of
// a document with a picture and a WordArt.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "model/word/document.h"

namespace {

using namespace tarnwick::word;

std::vector<std::uint8_t> load(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// 38-39 KB files written by Word: rasp.doc (Word 97, fast-saved) and 60279.doc (Word 2000).
const std::vector<std::uint8_t>& sample(int which) {
    static const std::vector<std::uint8_t> rasp = load(std::filesystem::path(TARNWICK_TEST_DATA) / "office-corpus/doc/rasp.doc");
    static const std::vector<std::uint8_t> frame = load(std::filesystem::path(TARNWICK_TEST_DATA) / "office-corpus/doc/60279.doc");
    return which == 0 ? rasp : frame;
}

// The exercise document with one floating picture and one WordArt.
const std::vector<std::uint8_t>& withShapes() {
    static const std::vector<std::uint8_t> bytes =
        load(std::filesystem::path(TARNWICK_TEST_DATA) / "../../src/resources/files/九寨童话世界.doc");
    return bytes;
}

int count(const Variant& v) { return v.isFailed() ? 0 : 1; }

int readShapes(const Document& d) {
    int n = 0;
    for (const Shape& s : d.Shapes())
        n += count(s.Type()) + count(s.Left()) + count(s.WrapFormat().Type()) + count(s.TextEffect().Text()) +
             count(s.TextEffect().PresetTextEffect());
    return n;
}

// Every read of the three rubrics, on every paragraph: fonts, paragraph formats, counts over the
// body, the replacement search, page setup, the header and the page number, the shapes.
int readEverything(Document& d) {
    int n = 0;
    std::int32_t paragraphs = d.Paragraphs().Count();
    if (paragraphs > 1)
        for (std::int32_t i = 1; i <= paragraphs; ++i) {
            Range r = d.Paragraphs()(i).Range();
            if (r.Text() == "\r") {
                r.Delete();
                --paragraphs;
            }
        }
    for (std::int32_t i = 1; i <= d.Paragraphs().Count(); ++i) {
        const Range r = d.Paragraphs()(i).Range();
        const Font f = r.Font();
        const ParagraphFormat p = r.ParagraphFormat();
        n += count(f.Name()) + count(f.Size()) + count(f.Color()) + count(f.Bold()) + count(f.Italic()) +
             count(f.Underline()) + count(p.Alignment()) + count(p.LineSpacing()) +
             count(p.CharacterUnitFirstLineIndent()) + count(p.CharacterUnitLeftIndent()) + count(p.LineUnitBefore()) +
             count(p.LineUnitAfter());
    }
    const Variant text = d.Range().Text();
    n += text.isText() ? static_cast<int>(text.asText().find("state") != std::string::npos) : 0;
    const PageSetup ps = d.PageSetup();
    n += count(ps.PageWidth()) + count(ps.PageHeight()) + count(ps.TopMargin()) + count(ps.BottomMargin()) +
         count(ps.LeftMargin()) + count(ps.RightMargin()) + count(ps.Orientation());
    Pane pane = d.ActivePane();
    pane.SetViewType(wd::PrintView);
    pane.SetSeekView(wd::SeekCurrentPageHeader);
    pane.SetSelectionEnd(2);
    n += count(pane.SelectionText());
    n += count(d.Sections()(1).Footers()(wd::HeaderFooterPrimary).PageNumbers()(1).Alignment());
    return n + readShapes(d);
}

void BM_DocumentOpen(benchmark::State& st) {
    const auto& bytes = sample(static_cast<int>(st.range(0)));
    for (auto _ : st) {
        auto d = Document::open(tarnwick::Bytes(bytes));
        if (!d) st.SkipWithError("the document did not open");
        benchmark::DoNotOptimize(d);
    }
    st.SetLabel(std::to_string(bytes.size()) + " bytes");
}
BENCHMARK(BM_DocumentOpen)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_DocumentOpenAndReadEverything(benchmark::State& st) {
    const auto& bytes = sample(static_cast<int>(st.range(0)));
    for (auto _ : st) {
        auto d = Document::open(tarnwick::Bytes(bytes));
        if (!d) {
            st.SkipWithError("the document did not open");
            break;
        }
        benchmark::DoNotOptimize(readEverything(*d));
    }
    st.SetLabel(std::to_string(bytes.size()) + " bytes");
}
BENCHMARK(BM_DocumentOpenAndReadEverything)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// What the drawing layer costs: opening reads it, and the shape reads of the rubrics.
void BM_DocumentShapes(benchmark::State& st) {
    const auto& bytes = withShapes();
    for (auto _ : st) {
        auto d = Document::open(tarnwick::Bytes(bytes));
        if (!d || d->Shapes().Count() != 2) {
            st.SkipWithError("the exercise document did not read with its two shapes");
            break;
        }
        benchmark::DoNotOptimize(readShapes(*d));
    }
}
BENCHMARK(BM_DocumentShapes)->Unit(benchmark::kMicrosecond);

void BM_DrawingLayerOnly(benchmark::State& st) {
    auto d = Document::open(tarnwick::Bytes(withShapes()));
    if (!d) {
        st.SkipWithError("the exercise document did not open");
        return;
    }
    const tarnwick::Bytes dgg = d->file().dggInfo();
    for (auto _ : st) {
        const DrawingLayer layer = readDrawingLayer(dgg);
        const Shapes shapes = mainTextShapes(nullptr, d->file().mainShapes, layer);
        int n = 0;
        for (const Shape& s : shapes) n += count(s.TextEffect().PresetTextEffect()) + count(s.Left());
        benchmark::DoNotOptimize(n);
    }
}
BENCHMARK(BM_DrawingLayerOnly)->Unit(benchmark::kMicrosecond);

}  // namespace
