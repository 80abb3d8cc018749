// Fuzzes the page reader: decoding, item joining and the position tests of both web rubrics.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "marking/state.h"
#include "marking/web/page_text.h"
#include "marking/web/position_test.h"
#include "marking/web/web_rubrics.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tarnwick::marking;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto decoded = web_rubrics::pageTextFromBytes(bytes);
    if (!decoded) return 0;
    const std::string& text = decoded.value();
    MarkingState state;
    web_rubrics::runTests(web_rubrics::webSet1Tests(), text, state);
    web_rubrics::runTests(web_rubrics::webSet2Tests(), text, state);
    if (state.Score < 0 || state.Score > 200) __builtin_trap();
    return 0;
}
