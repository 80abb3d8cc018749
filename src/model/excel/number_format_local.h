// NumberFormatLocal: the number format code as the Chinese (zh-CN) user interface of Excel
// spells it. Custom codes are returned as stored; built-in formats get the codes Chinese Excel
// shows for them ("G/通用格式" for General).
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>

namespace tarnwick::excel {

// The local code of format `id`, given the FORMAT records of the file (id -> stored code).
// nullopt only for an id that is neither stored nor built in.
std::optional<std::string> numberFormatLocal(std::uint16_t id, const std::map<std::uint16_t, std::string>& stored);

// A stored code in the local spelling: "General" -> "G/通用格式", [Red] -> [红色], ...
std::string localizeFormatCode(const std::string& code);

}  // namespace tarnwick::excel
