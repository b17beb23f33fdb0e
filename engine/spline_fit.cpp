#include "engine/spline_fit.h"

#include <cmath>
#include <stdexcept>

namespace brondel::engine {

namespace {

constexpr int kDegree = 3;

// The kDegree + 1 basis functions that are not zero at u in knot span s.
std::vector<double> basis(const std::vector<double>& U, int s, double u) {
    std::vector<double> N(kDegree + 1, 0.0), left(kDegree + 1), right(kDegree + 1);
    N[0] = 1;
    for (int j = 1; j <= kDegree; ++j) {
        left[j] = u - U[s + 1 - j];
        right[j] = U[s + j] - u;
        double saved = 0;
        for (int r = 0; r < j; ++r) {
            const double t = N[r] / (right[r + 1] + left[j - r]);
            N[r] = saved + right[r + 1] * t;
            saved = left[j - r] * t;
        }
        N[j] = saved;
    }
    return N;
}

int span(const std::vector<double>& U, int controlCount, double u) {
    if (u >= U[controlCount]) {
        return controlCount - 1;
    }
    int s = kDegree;
    while (U[s + 1] <= u) {
        ++s;
    }
    return s;
}

// Solves A x = b (both x and y columns) by elimination with partial pivoting.
void solve(std::vector<std::vector<double>>& A, std::vector<Point2>& b) {
    const std::size_t n = A.size();
    for (std::size_t col = 0; col < n; ++col) {
        std::size_t pivot = col;
        for (std::size_t r = col + 1; r < n; ++r) {
            if (std::abs(A[r][col]) > std::abs(A[pivot][col])) {
                pivot = r;
            }
        }
        std::swap(A[col], A[pivot]);
        std::swap(b[col], b[pivot]);
        for (std::size_t r = col + 1; r < n; ++r) {
            const double f = A[r][col] / A[col][col];
            if (f == 0) {
                continue;
            }
            for (std::size_t c = col; c < n; ++c) {
                A[r][c] -= f * A[col][c];
            }
            b[r].x -= f * b[col].x;
            b[r].y -= f * b[col].y;
        }
    }
    for (std::size_t i = n; i-- > 0;) {
        for (std::size_t c = i + 1; c < n; ++c) {
            b[i].x -= A[i][c] * b[c].x;
            b[i].y -= A[i][c] * b[c].y;
        }
        b[i].x /= A[i][i];
        b[i].y /= A[i][i];
    }
}

}  // namespace

SplineGeom fitCubicSpline(const std::vector<Point2>& fit) {
    const int n = static_cast<int>(fit.size()) - 1;  // last fit point index
    if (n < 1) {
        throw std::invalid_argument("a spline needs two fit points");
    }
    std::vector<double> u(n + 1, 0.0);
    for (int k = 1; k <= n; ++k) {
        u[k] = u[k - 1] + std::hypot(fit[k].x - fit[k - 1].x, fit[k].y - fit[k - 1].y);
    }
    const double total = u[n];
    for (double& v : u) {
        v /= total;
    }
    u[n] = 1;

    SplineGeom g;
    g.degree = kDegree;
    g.knots.assign(kDegree + 1, 0.0);
    for (int k = 1; k < n; ++k) {
        g.knots.push_back(u[k]);
    }
    g.knots.insert(g.knots.end(), kDegree + 1, 1.0);
    const int count = n + 3;

    // Ends: the first two and last two control points follow from the end
    // points and the tangents along the first and last chords.
    std::vector<Point2> P(count);
    P[0] = fit[0];
    P[1] = {fit[0].x + (fit[1].x - fit[0].x) / 3, fit[0].y + (fit[1].y - fit[0].y) / 3};
    P[count - 1] = fit[n];
    P[count - 2] = {fit[n].x - (fit[n].x - fit[n - 1].x) / 3,
                    fit[n].y - (fit[n].y - fit[n - 1].y) / 3};
    // Inside: the curve passes through fit[1..n-1]; unknowns P[2..n].
    const int inner = n - 1;
    if (inner > 0) {
        std::vector<std::vector<double>> A(inner, std::vector<double>(inner, 0.0));
        std::vector<Point2> b(inner);
        for (int k = 1; k <= inner; ++k) {
            const int s = span(g.knots, count, u[k]);
            const std::vector<double> N = basis(g.knots, s, u[k]);
            b[k - 1] = fit[k];
            for (int j = 0; j <= kDegree; ++j) {
                const int i = s - kDegree + j;
                if (i >= 2 && i <= n) {
                    A[k - 1][i - 2] += N[j];
                } else {
                    b[k - 1].x -= N[j] * P[i].x;
                    b[k - 1].y -= N[j] * P[i].y;
                }
            }
        }
        solve(A, b);
        for (int i = 0; i < inner; ++i) {
            P[i + 2] = b[i];
        }
    }
    for (const Point2& p : P) {
        g.controlPoints.push_back({p.x, p.y, 0});
    }
    for (const Point2& p : fit) {
        g.fitPoints.push_back({p.x, p.y, 0});
    }
    return g;
}

}  // namespace brondel::engine
