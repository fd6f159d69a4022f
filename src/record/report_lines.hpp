#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace ferrolith {

// The design report as the record prints it, line by line.
struct ReportLines {
    std::vector<std::string> lines;
    int blocksLeftOut = 0;  // repetition blocks left out
};

// Every line of report when there are at most maxLines; otherwise its input block, one line
// saying how many repetition blocks are left out, and what follows them (the overall block, or
// the abort block).
ReportLines reportLines(const std::string& report, std::size_t maxLines);

}  // namespace ferrolith
