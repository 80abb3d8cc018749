// tarnwick-cli: the practice kit's work without windows, for teachers and scripts.
#include <CLI/CLI.hpp>

#ifdef _WIN32
#include <windows.h>
#endif

#include <cstdio>
#include <iostream>
#include <string>

#include "cli/commands.h"

int main(int argc, char** argv) {
    using namespace tarnwick::cli;
#ifdef _WIN32
    ::SetConsoleOutputCP(CP_UTF8);  // everything we print is UTF-8
#endif
    CLI::App app{"Tarnwick 练习与评分（命令行）", "tarnwick-cli"};
    app.require_subcommand(1);

    auto* list = app.add_subcommand("list", "列出八套试题：编号、名称、类型、试题文件");

    int tasksNumber = 0;
    bool hints = false;
    auto* tasks = app.add_subcommand("tasks", "输出一套试题的操作要求（或帮助）文本");
    tasks->add_option("number", tasksNumber, "试题编号 1-8")->required()->check(CLI::Range(1, 8));
    tasks->add_flag("--hints", hints, "输出帮助文本");
    std::string tasksDir;
    tasks->add_option("--exam-dir", tasksDir, "考试文件夹（默认 $TARNWICK_EXAM_DIR 或 ~/MyExam）");

    CommonOptions prep;
    auto* prepare = app.add_subcommand("prepare", "开始答题：检查应用程序，清空考试文件夹并写入试题文件");
    prepare->add_option("number", prep.number, "试题编号 1-8")->required()->check(CLI::Range(1, 8));
    prepare->add_option("--exam-dir", prep.examDir, "考试文件夹（默认 $TARNWICK_EXAM_DIR 或 ~/MyExam）");
    prepare->add_flag("--skip-probe", prep.skipProbe, "不检查办公软件是否在运行");

    CommonOptions markOpts;
    bool json = false;
    auto* mark = app.add_subcommand("mark", "评分一次，输出成绩、正确部分、错误部分和评语");
    mark->add_option("number", markOpts.number, "试题编号 1-8")->required()->check(CLI::Range(1, 8));
    mark->add_option("--exam-dir", markOpts.examDir, "考试文件夹（默认 $TARNWICK_EXAM_DIR 或 ~/MyExam）");
    mark->add_flag("--skip-probe", markOpts.skipProbe, "不检查办公软件是否在运行");
    mark->add_flag("--json", json, "以一个 JSON 对象输出");

    std::string inspectFile;
    bool inspectJson = false;
    auto* inspect = app.add_subcommand("inspect", "显示读取器在一个 .xls 工作簿中看到的内容");
    inspect->add_option("file", inspectFile, "工作簿文件")->required();
    inspect->add_flag("--json", inspectJson, "以 JSON 输出");

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForAllHelp& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        std::cerr << app.get_name() << ": " << e.what() << "\n";
        std::cerr << "用法见 " << app.get_name() << " --help\n";
        return 2;
    }

    if (*list) return runList(std::cout);
    if (*tasks) return runTasks(static_cast<std::int16_t>(tasksNumber), hints, tasksDir, std::cout);
    if (*prepare) return runPrepare(prep, std::cout, std::cerr);
    if (*mark) return runMark(markOpts, json, std::cout, std::cerr);
    if (*inspect) return runInspect(inspectFile, inspectJson, std::cout, std::cerr);
    return 2;
}
