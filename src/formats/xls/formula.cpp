// Placeholder until the formula text renderer lands: every formula reads as unreadable.
#include "formats/xls/formula.h"

namespace tarnwick::xls {

Result<std::string> formulaText(Bytes, Bytes, const FormulaEnv&, RefStyle) {
    return Error{"暂时无法读取公式。"};
}

}  // namespace tarnwick::xls
