#include "reliability/multinormal.hpp"

#include <algorithm>
#include <boost/random/uniform_01.hpp>
#include <cmath>
#include <limits>
#include <pcg_random.hpp>

#include "failure_statistics/reliability_index.hpp"
#include "reliability/standard_normal.hpp"

namespace ferrolith::reliability {

namespace {

// The stream of the lattice's shifts, fixed so that every figure is the same on every run.
constexpr std::uint64_t shiftSeed = 0x6d756c74696e6f72ULL;

// Three standard errors: the half-width of the error estimate.
constexpr double errorWidth = 3.0;

// A conditional variance at or below this is a variable fixed by the ones before it.
constexpr double fixedVariance = 1e-14;

// Phi^-1 kept finite: a lattice point on the cube's face would give an infinite coordinate.
double quantile(double p) {
    return normalQuantile(std::clamp(p, std::numeric_limits<double>::min(), 1.0 - 1e-16));
}

// The square roots of the first primes: the generator of a Richtmyer (Kronecker) lattice, whose
// points extend without end, so that doubling them keeps the earlier ones.
std::vector<double> latticeGenerator(int dimension) {
    std::vector<double> root;
    for (int p = 2; static_cast<int>(root.size()) < dimension; ++p) {
        bool prime = true;
        for (int q = 2; q * q <= p && prime; ++q) prime = p % q != 0;
        if (prime) root.push_back(std::sqrt(static_cast<double>(p)));
    }
    return root;
}

// The term P(Y_k > b_k, Y_j <= b_j for j < k) as Phi(-b_k) times an integral over the unit cube
// of dimension k: Y_k first, then the others given it, W = Y_j - r_jk Y_k of covariance S = r_jj'
// - r_jk r_j'k, factored by Eigen's pivoted LDL^T, which takes a semidefinite S.
class Term {
  public:
    Term(const std::vector<double>& b, const Eigen::MatrixXd& r, int k)
        : b_(b.begin(), b.begin() + k),
          tail_(normalCdf(-b[static_cast<std::size_t>(k)])),
          along_(r.col(k).head(k)) {
        const Eigen::MatrixXd s = r.topLeftCorner(k, k) - along_ * along_.transpose();
        const Eigen::LDLT<Eigen::MatrixXd> ldlt(s);
        Eigen::VectorXd order = Eigen::VectorXd::LinSpaced(k, 0, k - 1);
        order = ldlt.transpositionsP() * order;
        order_.resize(static_cast<std::size_t>(k));
        for (int i = 0; i < k; ++i) order_[static_cast<std::size_t>(i)] = std::lround(order(i));
        const Eigen::VectorXd d = ldlt.vectorD();
        factor_ = ldlt.matrixL();
        spread_ = d.unaryExpr([](double v) { return v > fixedVariance ? std::sqrt(v) : 0.0; });
    }

    double tail() const { return tail_; }
    int dimension() const { return static_cast<int>(b_.size()); }

    // The product of the conditional probabilities at a point w of the unit cube.
    double integrand(const Eigen::VectorXd& w, Eigen::VectorXd& t) const {
        const double y = -quantile(w(0) * tail_);
        double product = 1.0;
        const int k = dimension();
        for (int i = 0; i < k; ++i) {
            const auto j = static_cast<std::size_t>(order_[static_cast<std::size_t>(i)]);
            double mean = along_(static_cast<int>(j)) * y;
            for (int l = 0; l < i; ++l) mean += factor_(i, l) * spread_(l) * t(l);
            if (spread_(i) == 0.0) {
                if (mean > b_[j]) return 0.0;
                t(i) = 0.0;
                continue;
            }
            const double e = normalCdf((b_[j] - mean) / spread_(i));
            product *= e;
            if (product == 0.0) return 0.0;
            if (i + 1 < k) t(i) = quantile(w(i + 1) * e);
        }
        return product;
    }

  private:
    std::vector<double> b_;
    double tail_;
    Eigen::VectorXd along_;  // r_jk
    std::vector<long> order_;
    Eigen::MatrixXd factor_;
    Eigen::VectorXd spread_;
};

// The term by randomised quasi-Monte Carlo: the lattice under each random shift, with the
// baker's transform; the spread of the shifts' means gives the error.
ProbabilityEstimate integrate(const Term& term, double target, const MultinormalOptions& o) {
    const int k = term.dimension();
    const std::vector<double> generator = latticeGenerator(k);
    pcg64 engine(shiftSeed, static_cast<std::uint64_t>(k));
    boost::random::uniform_01<double> uniform;
    std::vector<Eigen::VectorXd> shifts;
    for (int s = 0; s < o.shifts; ++s) {
        Eigen::VectorXd shift(k);
        for (int i = 0; i < k; ++i) shift(i) = uniform(engine);
        shifts.push_back(shift);
    }
    std::vector<double> sums(static_cast<std::size_t>(o.shifts), 0.0);
    Eigen::VectorXd w(k), t(k);
    ProbabilityEstimate estimate;
    long done = 0;
    for (long points = o.firstPoints; points <= o.mostPoints; points *= 2) {
        for (long n = done + 1; n <= points; ++n) {
            for (int s = 0; s < o.shifts; ++s) {
                for (int i = 0; i < k; ++i) {
                    const double x = std::fmod(static_cast<double>(n) * generator[i] +
                                                   shifts[static_cast<std::size_t>(s)](i),
                                               1.0);
                    w(i) = std::abs(2.0 * x - 1.0);
                }
                sums[static_cast<std::size_t>(s)] += term.integrand(w, t);
            }
        }
        done = points;
        double mean = 0.0, square = 0.0;
        for (double sum : sums) mean += sum / static_cast<double>(done);
        mean /= o.shifts;
        for (double sum : sums) square += std::pow(sum / static_cast<double>(done) - mean, 2);
        const double standardError = std::sqrt(square / (o.shifts * (o.shifts - 1.0)));
        estimate = {term.tail() * mean, term.tail() * errorWidth * standardError};
        if (estimate.error <= target) break;
    }
    return estimate;
}

}  // namespace

ProbabilityEstimate unionProbability(const std::vector<double>& b, const Eigen::MatrixXd& r,
                                     const MultinormalOptions& options) {
    if (b.empty()) return {};
    const int m = static_cast<int>(b.size());
    const double first = normalCdf(-b.front());
    // Each correction's share of the error sought, the first term being exact.
    const double target =
        options.relativeTolerance * first / std::sqrt(static_cast<double>(std::max(1, m - 1)));
    double probability = first, variance = 0.0;
    for (int k = 1; k < m; ++k) {
        const ProbabilityEstimate term = integrate(Term(b, r, k), target, options);
        probability += term.probability;
        variance += term.error * term.error;
    }
    return {probability, std::sqrt(variance)};
}

}  // namespace ferrolith::reliability
