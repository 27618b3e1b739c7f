// The sample production's 3D scene: a round stage with a rippling pool, a
// chrome knot ringed by a glowing halo, three striped moons on a carousel
// with a beacon and a moving violet light, four twisted columns, two glass
// panels, three lights and two cameras, looping every 16 seconds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct DemoSceneFile {
    std::vector<std::uint8_t> bytes;
    std::size_t meshes = 0;
    std::size_t vertices = 0;   // stored, before instancing
    std::size_t triangles = 0;  // stored, before instancing
};

DemoSceneFile buildDemoScene();
