// A class marked at once: the submissions found, each marked exactly as `mark` marks it, copies,
// and the three reports.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <set>
#include <sstream>
#include <string>

#include "classroom/class_report.h"
#include "marking/result_json.h"
#include "platform/exam_folder.h"
#include "resources/embedded.h"
#include "support/exercise_documents.h"
#include "support/test_support.h"

namespace fs = std::filesystem;

namespace tarnwick::classroom {
namespace {

const exercises::Exercise& excel1() { return *exercises::findExercise(3); }

// A class for the first spreadsheet exercise: untouched, solved (twice: a copy), a variant, a
// damaged file, an empty folder, a link out of the class, a pipe, a hidden file.
class ClassFolder : public ::testing::Test {
protected:
    test::TempDir tmp;
    fs::path dir = tmp.path() / "班级";

    void SetUp() override {
        fs::create_directories(dir);
        fs::create_directory(dir / "张三");
        test::writeExerciseFiles(3, dir / "张三");  // untouched
        fs::create_directory(dir / "李四");
        fs::copy_file(test::dataPath("solutions/ex3-solution.xls"), dir / "李四" / test::u8path("学生成绩表.XLS"));
        fs::copy_file(test::dataPath("solutions/ex3-solution.xls"), dir / test::u8path("王五.xls"));
        fs::copy_file(test::dataPath("solutions/variants/ex3-sorted-ascending.xls"), dir / test::u8path("赵 六.xls"));
        test::writeBytes(dir / test::u8path("钱七.xls"), "not a workbook");
        fs::create_directory(dir / "孙八");  // handed in nothing
        fs::create_directory(tmp.path() / "outside");
        fs::create_directory_symlink(tmp.path() / "outside", dir / "周九");
        ASSERT_EQ(::mkfifo((dir / test::u8path("吴十.xls")).c_str(), 0600), 0);
        test::writeBytes(dir / ".hidden.xls", "x");
    }

    std::vector<Submission> listed() {
        auto s = listSubmissions(dir, excel1());
        EXPECT_TRUE(s.ok());
        return s.ok() ? *s : std::vector<Submission>{};
    }
    const StudentResult* of(const std::vector<StudentResult>& results, const std::string& student) {
        for (const StudentResult& r : results)
            if (r.submission.student == student) return &r;
        return nullptr;
    }
};

TEST_F(ClassFolder, EveryEntryIsAStudentInNameOrderLinksAndPipesRefusedHiddenLeftOut) {
    const auto s = listed();
    std::vector<std::string> names;
    for (const Submission& x : s) names.push_back(x.student);
    EXPECT_EQ(names, (std::vector<std::string>{"吴十", "周九", "孙八", "张三", "李四", "王五", "赵 六", "钱七"}));
    for (const Submission& x : s) {
        const bool refused = x.student == "周九" || x.student == "吴十";
        EXPECT_EQ(x.refusal.empty(), !refused) << x.student;
        if (x.student == "孙八") {
            EXPECT_FALSE(x.document.has_value());
        }
        if (x.student == "李四") {
            EXPECT_TRUE(x.document.has_value());  // 学生成绩表.XLS, case aside
        }
    }
    EXPECT_EQ(listSubmissions(tmp.path() / "none", excel1()).error().kind, ErrorKind::NotFound);
    EXPECT_EQ(listSubmissions(dir / test::u8path("王五.xls"), excel1()).error().kind, ErrorKind::NotAFile);
    EXPECT_EQ(listSubmissions(dir, excel1(), 3).error().kind, ErrorKind::TooLarge);
}

TEST_F(ClassFolder, EachSubmissionIsMarkedExactlyAsMarkMarksIt) {
    const auto submissions = listed();
    const auto results = markClass(3, submissions, ClassOptions{2, nullptr});
    ASSERT_EQ(results.size(), submissions.size());
    for (const StudentResult& r : results) {
        if (!r.submission.refusal.empty()) {
            EXPECT_EQ(marking::statusName(r.outcome), "unreadable") << r.submission.student;
            continue;
        }
        // The same document marked on its own: a folder as `mark --exam-dir`, a file directly.
        marking::MarkingState alone;
        const marking::RunOutcome o =
            r.submission.folder ? marking::runMarking(3, platform::examFolderAt(r.submission.entry), nullptr, alone)
                                : marking::markDocument(3, *r.submission.document, alone);
        EXPECT_EQ(marking::resultJson(3, r.outcome, r.state), marking::resultJson(3, o, alone)) << r.submission.student;
    }
    EXPECT_EQ(of(results, "李四")->state.Score, 100);
    EXPECT_EQ(of(results, "王五")->state.Score, 100);
    EXPECT_EQ(of(results, "张三")->state.Score, 0);
    EXPECT_EQ(marking::statusName(of(results, "孙八")->outcome), "file-missing");
    EXPECT_EQ(marking::statusName(of(results, "钱七")->outcome), "unreadable");
    // One thread or several: the same results.
    const auto serial = markClass(3, submissions, ClassOptions{1, nullptr});
    for (std::size_t i = 0; i < results.size(); ++i)
        EXPECT_EQ(marking::resultJson(3, results[i].outcome, results[i].state),
                  marking::resultJson(3, serial[i].outcome, serial[i].state));
}

TEST_F(ClassFolder, CopiesByBytesByTheStartingFileButNotByTheStartingFilesOwnSummary) {
    const auto results = markClass(3, listed());
    const auto start = resources::find("XLS", "101");  // 学生成绩表.xls as the program writes it
    ASSERT_TRUE(start.has_value());
    const auto copies = findCopies(results, *start);
    std::set<std::pair<std::string, std::string>> found;
    for (const CopyFinding& c : copies) found.insert({c.first + "|" + c.second, c.signal});
    EXPECT_TRUE(found.count({"李四|王五", "文件内容完全相同"}));
    EXPECT_TRUE(found.count({"张三|", "与试题原始文件完全相同（没有做题）"}));
    // The solutions and the variant all come from LibreOffice with their own summaries; none of
    // the other pairs shares one.
    EXPECT_EQ(copies.size(), 2u) << copies.size();
}

TEST_F(ClassFolder, AShareOfTheClassIsEveryNthStudentAndTheSharesMakeTheWhole) {
    const auto all = listed();
    std::vector<std::string> together;
    for (int k = 1; k <= 3; ++k)
        for (const Submission& s : shareOf(all, k, 3)) together.push_back(s.student);
    std::sort(together.begin(), together.end());
    std::vector<std::string> whole;
    for (const Submission& s : all) whole.push_back(s.student);
    EXPECT_EQ(together, whole);
    EXPECT_EQ(shareOf(all, 2, 3).front().student, all[1].student);

    // The JSON lines of the shares, sorted, are those of the whole class.
    auto lines = [](const std::vector<Submission>& s) {
        std::vector<std::string> out;
        for (const StudentResult& r : markClass(3, s)) out.push_back(marking::resultJson(3, r.outcome, r.state, r.submission.student));
        return out;
    };
    std::vector<std::string> shards;
    for (int k = 1; k <= 3; ++k)
        for (std::string& l : lines(shareOf(all, k, 3))) shards.push_back(std::move(l));
    std::sort(shards.begin(), shards.end());
    std::vector<std::string> wholeLines = lines(all);
    std::sort(wholeLines.begin(), wholeLines.end());
    EXPECT_EQ(shards, wholeLines);
}

TEST_F(ClassFolder, TheReportsHoldEveryStudentAndEveryItem) {
    ClassReport report;
    report.question = 3;
    report.caption = "Excel第一套试题";
    report.results = markClass(3, listed());
    report.copies = {{"李四", "王五", "文件内容完全相同"}};
    std::ostringstream csv, jsonl, page;
    writeCsv(report, csv);
    writeJsonLines(report, jsonl);
    writeHtml(report, page);
    const std::string c = csv.str();
    ASSERT_TRUE(c.starts_with("\xEF\xBB\xBF学生,成绩,1、单元格合并,1、单元格对齐方式,"));
    EXPECT_NE(c.find("\r\n李四,100,10,10,10,10,10,10,10,10,10,10,ended,\r\n"), std::string::npos) << c;
    EXPECT_NE(c.find("\r\n孙八,,,,,,,,,,,,file-missing,"), std::string::npos) << c;
    EXPECT_NE(c.find("\r\n赵 六,90,"), std::string::npos);
    const std::string j = jsonl.str();
    EXPECT_EQ(std::count(j.begin(), j.end(), '\n'), 9);  // eight students and the copies
    EXPECT_TRUE(j.starts_with("{\"student\": \"吴十\", \"question\": 3, \"status\": \"unreadable\""));
    EXPECT_NE(j.find("{\"copies\": [{\"students\": [\"李四\", \"王五\"], \"signal\": \"文件内容完全相同\"}]}"), std::string::npos);
    const std::string h = page.str();
    for (const char* part : {"id=\"histogram\"", "id=\"items\"", "id=\"students\"", "<script>", "赵 六", "读到："})
        EXPECT_NE(h.find(part), std::string::npos) << part;
    EXPECT_EQ(h.find("http"), std::string::npos);  // nothing fetched from a network
}

TEST(ClassReportColumns, ItemsSomeStudentsLackKeepTheirPlaceInRubricOrder) {
    StudentResult short_, full;
    short_.state.RecordItem(5, true, "1、A正确", "1、A不正确");
    short_.state.RecordItem(5, true, "3、C正确", "3、C不正确");
    full.state.RecordItem(5, true, "1、A正确", "1、A不正确");
    full.state.RecordItem(5, false, "2、B正确", "2、B不正确");
    full.state.RecordItem(5, true, "3、C正确", "3、C不正确");
    EXPECT_EQ(itemColumns({short_, full}), (std::vector<std::string>{"1、A正确", "2、B正确", "3、C正确"}));
}

}  // namespace
}  // namespace tarnwick::classroom
