// Formula text from BIFF8 parsed formulas (rgce), in A1 or R1C1 style, spelt as Excel shows it
// in the formula bar and returns it from Range.Formula / Range.FormulaR1C1.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "base/byte_reader.h"
#include "base/result.h"

namespace tarnwick::xls {

enum class RefStyle { A1, R1C1 };

struct FormulaEnv {
    // 0-based row and column of the cell whose formula is read. Relative references are shown
    // relative to it in R1C1 style; PtgRefN/PtgAreaN (shared formulas, ARRAY) are offsets from it.
    std::uint32_t row = 0;
    std::uint32_t col = 0;
    // Text of the sheet part of a 3-D reference through the EXTERNSHEET index ixti, ready to put
    // before '!' (quoted when needed: 'My Sheet'); empty when unknown (shown as #REF!).
    std::function<std::string(std::uint16_t ixti)> sheetPrefix;
    // Text of a defined name by 1-based NAME index; empty when unknown.
    std::function<std::string(std::uint32_t index)> definedName;
    // Text of an external name (PtgNameX): the EXTERNSHEET index and the 1-based index of the
    // name in that SUPBOOK's EXTERNNAME list, e.g. an add-in function name such as
    // "_xlfn.IFERROR"; empty when unknown.
    std::function<std::string(std::uint16_t ixti, std::uint32_t index)> externalName;
};

// Text of a parsed formula with its leading '='. `extra` is the data that follows rgce in the
// record (array constants of PtgArray); may be empty. Errors for tokens that cannot be read.
Result<std::string> formulaText(Bytes rgce, Bytes extra, const FormulaEnv& env, RefStyle style);

}  // namespace tarnwick::xls
