// Checks of what CreateDevice and Reset are given, shared by both backends.
#pragma once

#include "platform/d3d8/d3d8types.h"

// Exactly one of software, hardware or mixed vertex processing.
bool validBehavior(DWORD behavior);

// Fills what Direct3D fills for a windowed device: a zero back-buffer size
// becomes the window's client size, an unknown back-buffer format the
// desktop's, and a back-buffer count of 0 becomes 1.
void completePresentParameters(D3DPRESENT_PARAMETERS& params, D3DFORMAT desktopFormat,
                               UINT windowWidth, UINT windowHeight);

// A windowed presentation of one X8R8G8B8 back buffer, discarded on
// present, with an automatic depth buffer of `depthFormat` unless that is
// D3DFMT_UNKNOWN: what tools, tests and benchmarks create devices with.
D3DPRESENT_PARAMETERS windowedPresentParameters(UINT width, UINT height,
                                                D3DFORMAT depthFormat = D3DFMT_D24S8);

// D3D_OK when the (completed) parameters describe a device the layer can make.
HRESULT checkPresentParameters(const D3DPRESENT_PARAMETERS& params);
