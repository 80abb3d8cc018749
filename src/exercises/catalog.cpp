#include "exercises/catalog.h"

namespace tarnwick::exercises {
namespace {

constexpr Exercise kExercises[] = {
    {1, "Option1", "Word第一套试题", ExerciseKind::WordProcessing, "中国航天事业.doc", 8},
    {2, "Option2", "Word第二套试题", ExerciseKind::WordProcessing, "九寨童话世界.doc", 7},
    {3, "Option3", "Excel第一套试题", ExerciseKind::Spreadsheet, "学生成绩表.xls", 7},
    {4, "Option4", "Excel第二套试题", ExerciseKind::Spreadsheet, "工资表.xls", 10},
    {5, "Option5", "Frontpage第一套试题", ExerciseKind::WebPage, "index.htm", 10},
    {6, "Option6", "Frontpage第二套试题", ExerciseKind::WebPage, "index.htm", 10},
    {7, "Option7", "Word第三套试题", ExerciseKind::WordProcessing, "Tenbury二中赋.doc", 7},
    {8, "Option8", "Excel第三套试题", ExerciseKind::Spreadsheet, "企业生产数据.xls", 7},
};

}  // namespace

std::span<const Exercise> catalog() { return kExercises; }

const Exercise* findExercise(int number) {
    if (number < 1 || number > 8) return nullptr;
    return &kExercises[number - 1];
}

std::string_view kindName(ExerciseKind kind) {
    switch (kind) {
        case ExerciseKind::WordProcessing: return "word processing";
        case ExerciseKind::Spreadsheet: return "spreadsheet";
        case ExerciseKind::WebPage: return "web page";
    }
    return "";
}

platform::OfficeApp officeAppOf(ExerciseKind kind) {
    switch (kind) {
        case ExerciseKind::WordProcessing: return platform::OfficeApp::Word;
        case ExerciseKind::Spreadsheet: return platform::OfficeApp::Excel;
        case ExerciseKind::WebPage: return platform::OfficeApp::FrontPage;
    }
    return platform::OfficeApp::FrontPage;
}

}  // namespace tarnwick::exercises
