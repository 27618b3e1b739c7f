// Matrix building, multiplication order and inversion.
#include <cmath>
#include <numbers>

#include "d3dx/d3dx_math.h"
#include "math_expectations.h"

namespace {

constexpr float kHalfPi = std::numbers::pi_v<float> / 2;

D3DXMATRIX counting() {
    return D3DXMATRIX(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16);
}

TEST(MatrixMultiply, HandWorkedProductAndAliasedOutput) {
    D3DXMATRIX a = counting();
    D3DXMatrixMultiply(&a, &a, &a);
    expectNear(a, D3DXMATRIX(90, 100, 110, 120, 202, 228, 254, 280, 314, 356, 398, 440, 426, 484,
                             542, 600));
}

TEST(MatrixMultiply, FirstMatrixTransformsFirst) {
    D3DXMATRIX translate, scale, translateThenScale, scaleThenTranslate;
    D3DXMatrixTranslation(&translate, 1, 2, 3);
    D3DXMatrixScaling(&scale, 2, 3, 4);
    D3DXMatrixMultiply(&translateThenScale, &translate, &scale);
    D3DXMatrixMultiply(&scaleThenTranslate, &scale, &translate);
    expectNear(transformed({0, 0, 0}, translateThenScale), {2, 6, 12});
    expectNear(transformed({1, 1, 1}, scaleThenTranslate), {3, 5, 7});
}

TEST(MatrixBuilders, TranslationSitsInRowThreeAndRotationZTurnsXTowardsY) {
    D3DXMATRIX m;
    D3DXMatrixTranslation(&m, 7, 8, 9);
    EXPECT_EQ(m.m[3][0], 7);
    EXPECT_EQ(m.m[3][1], 8);
    EXPECT_EQ(m.m[3][2], 9);
    D3DXMatrixRotationZ(&m, kHalfPi);
    expectNear(transformed({1, 0, 0}, m), {0, 1, 0});
    expectNear(transformed({0, 1, 0}, m), {-1, 0, 0});
    expectNear(transformed({0, 0, 1}, m), {0, 0, 1});
}

TEST(MatrixRotationQuaternion, MatchesTheAxisRotationsOfTheSameConvention) {
    D3DXMATRIX fromQuaternion, aboutZ;
    const D3DXQUATERNION zTurn = turnAbout(0, 0, 1, 0.7f);
    D3DXMatrixRotationQuaternion(&fromQuaternion, &zTurn);
    expectNear(fromQuaternion, *D3DXMatrixRotationZ(&aboutZ, 0.7f));

    const D3DXQUATERNION xTurn = turnAbout(1, 0, 0, kHalfPi);  // y turns towards z
    D3DXMatrixRotationQuaternion(&fromQuaternion, &xTurn);
    expectNear(transformed({0, 1, 0}, fromQuaternion), {0, 0, 1});
    const D3DXQUATERNION yTurn = turnAbout(0, 1, 0, kHalfPi);  // z turns towards x
    D3DXMatrixRotationQuaternion(&fromQuaternion, &yTurn);
    expectNear(transformed({0, 0, 1}, fromQuaternion), {1, 0, 0});
    expectNear(transformed({1, 0, 0}, fromQuaternion), {0, 0, -1});
}

TEST(MatrixInverse, InvertsHandWorkedMatricesAndReportsTheDeterminant) {
    D3DXMATRIX m, inverse;
    float determinant = 0;
    D3DXMatrixScaling(&m, 2, 4, 8);
    ASSERT_EQ(D3DXMatrixInverse(&inverse, &determinant, &m), &inverse);
    EXPECT_FLOAT_EQ(determinant, 64);
    D3DXMATRIX expected;
    expectNear(inverse, *D3DXMatrixScaling(&expected, 0.5f, 0.25f, 0.125f));

    D3DXMatrixTranslation(&m, 1, 2, 3);
    ASSERT_NE(D3DXMatrixInverse(&m, nullptr, &m), nullptr);  // in place, no determinant asked
    expectNear(m, *D3DXMatrixTranslation(&expected, -1, -2, -3));
}

TEST(MatrixInverse, ProductWithTheInverseIsTheIdentityBothWays) {
    D3DXMATRIX scale, rotate, translate, m, inverse, product;
    const D3DXQUATERNION q = {0.1825742f, 0.3651484f, 0.5477226f, 0.7302967f};
    D3DXMatrixScaling(&scale, 2, 3, 4);
    D3DXMatrixRotationQuaternion(&rotate, &q);
    D3DXMatrixTranslation(&translate, 5, -6, 7);
    D3DXMatrixMultiply(&m, D3DXMatrixMultiply(&m, &scale, &rotate), &translate);
    float determinant = 0;
    ASSERT_NE(D3DXMatrixInverse(&inverse, &determinant, &m), nullptr);
    EXPECT_NEAR(determinant, 24, 1e-3);
    expectNear(*D3DXMatrixMultiply(&product, &m, &inverse), identityMatrix());
    expectNear(*D3DXMatrixMultiply(&product, &inverse, &m), identityMatrix());

    D3DXMATRIX general = counting();
    general.m[0][0] = 0;  // the counting matrix itself is singular
    general.m[2][3] = -3;
    ASSERT_NE(D3DXMatrixInverse(&inverse, nullptr, &general), nullptr);
    expectNear(*D3DXMatrixMultiply(&product, &general, &inverse), identityMatrix(), 1e-4f);
}

TEST(MatrixInverse, FailsWithoutTouchingTheOutputWhenThereIsNoInverse) {
    const D3DXMATRIX untouched = counting();
    D3DXMATRIX out = untouched;
    float determinant = -1;
    D3DXMATRIX singular;
    D3DXMatrixScaling(&singular, 1, 0, 1);
    EXPECT_EQ(D3DXMatrixInverse(&out, &determinant, &singular), nullptr);
    EXPECT_EQ(determinant, 0);
    EXPECT_EQ(D3DXMatrixInverse(&out, nullptr, &untouched), nullptr);  // rows in progression

    D3DXMATRIX withNan = identityMatrix();
    withNan.m[1][2] = std::nanf("");
    EXPECT_EQ(D3DXMatrixInverse(&out, nullptr, &withNan), nullptr);
    D3DXMATRIX tooSmall;
    D3DXMatrixScaling(&tooSmall, 1e-39f, 1, 1);  // inverse would not fit in a float
    EXPECT_EQ(D3DXMatrixInverse(&out, nullptr, &tooSmall), nullptr);
    expectNear(out, untouched, 0);
}

TEST(MatrixLookAtLH, EyeGoesToTheOriginAndTheTargetAlongPlusZ) {
    D3DXMATRIX view;
    const D3DXVECTOR3 eye = {1, 2, 3}, at = {4, 6, 3}, up = {0, 0, 1};
    D3DXMatrixLookAtLH(&view, &eye, &at, &up);
    expectNear(transformed(eye, view), {0, 0, 0});
    expectNear(transformed(at, view), {0, 0, 5});
    expectNear(transformed({1, 2, 4}, view), {0, 1, 0});  // up stays up
}

TEST(MatrixLookAtLH, HandWorkedViewAlongPlusX) {
    D3DXMATRIX view;
    const D3DXVECTOR3 eye = {0, 0, 0}, at = {1, 0, 0}, up = {0, 1, 0};
    D3DXMatrixLookAtLH(&view, &eye, &at, &up);
    expectNear(view, D3DXMATRIX(0, 0, 1, 0, 0, 1, 0, 0, -1, 0, 0, 0, 0, 0, 0, 1));
    expectNear(transformed({0, 0, -1}, view), {1, 0, 0});  // right of the camera is −z
}

TEST(MatrixLookAtLH, DegenerateCameraGivesFiniteMatrix) {
    D3DXMATRIX view;
    const D3DXVECTOR3 eye = {1, 1, 1}, up = {0, 1, 0};
    D3DXMatrixLookAtLH(&view, &eye, &eye, &up);
    for (const auto& row : view.m) {
        for (float value : row) EXPECT_TRUE(std::isfinite(value));
    }
}

TEST(MatrixPerspectiveFovLH, HandWorkedMatrixMapsTheViewVolumeToZeroToOne) {
    D3DXMATRIX projection;
    D3DXMatrixPerspectiveFovLH(&projection, kHalfPi, 2, 1, 11);
    expectNear(projection, D3DXMATRIX(0.5f, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1.1f, 1, 0, 0, -1.1f, 0));
    expectNear(transformed({0, 0, 1}, projection), {0, 0, 0});
    expectNear(transformed({0, 0, 11}, projection), {0, 0, 1});
    expectNear(transformed({2, 1, 1}, projection), {1, 1, 0});  // top right of the near plane
}

}  // namespace
