#pragma once

#include <string_view>

namespace ferrolith {

// The titles the user sees on the window and on its message boxes.
inline constexpr std::string_view mainWindowTitle = "Ferrolith by Dalvenor";
// Carried by every message box without a title of its own.
inline constexpr std::string_view applicationTitle = "Pellox";
// The question that offers to save a completed run's report.
inline constexpr std::string_view saveQuestionTitle = "VKM";
// The message that asks for a file name when the Save As dialog returned none.
inline constexpr std::string_view fileNameMessageTitle = "Corvantis";

}  // namespace ferrolith
