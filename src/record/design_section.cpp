#include "record/design_section.hpp"

#include "analysis/design_for_target_text.hpp"
#include "record/record_blocks.hpp"
#include "record/record_plots.hpp"
#include "record/record_texts.hpp"

namespace ferrolith {

namespace {

constexpr double chartHeight = 200;

}  // namespace

void designSection(PageFlow& flow, const Analysis& analysis) {
    const auto& design = analysis.designForTarget();
    if (!design) return;
    addHeading(flow, record_text::designHeading);
    for (const std::string& line : designForTargetLines(*design))
        addParagraph(flow, line, flow.style().body);
    addDrawings(flow, chartHeight,
                {[d = *design](QPainter& p, const QRectF& area, const RecordStyle& s) {
                    drawDesignCurve(p, area, s, d);
                }});
}

}  // namespace ferrolith
