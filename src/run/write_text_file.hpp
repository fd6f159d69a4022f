#pragma once

#include <optional>
#include <string>

#include "run/save_report.hpp"

namespace ferrolith {

// Writes text to path so that a failed write never damages an existing file; every file the
// program writes goes through here. Returns the failure's description, or nothing on success.
inline std::optional<std::string> writeTextFile(const std::string& path, const std::string& text) {
    return writeFileReplacing(path, text);
}

// The message for a file that could not be written, as the report's save shows it.
inline std::string saveErrorMessage(const std::string& path, const std::string& description) {
    return "Error while saving file " + path + "\r\n" + description;
}

}  // namespace ferrolith
