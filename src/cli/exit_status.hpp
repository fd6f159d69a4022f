#pragma once

namespace ferrolith {

// The driver's exit statuses, as its --help and the README list them.
constexpr int exitCompleted = 0;
constexpr int exitBadInput =
    2;                          // bad arguments, or a count or parameter text that does not convert
constexpr int exitAborted = 3;  // aborted by faulty distribution data
// --output, --save-study, --json, --csv or --record could not be written
constexpr int exitSaveFailed = 4;
constexpr int exitOutputFailed =
    5;  // the report or the help could not be written to standard output
constexpr int exitFormNotConverged = 6;  // FORM found no design point (--method form and after)

}  // namespace ferrolith
