// Numbers as Excel writes them in a formula bar, a formula's constants and the General format:
// at most 15 significant digits, the shortest digits that give the value back ("0.05", "78.45"),
// plain decimals for everyday magnitudes and Excel's scientific form otherwise ("1E+20",
// "1.5E-12"); NaN and infinities as "#NUM!".
#pragma once

#include <string>

namespace tarnwick {

std::string generalNumberText(double value);

// For people: a value that is exactly a single-precision number (Word's lengths) with the fewest
// digits that give that Single back ("56.7"), anything else as generalNumberText.
std::string shortNumberText(double value);

}  // namespace tarnwick
