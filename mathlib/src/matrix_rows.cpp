// Products and transposes of matrices held as vectors of rows.
#include <cstdio>

#include "detail.h"

namespace VX {

using Rows = std::vector<std::vector<double>>;

Rows VXMATHIN::matrixMultiply(const Rows& A, const Rows& B) {
    const std::size_t inner = detail::at(A, 0).size();
    if (inner != B.size())
        printf("----left matrix's row not should equal with right matrix!----\n");
    const std::size_t columns = detail::at(B, 0).size();
    Rows C(A.size(), std::vector<double>(columns, 0.0));
    for (std::size_t i = 0; i < A.size(); ++i)
        for (std::size_t k = 0; k < columns; ++k) {
            double sum = 0.0;
            for (std::size_t l = 0; l < inner; ++l)
                sum += detail::at(A[i], l) * detail::at(detail::at(B, l), k);
            C[i][k] = sum;
        }
    return C;
}

Rows VXMATHIN::matTranspose(const Rows& A) {
    if (A.empty()) return {};
    Rows T(A[0].size(), std::vector<double>(A.size(), 0.0));
    for (std::size_t i = 0; i < A.size(); ++i)
        for (std::size_t j = 0; j < T.size(); ++j) T[j][i] = detail::at(A[i], j);
    return T;
}

}  // namespace VX
