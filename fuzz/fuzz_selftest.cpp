// Fuzzes the self-test markers' hand-in on arbitrary workbooks: opens the bytes, takes the marking
// sheet and the active sheet, and runs both rubrics (every read, the ordering of the averages,
// the series formula's fields, every chart), checking the invariants of the result.
#include <cstddef>
#include <cstdint>

#include "selftest/hand_in.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tarnwick;
    auto book = excel::Workbook::open(Bytes(data, size));
    if (!book) return 0;
    auto sheet = book->Worksheets(selftest::kMarkingSheet);
    if (!sheet) return 0;
    for (const selftest::Program* p : {&selftest::vorlane(), &selftest::kestrum()}) {
        marking::MarkingState state;
        p->rubric(*book, *sheet, state);
        // Points are never taken away, and the fault list is whole lines.
        if (state.Score < 0 || (!state.WrongList.empty() && !state.WrongList.ends_with("\r\n"))) __builtin_trap();
        if (!selftest::resultText(state).ends_with("分")) __builtin_trap();
    }
    return 0;
}
