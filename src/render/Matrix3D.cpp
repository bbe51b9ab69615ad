#include "render/Matrix3D.h"

Matrix3D IdentityMatrix()
{
    Matrix3D r = {{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}};
    return r;
}

Matrix3D MultiplyMatrix(const Matrix3D& a, const Matrix3D& b)
{
    Matrix3D r;
    for (int row = 0; row < 3; ++row) {
        const double* ar = a.m + 4 * row;
        for (int col = 0; col < 4; ++col)
            r.m[4 * row + col] = ar[0] * b.m[col] + ar[1] * b.m[4 + col] + ar[2] * b.m[8 + col] + ar[3] * b.m[12 + col];
    }
    r.m[12] = 0;
    r.m[13] = 0;
    r.m[14] = 0;
    r.m[15] = 1;
    return r;
}
