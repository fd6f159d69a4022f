#pragma once

#include "run/window_operations.hpp"

namespace ferrolith {

enum class SaveOutcome { NotAsked, Declined, Saved, Cancelled, Failed };

// Asks for a file through the Save As dialog and writes the current report text to it
// (writeFileSafely), reporting a failure in a message box. An empty name brings the dialog back;
// a failed write is reported once and not retried.
SaveOutcome saveReport(WindowOperations& window);

}  // namespace ferrolith
