#include "model/draw_input.hpp"

#include "model/distribution_formulas.hpp"

namespace ferrolith {

Branch branchFor(std::string_view distName) {
    if (distName == "Log-Normal") return Branch::LogNormal;
    if (distName == "Gamma") return Branch::Gamma;
    if (distName == "Gumbel") return Branch::Gumbel;
    if (distName == "Poisson") return Branch::Poisson;
    return Branch::Normal;
}

namespace {

double drawValue(DrawContext& c, std::size_t i) {
    const double a = c.paramA[i];
    const double b = c.paramB[i];
    const double u1 = c.rng.rand();
    const double u2 = c.rng.rand();
    const double u3 = c.rng.rand();
    const Branch branch = branchFor(c.distName[i]);
    if (branch == Branch::Gamma) {
        const auto g = formulas::gammaValue(a, b, u1, u2, u3);
        if (g.overflow) {
            c.messages.showDataFault(dataFaultMessage);
            c.abortFlag = true;
            return 0.0;
        }
        return g.value;
    }
    if (branch == Branch::Gumbel) return formulas::gumbelValue(a, b, u1);

    if (branch == Branch::Poisson && !(a > 10.0)) {
        c.messages.showDataFault(poissonFaultMessage);
        c.abortFlag = true;
    }
    const bool pickFirst = SystemRandom::picksFirst(c.systemRandom.nextBits());
    switch (branch) {
        case Branch::LogNormal:
            return formulas::logNormalValue(a, b, u1, u2, c.piValue, pickFirst);
        case Branch::Poisson:
            return formulas::poissonValue(a, b, u1, u2, c.piValue, pickFirst);
        default:
            return formulas::normalValue(a, b, u1, u2, c.piValue, pickFirst);
    }
}

}  // namespace

double drawInput(DrawContext& context, std::int16_t i) {
    try {
        return drawValue(context, static_cast<std::size_t>(i));
    } catch (...) {
        // Whatever fails inside a draw is faulty data: one message, the flag, and 0.0.
        context.messages.showDataFault(dataFaultMessage);
        context.abortFlag = true;
        return 0.0;
    }
}

}  // namespace ferrolith
