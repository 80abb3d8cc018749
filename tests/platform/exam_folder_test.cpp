#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

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

// Sets an environment variable for one scope and puts the old value back.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        const char* old = std::getenv(name);
        had_ = old != nullptr;
        if (had_) old_ = old;
        if (value) ::setenv(name, value, 1);
        else ::unsetenv(name);
    }
    ~ScopedEnv() {
        if (had_) ::setenv(name_, old_.c_str(), 1);
        else ::unsetenv(name_);
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* name_;
    bool had_ = false;
    std::string old_;
};

TEST(ExamFolder, EnvironmentVariableReplacesTheDefault) {
    {
        ScopedEnv env("TARNWICK_EXAM_DIR", "/srv/exam/");
        EXPECT_EQ(defaultExamFolder()->shown, "/srv/exam");
    }
    ScopedEnv env("TARNWICK_EXAM_DIR", nullptr);
    ScopedEnv home("HOME", "/home/student");
    EXPECT_EQ(defaultExamFolder()->path, "/home/student/MyExam");
}

TEST(ExamFolder, AnEmptyVariableOrNoHomeIsAnErrorNotSomeOtherFolder) {
    {
        // An unset shell variable expands to nothing: that must not mean "the default folder".
        ScopedEnv env("TARNWICK_EXAM_DIR", "");
        const auto f = defaultExamFolder();
        ASSERT_FALSE(f.ok());
        EXPECT_NE(f.error().message.find("TARNWICK_EXAM_DIR"), std::string::npos);
    }
    ScopedEnv env("TARNWICK_EXAM_DIR", nullptr);
    for (const char* home : {static_cast<const char*>(nullptr), ""}) {
        ScopedEnv h("HOME", home);
        const auto f = defaultExamFolder();
        ASSERT_FALSE(f.ok()) << "not ./MyExam";
        EXPECT_NE(f.error().message.find("HOME"), std::string::npos);
        EXPECT_FALSE(homeFolder().has_value());
    }
}

}  // namespace
}  // namespace tarnwick::platform
