#include "model/draw_input.hpp"

#include "model/distribution_formulas.hpp"

namespace ferrolith {

namespace {

void fault(DrawContext& c, std::string_view message) {
    c.messages.showDataFault(message);
    c.abortFlag = true;
}

double drawValue(DrawContext& c, std::size_t i) {
    const double u1 = c.rng.rand();
    const double u2 = c.rng.rand();
    const double u3 = c.rng.rand();
    const auto draw = formulas::drawVariable(
        branchFor(c.distName[i]), c.paramA[i], c.paramB[i], u1, u2, u3, c.piValue,
        [&c] { return SystemRandom::picksFirst(c.systemRandom.nextBits()); });
    // The Poisson value is still returned; an overflowed power leaves nothing to return.
    if (draw.poissonFault) fault(c, poissonFaultMessage);
    if (draw.overflow) {
        fault(c, dataFaultMessage);
        return 0.0;
    }
    return draw.value;
}

}  // namespace

double drawInput(DrawContext& context, std::int16_t i) {
    try {
        return drawValue(context, static_cast<std::size_t>(i));
    } catch (...) {
        // Whatever fails inside a draw is faulty data: one message, the flag, and 0.0.
        fault(context, dataFaultMessage);
        return 0.0;
    }
}

}  // namespace ferrolith
