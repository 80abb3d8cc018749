// How formula text spells constants: error values and string literals.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tarnwick::xls {

// "#NULL!", "#DIV/0!", "#VALUE!", "#REF!", "#NAME?", "#NUM!", "#N/A" by BIFF error code;
// nullptr for a code that is none of them.
const char* cellErrorText(std::uint8_t code);

// A string constant as formula text: in double quotes, inner quotes doubled.
std::string formulaStringLiteral(std::string_view text);

}  // namespace tarnwick::xls
