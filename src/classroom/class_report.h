// What a class's marking gives a teacher: CSV for a spreadsheet, JSON lines for scripts, and one
// self-contained HTML page to look at.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "classroom/class_marking.h"
#include "classroom/copies.h"

namespace tarnwick::classroom {

struct ClassReport {
    int question = 0;
    std::string caption;  // the exercise, e.g. "Excel第一套试题"
    std::vector<StudentResult> results;  // in the order of the students' names
    std::vector<CopyFinding> copies;
};

// The items of the class's rubric, in rubric order, as the union over every student (a student may
// lack some: set 2 leaves six out for a document of one paragraph). Each is named by its correct
// message.
std::vector<std::string> itemColumns(const std::vector<StudentResult>& results);

// UTF-8 with a byte-order mark: student, score, the points earned on each item in rubric order,
// status, and the reason when the document could not be read. A missing or unread item is blank.
void writeCsv(const ClassReport& report, std::ostream& out);

// One line per student: `mark --json`'s object with "student" first; then, when copies were
// found, one line {"copies": [...]} last.
void writeJsonLines(const ClassReport& report, std::ostream& out);

// The page: the score distribution as a histogram, each item's pass rate as a bar, the students
// in a table that sorts by any column, each student's wrong items with what was read and
// expected, and the copies. No script libraries and nothing fetched from a network.
void writeHtml(const ClassReport& report, std::ostream& out);

}  // namespace tarnwick::classroom
