#pragma once

#include <string_view>

#include "run/dialogs.hpp"
#include "run/run_result.hpp"

namespace ferrolith {

// Asks for a file through the Save As dialog and writes text, the report as the user has it, to
// it (writeFileSafely), reporting a failure in a message box. An empty name brings the dialog
// back; a failed write is reported once and not retried.
SaveOutcome saveReport(Dialogs& dialogs, std::string_view text);

}  // namespace ferrolith
