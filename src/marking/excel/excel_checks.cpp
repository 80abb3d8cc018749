#include "marking/excel/excel_checks.h"

namespace tarnwick::marking::excel_rubrics {

model::Check mergedOver(const excel::Worksheet& s, const char* address) {
    return s.Range("A1").MergeArea().Address() == address;
}

model::Check aligned(const excel::Worksheet& s, const char* range, int horizontal, int vertical) {
    const excel::Range r = s.Range(range);
    return r.HorizontalAlignment() == horizontal && r.VerticalAlignment() == vertical;
}

model::Check formulas(const excel::Worksheet& s, const char* a, const char* fa, const char* b, const char* fb) {
    return s.Range(a).Formula() == fa && s.Range(b).Formula() == fb;
}

model::Check formats(const excel::Worksheet& s, const char* a, const char* b, const char* code) {
    return s.Range(a).NumberFormatLocal() == code && s.Range(b).NumberFormatLocal() == code;
}

}  // namespace tarnwick::marking::excel_rubrics
