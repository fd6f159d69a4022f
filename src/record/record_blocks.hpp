#pragma once

#include <QFont>
#include <QRectF>
#include <functional>
#include <string>
#include <vector>

#include "record/page_flow.hpp"

namespace ferrolith {

// The kinds of block a record is made of, each laid out on a PageFlow.

// A section heading, kept on one page with keepWith points of what follows.
void addHeading(PageFlow& flow, const std::string& text, double keepWith = 60);
// Wrapped text across the page, kept on one page with keepWith points of what follows.
void addParagraph(PageFlow& flow, const std::string& text, const QFont& font, double keepWith = 0);

// Rows of cells in columns whose widths are the given fractions of the page; a head row in
// bold. Cells wrap; columns from rightFrom on are aligned to the right.
struct TableLayout {
    std::vector<double> widths;
    std::size_t rightFrom = 99;
};
void addTable(PageFlow& flow, const std::vector<std::string>& heads,
              const std::vector<std::vector<std::string>>& rows, const TableLayout& layout);
// The layout addTable draws with: a column narrower than its widest word (a head's in bold) is
// widened to it, taking the width from the first column's room beyond its own widest word, so
// that no word is broken or cut.
TableLayout fittedLayout(const PageFlow& flow, const std::vector<std::string>& heads,
                         const std::vector<std::vector<std::string>>& rows,
                         const TableLayout& layout);
// "label: value" rows: labels in a column of their own, values wrapped beside them; an empty
// label leaves its column blank.
void addLabelledLines(PageFlow& flow,
                      const std::vector<std::pair<std::string, std::string>>& lines);

// Lines in the monospaced font, each placed apart so that they run across pages.
void addMonospacedLines(PageFlow& flow, const std::vector<std::string>& lines);

// A drawing height points high across width fraction of the page, placed side by side with the
// drawings of the same row.
using Drawing = std::function<void(QPainter&, const QRectF&, const RecordStyle&)>;
void addDrawings(PageFlow& flow, double height, const std::vector<Drawing>& row);

}  // namespace ferrolith
