// tarnwick-cli selftest as real processes: the task texts, the starting workbooks, marking with
// and without --json, and the exit statuses.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <string>

#include "selftest/kestrum.h"
#include "selftest/vorlane.h"
#include "selftest_files.h"

namespace tarnwick::selftest {
namespace {

struct Ran {
    int status = -1;
    std::string out;
};

// Runs tarnwick-cli with `args`; standard error is kept apart (and dropped) unless asked for.
Ran cli(const std::string& args, bool withErrors = false) {
    Ran r;
    const std::string cmd = std::string(TARNWICK_CLI) + " " + args + (withErrors ? " 2>&1" : " 2>/dev/null");
    FILE* p = ::popen(cmd.c_str(), "r");
    if (!p) return r;
    char buf[4096];
    for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, p)) > 0;) r.out.append(buf, n);
    const int st = ::pclose(p);
    r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
    return r;
}

std::string quoted(const std::filesystem::path& p) { return "'" + p.string() + "'"; }

TEST(SelftestCli, TasksPrintTheTaskTextAsItIs) {
    EXPECT_EQ(cli("selftest vorlane tasks").out, kVorlaneTaskText);
    const Ran k = cli("selftest kestrum tasks");
    EXPECT_EQ(k.status, 0);
    EXPECT_EQ(k.out, kKestrumTaskText);
}

TEST(SelftestCli, WorkbookWritesTheStartingWorkbookIntoTheFolder) {
    test::TempDir dir;
    for (const Program* p : {&vorlane(), &kestrum()}) {
        const auto folder = dir.path() / "new" / std::string(p->id);
        const Ran r = cli("selftest " + std::string(p->id) + " workbook " + quoted(folder));
        EXPECT_EQ(r.status, 0);
        const auto written = folder / test::u8path(p->workbook);
        EXPECT_EQ(r.out, written.string() + "\n");
        EXPECT_EQ(test::readBytes(written), test::readBytes(test_files::starting(*p)));
    }
    // A file where the folder should be.
    test::writeBytes(dir.path() / "file", "x");
    EXPECT_EQ(cli("selftest vorlane workbook " + quoted(dir.path() / "file")).status, 6);
}

TEST(SelftestCli, MarkPrintsTheResultTextOrOneJsonObject) {
    const Ran untouched = cli("selftest kestrum mark " + quoted(test_files::starting(kestrum())));
    EXPECT_EQ(untouched.status, 0);
    EXPECT_TRUE(untouched.out.starts_with("A列的列宽应设置为12\r\n用户门号不对\r\n"));
    EXPECT_TRUE(untouched.out.ends_with("请插入图表\r\n你的得分为 5分\n"));

    const Ran solved = cli("selftest vorlane mark " + quoted(test_files::solution("vorlane-solution.xls")));
    EXPECT_EQ(solved.out, "你的得分为 100分\n");

    const Ran json = cli("selftest kestrum mark --json " + quoted(test_files::solution("kestrum-series-in-rows.xls")));
    EXPECT_EQ(json.status, 0);
    EXPECT_TRUE(json.out.starts_with(
        "{\"program\": \"kestrum\", \"score\": 90, \"faults\": [\"数据区域不对\", \"数据系列应设置为列\"], "
        "\"text\": \"数据区域不对\\r\\n数据系列应设置为列\\r\\n你的得分为 90分\", \"items\": ["))
        << json.out;
    // Each item says what it read: the series in rows read as rows.
    EXPECT_NE(json.out.find("\"passed\": false, \"message\": \"数据系列应设置为列\", \"read\": \"行\", \"expected\": \"列\""),
              std::string::npos);
}

TEST(SelftestCli, ExitStatusesForMissingUnreadableAndWrongUse) {
    test::TempDir dir;
    const Ran missing = cli("selftest vorlane mark " + quoted(dir.path() / "none.xls"), true);
    EXPECT_EQ(missing.status, 4);
    EXPECT_NE(missing.out.find("找不到工作簿"), std::string::npos);
    const Ran missingJson = cli("selftest vorlane mark --json " + quoted(dir.path() / "none.xls"));
    EXPECT_TRUE(missingJson.out.starts_with("{\"program\": \"vorlane\", \"reason\": \"找不到工作簿"));

    test::writeBytes(dir.path() / "bad.xls", std::string(600, 'x'));
    EXPECT_EQ(cli("selftest kestrum mark " + quoted(dir.path() / "bad.xls")).status, 5);
    // The solution with its sheet renamed Sheet9 (the name's bytes patched in the sheet list).
    std::string renamed = test::readBytes(test_files::solution("vorlane-solution.xls"));
    for (std::size_t at; (at = renamed.find("Sheet1")) != std::string::npos;) renamed[at + 5] = '9';
    test::writeBytes(dir.path() / "renamed.xls", renamed);
    const Ran noSheet = cli("selftest vorlane mark " + quoted(dir.path() / "renamed.xls"), true);
    EXPECT_EQ(noSheet.status, 5);
    EXPECT_EQ(noSheet.out, "工作簿“renamed.xls”无法评分：工作簿中没有名为“Sheet1”的工作表。\n");

    for (const char* args : {"selftest", "selftest vorlane", "selftest frobnic tasks", "selftest vorlane grade x",
                             "selftest vorlane mark", "selftest vorlane tasks extra", "selftest vorlane tasks --json",
                             "selftest kestrum workbook", "selftest kestrum mark ''"})
        EXPECT_EQ(cli(args).status, 2) << args;
}

}  // namespace
}  // namespace tarnwick::selftest
