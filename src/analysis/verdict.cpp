#include "analysis/verdict.hpp"

#include <charconv>

#include "analysis/analysis_text.hpp"

namespace ferrolith {

Verdict verdictOn(const Estimate& estimate, double target) {
    switch (estimate.kind) {
        case EstimateKind::Value:
            return estimate.beta >= target ? Verdict::Meets : Verdict::FallsShort;
        case EstimateKind::Bound:
            // Only the least beta the figures allow can show the target met.
            return estimate.beta >= target ? Verdict::Meets : Verdict::NotShownToMeet;
        case EstimateKind::None:
            break;
    }
    return Verdict::NoAnswer;
}

std::string targetText(double target) {
    // Whatever the locale: the window's sets the C library's.
    char text[32];
    const char* end =
        std::to_chars(text, text + sizeof text, target, std::chars_format::fixed, 2).ptr;
    double back = 0.0;
    std::from_chars(text, end, back);
    // A target typed with more decimals is shown as typed: 3.855 must not read as 3.86.
    if (back != target) end = std::to_chars(text, text + sizeof text, target).ptr;
    return std::string(static_cast<const char*>(text), end);
}

std::string basisText(const TargetBasis& basis) {
    const std::string loads = std::to_string(years(basis.period)) + analysis_text::yearLoads;
    if (basis.typed)
        return loads + ": beta " + targetText(basis.typed->index) + " (" + basis.typed->source +
               ")";
    // The table's figures have one decimal.
    char index[8];
    const char* end = std::to_chars(index, index + sizeof index, basis.index()).ptr;
    return std::string(reliabilityClassNames[static_cast<std::size_t>(basis.reliabilityClass)]) +
           ", " + loads + ": beta " + std::string(static_cast<const char*>(index), end) + " (" +
           analysis_text::tableSource + ")";
}

std::string verdictText(Verdict verdict, const TargetBasis& basis) {
    const std::string index = basisText(basis);
    switch (verdict) {
        case Verdict::Meets:
            return "meets " + index;
        case Verdict::FallsShort:
            return "falls short of " + index;
        case Verdict::NotShownToMeet:
            return "not shown to meet " + index;
        case Verdict::NoAnswer:
            break;
    }
    return "no answer to check against " + index;
}

std::string_view verdictName(Verdict verdict) {
    switch (verdict) {
        case Verdict::Meets:
            return "meets";
        case Verdict::FallsShort:
            return "falls-short";
        case Verdict::NotShownToMeet:
            return "not-shown-to-meet";
        case Verdict::NoAnswer:
            break;
    }
    return "no-answer";
}

}  // namespace ferrolith
