#include "model/excel/variant.h"

#include "formats/xls/literals.h"

namespace tarnwick::excel {

std::string errorText(std::uint8_t code) {
    const char* text = xls::cellErrorText(code);
    return text ? text : "#N/A";
}

Variant cellErrorValue(std::uint8_t code) { return Variant::cellError(code, errorText(code)); }

}  // namespace tarnwick::excel
