// Number constants of a formula as Excel spells them in formula text: at most 15 significant
// digits, the shortest digits that give the stored value back ("0.05", "78.45"), plain decimals
// for everyday magnitudes and Excel's scientific form otherwise ("1E+20", "1.5E-12").
#pragma once

#include <string>

namespace tarnwick::xls {

std::string formulaNumberText(double value);

}  // namespace tarnwick::xls
