// tarnwick-cli: the practice kit's work without windows, for teachers and scripts.
#include <CLI/CLI.hpp>

#ifdef _WIN32
#include <windows.h>
#endif

#include <algorithm>
#include <charconv>
#include <iterator>
#include <cstdio>
#include <iostream>
#include <optional>
#include <string>

#include "cli/commands.h"

#ifndef TARNWICK_VERSION
#define TARNWICK_VERSION "0"
#endif

namespace {

using namespace tarnwick::cli;

// An exercise number given on the command line: 1 to 8, else a Chinese usage message.
std::optional<int> exerciseNumber(const std::string& text) {
    int n = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
    if (ec != std::errc() || end != text.data() + text.size() || n < 1 || n > 8) return std::nullopt;
    return n;
}

// CLI11 words its errors in English; the user reads Chinese.
std::string chineseUsageError(const CLI::ParseError& e) {
    const std::string kind = e.get_name();
    const std::string what = e.what();
    if (kind == "RequiredError") return "缺少必需的参数（" + what + "）。";
    if (kind == "ExtrasError") return "有多余的参数（" + what + "）。";
    if (kind == "ArgumentMismatch") return "参数的个数不对（" + what + "）。";
    if (kind == "ConversionError" || kind == "ValidationError") return "参数的值不对（" + what + "）。";
    if (kind == "RequiresError" || kind == "ExcludesError") return "这几个选项不能这样搭配（" + what + "）。";
    return "命令行有误（" + what + "）。";
}

void chineseHelp(CLI::App& app) {
    auto f = app.get_formatter();
    f->label("Usage", "用法");
    f->label("OPTIONS", "选项");
    f->label("SUBCOMMAND", "子命令");
    f->label("SUBCOMMANDS", "子命令");
    f->label("REQUIRED", "（必需）");
    f->label("Positionals", "参数");
    f->label("TEXT", "文本");
    f->label("INT", "整数");
    app.option_defaults()->group("选项");
}

// A command; its help flag and Chinese help labels only when it can be the one run (`full`).
CLI::App* subcommand(CLI::App& app, const std::string& name, const std::string& description, bool full) {
    auto* sub = app.add_subcommand(name, description);
    sub->group("子命令");
    if (full) {
        sub->set_help_flag("-h,--help", "显示这个命令的帮助");
        chineseHelp(*sub);
    }
    return sub;
}

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
    ::SetConsoleOutputCP(CP_UTF8);  // everything we print is UTF-8
#endif
    CLI::App app{"Tarnwick 练习与评分（命令行）", "tarnwick-cli"};
    app.set_help_flag("-h,--help", "显示帮助");
    app.set_version_flag("--version", "tarnwick-cli " TARNWICK_VERSION, "显示版本");
    chineseHelp(app);
    app.require_subcommand(1);
    const char* examDirHelp = "考试文件夹（默认 $TARNWICK_EXAM_DIR 或 ~/MyExam）";

    // Setting up an option costs CLI11 more than marking a page does, so only the command being run
    // gets its options. The program has no options before the command that take a value, so the
    // command is the first argument that does not start with "-"; when there is none, or it is not a
    // command, every command gets its options, so help and usage errors read as always.
    std::string chosen;
    for (int i = 1; i < argc; ++i)
        if (argv[i][0] != '-') {
            chosen = argv[i];
            break;
        }
    static constexpr const char* kCommands[] = {"list", "tasks", "prepare", "mark", "mark-class", "inspect", "selftest"};
    if (std::find(std::begin(kCommands), std::end(kCommands), chosen) == std::end(kCommands)) chosen.clear();
    auto wants = [&chosen](const char* name) { return chosen.empty() || chosen == name; };

    bool listJson = false;
    auto* list = subcommand(app, "list", "列出八套试题：编号、名称、类型、试题文件", wants("list"));
    if (wants("list")) list->add_flag("--json", listJson, "以 JSON 输出");

    std::string tasksNumber, tasksDir;
    bool hints = false;
    auto* tasks = subcommand(app, "tasks", "输出一套试题的操作要求（或帮助）文本", wants("tasks"));
    CLI::Option* tasksDirOpt = nullptr;
    if (wants("tasks")) {
        tasks->add_option("number", tasksNumber, "试题编号 1-8")->required();
        tasks->add_flag("--hints", hints, "输出帮助文本");
        tasksDirOpt = tasks->add_option("--exam-dir", tasksDir, examDirHelp);
    }

    CommonOptions prep;
    std::string prepNumber, prepDir;
    auto* prepare = subcommand(app, "prepare", "开始答题：检查应用程序，清空考试文件夹并写入试题文件", wants("prepare"));
    CLI::Option* prepDirOpt = nullptr;
    if (wants("prepare")) {
        prepare->add_option("number", prepNumber, "试题编号 1-8")->required();
        prepDirOpt = prepare->add_option("--exam-dir", prepDir, examDirHelp);
        prepare->add_flag("--skip-probe", prep.skipProbe, "不检查办公软件是否在运行");
    }

    CommonOptions markOpts;
    std::string markNumber, markDir;
    bool json = false;
    auto* mark = subcommand(app, "mark", "评分一次，输出成绩、正确部分、错误部分和评语", wants("mark"));
    bool explain = false;
    CLI::Option* markDirOpt = nullptr;
    if (wants("mark")) {
        mark->add_option("number", markNumber, "试题编号 1-8")->required();
        markDirOpt = mark->add_option("--exam-dir", markDir, examDirHelp);
        mark->add_flag("--skip-probe", markOpts.skipProbe, "不检查办公软件是否在运行");
        mark->add_flag("--json", json, "以一个 JSON 对象输出（任何结果都输出）");
        mark->add_flag("--explain", explain, "在每个错误项下面写出读到的内容和要求的内容");
    }

    MarkClassOptions classOpts;
    std::string classNumber;
    auto* markClass = subcommand(app, "mark-class", "给全班评分：DIR 中每个学生一个文件夹或一个以学生命名的文件", wants("mark-class"));
    if (wants("mark-class")) {
        markClass->add_option("number", classNumber, "试题编号 1-8")->required();
        markClass->add_option("dir", classOpts.dir, "全班的答题文件夹")->required();
        markClass->add_option("--csv", classOpts.csv, "写出 CSV 成绩表（UTF-8，带 BOM）");
        markClass->add_flag("--json", classOpts.json, "每个学生一行 JSON");
        markClass->add_option("--report", classOpts.report, "写出 HTML 成绩报告");
        markClass->add_option("--jobs", classOpts.jobs, "同时评分的线程数（默认每个处理器一个）");
        markClass->add_option("--shard", classOpts.shard, "只评第 k 份（共 n 份）：k/n");
        markClass->add_flag("--quiet", classOpts.quiet, "不显示进度");
    }

    std::string inspectFile;
    bool inspectJson = false;
    auto* inspect = subcommand(app, "inspect", "显示读取器在一个 .xls 工作簿或 .doc 文档中看到的内容", wants("inspect"));
    if (wants("inspect")) {
        inspect->add_option("file", inspectFile, "工作簿或文档文件")->required();
        inspect->add_flag("--json", inspectJson, "以 JSON 输出");
    }

    SelftestOptions selftestOpts;
    std::string selftestPath;
    auto* selftest = subcommand(app, "selftest", "自测评分程序 vorlane、kestrum：输出操作要求，写出初始工作簿，或评分", wants("selftest"));
    CLI::Option* selftestPathOpt = nullptr;
    if (wants("selftest")) {
        selftest->add_option("program", selftestOpts.program, "vorlane 或 kestrum")->required();
        selftest->add_option("action", selftestOpts.action, "tasks、workbook 文件夹、mark 工作簿")->required();
        selftestPathOpt = selftest->add_option("path", selftestPath, "workbook：写入的文件夹；mark：要评分的工作簿");
        selftest->add_flag("--json", selftestOpts.json, "mark：以一个 JSON 对象输出");
    }

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForAllHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForVersion& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        std::cerr << app.get_name() << "：" << chineseUsageError(e) << "\n";
        std::cerr << "用法见 " << app.get_name() << " --help\n";
        return kExitUsage;
    }

    // The exercise number of the chosen command, checked here so the message is ours.
    const std::string* numberText = *tasks     ? &tasksNumber
                                    : *prepare ? &prepNumber
                                    : *mark    ? &markNumber
                                    : *markClass ? &classNumber
                                                 : nullptr;
    std::optional<int> number;
    if (numberText) {
        number = exerciseNumber(*numberText);
        if (!number) {
            std::cerr << app.get_name() << "：试题编号必须是 1 到 8 之间的整数，而不是“" << *numberText << "”。\n";
            return kExitUsage;
        }
    }
    auto given = [](CLI::Option* o, const std::string& v) {
        return o != nullptr && o->count() > 0 ? std::optional<std::string>(v) : std::nullopt;
    };

    if (*list) return runList(listJson, std::cout);
    if (*tasks) return runTasks(static_cast<std::int16_t>(*number), hints, given(tasksDirOpt, tasksDir), std::cout, std::cerr);
    if (*prepare) {
        prep.number = *number;
        prep.examDir = given(prepDirOpt, prepDir);
        return runPrepare(prep, std::cout, std::cerr);
    }
    if (*mark) {
        markOpts.number = *number;
        markOpts.examDir = given(markDirOpt, markDir);
        return runMark(markOpts, json, explain, std::cout, std::cerr);
    }
    if (*markClass) {
        classOpts.number = *number;
        return runMarkClass(classOpts, std::cout, std::cerr);
    }
    if (*inspect) return runInspect(inspectFile, inspectJson, std::cout, std::cerr);
    if (*selftest) {
        selftestOpts.path = given(selftestPathOpt, selftestPath);
        return runSelftest(selftestOpts, std::cout, std::cerr);
    }
    return kExitUsage;
}
