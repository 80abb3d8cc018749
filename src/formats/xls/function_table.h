// Built-in worksheet and macro-sheet functions of BIFF8 by their function index (iftab), with
// the number of arguments of those that always take the same number (the ones Excel may store
// as PtgFunc).
#pragma once

#include <cstdint>
#include <string_view>

namespace tarnwick::xls {

struct BuiltinFunction {
    std::uint16_t index = 0;
    std::string_view name;   // as Excel spells it, in capitals: "SUM", "ERROR.TYPE"
    std::int8_t fixedArgs = -1;  // argument count when it never varies, else -1
};

// The function with this index, or nullptr for an index that names no built-in function
// (255 is the marker of add-in and macro functions, not a function of its own).
const BuiltinFunction* builtinFunction(std::uint16_t index);

}  // namespace tarnwick::xls
