// FACTS.tsv facts about .xls files that need the formula text renderer (Range.Formula) or the
// chart reader (ChartObjects(k).Chart). They fail while either is still a placeholder.
#include <gtest/gtest.h>

#include "model/excel/corpus_facts.h"

namespace tarnwick::excel::facts {
namespace {

TEST(CorpusFormulaFacts, FormulaTextAsExcelShowsIt) {
    Books books;
    const std::regex cellFormula(R"(sheet (\d+) cell ([A-Z]+\d+) formula.*)");
    std::size_t checked = 0;
    for (const Fact& f : xlsFacts()) {
        std::smatch m;
        const Result<Workbook>& book = books.get(f.file);
        if (!book.ok()) continue;
        if (std::regex_match(f.what, m, cellFormula)) {
            // POI's renderings of external references are its own; Excel shows other text there.
            if (f.what.find("POI rendering") != std::string::npos) continue;
            const auto [r, c] = cellOf(m[2]);
            const Variant got = book->Sheets(static_cast<std::uint32_t>(std::stoul(m[1])))->Cells(r, c).Formula();
            EXPECT_TRUE(got == "=" + f.expected) << f.file << " " << f.what << ": " << got.describe();
            ++checked;
        } else if (f.what.find("formulas shown as formula text") != std::string::npos) {
            EXPECT_EQ(workbookText(*book, true), f.expected) << f.file;
            ++checked;
        }
    }
    EXPECT_GE(checked, 14u);
}

TEST(CorpusFormulaFacts, ChartsSeriesAndTitles) {
    Books books;
    const std::regex seriesCount(R"(sheet (\d+) chart (\d+) number of series)");
    const std::regex title(R"(sheet (\d+) chart (\d+) chart title)");
    std::size_t checked = 0;
    for (const Fact& f : xlsFacts()) {
        std::smatch m;
        const Result<Workbook>& book = books.get(f.file);
        if (!book.ok()) continue;
        if (std::regex_match(f.what, m, seriesCount)) {
            const Chart chart = book->Sheets(static_cast<std::uint32_t>(std::stoul(m[1])))
                                    ->ChartObjects(static_cast<std::uint32_t>(std::stoul(m[2])))
                                    .Chart();
            EXPECT_TRUE(chart.SeriesCount() == std::stod(f.expected)) << f.file << " " << f.what << ": " << chart.failure();
            ++checked;
        } else if (std::regex_match(f.what, m, title)) {
            const Chart chart = book->Sheets(static_cast<std::uint32_t>(std::stoul(m[1])))
                                    ->ChartObjects(static_cast<std::uint32_t>(std::stoul(m[2])))
                                    .Chart();
            ASSERT_FALSE(chart.failed()) << f.file << " " << f.what << ": " << chart.failure();
            const Variant text = chart.ChartTitle().Characters().Text();
            if (f.expected == "(none)")
                EXPECT_TRUE(text.isFailed()) << f.what << ": an absent title is a failed read, got " << text.describe();
            else
                EXPECT_TRUE(text == f.expected) << f.file << " " << f.what << ": " << text.describe();
            ++checked;
        }
    }
    EXPECT_GE(checked, 6u);
}

}  // namespace
}  // namespace tarnwick::excel::facts
