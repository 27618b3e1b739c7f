// A colour of a scene material or light: red, green, blue, alpha as floats
// (the layout of a Direct3D colour value).
#pragma once

struct SceneColor {
    float r = 0, g = 0, b = 0, a = 1;
};
