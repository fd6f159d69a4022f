#include "record/report_lines.hpp"

#include "record/record_texts.hpp"
#include "report/report_text.hpp"

namespace ferrolith {

namespace {

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find(crlf, start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + crlf.size();
    }
    return lines;
}

bool opensRepetition(const std::string& line) { return line.starts_with("Iteration: "); }

}  // namespace

ReportLines reportLines(const std::string& report, std::size_t maxLines) {
    std::vector<std::string> lines = splitLines(report);
    if (lines.size() <= maxLines) return {std::move(lines), 0};
    // A repetition block runs from its "Iteration:" line to the blank line that ends it.
    auto firstBlock = lines.begin();
    while (firstBlock != lines.end() && !opensRepetition(*firstBlock)) ++firstBlock;
    auto after = firstBlock;
    int blocks = 0;
    while (after != lines.end() && opensRepetition(*after)) {
        ++blocks;
        while (after != lines.end() && !after->empty()) ++after;
        if (after != lines.end()) ++after;
    }
    std::vector<std::string> kept(lines.begin(), firstBlock);
    kept.push_back(record_text::repetitionsLeftOut(blocks));
    kept.emplace_back();
    kept.insert(kept.end(), after, lines.end());
    return {std::move(kept), blocks};
}

}  // namespace ferrolith
