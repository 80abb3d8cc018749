#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/exam_folder.h"

namespace tarnwick::platform {
namespace {

TEST(ExamFolder, WindowsSpellingIsTheFixedText) {
    const ExamFolder f = windowsSpelling("c:\\MyExam");
    EXPECT_EQ(f.shownFile("工资表.xls"), "c:\\MyExam\\工资表.xls");
    EXPECT_EQ(f.shownLower, "c:\\myexam");
}

TEST(ExamFolder, GivenFoldersAreShownAsTheirRealAbsolutePath) {
    EXPECT_EQ(examFolderAt("/tmp/ex/").shownFile("index.htm"), "/tmp/ex/index.htm");
    EXPECT_EQ(examFolderAt("/tmp/./a/../ex").shown, "/tmp/ex");
    const ExamFolder relative = examFolderAt("ex");
    EXPECT_TRUE(relative.path.is_absolute());
    EXPECT_EQ(relative.path.filename(), "ex");
    EXPECT_EQ(examFolderAt("/").shown, "/");
}

TEST(ExamFolder, EnvironmentVariableReplacesTheDefault) {
    const char* old = std::getenv("TARNWICK_EXAM_DIR");
    const std::string saved = old ? old : "";
    ::setenv("TARNWICK_EXAM_DIR", "/srv/exam/", 1);
    EXPECT_EQ(defaultExamFolder().shown, "/srv/exam");
    ::unsetenv("TARNWICK_EXAM_DIR");
    EXPECT_EQ(defaultExamFolder().path.filename(), "MyExam");
    if (old) ::setenv("TARNWICK_EXAM_DIR", saved.c_str(), 1);
}

}  // namespace
}  // namespace tarnwick::platform
