#include "conversion_report.h"

#include <cstdio>

namespace {

std::string counted(std::size_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

}  // namespace

std::string describeConversion(const ConversionSummary& s, std::size_t textures) {
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%.3g", s.lengthFrames / s.framesPerSecond);
    return "nodes: " + counted(s.meshNodes, "mesh", "meshes") + ", " +
           counted(s.cameras, "camera", "cameras") + ", " + counted(s.lights, "light", "lights") +
           ", " + counted(s.dummies, "dummy", "dummies") + "\n" +
           "meshes: " + std::to_string(s.meshes) + " (" + std::to_string(s.morphMeshes) +
           " morphing), " + counted(s.vertices, "vertex", "vertices") + ", " +
           counted(s.triangles, "triangle", "triangles") + "\n" +
           "materials: " + std::to_string(s.materials) + ", textures: " + std::to_string(textures) +
           "\n" + "animation: " + counted(std::size_t(s.lengthFrames), "frame", "frames") + " at " +
           std::to_string(int(s.framesPerSecond)) + " per second (" + seconds + " s)\n";
}
