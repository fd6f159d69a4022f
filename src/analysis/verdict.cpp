#include "analysis/verdict.hpp"

#include <charconv>

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

std::string verdictText(Verdict verdict, double target) {
    const std::string index = "the target index " + targetText(target);
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
