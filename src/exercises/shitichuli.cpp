#include "exercises/shitichuli.h"

#include <span>
#include <string_view>

#include "exercises/catalog.h"

namespace tarnwick::exercises {
namespace {

struct TaskLine {
    std::string_view task;  // empty: the contact task of the first web exercise, built below
    std::string_view hint;
};

constexpr TaskLine kTasks1[] = {
    {"1、将标题设为黑体、字号设为三号", "1、格式->字体"},
    {"2、将标题的颜色设为红色，字形设为加粗", "2、格式->字体"},
    {"3、将标题设为居中对齐，间距设为段后2行", "3、格式->段落"},
    {"4、将第一段文字设为首行缩进2字符，行距设为固定值18磅", "4、格式->段落"},
    {"5、将正文的段落设置为左缩进2字符，并将正文中所有的“国家”替换为“state”", "5、格式->段落，编辑->替换"},
    {"6、将文章纸张大小设为16K，方向设为横向，左右边距为2厘米", "6、文件->页面设置"},
    {"7、在文章末尾插入图片“c:\\MyExam\\earth.jpg”，设置环绕方式为紧密型", "7、插入->图片->来自文件，环绕方式在图片工具栏或对话框设置"},
    {"8、在文章末尾插入艺术字“中国航天事业雄起”，设置环绕方式为四周型", "8、插入->图片->艺术字，环绕方式在艺术字工具栏或对话框设置"},
};

constexpr TaskLine kTasks2[] = {
    {"1、进入页面设置，把纸张大小设置为A4，上、下边距都设置为2厘米。", "1、文件->页面设置"},
    {"2、把标题的字体设置为楷体，大小设置为23磅，字符颜色为绿色，字形为加粗，段落对齐方式为居中", "2、格式->字体   格式->段落"},
    {"3、将第一段的段落方式设置为首行缩进2字符，行距1.5倍行距，段前2行，段落对齐方式为左对齐", "3、格式->段落"},
    {"4、将第二段中的文字设置下划线，并倾斜", "4、格式->字体"},
    {"5、将第一张图片设置环绕方式为四周型环绕、右对齐，", "5、图片设置对话框"},
    {"6、把文章中的艺术字样式设置成三行一列、文字环绕方式为紧密型环绕", "6、艺术字工具栏"},
    {"7、加上页眉“九寨”", "7、视图->页眉页脚"},
};

constexpr TaskLine kTasks3[] = {
    {"1、将标题所在单元格区域“A1：H1”合并居中，垂直对齐设为“靠下”", "1、格式->单元格->对齐"},
    {"2、将标题行高设置为20", "2、格式->行->行高"},
    {"3、将标题文字字体设置为隶书、字号15磅、加粗", "3、格式->单元格->字体"},
    {"4、使用函数计算每个同学的总分", "4、插入->函数->sum函数"},
    {"5、按总分由高到低进行排序。", "5、数据->排序"},
    {"6、使用函数在单科成绩后面计算出各科平均分", "6、插入->函数->average函数"},
    {"7、对求出的平均分保留2位小数", "7、格式->单元格->数字"},
};

constexpr TaskLine kTasks4[] = {
    {"1、将标题所在单元格区域“A1：H1”合并", "1、格式->单元格->对齐"},
    {"2、将表中的每一个单元格的数据都设置成水平和垂直，均居中", "2、格式->单元格->对齐"},
    {"3、将标题文字字体设置为楷体、倾斜、红色", "3、格式->单元格->字体"},
    {"4、使用函数计算每个工人的总收入", "4、插入->函数->sum函数"},
    {"5、按总收入由低到高进行排序", "5、数据->排序"},
    {"6、使用公式计算每个工人的应交税，税率按总收入的5%计算", "6、=G3*0.05"},
    {"7、对求出的应交税保留1位小数", "7、格式->单元格->数字"},
    {"8、在G22单元格内用函数计算出总收入的平均值", "8、插入->函数->sum函数"},
    {"9、将计算出的总收入平均值保留整数", "9、格式->单元格->数字"},
    {"10、将第一列列宽设置为5", "10、格式->列->列宽"},
};

constexpr TaskLine kTasks5[] = {
    {"1、将网页标题设置为“Tenbury”", "1、右键->网页属性……->常规"},
    {"2、给网页加背景音乐“bj.mid”", "2、右键->网页属性……->常规"},
    {"3、将网页的左边距设置为5像素", "3、右键->网页属性……->高级"},
    {"4、在“川南玉米之乡——Tenbury”的上方插入一条水平线,并设置粗细为4", "4、插入->水平线   对水平线点右键->水平线属性……"},
    {"5、将表格的边框粗细设置为2", "5、表格上点右键->表格属性"},
    {"6、将表格的边框颜色设为褐紫红色", "6、表格上点右键->表格属性"},
    {"7、将表格的背景颜色设置为银白色", "7、表格上点右键->表格属性"},
    {"8、在右边空白单元格内插入图片“miaohui.jpg”", "8、插入->图片->来自文件……"},
    {"9、将单元格左上角图片“龙冲浪”链接到“varnex.htm”", "9、选中图片->右键->超链接……"},
    {"", "10、选中“联系管理员”->右键->超链接……"},
};

constexpr TaskLine kTasks6[] = {
    {"1、将网页标题设置为“Brathel介绍”", "1、右键->网页属性……->常规"},
    {"2、给网页加背景音乐“music.mid”", "2、右键->网页属性……->常规"},
    {"3、把图片“beijing.gif”设置为网页背景", "3、右键->网页属性……->格式"},
    {"4、将网页的上边距设置为5像素", "4、右键->网页属性……->高级"},
    {"5、在表格的上方插入一条水平线", "5、插入->水平线"},
    {"6、将大表格的边框粗细设置为2", "6、外表格上点右键->表格属性"},
    {"7、将大表格的边框颜色设为蓝色", "7、外表格上点右键->表格属性"},
    {"8、在左上角空白单元格内插入图片“qunto.gif”", "8、插入->图片->来自文件……"},
    {"9、把文字“主要诗作”链接到“list.htm”", "9、选中“主要诗作”->右键->超链接……"},
    {"10、将嵌套的表格（主要诗作列表）背景设置为褐紫红色", "10、内表格上点右键->表格属性"},
};

constexpr TaskLine kTasks7[] = {
    {"1、进入页面设置，把纸张大小设置为B4，左、右边距都设置为2厘米。", "1、文件->页面设置"},
    {"2、把标题的字体设置为隶书，大小设置为21磅，字符颜色为橙色，字形为倾斜，段落对齐方式为居中", "2、格式->字体   格式->段落"},
    {"3、将正文的字体设置为隶书，大小设置为四号，字符颜色为橙色", "3、格式->字体"},
    {"4、将正文的段落方式设置为首行缩进2字符，行距1.5倍行距，段落对齐方式为左对齐", "4、格式->段落"},
    {"5、在文章第三段后面插入图片“c:\\MyExam\\qvor.jpg”，设置环绕方式为四周型环绕，对齐方式为居中", "5、插入->图片，图片设置对话框"},
    {"6、把文章中的艺术字样式设置成四行三列、文字环绕方式为紧密型环绕", "6、艺术字工具栏第三个按钮"},
    {"7、插入页码到页脚的右侧", "7、插入->页码"},
};

constexpr TaskLine kTasks8[] = {
    {"1、将标题所在单元格区域“A1：G1”合并居中，垂直对齐设为“靠下”", "1、格式->单元格->对齐"},
    {"2、将标题行高设置为25", "2、格式->行->行高"},
    {"3、将标题文字字体设置为楷体、字号17磅、加粗", "3、格式->单元格->字体"},
    {"4、使用函数计算每个工人生产的零件总数", "4、插入->函数->=sum(C3:F3)"},
    {"5、按零件总数由高到低进行排序。", "5、选中A3到G21区域数据，数据->排序"},
    {"6、使用函数在每样零件的后面找出生产的最大值", "6、插入->函数->MAX函数"},
    {"7、在G23单元格中计算出零件总数的平均值，对求出的平均值保留1位小数", "7、插入->函数->=average(G3:G21)，格式->单元格->数字"},
};

std::span<const TaskLine> tasksOf(int number) {
    switch (number) {
        case 1: return kTasks1;
        case 2: return kTasks2;
        case 3: return kTasks3;
        case 4: return kTasks4;
        case 5: return kTasks5;
        case 6: return kTasks6;
        case 7: return kTasks7;
        case 8: return kTasks8;
        default: return {};
    }
}

constexpr std::string_view kCrLf = "\r\n";
constexpr std::string_view kFixedFolder = "c:\\MyExam\\";

// Task texts name files in the exam folder as "c:\MyExam\x"; show the folder as this platform does.
std::string withFolder(std::string_view text, const platform::ExamFolder& folder) {
    std::string out;
    for (std::size_t pos = 0;;) {
        const std::size_t hit = text.find(kFixedFolder, pos);
        if (hit == std::string_view::npos) {
            out += text.substr(pos);
            return out;
        }
        out += text.substr(pos, hit - pos);
        out += folder.shownFile("");
        pos = hit + kFixedFolder.size();
    }
}

std::string header(const Exercise& e, const platform::ExamFolder& folder) {
    std::string h;
    switch (e.kind) {
        case ExerciseKind::WebPage:
            h = "用frontpage2003打开";
            h += folder.shownLower;
            h += "下的网页文件index.htm";
            return h;
        case ExerciseKind::WordProcessing: h = "启动word,打开文件"; break;
        case ExerciseKind::Spreadsheet: h = "启动excel,打开文件"; break;
    }
    h += folder.shownFile(e.document);
    h += (e.number == 2 || e.number == 4 || e.number == 7) ? ",完成下列操作后保存并退出?"
                                                          : ",完成下列操作后保存并退出。";
    return h;
}

}  // namespace

std::string contactTaskText() {
    std::string s = "10、把文字“联系管理员”链接到“";
    s += kContactEmail;
    s += "”";
    return s;
}

void proc1(const QuestionNumberType& number, CatalogTexts& texts, const platform::ExamFolder& folder) {
    const Exercise* e = findExercise(number);
    if (!e) return;
    std::string req = header(*e, folder);
    req += kCrLf;
    std::string hints;
    for (const TaskLine& line : tasksOf(number)) {
        req += line.task.empty() ? contactTaskText() : withFolder(line.task, folder);
        req += kCrLf;
        hints += line.hint;
        hints += kCrLf;
    }
    texts.RequirementText = std::move(req);
    texts.HintText = std::move(hints);
}

}  // namespace tarnwick::exercises
