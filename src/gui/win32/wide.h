// UTF-8 (the model's texts) to UTF-16 (the Windows API's).
#pragma once

#include <string>
#include <string_view>

namespace tarnwick::gui::win32 {

std::wstring wide(std::string_view utf8);

}  // namespace tarnwick::gui::win32
