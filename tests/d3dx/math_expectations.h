// Comparisons of math values with a tolerance, for the math and track tests.
#pragma once

#include <gtest/gtest.h>

#include <cmath>

#include "d3dx/d3dx_math.h"

constexpr float kMathTolerance = 1e-5f;

inline void expectNear(const D3DXVECTOR3& actual, const D3DXVECTOR3& expected,
                       float tolerance = kMathTolerance) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

inline void expectNear(const D3DXQUATERNION& actual, const D3DXQUATERNION& expected,
                       float tolerance = kMathTolerance) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
    EXPECT_NEAR(actual.w, expected.w, tolerance);
}

inline void expectNear(const D3DXMATRIX& actual, const D3DXMATRIX& expected,
                       float tolerance = kMathTolerance) {
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            EXPECT_NEAR(actual.m[row][column], expected.m[row][column], tolerance)
                << "at row " << row << ", column " << column;
        }
    }
}

inline D3DXMATRIX identityMatrix() {
    D3DXMATRIX m;
    return *D3DXMatrixIdentity(&m);
}

inline D3DXVECTOR3 transformed(D3DXVECTOR3 point, const D3DXMATRIX& m) {
    D3DXVec3TransformCoord(&point, &point, &m);
    return point;
}

// The unit quaternion of a turn by angle radians about a unit axis.
inline D3DXQUATERNION turnAbout(float ax, float ay, float az, float angle) {
    const float s = std::sin(angle / 2);
    return {ax * s, ay * s, az * s, std::cos(angle / 2)};
}
