#pragma once

#include <optional>
#include <string>

#include "run/window_operations.hpp"

namespace ferrolith {

enum class SaveOutcome { NotAsked, Declined, Saved, Cancelled, Failed };

// Asks for a file through the Save As dialog and writes the current report text to it,
// reporting a failure in a message box. Nothing is retried.
SaveOutcome saveReport(WindowOperations& window);

// Writes text to path through a temporary file beside it, renamed over the target, so a failed
// write never destroys an existing file nor leaves a partial one. Returns the failure's
// description, or nothing on success.
std::optional<std::string> writeFileReplacing(const std::string& path, const std::string& text);

}  // namespace ferrolith
