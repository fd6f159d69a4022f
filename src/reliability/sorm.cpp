#include "reliability/sorm.hpp"

#include <cmath>

#include "failure_statistics/reliability_index.hpp"
#include "reliability/finite_differences.hpp"
#include "reliability/reliability_text.hpp"
#include "reliability/standard_normal.hpp"

namespace ferrolith::reliability {

namespace {

// Phi(-b) prod (1 + c(b) kappa_i)^(-1/2) at b = |beta|, or undefined at the first factor that
// is not positive. A negative beta has the origin on the failing side: the formula then gives the
// safe side's probability, its curvatures seen from the origin turned round, and Pf is the rest.
CurvatureCorrection corrected(std::string_view name, double beta, double (*c)(double),
                              std::span<const double> curvatures) {
    CurvatureCorrection result;
    const double b = std::abs(beta);
    const double side = beta < 0 ? -1.0 : 1.0;
    double product = 1.0;
    for (double kappa : curvatures) {
        const double factor = 1 + c(b) * side * kappa;
        if (!(factor > 0)) {
            result.message = text::formulaUndefined(name, kappa, factor);
            return result;
        }
        product /= std::sqrt(factor);
    }
    const double p = normalCdf(-b) * product;
    result.defined = true;
    result.failureProbability = beta < 0 ? 1 - p : p;
    result.beta = reliabilityIndex(result.failureProbability);
    return result;
}

double breitungFactor(double b) { return b; }

// psi(b) = phi(b) / Phi(-b)
double hohenbichlerRackwitzFactor(double b) { return normalDensity(b) / normalCdf(-b); }

// An orthonormal basis whose last column is alpha: the Householder reflection that swaps the
// last unit vector and alpha.
Eigen::MatrixXd basisEndingIn(const Eigen::VectorXd& alpha) {
    const Eigen::Index n = alpha.size();
    Eigen::VectorXd v = alpha;
    v(n - 1) -= 1.0;
    const double vv = v.squaredNorm();
    if (vv == 0.0) return Eigen::MatrixXd::Identity(n, n);
    return Eigen::MatrixXd::Identity(n, n) - (2.0 / vv) * v * v.transpose();
}

SormResult curvaturesAt(const LimitStateFunction& g, const FormResult& form, double step) {
    CountedLimitState counted(g);
    const Eigen::Map<const Eigen::VectorXd> u(form.designPoint.data(), g.dimension);
    const Eigen::Map<const Eigen::VectorXd> alpha(form.alpha.data(), g.dimension);
    const Eigen::MatrixXd basis = basisEndingIn(alpha);
    const Eigen::MatrixXd hessian =
        directionalHessian(counted, u, counted(u), basis.leftCols(g.dimension - 1), step);
    SormResult result;
    result.evaluations = counted.evaluations();
    if (!hessian.allFinite()) {
        result.message = text::notFiniteNearDesignPoint;
        return result;
    }
    const Eigen::SelfAdjointEigenSolver<Eigen::MatrixXd> solver(hessian / form.gradientNorm,
                                                                Eigen::EigenvaluesOnly);
    const Eigen::VectorXd& kappa = solver.eigenvalues();  // ascending
    result.curvatures.assign(kappa.data(), kappa.data() + kappa.size());
    result.breitung = breitung(form.beta, result.curvatures);
    result.hohenbichlerRackwitz = hohenbichlerRackwitz(form.beta, result.curvatures);
    return result;
}

}  // namespace

CurvatureCorrection breitung(double beta, std::span<const double> curvatures) {
    return corrected(text::breitungName, beta, breitungFactor, curvatures);
}

CurvatureCorrection hohenbichlerRackwitz(double beta, std::span<const double> curvatures) {
    return corrected(text::hohenbichlerRackwitzName, beta, hohenbichlerRackwitzFactor, curvatures);
}

SormResult sorm(const LimitStateFunction& g, const FormResult& form, const SormOptions& options) {
    SormResult result;
    if (const std::string_view why = missingDesignPoint(form, g.dimension); !why.empty()) {
        result.fault = form.fault;
        result.message = why;
        return result;
    }
    if (g.dimension < 2) {  // a line has no curvature: both formulas give FORM's Pf
        result.breitung = breitung(form.beta, {});
        result.hohenbichlerRackwitz = hohenbichlerRackwitz(form.beta, {});
        return result;
    }
    try {
        return curvaturesAt(g, form, options.hessianStep);
    } catch (const InputFaultError& e) {
        result.fault = e.fault();
        result.message = e.what();
        return result;
    }
}

}  // namespace ferrolith::reliability
