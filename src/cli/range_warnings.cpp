#include "cli/range_warnings.hpp"

namespace ferrolith {

void sayRangeWarnings(const Analysis& analysis, std::ostream& errors) {
    for (const RangeWarning& w : analysis.rangeWarnings())
        errors << "ferrolith-cli: " << w.text << '\n';
}

}  // namespace ferrolith
