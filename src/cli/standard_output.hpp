#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace ferrolith {

// Standard output as the driver's report channel, whose failures must not pass unnoticed.
class StandardOutput {
  public:
    // Notes whether standard output is open. A closed one (or a closed standard input or error)
    // gets /dev/null in its place for now, so no file the run opens takes its number and
    // receives the report. A closed pipe fails the writes (EPIPE) instead of ending the program.
    StandardOutput();

    // Writes bytes; a failure is kept for close to report.
    void write(std::string_view bytes);

    // Flushes and closes standard output: the description of the first failure to write,
    // flush or close it, or nothing when everything written arrived.
    std::optional<std::string> close();

  private:
    bool wasClosed_ = false;
    int firstError_ = 0;
};

}  // namespace ferrolith
