// Classical Jacobi eigen-decomposition of a symmetric matrix.
#include <cmath>
#include <utility>

#include "detail.h"

namespace VX {

bool SVDQR::JacbiCor(double* a, int n, double* eigenvectors, double* eigenvalues,
                     int iterationLimit) {
    if (a == nullptr || eigenvectors == nullptr || eigenvalues == nullptr || n < 1) return false;
    auto A = [a, n](int i, int j) -> double& { return a[i * n + j]; };
    auto V = [eigenvectors, n](int i, int j) -> double& { return eigenvectors[i * n + j]; };
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) V(i, j) = (i == j) ? 1.0 : 0.0;
    for (int rotations = 0;; ++rotations) {
        int p = 0, q = 0;
        double largest = 0.0;
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j)
                if (i != j && std::abs(A(i, j)) > largest) {
                    largest = std::abs(A(i, j));
                    p = i;
                    q = j;
                }
        if (largest < 1e-10 || rotations > iterationLimit) break;
        const double app = A(p, p), aqq = A(q, q), apq = A(p, q);
        const double theta = 0.5 * std::atan2(-2.0 * apq, aqq - app);
        const double c = std::cos(theta), s = std::sin(theta);
        A(p, p) = c * c * app + 2.0 * c * s * apq + s * s * aqq;
        A(q, q) = s * s * app - 2.0 * c * s * apq + c * c * aqq;
        A(p, q) = A(q, p) = std::sin(2.0 * theta) * (aqq - app) / 2.0 + std::cos(2.0 * theta) * apq;
        for (int k = 0; k < n; ++k) {
            if (k != p && k != q) {
                const double akp = A(k, p), akq = A(k, q);
                A(k, p) = A(p, k) = c * akp + s * akq;
                A(k, q) = A(q, k) = -s * akp + c * akq;
            }
            const double vkp = V(k, p), vkq = V(k, q);
            V(k, p) = c * vkp + s * vkq;
            V(k, q) = -s * vkp + c * vkq;
        }
    }
    for (int i = 0; i < n; ++i) eigenvalues[i] = A(i, i);
    // Decreasing magnitude, the eigenvector columns following their values.
    for (int i = 0; i < n; ++i) {
        int best = i;
        for (int j = i + 1; j < n; ++j)
            if (std::abs(eigenvalues[j]) > std::abs(eigenvalues[best])) best = j;
        if (best == i) continue;
        std::swap(eigenvalues[i], eigenvalues[best]);
        for (int k = 0; k < n; ++k) std::swap(V(k, i), V(k, best));
    }
    // Fix each eigenvector's sign: non-negative component sum.
    for (int j = 0; j < n; ++j) {
        double sum = 0.0;
        for (int k = 0; k < n; ++k) sum += V(k, j);
        if (sum < 0.0)
            for (int k = 0; k < n; ++k) V(k, j) = -V(k, j);
    }
    return true;
}

}  // namespace VX
