#include "reliability/finite_differences.hpp"

namespace ferrolith::reliability {

Eigen::VectorXd centralGradient(CountedLimitState& g, const Eigen::VectorXd& z, double step) {
    Eigen::VectorXd gradient(z.size());
    Eigen::VectorXd x = z;
    for (Eigen::Index i = 0; i < z.size(); ++i) {
        // The points actually reached, so that the divisor is their exact distance.
        const double up = z(i) + step;
        const double down = z(i) - step;
        x(i) = up;
        const double gUp = g(x);
        x(i) = down;
        const double gDown = g(x);
        x(i) = z(i);
        gradient(i) = (gUp - gDown) / (up - down);
    }
    return gradient;
}

namespace {

double mixedSecondDifference(CountedLimitState& g, const Eigen::VectorXd& z,
                             const Eigen::VectorXd& a, const Eigen::VectorXd& b, double step) {
    const double h = step;
    const double sum =
        g(z + h * a + h * b) - g(z + h * a - h * b) - g(z - h * a + h * b) + g(z - h * a - h * b);
    return sum / (4 * h * h);
}

double secondDifference(CountedLimitState& g, const Eigen::VectorXd& z, double gz,
                        const Eigen::VectorXd& a, double step) {
    return (g(z + step * a) - 2 * gz + g(z - step * a)) / (step * step);
}

}  // namespace

Eigen::MatrixXd directionalHessian(CountedLimitState& g, const Eigen::VectorXd& z, double gz,
                                   const Eigen::MatrixXd& directions, double step) {
    const Eigen::Index k = directions.cols();
    Eigen::MatrixXd hessian(k, k);
    for (Eigen::Index i = 0; i < k; ++i) {
        hessian(i, i) = secondDifference(g, z, gz, directions.col(i), step);
        for (Eigen::Index j = 0; j < i; ++j) {
            hessian(i, j) = mixedSecondDifference(g, z, directions.col(i), directions.col(j), step);
            hessian(j, i) = hessian(i, j);
        }
    }
    return hessian;
}

}  // namespace ferrolith::reliability
