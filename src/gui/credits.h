// The kit's own credits, shown in the selection and answering windows.
#pragma once

namespace tarnwick::gui {

inline constexpr const char* kProgramCaption = "Tarnwick V1.0";
inline constexpr const char* kMaker = "Tarnwick 练习软件 制作组";
inline constexpr const char* kContact = "联系：team@tarnwick.example";
// The suffix of the answering window's caption, after one blank.
inline constexpr const char* kCaptionCredits = "制作：Tarnwick 练习软件 制作组";

}  // namespace tarnwick::gui
