// 4 x 4 matrices of the 3D engine.
//
// Sixteen doubles in row-major order, element (row r, column c) at 4r + c.
// Points are column vectors with an implied fourth coordinate 1, so the
// translation sits in elements 3, 7 and 11. The fourth row is always
// (0, 0, 0, 1); products write it so whatever their inputs hold.
#pragma once

struct Matrix3D {
    double m[16];
};

Matrix3D IdentityMatrix();

// A x B for rows 0-2; the result's fourth row is (0, 0, 0, 1) and A's fourth
// row is never read. Each sum runs k = 0 ... 3 left to right: the order is
// part of the result's bits.
Matrix3D MultiplyMatrix(const Matrix3D& a, const Matrix3D& b);

// x' = m0 x + m1 y + m2 z + m3, and likewise for y' and z'.
inline void TransformPoint(const Matrix3D& mat, double x, double y, double z,
                           double& ox, double& oy, double& oz)
{
    const double* m = mat.m;
    ox = m[0] * x + m[1] * y + m[2] * z + m[3];
    oy = m[4] * x + m[5] * y + m[6] * z + m[7];
    oz = m[8] * x + m[9] * y + m[10] * z + m[11];
}
