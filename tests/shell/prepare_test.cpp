#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "resources/embedded.h"
#include "shell/exercise_files.h"
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
    EXPECT_EQ(exerciseFiles(5).size(), 6u);
    EXPECT_EQ(exerciseFiles(6).size(), 7u);
    EXPECT_EQ(exerciseFiles(1).size(), 2u);
    EXPECT_TRUE(exerciseFiles(0).empty());
    // The two web exercises are embedded in full; bj and music are the same tune.
    for (int n : {5, 6})
        for (const auto& f : exerciseFiles(n)) EXPECT_TRUE(resources::find(f.type, f.name).has_value()) << f.fileName;
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

TEST(Prepare, AnExamFolderThatIsALinkIsNeverClearedThroughTheLink) {
    test::TempDir tmp;
    fs::create_directory(tmp.path() / "elsewhere");
    test::writeBytes(tmp.path() / "elsewhere" / "precious.txt", "keep");
    fs::create_directory_symlink(tmp.path() / "elsewhere", tmp.path() / "MyExam");
    const PrepareReport r = prepareExercise(6, platform::posixSpelling(tmp.path() / "MyExam"), nullptr);
    EXPECT_EQ(r.deleted, 0);
    EXPECT_EQ(test::readBytes(tmp.path() / "elsewhere" / "precious.txt"), "keep");
    EXPECT_EQ(r.written.size(), 7u);  // the exercise's own files are still written
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

TEST(Prepare, AFileThatCannotBeReplacedIsSkippedSilently) {
    test::TempDir tmp;
    const auto folder = platform::posixSpelling(tmp.path());
    // A folder named like the page can neither be deleted by the clear nor written over.
    fs::create_directory(folder.path / "index.htm");
    const PrepareReport r = prepareExercise(5, folder, nullptr);
    EXPECT_FALSE(r.refused);
    EXPECT_EQ(r.failed, (std::vector<std::string>{"index.htm"}));
    EXPECT_EQ(r.written.size(), 5u);
    EXPECT_TRUE(fs::is_directory(folder.path / "index.htm"));
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
    EXPECT_EQ(prepareRefusal(ExerciseKind::WordProcessing), "你没有关闭Word现在不能开始答题哦！请先关闭哦！");
    EXPECT_EQ(prepareRefusal(ExerciseKind::Spreadsheet), "你没有关闭Excel，现在不能开始答题哦！请先关闭哦！");
}

}  // namespace
}  // namespace tarnwick::shell
