// View and projection matrices of a left-handed camera: x right, y up,
// z into the screen, depth mapped to 0 at the near plane and 1 at the far.
#include <cmath>

#include "d3dx/d3dx_math.h"

// The camera at eye looking at at, turned so that up points up on screen.
// The rows of the rotation part are the camera's axes as columns.
D3DXMATRIX* D3DXMatrixLookAtLH(D3DXMATRIX* out, const D3DXVECTOR3* eye, const D3DXVECTOR3* at,
                               const D3DXVECTOR3* up) {
    D3DXVECTOR3 zAxis, xAxis, yAxis;
    D3DXVec3Normalize(&zAxis, D3DXVec3Subtract(&zAxis, at, eye));
    D3DXVec3Normalize(&xAxis, D3DXVec3Cross(&xAxis, up, &zAxis));
    D3DXVec3Cross(&yAxis, &zAxis, &xAxis);
    *out = D3DXMATRIX(xAxis.x, yAxis.x, zAxis.x, 0,  //
                      xAxis.y, yAxis.y, zAxis.y, 0,  //
                      xAxis.z, yAxis.z, zAxis.z, 0,  //
                      -D3DXVec3Dot(&xAxis, eye), -D3DXVec3Dot(&yAxis, eye),
                      -D3DXVec3Dot(&zAxis, eye), 1);
    return out;
}

// fovY is the vertical field of view in radians, aspect the width over the
// height of the view.
D3DXMATRIX* D3DXMatrixPerspectiveFovLH(D3DXMATRIX* out, float fovY, float aspect, float zNear,
                                       float zFar) {
    const float yScale = 1.0f / std::tan(fovY / 2);
    const float xScale = yScale / aspect;
    const float depthScale = zFar / (zFar - zNear);
    *out = D3DXMATRIX(xScale, 0, 0, 0,      //
                      0, yScale, 0, 0,      //
                      0, 0, depthScale, 1,  //
                      0, 0, -zNear * depthScale, 0);
    return out;
}
