#pragma once

#include <string_view>

#include "model/run_result.hpp"
#include "session/dialogs.hpp"

namespace ferrolith {

// Asks for a file through the Save As dialog and writes text, the report as the user has it, to
// it (writeFileSafely), reporting a failure in a message box. An empty name brings the dialog
// back; a failed write is reported once and not retried.
SaveOutcome saveReport(Dialogs& dialogs, std::string_view text);

}  // namespace ferrolith
