// VXMATHIN: stateless numeric routines for vectors, small matrices, rotations, statistics,
// gait events, decompositions and camera geometry.
//
// Conventions:
// - Matrices are row-major raw arrays (double[3][3], double[3][4], double[4][4]) or flat
//   pointers with explicit row/column counts.
// - Euler triples (Point3D) and the arguments of cosd/sind are degrees; everything else
//   follows its name.
// - "Transposed storage": eulerToRotMatrix, quatToRotMatrix and their inverses keep the
//   rotation matrix P as its transpose (element [i][j] = P[j][i]).
// - Members taking a std::vector by value consume their copy.
// - Numeric problems never throw: failures are boolean returns, untouched outputs or zero
//   results. Out-of-range vector subscripts throw std::out_of_range.
#ifndef VXMATHIN_H
#define VXMATHIN_H

#include <vector>

#if defined(VXMATHIN_BUILDING)
#define VXMATHIN_API __attribute__((visibility("default")))
#else
#define VXMATHIN_API
#endif

namespace VXDEF {

struct Point2D {
    double x;
    double y;
};

struct Point3D {
    double x;
    double y;
    double z;
};

// Quaternion, scalar part first.
struct QuaD {
    double w;
    double x;
    double y;
    double z;
};

struct QuaF {
    float w;
    float x;
    float y;
    float z;
};

// Order of the elementary rotations about X (angle x), Y (angle y) and Z (angle z).
enum ChannelOrderEuler {
    XYZ = 0,
    XZY = 1,
    YXZ = 2,
    YZX = 3,
    ZXY = 4,
    ZYX = 5,
};

// Spherical coordinates of one point seen from another (angles in radians and degrees).
struct SphericalCoordinateSystemPara {
    double r;
    double theta;
    double thetaDegree;
    double sinTheta;
    double cosTheta;
    double phi;
    double phiDegree;
    double sinPhi;
    double cosPhi;
};

}  // namespace VXDEF

namespace VX {

class VXMATHIN_API VXMATHIN {
public:
    // ---- Scalar trigonometry and units ----
    // Cosine by its own power series (30 terms, no range reduction: accuracy falls for
    // large |x|). cos(0) is exactly 1.
    double cos(double x);
    // Sine by its own power series (29 terms, no range reduction). sin(0) is exactly 0.
    double sin(double x);
    // Series cosine / sine of an angle in degrees.
    double cosd(double x);
    double sind(double x);
    double deg2rad(double x);
    double rad2deg(double x);

    // ---- Distances ----
    double eucDistancePoint22(VXDEF::Point2D a, VXDEF::Point2D b);
    double eucDistancePoint33(VXDEF::Point3D a, VXDEF::Point3D b);

    // ---- 2-D and 3-D vectors ----
    // a - b.
    VXDEF::Point2D vector2Differ(VXDEF::Point2D a, VXDEF::Point2D b);
    // a + b.
    VXDEF::Point2D vector2Sum(VXDEF::Point2D a, VXDEF::Point2D b);
    // x² + y².
    double vector2NormSquare(VXDEF::Point2D a);
    // a × b.
    VXDEF::Point3D crossProduct(VXDEF::Point3D a, VXDEF::Point3D b);
    // Same as crossProduct(Point3D, Point3D).
    VXDEF::Point3D crossProduct3(VXDEF::Point3D a, VXDEF::Point3D b);
    // c = a × b for three-element arrays; c may alias a or b.
    void crossProduct(const double* a, const double* b, double* c);
    // a · b.
    double dotProduct3(VXDEF::Point3D a, VXDEF::Point3D b);
    // Cosine of the angle between a and b; 0 when either has length 0.
    double cos3Vector(VXDEF::Point3D a, VXDEF::Point3D b);
    // Angle between a and b in [0, 180] degrees / [0, π] radians; 90° / π/2 when either
    // vector has length 0 (cos3Vector gives 0 there).
    double vector3AngleDegree(VXDEF::Point3D a, VXDEF::Point3D b);
    double vector3AngleRadian(VXDEF::Point3D a, VXDEF::Point3D b);
    // a - b.
    VXDEF::Point3D vector3Minus(VXDEF::Point3D a, VXDEF::Point3D b);
    // a + b.
    VXDEF::Point3D vector3Sum(VXDEF::Point3D a, VXDEF::Point3D b);
    // a + (b[0], b[1], b[2]).
    VXDEF::Point3D vector3Sum1(VXDEF::Point3D a, const double* b);
    // -a.
    VXDEF::Point3D negationVector(VXDEF::Point3D a);
    // a / |a|; a zero vector is returned unchanged.
    VXDEF::Point3D vectorNormalization(VXDEF::Point3D a);
    // |a|.
    double vector3Norm(VXDEF::Point3D a);
    // Normalises in place; a zero vector is left unchanged.
    void vector3DimensionNorm(VXDEF::Point3D& a);
    void vector3DimensionNorm(double* a);
    // Sets v to (x, y, z).
    void vector3Assignment(VXDEF::Point3D& v, double x, double y, double z);
    // Writes p into a three-element array.
    void Point3D2array3Dimen(VXDEF::Point3D p, double* a);
    // Reads a three-element array into a point.
    VXDEF::Point3D array3Dimen2Point3D(const double* a);
    void array3Dimen2Point3D(const double* a, VXDEF::Point3D& p);
    // √(Σ a_i²) over the first n elements.
    double modulusArray(const double* a, int n);
    // dst_i = src_i / f for i < n; nothing is written when f is 0.
    void arrayElementDivideScaleFactor(const double* src, double* dst, int n, double f);
    // Fills a row-major rows × columns array with v on its diagonal and 0 elsewhere.
    void initArrayDiagonalElement(double* p, int rows, int columns, double v);
    // True when v holds an element equal to key.
    bool haveornoVector(int key, std::vector<int> v);

    // ---- Triangles and points ----
    // Mean of the three points.
    VXDEF::Point3D centroidOftriangle(VXDEF::Point3D p1, VXDEF::Point3D p2, VXDEF::Point3D p3);
    // Longest of |p1p2|, |p1p3|, |p2p3|.
    double maxDistanceTriangle(VXDEF::Point3D p1, VXDEF::Point3D p2, VXDEF::Point3D p3);
    // Sum of the three side lengths.
    double perimeterTriangle(VXDEF::Point3D p1, VXDEF::Point3D p2, VXDEF::Point3D p3);
    // Heron's formula; 0 for a degenerate triangle (rounding never yields NaN).
    double triangleArea(VXDEF::Point3D p1, VXDEF::Point3D p2, VXDEF::Point3D p3);
    // Interior angles (degrees) at p1, p2 and p3. The cosines are not clamped, so rounding
    // on a degenerate triangle, or a repeated point, gives NaN.
    void angleDegree(VXDEF::Point3D p1, VXDEF::Point3D p2, VXDEF::Point3D p3, double& a1,
                     double& a2, double& a3);
    // p / n, or p itself when n is 0.
    VXDEF::Point3D meanValueOnlyPoint3D(VXDEF::Point3D p, int n);
    // Component-wise mean; (0, 0, 0) for an empty vector.
    VXDEF::Point3D meansValuePoint3D(std::vector<VXDEF::Point3D> v);
    // Spherical coordinates of p2 seen from p1 (φ = atan2(dy, dx), θ = acos(dz / r)); the
    // sines and cosines come from the series. θ is 0 when the points coincide.
    void SphericalCoordinateSystem(VXDEF::Point3D p1, VXDEF::Point3D p2,
                                   VXDEF::SphericalCoordinateSystemPara& para);
    // u along p2 - p1, w normal to the plane p1 p2 p3, v = w × u (all normalised; a zero
    // length is left unnormalised).
    void orthogonalBasis(VXDEF::Point3D p1, VXDEF::Point3D p2, VXDEF::Point3D p3, VXDEF::Point3D& u,
                         VXDEF::Point3D& v, VXDEF::Point3D& w);
    // orthogonalBasis stored as the columns / rows of R.
    void orthogonalBasisR_ByColsSave(VXDEF::Point3D p1, VXDEF::Point3D p2, VXDEF::Point3D p3,
                                     double R[3][3]);
    void orthogonalBasisR_ByRowsSave(VXDEF::Point3D p1, VXDEF::Point3D p2, VXDEF::Point3D p3,
                                     double R[3][3]);
    // Basis on the strictly longest side of the triangle (u along it, n the plane normal,
    // v = n × u) as the columns of R; R is all zeros when no side is strictly longest.
    void orthogonalBasisR_DIV_ABCPoint_ByColsSave(VXDEF::Point3D p1, VXDEF::Point3D p2,
                                                  VXDEF::Point3D p3, double R[3][3]);
    // Three points as the columns of R.
    void colsMatrixAssignment(VXDEF::Point3D a, VXDEF::Point3D b, VXDEF::Point3D c, double R[3][3]);
    void save3PointXYZ_33R_ByColumn(VXDEF::Point3D a, VXDEF::Point3D b, VXDEF::Point3D c,
                                    double R[3][3]);
    // Three points as the rows of R.
    void rowsMatrixAssignment(VXDEF::Point3D a, VXDEF::Point3D b, VXDEF::Point3D c, double R[3][3]);
    void save3PointXYZ_33R_ByRow(VXDEF::Point3D a, VXDEF::Point3D b, VXDEF::Point3D c,
                                 double R[3][3]);

    // ---- Matrices ----
    // Determinant of a 3 × 3 matrix.
    double det(const double m[3][3]);
    // Adjugate (transposed cofactor matrix); adj may alias m.
    void adjoint(const double m[3][3], double adj[3][3]);
    // dst = srcᵀ; dst may alias src.
    void matrixTranspose(const double src[3][3], double dst[3][3]);
    // In place inverse. False, with m unchanged, when the determinant is exactly 0.
    bool matrixInverse33(double m[3][3]);
    // inv = m⁻¹. False, with inv unchanged, when the determinant is exactly 0.
    bool matrixInverse33(const double m[3][3], double inv[3][3]);
    // In-place Gauss–Jordan inverse of an n × n row-major matrix with full pivoting.
    // False, with a unchanged, for n < 1, n > 20 or a (numerically) singular matrix.
    bool brinv2(double* a, int n);
    bool brinv2(float* a, int n);
    // C (m × k) = A (m × n) · B (n × k); C may alias A or B.
    void matrixMulti(const double* A, const double* B, double* C, int m, int n, int k);
    void matrixMulti(const float* A, const float* B, float* C, int m, int n, int k);
    // Product of row vectors: result has A's rows and B[0]'s columns and sums over A[0]'s
    // length. A length that differs from B's row count is reported on standard output;
    // ragged or too short rows throw std::out_of_range.
    std::vector<std::vector<double>> matrixMultiply(const std::vector<std::vector<double>>& A,
                                                    const std::vector<std::vector<double>>& B);
    // Transpose of a vector of rows (empty for empty input; ragged rows throw
    // std::out_of_range).
    std::vector<std::vector<double>> matTranspose(const std::vector<std::vector<double>>& A);
    // Fixed-size products; the names give the operand shapes. Outputs may alias inputs.
    void matrix_33_multiply_31(const double A[3][3], const double b[3], double c[3]);
    void matrix_33_multiply_31_2(const double A[3][3], VXDEF::Point3D b, VXDEF::Point3D& c);
    void matrix_33_multiply_31_3(const double A[3][3], const double b[3], VXDEF::Point3D& c);
    void matrix_33_multiply_33(const double A[3][3], const double B[3][3], double C[3][3]);
    void matrix_33_multiply_34(const double A[3][3], const double B[3][4], double C[3][4]);
    void matrix_34_multiply_41(const double A[3][4], const double b[4], double c[3]);
    void matrix_34_multiply_43(const double A[3][4], const double B[4][3], double C[3][3]);
    void matrix_34_multiply_44(const double A[3][4], const double B[4][4], double C[3][4]);
    void matrix_44_multiply_41(const double A[4][4], const double b[4], double c[4]);
    void matrix_44_multiply_44(const double A[4][4], const double B[4][4], double C[4][4]);
    // out = R·p + t.
    void matrix_RT_multiply_3Point_3(const double R[3][3], const double t[3], const double p[3],
                                     double out[3]);
    // H = [R | t; 0 0 0 1].
    void RT2homogeneous(const double R[3][3], const double t[3], double H[4][4]);
    void RT2homogeneous2(const double R[3][3], const double t[3], double H[4][4]);
    // R = upper-left block of H, t = its last column.
    void homogeneous2RT(const double H[4][4], double R[3][3], double t[3]);
    // dst = srcᵀ (single precision).
    void RotateMat33(const float src[3][3], float dst[3][3]);
    // In-place transposes.
    void RotateMat33D(double m[3][3]);
    void RotateMat33D(double* m);
    void RotateMat44D(double m[4][4]);
    // q (b × a) = transpose of p (a × b).
    void RotateMat(const double* p, double* q, int a, int b);
    // Divides each column / row by its length; m is unchanged when any length is 0.
    void norm33RotationMatrix_ByColsSave(double m[3][3]);
    void norm33RotationMatrix_ByColsSave(float m[3][3]);
    void norm33RotationMatrix_ByRowsSave(double m[3][3]);
    void norm33RotationMatrix_ByRowsSave(float m[3][3]);

    // ---- Rotations ----
    // q = q_a ⊗ q_b ⊗ q_c of the single-axis rotations in the given order. An unknown order
    // leaves q untouched.
    void eulerToQuat(VXDEF::Point3D angles, VXDEF::ChannelOrderEuler order, VXDEF::QuaD& q);
    // The same rotation (up to sign) computed through the rotation matrix with the series
    // trigonometry. Returns the quaternion; an unknown order returns q as given.
    VXDEF::QuaD euler2Quat(VXDEF::Point3D angles, VXDEF::ChannelOrderEuler order, VXDEF::QuaD q);
    // m = (R_a·R_b·R_c)ᵀ (transposed storage). An unknown order leaves m untouched.
    void eulerToRotMatrix(VXDEF::Point3D angles, VXDEF::ChannelOrderEuler order, double m[3][3]);
    // Euler angles (degrees) of q for the order, through quatToRotMatrix.
    void quatToEuler(VXDEF::QuaD q, VXDEF::ChannelOrderEuler order, VXDEF::Point3D& angles);
    // Rotation matrix of q in transposed storage.
    void quatToRotMatrix(VXDEF::QuaD q, double m[3][3]);
    void QToMatrix(VXDEF::QuaD q, double m[3][3]);
    // Inverse of eulerToRotMatrix (degrees); past |sin| > 0.9999 of the middle angle the
    // third angle is 0. An unknown order leaves angles untouched.
    void rotMatrixToEuler(const double m[3][3], VXDEF::ChannelOrderEuler order,
                          VXDEF::Point3D& angles);
    // Inverse of quatToRotMatrix: q or -q of the unit quaternion.
    void rotMatrixToQuat(const double m[3][3], VXDEF::QuaD& q);
    void rotation2quat_all_12(const double m[3][3], VXDEF::QuaD& q);
    void rotation2quat_all_12(const float m[3][3], VXDEF::QuaF& q);
    // Quaternion of a plain (not transposed) row-major rotation matrix.
    VXDEF::QuaD rotation2quat(const double m[3][3]);
    // Z-Y-X angles (degrees) of m arranged in the result by order; (0, 0, 0) for an
    // unknown order.
    VXDEF::Point3D rotm2EulDegree(const double m[3][3], VXDEF::ChannelOrderEuler order);
    // Z-Y-X angles (degrees) of m as out = (z, y, x).
    void rotationMatrixToEuler_ZYX(const double m[3][3], double out[3]);
    // m = R_z(a)·R_y(b)·R_x(c) in plain storage, angles in degrees, series trigonometry.
    void rotationMatrixXYZ(double a, double b, double c, double m[3][3]);
    // dst = src with rows 0 and 1 negated (a half turn about Z applied on the left).
    void rotationMatrix_XY_Axis_Rotation180Degree(const double src[3][3], double dst[3][3]);
    // Rotation matrix (plain storage) of a Rodrigues vector, series trigonometry; the
    // identity for the zero vector.
    void rodriguezVector2rotationMatrix(const double r[3], double R[3][3]);
    // Rodrigues vector of a plain rotation matrix; also sound at 0 and at half turns.
    void rotationMatrix2RodriguezVector(const double R[3][3], double r[3]);
    // Z-Y-X angles (degrees) of q: x, y, z = angles about X, Y, Z.
    VXDEF::Point3D qua2Euler_ZYXDegree(VXDEF::QuaD q);
    // Y-Z-X angles (degrees) of the array quaternion (w, x, y, z) after a change of frame.
    void qua_wxyz_2Euler_yzx(const double q[4], double out[3]);
    // Z-Y-X angles (degrees) of the array quaternion (w, x, y, z) as out = (z, y, x).
    void qua_wxyz_2Euler_zyx(const double q[4], double out[3]);
    // Hamilton product a ⊗ b.
    VXDEF::QuaD quaMulti(VXDEF::QuaD a, VXDEF::QuaD b);
    // out = p ⊗ q for array quaternions (w, x, y, z); out may alias p or q.
    void Q_wxyz_Multi(const double* p, const double* q, double* out);
    // (w, -x, -y, -z).
    VXDEF::QuaD quaternionConjugate(VXDEF::QuaD q);
    // Divides by the norm; all zeros when the norm is exactly 0.
    void quaternionNormalize(VXDEF::QuaD& q);
    // p turned by the rotation of q (normalised first): vector part of q ⊗ (0, p) ⊗ q*.
    // A zero quaternion returns p unchanged.
    VXDEF::Point3D rotate_vector_by_qua(VXDEF::Point3D p, VXDEF::QuaD q);
    // out = M·p with M = quatToRotMatrix(q): p turned by the inverse of q.
    void vector_transform(VXDEF::QuaD q, VXDEF::Point3D p, VXDEF::Point3D& out);

    // ---- Statistics over vectors ----
    // Σx / n; 0 for an empty vector.
    float meanValueFromVector(std::vector<float> v);
    double meanValueFromVector(std::vector<double> v);
    // Largest / smallest element; an empty vector throws std::out_of_range.
    float maxValueFromVector(std::vector<float> v);
    double maxValueFromVector(std::vector<double> v);
    float minValueFromVector(std::vector<float> v);
    double minValueFromVector(std::vector<double> v);
    // Value and index of the first largest / smallest element; 0 and 0 when empty.
    void maxValue_Location_Vector(std::vector<int> v, int& value, int& index);
    void maxValue_Location_Vector(std::vector<double> v, double& value, int& index);
    void minValue_Location_Vector(std::vector<int> v, int& value, int& index);
    void minValue_Location_Vector(std::vector<double> v, double& value, int& index);
    // Standard deviation / variance: mode 0 the sample estimate (0 when n < 2), mode 1 the
    // population estimate; 0 for any other mode and for an empty vector.
    float STD(std::vector<float> v, int mode);
    double STD(std::vector<double> v, int mode);
    float VAR(std::vector<float> v, int mode);
    double VAR(std::vector<double> v, int mode);
    // √(Σx² / n); 0 for an empty vector.
    float RMS(std::vector<float> v);
    // √(Σ (x − S/n)² / n) with S = Σx²; 0 for an empty vector.
    double RMS(std::vector<double> v);
    // √(Σ |p − c|² / (n − 1)) around the centroid c; 0 when n < 2.
    double RMS(std::vector<VXDEF::Point3D> v);
    // Appends the centred moving average (odd window w, ends mirrored) of in to out;
    // nothing happens unless 1 < w ≤ in.size(), w odd and in.size() > 1.
    void movingAverageFiltering(std::vector<double> in, std::vector<double>& out, int w);

    // ---- Gait events (accelerometer in g, gyroscope in degrees per second) ----
    // Zero-velocity test: true when the samples are at rest. False for no samples or a
    // zero mean acceleration; a shorter gyro series throws std::out_of_range.
    bool zvd(std::vector<VXDEF::Point3D> acc, std::vector<VXDEF::Point3D> gyro);
    // Rest judged on sliding windows of five samples, marked at the window's middle
    // sample: start = first rest sample, end = last one (0 unless there are two).
    // All gait routines leave their initial outputs for fewer than five samples.
    void staticSection1(std::vector<VXDEF::Point3D> acc, std::vector<VXDEF::Point3D> gyro,
                        int& start, int& end);
    // Longest closed rest run, merged with neighbouring runs less than 10 samples away;
    // 0 and 0 when there is no closed run.
    void staticSection2(std::vector<VXDEF::Point3D> acc, std::vector<VXDEF::Point3D> gyro,
                        int& start, int& end);
    // Last sample of walking, scanning back from the end for 20 windows with at most two
    // at rest; n - 1 when there is no such stretch.
    void endWarkIndex(std::vector<VXDEF::Point3D> acc, std::vector<VXDEF::Point3D> gyro,
                      int& index);
    // First sample of walking, scanning forwards for 20 windows with at most two at rest
    // whose values span at least 3.0; level = mean of the values before it. 0 and 0 when
    // not found. values must be as long as the samples.
    void startWarkIndex(std::vector<double> values, std::vector<VXDEF::Point3D> acc,
                        std::vector<VXDEF::Point3D> gyro, int& index, double& level);
    // Linear least-squares triangulation of image points a (under P1) and b (under P2).
    // X is unchanged when the system is degenerate.
    void triangulationPoints(const double P1[3][4], const double P2[3][4], VXDEF::Point2D a,
                             VXDEF::Point2D b, VXDEF::Point3D& X);
};

class VXMATHIN_API VXCV {
public:
    // Conic (A, B, C, D, E) with A·x² + B·xy + C·y² + D·x + E·y = −1 of the footprint on
    // z = 0 of an elliptic cone (apex c, axis turned by R, half-angles in degrees).
    // conic is unchanged when a ray misses the plane or the points are degenerate.
    void ellipse_project(const double R[3][3], VXDEF::Point3D c, double alpha, double beta,
                         double* conic);
    // ellipse_project followed by getEllipsePoint.
    void ellipse_projectPoint(const double R[3][3], VXDEF::Point3D c, double alpha, double beta,
                              int count, std::vector<VXDEF::Point2D>& points);
    // Appends count points evenly spaced in angle on the ellipse of conic; nothing for
    // count ≤ 0 or a conic that is not a real ellipse.
    void getEllipsePoint(const double* conic, int count, std::vector<VXDEF::Point2D>& points);
    // Appends the four corners of the field of view (full angles in degrees) at depth
    // c.z + d.
    void getFourPoint(VXDEF::Point3D c, double d, double alpha, double beta,
                      std::vector<VXDEF::Point3D>& corners);
    // Normalised eight-point fundamental matrix with x2ᵀ·F·x1 = 0, scaled so F22 = 1 where
    // possible. False for fewer than 8 or unequal counts and degenerate configurations.
    bool run8pointFundamentalMatrix(std::vector<VXDEF::Point2D> pts1,
                                    std::vector<VXDEF::Point2D> pts2, double F[3][3]);
    // Essential matrix from pixel points, focal lengths f1, f2 and principal points pp1,
    // pp2. False for a zero focal length and where run8pointFundamentalMatrix fails.
    bool run8pointfindEssentialMatrix(double f1, double f2, VXDEF::Point2D pp1, VXDEF::Point2D pp2,
                                      std::vector<VXDEF::Point2D> pts1,
                                      std::vector<VXDEF::Point2D> pts2, double E[3][3]);
};

class VXMATHIN_API SVDQR {
public:
    // A (m × n) = U (m × m) · S (m × n) · Vᵀ (n × n), all row-major. False for bad sizes or
    // when the two eigen-decompositions disagree.
    bool SVD(double* a, int m, int n, double* u, double* s, double* v);
    // Jacobi eigen-decomposition of the symmetric n × n a (overwritten). Eigenvalues sorted
    // by decreasing magnitude, eigenvectors as columns with a non-negative component sum.
    // False only for bad arguments; hitting the rotation limit still returns true.
    bool JacbiCor(double* a, int n, double* eigenvectors, double* eigenvalues, int iterationLimit);
    // Eigenvalues (decreasing) and unit eigenvectors (columns) of the n × n a by unshifted QR
    // iteration; a is left unchanged. Nothing is written for bad arguments.
    void QRInput(double* a, int n, double* eigenvectors, double* eigenvalues, int iterations);

private:
    enum Bool { False = 0, True = 1 };

    struct Matrix {
        int row = 0;
        int column = 0;
        int capacity = 0;
        std::vector<double> data;
    };

    void CopyMatrix(const Matrix& src, Matrix& dst);
    void DestroyMatrix(Matrix& m);
    void Eigenvectors(const Matrix& a, const Matrix& values, Matrix& vectors);
    Bool IsNullMatrix(const Matrix& m);
    int MatrixCapacity(const Matrix& m);
    void MatrixMulMatrix(const Matrix& a, const Matrix& b, Matrix& c);
    double MatrixNorm2(const Matrix& m);
    void PrintMatrix(const Matrix& m, int index);
    void QR(const Matrix& a, Matrix& q, Matrix& r);
    void SetMatrixEle(Matrix& m, double value, int row, int column);
    void SetMatrixSize(Matrix& m, int row, int column);
    void SetMatrixZero(Matrix& m);
    void SortVector(Matrix& v);
    void mulmats(const double* a, const double* b, double* c, int m, int n, int k);
};

}  // namespace VX

#endif  // VXMATHIN_H
