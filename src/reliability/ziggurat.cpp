#include "reliability/ziggurat.hpp"

#include <boost/random/exponential_distribution.hpp>
#include <cmath>
#include <numbers>

namespace ferrolith::reliability {

namespace {

double f(double x) { return std::exp(-0.5 * x * x); }

Ziggurat build() {
    Ziggurat z;
    const double r = Ziggurat::tailStart;
    z.area = r * f(r) + std::sqrt(0.5 * std::numbers::pi) * std::erfc(r / std::numbers::sqrt2);
    z.x[0] = z.area / f(r);
    z.x[1] = r;
    for (int i = 1; i < Ziggurat::layers - 1; ++i)
        z.x[i + 1] = std::sqrt(-2.0 * std::log(z.area / z.x[i] + f(z.x[i])));
    z.x[Ziggurat::layers] = 0.0;
    for (int i = 0; i <= Ziggurat::layers; ++i) z.fx[i] = f(z.x[i]);
    return z;
}

// Beyond r, by Marsaglia's method: x from an exponential of rate r, kept with probability
// exp(-x^2 / 2), tested against a second exponential.
double tail(pcg64& engine) {
    constexpr double r = Ziggurat::tailStart;
    boost::random::exponential_distribution<double> beyond(r), test;
    for (;;) {
        const double x = beyond(engine);
        if (2.0 * test(engine) > x * x) return r + x;
    }
}

}  // namespace

const Ziggurat& Ziggurat::table() {
    static const Ziggurat z = build();
    return z;
}

ZigguratCandidate::ZigguratCandidate(std::uint64_t word)
    : layer(static_cast<int>((word >> 1) & (Ziggurat::layers - 1))), positive((word & 1) != 0) {
    const Ziggurat& z = Ziggurat::table();
    // The top 52 bits as a multiple of 2^-52: exact, as the vector lanes form it.
    x = static_cast<double>(word >> 12) * 0x1p-52 * z.x[static_cast<std::size_t>(layer)];
    inside = x < z.x[static_cast<std::size_t>(layer) + 1];
}

double finishOutlier(ZigguratCandidate c, pcg64& engine) {
    const Ziggurat& z = Ziggurat::table();
    for (;;) {
        const double sign = c.positive ? 1.0 : -1.0;
        if (c.layer == 0) return sign * tail(engine);
        // Under the curve: a height uniform over the layer's wedge, from the top 53 bits.
        const auto i = static_cast<std::size_t>(c.layer);
        const double u = static_cast<double>(engine() >> 11) * 0x1p-53;
        if (z.fx[i] + u * (z.fx[i + 1] - z.fx[i]) < f(c.x)) return sign * c.x;
        c = ZigguratCandidate(engine());
        if (c.inside) return c.value();
    }
}

}  // namespace ferrolith::reliability
