// How formula text spells constants (error values, string literals) and quotes names.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tarnwick::xls {

// "#NULL!", "#DIV/0!", "#VALUE!", "#REF!", "#NAME?", "#NUM!", "#N/A" by BIFF error code;
// nullptr for a code that is none of them.
const char* cellErrorText(std::uint8_t code);

// Text between two `quote` characters, each one inside it doubled: quoted("Bob's", '\'') is
// 'Bob''s'. String constants go in double quotes, sheet names in single ones.
std::string quoted(std::string_view text, char quote);

// A string constant as formula text: in double quotes, inner quotes doubled.
std::string formulaStringLiteral(std::string_view text);

}  // namespace tarnwick::xls
