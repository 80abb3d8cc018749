#include "formats/xls/literals.h"

namespace tarnwick::xls {

const char* cellErrorText(std::uint8_t code) {
    switch (code) {
        case 0x00: return "#NULL!";
        case 0x07: return "#DIV/0!";
        case 0x0F: return "#VALUE!";
        case 0x17: return "#REF!";
        case 0x1D: return "#NAME?";
        case 0x24: return "#NUM!";
        case 0x2A: return "#N/A";
        default: return nullptr;
    }
}

std::string quoted(std::string_view text, char quote) {
    std::string out(1, quote);
    for (char c : text) {
        if (c == quote) out += quote;
        out += c;
    }
    out += quote;
    return out;
}

std::string formulaStringLiteral(std::string_view text) { return quoted(text, '"'); }

}  // namespace tarnwick::xls
