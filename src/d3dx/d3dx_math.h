// Vector, matrix, quaternion and plane math of the Direct3D extension
// utilities, with their published names, argument order and conventions:
// row-vector matrices, left-handed view and projection, and functions that
// write through their first argument and return it.
#pragma once

#include "d3dx/d3dx_math_types.h"

// Vectors.
float D3DXVec3Dot(const D3DXVECTOR3* v1, const D3DXVECTOR3* v2);
float D3DXVec3Length(const D3DXVECTOR3* v);
D3DXVECTOR3* D3DXVec3Subtract(D3DXVECTOR3* out, const D3DXVECTOR3* v1, const D3DXVECTOR3* v2);
D3DXVECTOR3* D3DXVec3Cross(D3DXVECTOR3* out, const D3DXVECTOR3* v1, const D3DXVECTOR3* v2);
// A zero-length vector normalizes to (0, 0, 0).
D3DXVECTOR3* D3DXVec3Normalize(D3DXVECTOR3* out, const D3DXVECTOR3* v);
// (x, y, z, 1) × m, divided by the resulting w; when w is 0 the undivided
// x, y, z are returned.
D3DXVECTOR3* D3DXVec3TransformCoord(D3DXVECTOR3* out, const D3DXVECTOR3* v, const D3DXMATRIX* m);

// Matrices. Every function may write over one of its inputs.
D3DXMATRIX* D3DXMatrixIdentity(D3DXMATRIX* out);
// m1 × m2: a point is transformed by m1 first, then by m2.
D3DXMATRIX* D3DXMatrixMultiply(D3DXMATRIX* out, const D3DXMATRIX* m1, const D3DXMATRIX* m2);
D3DXMATRIX* D3DXMatrixRotationQuaternion(D3DXMATRIX* out, const D3DXQUATERNION* q);
D3DXMATRIX* D3DXMatrixRotationZ(D3DXMATRIX* out, float angle);
D3DXMATRIX* D3DXMatrixScaling(D3DXMATRIX* out, float sx, float sy, float sz);
D3DXMATRIX* D3DXMatrixTranslation(D3DXMATRIX* out, float x, float y, float z);
// Returns null and leaves out unchanged when m has no inverse. The
// determinant is written whenever determinant is not null.
D3DXMATRIX* D3DXMatrixInverse(D3DXMATRIX* out, float* determinant, const D3DXMATRIX* m);
D3DXMATRIX* D3DXMatrixLookAtLH(D3DXMATRIX* out, const D3DXVECTOR3* eye, const D3DXVECTOR3* at,
                               const D3DXVECTOR3* up);
D3DXMATRIX* D3DXMatrixPerspectiveFovLH(D3DXMATRIX* out, float fovY, float aspect, float zNear,
                                       float zFar);

// Quaternions.
D3DXQUATERNION* D3DXQuaternionIdentity(D3DXQUATERNION* out);
float D3DXQuaternionDot(const D3DXQUATERNION* q1, const D3DXQUATERNION* q2);
// The rotation q1 followed by the rotation q2.
D3DXQUATERNION* D3DXQuaternionMultiply(D3DXQUATERNION* out, const D3DXQUATERNION* q1,
                                       const D3DXQUATERNION* q2);
// Spherical interpolation from q1 (t = 0) to q2 (t = 1) along the shorter arc.
D3DXQUATERNION* D3DXQuaternionSlerp(D3DXQUATERNION* out, const D3DXQUATERNION* q1,
                                    const D3DXQUATERNION* q2, float t);

// Planes.
// The plane through three points; its normal is (p2 − p1) × (p3 − p1),
// normalized. Points on one line give the plane (0, 0, 0, 0).
D3DXPLANE* D3DXPlaneFromPoints(D3DXPLANE* out, const D3DXVECTOR3* p1, const D3DXVECTOR3* p2,
                               const D3DXVECTOR3* p3);
// a·x + b·y + c·z + d: the signed distance of v for a normalized plane.
float D3DXPlaneDotCoord(const D3DXPLANE* plane, const D3DXVECTOR3* v);

// Vertices.
// Bytes per vertex of a flexible vertex format; 0 when it has no position
// or more than eight texture coordinate sets.
UINT D3DXGetFVFVertexSize(DWORD fvf);
// Centre (mean of the positions) and radius (farthest position from it) of
// numVertices vertices of format fvf. D3DERR_INVALIDCALL for no vertices,
// null pointers or a format without a position.
HRESULT D3DXComputeBoundingSphere(const void* pointsFVF, DWORD numVertices, DWORD fvf,
                                  D3DXVECTOR3* center, float* radius);
