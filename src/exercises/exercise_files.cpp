#include "exercises/exercise_files.h"

namespace tarnwick::exercises {
namespace {

constexpr ExerciseFile kFiles1[] = {
    {1, "JPG", "101", "earth.jpg"},
    {1, "DOC", "102", "中国航天事业.doc"},
};
constexpr ExerciseFile kFiles2[] = {
    {2, "DOC", "103", "九寨童话世界.doc"},
};
constexpr ExerciseFile kFiles7[] = {
    {7, "JPG", "qvor", "qvor.jpg"},
    {7, "DOC", "qvor", "Tenbury二中赋.doc"},
};
constexpr ExerciseFile kFiles3[] = {
    {3, "XLS", "101", "学生成绩表.xls"},
};
constexpr ExerciseFile kFiles8[] = {
    {8, "XLS", "103", "企业生产数据.xls"},
};
constexpr ExerciseFile kFiles4[] = {
    {4, "XLS", "102", "工资表.xls"},
};
constexpr ExerciseFile kFiles5[] = {
    {5, "HTM", "Index1", "index.htm"},
    {5, "JPG", "biaotou", "biaotou.jpg"},
    {5, "JPG", "longshui", "longshui.jpg"},
    {5, "JPG", "miaohui", "miaohui.jpg"},
    {5, "HTM", "varnex", "varnex.htm"},
    {5, "MID", "bj", "bj.mid"},
};
constexpr ExerciseFile kFiles6[] = {
    {6, "HTM", "Index", "index.htm"},
    {6, "GIF", "beijing", "beijing.gif"},
    {6, "GIF", "qunto", "qunto.gif"},
    {6, "JPG", "beijing", "beijing.jpg"},
    {6, "JPG", "qunto", "qunto.jpg"},
    {6, "HTM", "101", "list.htm"},
    {6, "MID", "music", "music.mid"},
};

}  // namespace

std::span<const ExerciseFile> exerciseFiles(int number) {
    switch (number) {
        case 1: return kFiles1;
        case 2: return kFiles2;
        case 3: return kFiles3;
        case 4: return kFiles4;
        case 5: return kFiles5;
        case 6: return kFiles6;
        case 7: return kFiles7;
        case 8: return kFiles8;
        default: return {};
    }
}

}  // namespace tarnwick::exercises
