// Fuzzes the formula text renderer: the first two bytes pick the formula's cell, the next two
// split the rest into token bytes and extra data; both reference styles are rendered.
#include <cstddef>
#include <cstdint>
#include <string>

#include "formats/xls/formula.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tarnwick::xls;
    if (size < 4) return 0;
    FormulaEnv env;
    env.row = static_cast<std::uint32_t>(data[0]) * 257u;  // spreads over 0..65535
    env.col = data[1];
    env.sheetPrefix = [](std::uint16_t ixti) {
        return ixti % 3 == 0 ? std::string() : "S" + std::to_string(ixti);
    };
    env.definedName = [](std::uint32_t index) {
        return index % 2 ? "N" + std::to_string(index) : std::string();
    };
    env.externalName = [](std::uint16_t, std::uint32_t index) {
        return index % 2 ? "_xlfn.F" + std::to_string(index) : std::string();
    };
    const std::size_t split = std::size_t{data[2]} | (std::size_t{data[3]} << 8);
    const tarnwick::Bytes rest(data + 4, size - 4);
    const std::size_t n = split < rest.size() ? split : rest.size();
    const auto rgce = rest.first(n);
    const auto extra = rest.subspan(n);
    for (RefStyle style : {RefStyle::A1, RefStyle::R1C1}) {
        auto text = formulaText(rgce, extra, env, style);
        if (text) {
            if (text->empty() || (*text)[0] != '=') __builtin_trap();
        } else if (text.error().message.empty()) {
            __builtin_trap();
        }
    }
    return 0;
}
