// The scene's solids, made from formulas. Every shape is built around its
// own origin with y up; normals point out of the solid, texture
// coordinates run 0..1 across each surface (times a repeat count).
#pragma once

#include <cstdint>

#include "mesh_geometry.h"

// A flat ring-shaped stage, its top at y = 0 (top material, texture laid
// flat across it) and its outer and inner walls going down (wall material).
MeshGeometry ringPlatform(std::uint32_t top, std::uint32_t wall, float innerRadius,
                          float outerRadius, float depth);
MeshGeometry sphere(std::uint32_t material, float radius, unsigned segments, unsigned rings);
// A ring around the y axis, lying in the x–z plane.
MeshGeometry torus(std::uint32_t material, float ringRadius, float tubeRadius, unsigned segments,
                   unsigned sides);
// A tube along the (p, q) torus knot, standing in the x–y plane; `size`
// is the knot's core radius, the knot reaches out to 1.5 × size.
MeshGeometry torusKnot(std::uint32_t material, int p, int q, float size, float tubeRadius,
                       unsigned segments, unsigned sides);
// A fluted column from y = 0 up to `height` whose cross-section turns by
// `twist` radians on the way up, closed at the top.
MeshGeometry twistedColumn(std::uint32_t material, float radius, unsigned flutes, float twist,
                           float height, unsigned segments, unsigned rows);
// An upright rectangle in the x–y plane facing −z, its bottom edge
// centred on the origin; the texture stands upright on it.
MeshGeometry panel(std::uint32_t material, float width, float height, unsigned columns,
                   unsigned rows);
// A cube centred on the origin, the whole texture on every face.
MeshGeometry cube(std::uint32_t material, float size);
