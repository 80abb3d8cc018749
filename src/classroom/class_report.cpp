#include "classroom/class_report.h"

#include <algorithm>
#include <array>

#include "base/json_text.h"
#include "marking/result_json.h"

namespace tarnwick::classroom {
namespace {

bool marked(const StudentResult& r) { return r.outcome.end == marking::RunEnd::Ended; }

std::string csvField(std::string_view s) {
    if (s.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(s);
    std::string out = "\"";
    for (char c : s) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

std::string html(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (char c : s) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            case '\'': out += "&#39;"; break;
            default: out += c;
        }
    }
    return out;
}

// An item's column name: its correct message without the closing "正确".
std::string itemLabel(const std::string& key) {
    constexpr std::string_view tail = "正确";
    return key.ends_with(tail) ? key.substr(0, key.size() - tail.size()) : key;
}

const std::string& reasonOf(const StudentResult& r) { return marking::reasonOf(r.outcome); }

}  // namespace

std::vector<std::string> itemColumns(const std::vector<StudentResult>& results) {
    // Merged in rubric order: an item a student lacks is placed after the items before it.
    std::vector<std::string> columns;
    for (const StudentResult& r : results) {
        std::size_t at = 0;
        for (const marking::ItemResult& item : r.state.items) {
            const auto found = std::find(columns.begin(), columns.end(), item.key);
            if (found == columns.end()) {
                columns.insert(columns.begin() + static_cast<std::ptrdiff_t>(at), item.key);
                ++at;
            } else {
                at = static_cast<std::size_t>(found - columns.begin()) + 1;
            }
        }
    }
    return columns;
}

void writeCsv(const ClassReport& report, std::ostream& out) {
    const std::vector<std::string> columns = itemColumns(report.results);
    out << "\xEF\xBB\xBF" << "学生,成绩";
    for (const std::string& c : columns) out << ',' << csvField(itemLabel(c));
    out << ",状态,原因\r\n";
    for (const StudentResult& r : report.results) {
        out << csvField(r.submission.student) << ',' << (marked(r) ? std::to_string(r.state.Score) : std::string());
        for (const std::string& c : columns) {
            out << ',';
            for (const marking::ItemResult& item : r.state.items)
                if (item.key == c) {
                    out << (item.passed ? item.points : 0);
                    break;
                }
        }
        out << ',' << marking::statusName(r.outcome) << ',' << csvField(reasonOf(r)) << "\r\n";
    }
}

void writeJsonLines(const ClassReport& report, std::ostream& out) {
    for (const StudentResult& r : report.results)
        out << marking::resultJson(report.question, r.outcome, r.state, r.submission.student) << '\n';
    if (report.copies.empty()) return;
    out << "{\"copies\": [";
    for (std::size_t i = 0; i < report.copies.size(); ++i) {
        const CopyFinding& c = report.copies[i];
        out << (i ? ", " : "") << "{\"students\": [" << jsonString(c.first);
        if (!c.second.empty()) out << ", " << jsonString(c.second);
        out << "], \"signal\": " << jsonString(c.signal) << "}";
    }
    out << "]}\n";
}

void writeHtml(const ClassReport& report, std::ostream& out) {
    const auto& results = report.results;
    std::size_t markedCount = 0, full = 0;
    long total = 0;
    std::array<int, 11> bins{};  // 0-9, ..., 90-99, 100
    for (const StudentResult& r : results) {
        if (!marked(r)) continue;
        ++markedCount;
        total += r.state.Score;
        if (r.state.Score >= 100) ++full;
        bins[static_cast<std::size_t>(std::clamp(r.state.Score / 10, 0, 10))]++;
    }
    const int most = std::max(1, *std::max_element(bins.begin(), bins.end()));
    const std::vector<std::string> columns = itemColumns(results);

    out << "<!DOCTYPE html>\n<html lang=\"zh-CN\"><head><meta charset=\"utf-8\">\n<title>成绩报告 · 第 " << report.question
        << " 题 " << html(report.caption) << "</title>\n<style>\n"
        << "body{font-family:'WenQuanYi Zen Hei','Microsoft YaHei','SimSun',sans-serif;margin:24px;color:#222}\n"
        << "h1{font-size:22px}h2{font-size:18px;margin-top:28px;border-bottom:1px solid #ccc}\n"
        << ".hist{display:flex;align-items:flex-end;height:180px;gap:6px;border-bottom:1px solid #888;padding:0 4px}\n"
        << ".hist div{flex:1;background:#4a7fc1;position:relative;min-height:1px}\n"
        << ".hist span{position:absolute;top:-18px;width:100%;text-align:center;font-size:12px}\n"
        << ".axis{display:flex;gap:6px;padding:0 4px;font-size:12px}.axis div{flex:1;text-align:center}\n"
        << "table{border-collapse:collapse;margin-top:8px}td,th{border:1px solid #ccc;padding:3px 8px;font-size:14px}\n"
        << "th{background:#eef;cursor:pointer}th.nosort{cursor:default}\n"
        << ".bar{background:#e8e8e8;width:320px;height:14px}.bar div{background:#3a9a5b;height:14px}\n"
        << ".low div{background:#c9473a}.read{color:#555;font-size:13px;margin-left:1.5em}\n"
        << "details{margin:4px 0}summary{cursor:pointer}\n</style></head><body>\n";
    out << "<h1>成绩报告 · 第 " << report.question << " 题 " << html(report.caption) << "</h1>\n<p id=\"summary\">学生 "
        << results.size() << " 人，评分 " << markedCount << " 人，平均分 "
        << (markedCount ? std::to_string((total * 10 / static_cast<long>(markedCount) + 5) / 10) : std::string("—"))
        << " 分，满分 " << full << " 人，无法评分 " << results.size() - markedCount << " 人。</p>\n";

    out << "<h2>分数分布</h2>\n<div class=\"hist\" id=\"histogram\">";
    for (std::size_t b = 0; b < bins.size(); ++b)
        out << "<div title=\"" << (b == 10 ? std::string("100") : std::to_string(b * 10) + "–" + std::to_string(b * 10 + 9))
            << " 分：" << bins[b] << " 人\" style=\"height:" << bins[b] * 100 / most << "%\"><span>" << bins[b]
            << "</span></div>";
    out << "</div>\n<div class=\"axis\">";
    for (std::size_t b = 0; b < bins.size(); ++b) out << "<div>" << (b == 10 ? std::string("100") : std::to_string(b * 10) + "+") << "</div>";
    out << "</div>\n";

    out << "<h2>各项通过率</h2>\n<table id=\"items\"><tr><th class=\"nosort\">项目</th><th class=\"nosort\">通过率</th>"
           "<th class=\"nosort\">通过 / 评分</th></tr>\n";
    for (const std::string& c : columns) {
        int passed = 0, counted = 0;
        for (const StudentResult& r : results)
            for (const marking::ItemResult& item : r.state.items)
                if (item.key == c) {
                    ++counted;
                    passed += item.passed ? 1 : 0;
                }
        const int pct = counted ? passed * 100 / counted : 0;
        out << "<tr><td>" << html(itemLabel(c)) << "</td><td><div class=\"bar" << (pct < 60 ? " low" : "")
            << "\"><div style=\"width:" << pct << "%\"></div></div></td><td>" << passed << " / " << counted << "（" << pct
            << "%）</td></tr>\n";
    }
    out << "</table>\n";

    out << "<h2>学生</h2>\n<p>点表头按那一列排序。</p>\n<table id=\"students\"><thead><tr><th>学生</th><th>成绩</th><th>错误项</th>"
           "<th>状态</th><th>原因</th></tr></thead><tbody>\n";
    for (const StudentResult& r : results) {
        int wrong = 0;
        for (const marking::ItemResult& item : r.state.items) wrong += item.passed ? 0 : 1;
        out << "<tr><td>" << html(r.submission.student) << "</td><td>" << (marked(r) ? std::to_string(r.state.Score) : "")
            << "</td><td>" << (marked(r) ? std::to_string(wrong) : "") << "</td><td>" << marking::statusName(r.outcome)
            << "</td><td>" << html(reasonOf(r)) << "</td></tr>\n";
    }
    out << "</tbody></table>\n";

    out << "<h2>每位学生的错误项</h2>\n";
    for (const StudentResult& r : results) {
        std::vector<const marking::ItemResult*> wrong;
        for (const marking::ItemResult& item : r.state.items)
            if (!item.passed) wrong.push_back(&item);
        if (wrong.empty() && marked(r)) continue;
        out << "<details><summary>" << html(r.submission.student) << "（"
            << (marked(r) ? std::to_string(r.state.Score) + " 分，错 " + std::to_string(wrong.size()) + " 项" : "没有评分")
            << "）</summary>\n";
        if (!reasonOf(r).empty()) out << "<div>" << html(reasonOf(r)) << "</div>\n";
        for (const marking::ItemResult* item : wrong) {
            out << "<div>" << html(item->message) << "</div>";
            const std::string why = marking::explanation(*item);
            if (!why.empty()) out << "<div class=\"read\">" << html(why) << "</div>";
            out << "\n";
        }
        out << "</details>\n";
    }

    out << "<h2>疑似抄袭</h2>\n";
    if (report.copies.empty()) out << "<p>没有发现。</p>\n";
    else {
        out << "<table id=\"copies\"><tr><th class=\"nosort\">学生</th><th class=\"nosort\">依据</th></tr>\n";
        for (const CopyFinding& c : report.copies)
            out << "<tr><td>" << html(c.first) << (c.second.empty() ? "" : "、" + html(c.second)) << "</td><td>"
                << html(c.signal) << "</td></tr>\n";
        out << "</table>\n";
    }

    // Sorting the students' table: numbers as numbers, text as text; a second click reverses.
    out << "<script>\n"
           "document.querySelectorAll('#students th').forEach(function(th,col){\n"
           "  th.addEventListener('click',function(){\n"
           "    var body=document.querySelector('#students tbody');\n"
           "    var rows=Array.prototype.slice.call(body.rows);\n"
           "    var dir=th.dataset.dir==='asc'?-1:1; th.dataset.dir=dir===1?'asc':'desc';\n"
           "    rows.sort(function(a,b){\n"
           "      var x=a.cells[col].textContent,y=b.cells[col].textContent;\n"
           "      var nx=parseFloat(x),ny=parseFloat(y);\n"
           "      if(!isNaN(nx)&&!isNaN(ny)) return (nx-ny)*dir;\n"
           "      if(isNaN(nx)!==isNaN(ny)) return isNaN(nx)?1:-1;\n"
           "      return x.localeCompare(y,'zh-CN')*dir;});\n"
           "    rows.forEach(function(r){body.appendChild(r);});});});\n"
           "</script>\n</body></html>\n";
}

}  // namespace tarnwick::classroom
