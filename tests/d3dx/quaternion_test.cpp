// Quaternion composition order and spherical interpolation.
#include <cmath>
#include <numbers>

#include "d3dx/d3dx_math.h"
#include "math_expectations.h"

namespace {

constexpr float kPi = std::numbers::pi_v<float>;

D3DXMATRIX rotationOf(const D3DXQUATERNION& q) {
    D3DXMATRIX m;
    return *D3DXMatrixRotationQuaternion(&m, &q);
}

D3DXQUATERNION slerp(const D3DXQUATERNION& a, const D3DXQUATERNION& b, float t) {
    D3DXQUATERNION out;
    return *D3DXQuaternionSlerp(&out, &a, &b, t);
}

const D3DXQUATERNION kIdentity = {0, 0, 0, 1};

TEST(QuaternionMultiply, FirstArgumentRotatesFirst) {
    const D3DXQUATERNION aboutX = turnAbout(1, 0, 0, kPi / 2), aboutZ = turnAbout(0, 0, 1, kPi / 2);
    D3DXQUATERNION xThenZ;
    D3DXQuaternionMultiply(&xThenZ, &aboutX, &aboutZ);
    expectNear(xThenZ, {0.5f, 0.5f, 0.5f, 0.5f});  // worked by hand: aboutZ ⊗ aboutX
    // y goes to z under x, and z stays under z; the other order would give −x.
    expectNear(transformed({0, 1, 0}, rotationOf(xThenZ)), {0, 0, 1});

    D3DXMATRIX product;
    const D3DXMATRIX mx = rotationOf(aboutX), mz = rotationOf(aboutZ);
    expectNear(rotationOf(xThenZ), *D3DXMatrixMultiply(&product, &mx, &mz));
}

TEST(QuaternionMultiply, TurnsAboutOneAxisAddUpAndOutputMayAlias) {
    D3DXQUATERNION q = turnAbout(0, 0, 1, kPi / 2);
    D3DXQuaternionMultiply(&q, &q, &q);
    expectNear(q, {0, 0, 1, 0});
    const D3DXQUATERNION identity = *D3DXQuaternionIdentity(&q);
    const D3DXQUATERNION r = turnAbout(0.6f, 0, 0.8f, 1.1f);
    D3DXQuaternionMultiply(&q, &identity, &r);
    expectNear(q, r);
}

TEST(QuaternionSlerp, EndpointsAndMidpoint) {
    const D3DXQUATERNION quarter = turnAbout(0, 0, 1, kPi / 2);
    expectNear(slerp(kIdentity, quarter, 0), kIdentity);
    expectNear(slerp(kIdentity, quarter, 1), quarter);
    expectNear(slerp(kIdentity, quarter, 0.5f), turnAbout(0, 0, 1, kPi / 4));
    expectNear(slerp(kIdentity, quarter, 0.25f), turnAbout(0, 0, 1, kPi / 8));
}

TEST(QuaternionSlerp, TakesTheShorterArc) {
    // 270° about z is the same rotation as −90°: halfway is −45°, not 135°.
    const D3DXQUATERNION threeQuarters = turnAbout(0, 0, 1, 3 * kPi / 2);
    expectNear(rotationOf(slerp(kIdentity, threeQuarters, 0.5f)),
               rotationOf(turnAbout(0, 0, 1, -kPi / 4)));
    // A negated quaternion is the same rotation and interpolates the same way.
    const D3DXQUATERNION quarter = turnAbout(0, 0, 1, kPi / 2);
    const D3DXQUATERNION negated = {-quarter.x, -quarter.y, -quarter.z, -quarter.w};
    expectNear(slerp(kIdentity, negated, 0.5f), turnAbout(0, 0, 1, kPi / 4));
}

TEST(QuaternionSlerp, EqualAndNearlyEqualRotationsStayFinite) {
    const D3DXQUATERNION q = turnAbout(0, 1, 0, 0.3f);
    expectNear(slerp(q, q, 0.3f), q);
    const D3DXQUATERNION nearly = turnAbout(0, 1, 0, 0.3f + 1e-4f);
    const D3DXQUATERNION between = slerp(q, nearly, 0.5f);
    expectNear(between, turnAbout(0, 1, 0, 0.3f + 0.5e-4f));
}

}  // namespace
