// The command line as a teacher uses it: real processes, exit statuses, output.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "base/json_text.h"
#include "support/test_support.h"

namespace fs = std::filesystem;

namespace {
namespace test = tarnwick::test;

struct Ran {
    int status = -1;
    std::string out;
};

Ran run(const std::string& args) {
    Ran r;
    const std::string cmd = std::string(TARNWICK_CLI) + " " + args + " 2>&1";
    FILE* p = ::popen(cmd.c_str(), "r");
    if (!p) return r;
    char buf[4096];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) r.out.append(buf, n);
    const int st = ::pclose(p);
    r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
    return r;
}

std::string quoted(const fs::path& p) {
    std::string s = "'";
    s += p.string();
    s += '\'';
    return s;
}

TEST(Cli, ListShowsTheEightExercises) {
    const Ran r = run("list");
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("1\tWord第一套试题\tword processing\t中国航天事业.doc\n"), std::string::npos);
    EXPECT_NE(r.out.find("8\tExcel第三套试题\tspreadsheet\t企业生产数据.xls\n"), std::string::npos);
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 8);
}

TEST(Cli, TasksPrintsTheTextsWithCrLf) {
    test::TempDir tmp;
    const Ran r = run("tasks 6 --exam-dir " + quoted(tmp.path()));
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(r.out.starts_with("用frontpage2003打开" + tmp.path().string() + "下的网页文件index.htm\r\n"));
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 11);
    const Ran h = run("tasks 3 --hints");
    EXPECT_TRUE(h.out.starts_with("1、格式->单元格->对齐\r\n"));
    EXPECT_EQ(run("tasks 9").status, 2);
    EXPECT_EQ(run("frobnicate").status, 2);
}

TEST(Cli, PrepareThenMarkTheUntouchedAndTheSolvedPage) {
    test::TempDir tmp;
    const std::string dir = " --exam-dir " + quoted(tmp.path()) + " --skip-probe";
    const Ran p = run("prepare 5" + dir);
    ASSERT_EQ(p.status, 0) << p.out;
    EXPECT_EQ(std::count(p.out.begin(), p.out.end(), '\n'), 6);
    EXPECT_TRUE(p.out.starts_with(tmp.path().string() + "/index.htm\n"));

    const Ran m = run("mark 5 --json" + dir);
    EXPECT_EQ(m.status, 0);
    EXPECT_TRUE(m.out.starts_with("{\"question\": 5, \"status\": \"ended\", \"score\": 0, \"correct\": [], \"wrong\": [\"1、标题设置不正确\", "))
        << m.out;
    EXPECT_NE(m.out.find("\"verdict\": \"还没有全正确，继续努力哦！\", \"items\": [{\"number\": 1, \"points\": 10, \"passed\": false, \"message\": \"1、标题设置不正确\", \"read\": \""), std::string::npos) << m.out;

    fs::copy_file(test::dataPath("web/ex5-solution.htm"), tmp.path() / "index.htm", fs::copy_options::overwrite_existing);
    const Ran text = run("mark 5" + dir);
    EXPECT_EQ(text.status, 0);
    EXPECT_TRUE(text.out.starts_with("成绩：100\n")) << text.out;
    EXPECT_NE(text.out.find("10、链接到guanliyuan@tarnwick.example正确\n"), std::string::npos);
    EXPECT_NE(text.out.find("恭喜你全部正确！"), std::string::npos);
}

TEST(Cli, MissingPageExitsWithFourAndTheMessage) {
    test::TempDir tmp;
    const Ran r = run("mark 6 --skip-probe --exam-dir " + quoted(tmp.path()));
    EXPECT_EQ(r.status, 4);
    EXPECT_EQ(r.out, tmp.path().string() + "/index.htm不存在！请恢复试题后再做！\n");
}

TEST(Cli, ExamFolderFromTheEnvironment) {
    test::TempDir tmp;
    const std::string env = "TARNWICK_EXAM_DIR=" + quoted(tmp.path()) + " ";
    const std::string cmd = env + TARNWICK_CLI + " prepare 6 --skip-probe >/dev/null 2>&1";
    ASSERT_EQ(std::system(cmd.c_str()), 0);
    EXPECT_TRUE(fs::exists(tmp.path() / "music.mid"));
}

}  // namespace

namespace {

// Runs with standard output and standard error apart.
struct Split {
    int status = -1;
    std::string out, err;
};

Split runSplit(const std::string& args, const std::string& env = "") {
    test::TempDir tmp;
    const fs::path errFile = tmp.path() / "err";
    Split r;
    const std::string cmd = env + std::string(TARNWICK_CLI) + " " + args + " 2>" + quoted(errFile);
    FILE* p = ::popen(cmd.c_str(), "r");
    if (!p) return r;
    char buf[4096];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) r.out.append(buf, n);
    const int st = ::pclose(p);
    r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
    r.err = test::readBytes(errFile);
    return r;
}

TEST(Cli, AnEmptyExamFolderIsAUsageErrorAndNothingIsCleared) {
    test::TempDir tmp;
    test::writeBytes(tmp.path() / "keep.txt", "mine");
    // Run from inside the folder, where an empty name could be taken for "here".
    const std::string cd = "cd " + quoted(tmp.path()) + " && ";
    Split r = runSplit("prepare 5 --skip-probe --exam-dir ''", cd);
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("--exam-dir"), std::string::npos) << r.err;
    r = runSplit("prepare 5 --skip-probe", cd + "TARNWICK_EXAM_DIR= ");
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("TARNWICK_EXAM_DIR"), std::string::npos) << r.err;
    r = runSplit("mark 5 --skip-probe", cd + "TARNWICK_EXAM_DIR= HOME=" + quoted(tmp.path()) + " ");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(std::vector<fs::path>(fs::directory_iterator(tmp.path()), fs::directory_iterator()),
              std::vector<fs::path>{tmp.path() / "keep.txt"});
}

TEST(Cli, PrepareFailuresExitWithSixAndSayWhy) {
    test::TempDir tmp;
    const std::string dir = " --skip-probe --exam-dir " + quoted(tmp.path() / "MyExam");
    fs::create_directories(tmp.path() / "MyExam" / "index.htm");
    const Split r = runSplit("prepare 5" + dir);
    EXPECT_EQ(r.status, 6);
    EXPECT_NE(r.err.find((tmp.path() / "MyExam" / "index.htm").string()), std::string::npos) << r.err;
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 5);  // the other five were written
    fs::create_directory_symlink(tmp.path() / "MyExam", tmp.path() / "link");
    const Split link = runSplit("prepare 6 --skip-probe --exam-dir " + quoted(tmp.path() / "link"));
    EXPECT_EQ(link.status, 6);
    EXPECT_NE(link.err.find("链接"), std::string::npos);
    EXPECT_FALSE(fs::exists(tmp.path() / "MyExam" / "music.mid"));
}

TEST(Cli, MarkJsonAnswersForEveryOutcomeWithItsStatusAndExitCode) {
    test::TempDir tmp;
    const std::string dir = " --json --skip-probe --exam-dir " + quoted(tmp.path());
    Split r = runSplit("mark 3" + dir);
    EXPECT_EQ(r.status, 4);
    EXPECT_TRUE(r.out.starts_with("{\"question\": 3, \"status\": \"file-missing\", \"reason\": \"")) << r.out;
    EXPECT_EQ(r.out.find("\"score\""), std::string::npos);

    test::writeBytes(tmp.path() / "学生成绩表.xls", "PK\x03\x04 not a workbook");
    r = runSplit("mark 3" + dir);
    EXPECT_EQ(r.status, 5);  // marked all wrong, but the workbook could not be read
    EXPECT_TRUE(r.out.starts_with("{\"question\": 3, \"status\": \"unreadable\", \"reason\": \"这是 Excel 2007")) << r.out;
    EXPECT_NE(r.out.find("\"score\": 0"), std::string::npos);

    fs::resize_file(tmp.path() / "学生成绩表.xls", 0);
    fs::create_directory(tmp.path() / "index.htm");
    r = runSplit("mark 5" + dir);
    EXPECT_EQ(r.status, 5);
    EXPECT_TRUE(r.out.starts_with("{\"question\": 5, \"status\": \"unreadable\", \"reason\": \"")) << r.out;
    EXPECT_EQ(r.out.find("\"score\""), std::string::npos);
}

TEST(Cli, UsageMessagesAreChineseAndVersionAndListJsonAnswer) {
    const Split bad = runSplit("tasks abc");
    EXPECT_EQ(bad.status, 2);
    EXPECT_NE(bad.err.find("试题编号必须是 1 到 8 之间的整数"), std::string::npos) << bad.err;
    const Split missing = runSplit("mark");
    EXPECT_EQ(missing.status, 2);
    EXPECT_NE(missing.err.find("缺少必需的参数"), std::string::npos) << missing.err;
    const Split version = runSplit("--version");
    EXPECT_EQ(version.status, 0);
    EXPECT_TRUE(version.out.starts_with("tarnwick-cli 1.")) << version.out;
    const Split list = runSplit("list --json");
    EXPECT_EQ(list.status, 0);
    EXPECT_NE(list.out.find("{\"number\": 6, \"caption\": \"Frontpage第二套试题\", \"kind\": \"web page\", \"document\": \"index.htm\"}"),
              std::string::npos)
        << list.out;
}

}  // namespace

namespace {

// Only the command being run has its options set up; help and errors must not show it.
TEST(Cli, EveryCommandHasItsOptionsWhereverItStandsOnTheLine) {
    const Split all = runSplit("--help");
    EXPECT_EQ(all.status, 0);
    for (const char* command : {"list", "tasks", "prepare", "mark", "mark-class", "inspect", "selftest"})
        EXPECT_NE(all.out.find(command), std::string::npos) << command;
    const Split markHelp = runSplit("mark --help");
    EXPECT_EQ(markHelp.status, 0);
    EXPECT_NE(markHelp.out.find("--explain"), std::string::npos) << markHelp.out;
    EXPECT_EQ(markHelp.out.find("--hints"), std::string::npos) << markHelp.out;
    // A word before the command that is not a command, and options before it.
    EXPECT_EQ(runSplit("nonsense mark 5").status, 2);
    const Split helpFirst = runSplit("--help tasks");
    EXPECT_EQ(helpFirst.status, 0);
    EXPECT_NE(helpFirst.out.find("tasks"), std::string::npos);
    EXPECT_EQ(runSplit("mark 5 --hints").status, 2);  // another command's option
    const Split hints = runSplit("tasks 3 --hints");
    EXPECT_EQ(hints.status, 0);
    EXPECT_NE(hints.out.find("\r\n"), std::string::npos);
}

TEST(CliInspect, NamesBesideNumbersAbsentTitlesAndBorderWeights) {
    const Split r = runSplit("inspect " + quoted(test::dataPath("xls/formatted.xls")));
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("水平=居中(-4108) 垂直=靠下(-4107)"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("实线(1)/细(2)"), std::string::npos);
    const Split charts = runSplit("inspect " + quoted(test::corpusPath("xls/WithThreeCharts.xls")));
    EXPECT_NE(charts.out.find("标题=（没有标题）"), std::string::npos) << charts.out;
    EXPECT_EQ(charts.out.find("读取失败"), std::string::npos);
    const Split json = runSplit("inspect --json " + quoted(test::dataPath("xls/formatted.xls")));
    EXPECT_NE(json.out.find("\"borderWeights\": {\"left\": 2"), std::string::npos);
}

TEST(CliInspect, ErrorsAreJsonWithJsonAndAnyFileNameGivesValidJson) {
    test::TempDir tmp;
    const fs::path odd = tmp.path() / "b\xFF" "d.xls";  // a name that is not UTF-8
    test::writeBytes(odd, "not a workbook");
    const Split r = runSplit("inspect --json " + quoted(odd));
    EXPECT_EQ(r.status, 5);
    EXPECT_TRUE(r.out.starts_with("{\"file\": \"")) << r.out;
    EXPECT_NE(r.out.find("b\\ufffdd.xls\", \"error\": \""), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find('\xFF'), std::string::npos);
}

TEST(JsonText, InvalidUtf8BecomesReplacementCharactersAndValidTextStays) {
    EXPECT_EQ(tarnwick::jsonString("中文\t\"x\""), "\"中文\\t\\\"x\\\"\"");
    EXPECT_EQ(tarnwick::jsonString("a\xC0\xAF" "b"), "\"a\\ufffd\\ufffdb\"");  // an overlong '/'
    EXPECT_EQ(tarnwick::jsonString("\xED\xA0\x80"), "\"\\ufffd\\ufffd\\ufffd\"");   // a surrogate
    EXPECT_EQ(tarnwick::jsonString("\xF0\x9F\x98\x80"), "\"\xF0\x9F\x98\x80\"");
    EXPECT_EQ(tarnwick::jsonString("\xE4\xB8"), "\"\\ufffd\\ufffd\"");  // cut at the end
}

}  // namespace

namespace {

TEST(CliExplain, EachWrongLineIsFollowedByWhatWasReadAndWanted) {
    test::TempDir tmp;
    const std::string dir = " --skip-probe --exam-dir " + quoted(tmp.path());
    ASSERT_EQ(runSplit("prepare 3" + dir).status, 0);
    const Split r = runSplit("mark 3 --explain" + dir);
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("3、字体设置不正确\n    读到：宋体；应为：隶书\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("4、总分计算不正确\n    读到：空，空；应为：=SUM(D3:G3)，=SUM(D21:G21)\n"), std::string::npos) << r.out;
    const Split j = runSplit("mark 3 --json" + dir);
    EXPECT_NE(j.out.find("{\"number\": 3, \"points\": 10, \"passed\": false, \"message\": \"3、字体设置不正确\", \"read\": \"宋体\", \"expected\": \"隶书\"}"),
              std::string::npos)
        << j.out;
}

}  // namespace

namespace {

TEST(CliMarkClass, AClassFolderMarkedInOneCommandWithItsReports) {
    test::TempDir tmp;
    const fs::path dir = tmp.path() / "班级 一";
    fs::create_directories(dir);
    fs::copy_file(test::dataPath("web/ex5-solution.htm"), dir / "王 五.htm");
    test::writeBytes(dir / "张三.htm", "<html></html>");
    // A 100 MB file: refused with its reason, the class goes on.
    test::writeBytes(dir / "大文件.htm", "");
    fs::resize_file(dir / "大文件.htm", 100u << 20);
    const Split r = runSplit("mark-class 5 " + quoted(dir) + " --quiet --csv " + quoted(tmp.path() / "c.csv") +
                             " --report " + quoted(tmp.path() / "r.html") + " --jobs 2");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");  // quiet: no progress line
    EXPECT_NE(r.out.find("王 五\t100\tended\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("张三\t0\tended\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("大文件\t\tunreadable\t网页文件太大"), std::string::npos) << r.out;
    EXPECT_TRUE(test::readBytes(tmp.path() / "c.csv").starts_with("\xEF\xBB\xBF学生,成绩,1、标题设置,"));
    EXPECT_NE(test::readBytes(tmp.path() / "r.html").find("<h2>分数分布</h2>"), std::string::npos);
    const Split json = runSplit("mark-class 5 " + quoted(dir) + " --json --shard 2/3");
    EXPECT_EQ(std::count(json.out.begin(), json.out.end(), '\n'), 1);  // the second of three students
    EXPECT_TRUE(json.out.starts_with("{\"student\": \"张三\", \"question\": 5,")) << json.out;
    EXPECT_NE(json.err.find("已评 1 / 1"), std::string::npos);
}

TEST(CliMarkClass, AMissingFolderABadShardOrAnUnwritableReportIsSaidAndExits) {
    test::TempDir tmp;
    const Split missing = runSplit("mark-class 3 " + quoted(tmp.path() / "none"));
    EXPECT_EQ(missing.status, 4);
    EXPECT_NE(missing.err.find("找不到班级文件夹"), std::string::npos);
    EXPECT_EQ(runSplit("mark-class 3 " + quoted(tmp.path()) + " --shard 4/3").status, 2);
    EXPECT_EQ(runSplit("mark-class 3 " + quoted(tmp.path()) + " --shard x").status, 2);
    // A report that cannot be written is said, and the class is not reported as done.
    const Split unwritable =
        runSplit("mark-class 3 " + quoted(tmp.path()) + " --quiet --csv " + quoted(tmp.path() / "none" / "c.csv"));
    EXPECT_EQ(unwritable.status, 6);
    EXPECT_NE(unwritable.err.find("无法写入"), std::string::npos) << unwritable.err;
}

}  // namespace
