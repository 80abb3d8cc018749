#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>

#include <filesystem>
#include <set>

#include "resources/embedded.h"
#include "exercises/exercise_files.h"
#include "platform/file_io.h"
#include "shell/prepare.h"
#include "support/fake_probe.h"
#include "support/test_support.h"

namespace fs = std::filesystem;

namespace tarnwick::shell {
namespace {

using test::FakeProbe;

std::vector<std::string> listing(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir)) {
        const auto u8 = e.path().filename().u8string();
        names.emplace_back(u8.begin(), u8.end());
    }
    std::sort(names.begin(), names.end());
    return names;
}

TEST(ExerciseFiles, EveryFileOfEveryExerciseWithAnEmbeddedResourceIsNamedInTheTable) {
    EXPECT_EQ(exercises::exerciseFiles(5).size(), 6u);
    EXPECT_EQ(exercises::exerciseFiles(6).size(), 7u);
    EXPECT_EQ(exercises::exerciseFiles(1).size(), 2u);
    EXPECT_TRUE(exercises::exerciseFiles(0).empty());
    // The two web exercises are embedded in full; bj and music are the same tune.
    for (int n : {5, 6})
        for (const auto& f : exercises::exerciseFiles(n)) EXPECT_TRUE(resources::find(f.type, f.name).has_value()) << f.fileName;
    const auto bj = resources::find("MID", "bj"), music = resources::find("mid", "MUSIC");
    ASSERT_TRUE(bj && music);
    EXPECT_TRUE(std::equal(bj->begin(), bj->end(), music->begin(), music->end()));
    // Names are matched without regard to case; types and names are distinct keys.
    EXPECT_TRUE(resources::find("htm", "INDEX1").has_value());
    EXPECT_FALSE(resources::find("JPG", "index1").has_value());
}

TEST(Prepare, WritesTheFilesOfTheExerciseInOrderByteForByte) {
    test::TempDir tmp;
    const auto folder = platform::posixSpelling(tmp.path() / "MyExam");  // created by the run
    const PrepareReport r = prepareExercise(6, folder, nullptr);
    ASSERT_FALSE(r.refused);
    EXPECT_EQ(r.written, (std::vector<std::string>{"index.htm", "beijing.gif", "qunto.gif", "beijing.jpg",
                                                    "qunto.jpg", "list.htm", "music.mid"}));
    EXPECT_TRUE(r.failed.empty());
    EXPECT_EQ(listing(folder.path).size(), 7u);
    const auto gif = resources::find("GIF", "qunto");
    const std::string onDisk = test::readBytes(folder.path / "qunto.gif");
    EXPECT_EQ(onDisk, std::string(reinterpret_cast<const char*>(gif->data()), gif->size()));
    EXPECT_EQ(onDisk.substr(0, 3), "\xFF\xD8\xFF");  // a JPEG picture under a .gif name
}

TEST(Prepare, ClearsFilesOfOtherExercisesButKeepsSubFoldersAndLinkTargets) {
    test::TempDir tmp;
    const auto folder = platform::posixSpelling(tmp.path() / "MyExam");
    fs::create_directories(folder.path / "sub");
    test::writeBytes(folder.path / "sub" / "keep.txt", "mine");
    test::writeBytes(folder.path / "old.doc", "edited");
    const fs::path outside = tmp.path() / "outside.txt";
    test::writeBytes(outside, "do not touch");
    fs::create_symlink(outside, folder.path / "link.htm");
    fs::create_directory_symlink(tmp.path(), folder.path / "dirlink");

    ASSERT_FALSE(prepareExercise(6, folder, nullptr).refused);
    const PrepareReport r = prepareExercise(5, folder, nullptr);
    EXPECT_EQ(r.written.size(), 6u);
    EXPECT_EQ(listing(folder.path), (std::vector<std::string>{"biaotou.jpg", "bj.mid", "index.htm", "longshui.jpg",
                                                               "miaohui.jpg", "sub", "varnex.htm"}));
    EXPECT_EQ(test::readBytes(folder.path / "sub" / "keep.txt"), "mine");
    EXPECT_EQ(test::readBytes(outside), "do not touch");
    EXPECT_TRUE(fs::exists(tmp.path() / "outside.txt"));
}

TEST(Prepare, AnExamFolderThatIsALinkIsRefusedAndNothingChanges) {
    test::TempDir tmp;
    fs::create_directory(tmp.path() / "elsewhere");
    test::writeBytes(tmp.path() / "elsewhere" / "precious.txt", "keep");
    fs::create_directory_symlink(tmp.path() / "elsewhere", tmp.path() / "MyExam");
    const PrepareReport r = prepareExercise(6, platform::posixSpelling(tmp.path() / "MyExam"), nullptr);
    EXPECT_NE(r.problem.find("链接"), std::string::npos) << r.problem;
    EXPECT_FALSE(r.complete());
    EXPECT_EQ(r.deleted, 0);
    EXPECT_TRUE(r.written.empty());  // nothing is written through the link either
    EXPECT_EQ(listing(tmp.path() / "elsewhere"), std::vector<std::string>{"precious.txt"});
}

// The build's files, less the tune of the first web exercise.
std::optional<std::span<const unsigned char>> withoutTheTune(std::string_view type, std::string_view name) {
    if (type == "MID" && name == "bj") return std::nullopt;
    return resources::find(type, name);
}

TEST(Prepare, AnExerciseWhoseFilesAreNotAllInTheBuildTouchesNothing) {
    test::TempDir tmp;
    const auto folder = platform::posixSpelling(tmp.path());
    ASSERT_TRUE(prepareExercise(3, folder, nullptr).complete());
    const PrepareReport r = prepareExercise(5, folder, nullptr, &withoutTheTune);
    EXPECT_FALSE(r.problem.empty());
    EXPECT_TRUE(r.written.empty());
    EXPECT_EQ(listing(folder.path), std::vector<std::string>{"学生成绩表.xls"});
    EXPECT_TRUE(prepareExercise(6, folder, nullptr, &withoutTheTune).complete());  // its tune is "music"
}

TEST(Prepare, HiddenEntriesAndSubFoldersSurviveAPipeIsRemovedNotOpened) {
    test::TempDir tmp;
    const auto folder = platform::posixSpelling(tmp.path());
    test::writeBytes(folder.path / ".bashrc", "mine");
    fs::create_directory(folder.path / ".config");
    // A pipe named like the page: opening it to write would wait for a reader for ever.
    ASSERT_EQ(::mkfifo((folder.path / "index.htm").c_str(), 0600), 0);
    ASSERT_EQ(::mkfifo((folder.path / "other.pipe").c_str(), 0600), 0);
    const PrepareReport r = prepareExercise(5, folder, nullptr);
    EXPECT_TRUE(r.complete()) << r.problem;
    EXPECT_EQ(test::readBytes(folder.path / ".bashrc"), "mine");
    EXPECT_TRUE(fs::is_directory(folder.path / ".config"));
    EXPECT_TRUE(fs::is_regular_file(folder.path / "index.htm"));
    EXPECT_FALSE(fs::exists(folder.path / "other.pipe"));
}

TEST(Prepare, WritingNeverOpensAPipeOrFollowsALink) {
    test::TempDir tmp;
    const unsigned char bytes[] = {'x'};
    ASSERT_EQ(::mkfifo((tmp.path() / "pipe").c_str(), 0600), 0);
    EXPECT_FALSE(platform::writeFile(tmp.path() / "pipe", bytes));
    test::writeBytes(tmp.path() / "target", "keep");
    fs::create_symlink(tmp.path() / "target", tmp.path() / "link");
    EXPECT_FALSE(platform::writeFile(tmp.path() / "link", bytes));
    EXPECT_EQ(test::readBytes(tmp.path() / "target"), "keep");
    EXPECT_TRUE(platform::writeFile(tmp.path() / "new", bytes));
    EXPECT_EQ(test::readBytes(tmp.path() / "new"), "x");
}

TEST(Prepare, TheHomeFolderARootAFileOrAMissingParentAreRefused) {
    test::TempDir tmp;
    EXPECT_NE(examFolderProblem(platform::posixSpelling("/")).find("根文件夹"), std::string::npos);
    {
        const char* old = std::getenv("HOME");
        const std::string saved = old ? old : "";
        ::setenv("HOME", (tmp.path().string() + "/").c_str(), 1);
        test::writeBytes(tmp.path() / "notes.txt", "mine");
        const PrepareReport r = prepareExercise(5, platform::examFolderAt(tmp.path() / "."), nullptr);
        if (old) ::setenv("HOME", saved.c_str(), 1);
        else ::unsetenv("HOME");
        EXPECT_NE(r.problem.find("主文件夹"), std::string::npos) << r.problem;
        EXPECT_EQ(listing(tmp.path()), std::vector<std::string>{"notes.txt"});
    }
    test::writeBytes(tmp.path() / "MyExam", "a file");
    EXPECT_NE(prepareExercise(5, platform::posixSpelling(tmp.path() / "MyExam"), nullptr).problem.find("是一个文件"),
              std::string::npos);
    // Only the folder itself is created, never a missing parent (a missing home stays missing).
    const PrepareReport r = prepareExercise(5, platform::posixSpelling(tmp.path() / "gone" / "MyExam"), nullptr);
    EXPECT_NE(r.problem.find("无法创建"), std::string::npos) << r.problem;
    EXPECT_FALSE(fs::exists(tmp.path() / "gone"));
}

TEST(Prepare, StartingAgainDiscardsTheStudentsEdits) {
    test::TempDir tmp;
    const auto folder = platform::posixSpelling(tmp.path());
    prepareExercise(5, folder, nullptr);
    test::writeBytes(folder.path / "index.htm", "edited page");
    prepareExercise(5, folder, nullptr);
    const auto page = resources::find("HTM", "Index1");
    EXPECT_EQ(test::readBytes(folder.path / "index.htm"), std::string(reinterpret_cast<const char*>(page->data()), page->size()));
}

TEST(Prepare, AFileThatCannotBeWrittenIsReportedAndTheRestAreWritten) {
    test::TempDir tmp;
    const auto folder = platform::posixSpelling(tmp.path());
    // A folder named like the page can neither be deleted by the clear nor written over.
    fs::create_directory(folder.path / "index.htm");
    const PrepareReport r = prepareExercise(5, folder, nullptr);
    EXPECT_FALSE(r.refused);
    EXPECT_FALSE(r.complete());
    EXPECT_EQ(r.failed, (std::vector<std::string>{"index.htm"}));
    EXPECT_EQ(r.written.size(), 5u);
    EXPECT_TRUE(fs::is_directory(folder.path / "index.htm"));
    const std::string box = notWrittenMessage(r, folder);
    EXPECT_NE(box.find("\r\n" + (folder.path / "index.htm").string()), std::string::npos) << box;
}

TEST(Prepare, RunningApplicationOfTheKindRefusesAndTouchesNothing) {
    test::TempDir tmp;
    const auto folder = platform::posixSpelling(tmp.path());
    test::writeBytes(folder.path / "work.doc", "student work");
    FakeProbe probe;
    probe.running = {platform::OfficeApp::FrontPage};
    const PrepareReport r = prepareExercise(6, folder, &probe);
    EXPECT_TRUE(r.refused);
    EXPECT_EQ(r.refusal, "你没有关闭FrontPage，现在不能开始答题哦！请先关闭哦！");
    EXPECT_EQ(listing(folder.path), std::vector<std::string>{"work.doc"});
    // Only the kind of the chosen exercise is probed: Word running does not stop a web exercise.
    probe.running = {platform::OfficeApp::Word, platform::OfficeApp::Excel};
    probe.asked.clear();
    EXPECT_FALSE(prepareExercise(5, folder, &probe).refused);
    EXPECT_EQ(probe.asked, std::vector<platform::OfficeApp>{platform::OfficeApp::FrontPage});
    EXPECT_EQ(prepareRefusal(exercises::ExerciseKind::WordProcessing), "你没有关闭Word现在不能开始答题哦！请先关闭哦！");
    EXPECT_EQ(prepareRefusal(exercises::ExerciseKind::Spreadsheet), "你没有关闭Excel，现在不能开始答题哦！请先关闭哦！");
}

}  // namespace
}  // namespace tarnwick::shell
