// Vectors, planes, vertex sizes and bounding spheres.
#include <vector>

#include "d3dx/d3dx_math.h"
#include "math_expectations.h"

namespace {

TEST(Vec3Normalize, UnitLengthAndZeroVectorGivesZero) {
    D3DXVECTOR3 v = {3, 0, -4};
    D3DXVec3Normalize(&v, &v);
    expectNear(v, {0.6f, 0, -0.8f});
    const D3DXVECTOR3 zero = {0, 0, 0};
    D3DXVec3Normalize(&v, &zero);
    expectNear(v, {0, 0, 0}, 0);
}

TEST(Vec3TransformCoord, DividesByTheResultingW) {
    // w' = z + 1: the point (2, 4, 1) lands at (2, 4, 1) / 2.
    const D3DXMATRIX m(1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 1, 0, 0, 0, 1);
    expectNear(transformed({2, 4, 1}, m), {1, 2, 0.5f});
    // With w' = 0 the coordinates are left undivided instead of becoming infinite.
    const D3DXMATRIX flat(1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0);
    expectNear(transformed({2, 4, 1}, flat), {2, 4, 1});
}

TEST(PlaneFromPoints, NormalFollowsTheWindingAndDIsTheOffset) {
    D3DXPLANE plane;
    const D3DXVECTOR3 p1 = {0, 0, 5}, p2 = {2, 0, 5}, p3 = {0, 3, 5};
    D3DXPlaneFromPoints(&plane, &p1, &p2, &p3);
    EXPECT_NEAR(plane.a, 0, kMathTolerance);
    EXPECT_NEAR(plane.b, 0, kMathTolerance);
    EXPECT_NEAR(plane.c, 1, kMathTolerance);
    EXPECT_NEAR(plane.d, -5, kMathTolerance);
    const D3DXVECTOR3 above = {7, -2, 7};
    EXPECT_NEAR(D3DXPlaneDotCoord(&plane, &above), 2, kMathTolerance);
    D3DXPlaneFromPoints(&plane, &p1, &p3, &p2);  // the other winding faces the other way
    EXPECT_NEAR(D3DXPlaneDotCoord(&plane, &above), -2, kMathTolerance);
}

TEST(PlaneFromPoints, LeftFrustumPlaneFacesOutwards) {
    // The left side of the unit view volume from its corners P2, P4, P6.
    D3DXPLANE left;
    const D3DXVECTOR3 p2 = {-1, 1, 0}, p4 = {-1, -1, 1}, p6 = {-1, 1, 1};
    D3DXPlaneFromPoints(&left, &p2, &p4, &p6);
    const D3DXVECTOR3 inside = {0, 0, 0.5f}, outside = {-3, 0, 0.5f};
    EXPECT_NEAR(D3DXPlaneDotCoord(&left, &inside), -1, kMathTolerance);
    EXPECT_NEAR(D3DXPlaneDotCoord(&left, &outside), 2, kMathTolerance);
}

TEST(PlaneFromPoints, PointsOnOneLineGiveTheEmptyPlane) {
    D3DXPLANE plane;
    const D3DXVECTOR3 p1 = {1, 1, 1}, p2 = {2, 2, 2}, p3 = {4, 4, 4};
    D3DXPlaneFromPoints(&plane, &p1, &p2, &p3);
    EXPECT_EQ(plane.a, 0);
    EXPECT_EQ(plane.b, 0);
    EXPECT_EQ(plane.c, 0);
    EXPECT_EQ(plane.d, 0);
}

TEST(FVFVertexSize, FormatsOfTheSceneAndImageVertices) {
    EXPECT_EQ(D3DXGetFVFVertexSize(0x112), 32u);    // XYZ | NORMAL | TEX1
    EXPECT_EQ(D3DXGetFVFVertexSize(0x1C4), 32u);    // XYZRHW | DIFFUSE | SPECULAR | TEX1
    EXPECT_EQ(D3DXGetFVFVertexSize(0x002), 12u);    // XYZ
    EXPECT_EQ(D3DXGetFVFVertexSize(0x00E), 32u);    // XYZ and five blend weights
    EXPECT_EQ(D3DXGetFVFVertexSize(0x30202), 24u);  // XYZ, two sets: 1 float then 2
    EXPECT_EQ(D3DXGetFVFVertexSize(0x040), 0u);     // no position
    EXPECT_EQ(D3DXGetFVFVertexSize(0xF02), 0u);     // fifteen texture sets
}

// Vertices in the scene format: position, normal, texture coordinates.
struct Vertex {
    float x, y, z, nx, ny, nz, u, v;
};

TEST(ComputeBoundingSphere, CentreIsTheMeanOfThePositionsNotTheBoxCentre) {
    const std::vector<Vertex> vertices = {{0, 0, 0, 9, 9, 9, 9, 9},
                                          {0, 0, 0, 9, 9, 9, 9, 9},
                                          {0, 0, 0, 9, 9, 9, 9, 9},
                                          {8, 4, 0, 9, 9, 9, 9, 9}};
    D3DXVECTOR3 centre;
    float radius = 0;
    ASSERT_EQ(D3DXComputeBoundingSphere(vertices.data(), 4, 0x112, &centre, &radius), D3D_OK);
    expectNear(centre, {2, 1, 0});
    EXPECT_NEAR(radius, std::sqrt(36.0f + 9.0f), kMathTolerance);  // from (2, 1, 0) to (8, 4, 0)
}

TEST(ComputeBoundingSphere, RejectsCallsWithNothingToBound) {
    const Vertex vertex = {1, 2, 3, 0, 0, 0, 0, 0};
    D3DXVECTOR3 centre = {5, 5, 5};
    float radius = 5;
    EXPECT_EQ(D3DXComputeBoundingSphere(&vertex, 0, 0x112, &centre, &radius), D3DERR_INVALIDCALL);
    EXPECT_EQ(D3DXComputeBoundingSphere(nullptr, 1, 0x112, &centre, &radius), D3DERR_INVALIDCALL);
    EXPECT_EQ(D3DXComputeBoundingSphere(&vertex, 1, 0x040, &centre, &radius), D3DERR_INVALIDCALL);
    expectNear(centre, {5, 5, 5}, 0);
    ASSERT_EQ(D3DXComputeBoundingSphere(&vertex, 1, 0x112, &centre, &radius), D3D_OK);
    expectNear(centre, {1, 2, 3}, 0);
    EXPECT_EQ(radius, 0);
}

}  // namespace
