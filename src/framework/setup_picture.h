// The picture above the setup dialog's choices. The production supplies it
// as setup.png (data/setup.png unpacked, the member setup.png of data.rar
// packed), in any format the texture loaders read; a picture of another size
// is scaled to fit 400 x 300 with its proportions kept and centred on black.
// Without a readable one the player shows a picture of its own.
#pragma once

#include "d3dx/decoded_image.h"
#include "platform/gtk/setup_window.h"

constexpr char setupPictureName[] = "setup.png";
constexpr unsigned setupPictureWidth = 400;
constexpr unsigned setupPictureHeight = 300;

SetupPicture loadSetupPicture();

// A decoded picture of any size fitted into 400 x 300 as described above;
// transparent parts show black.
SetupPicture fitSetupPicture(const DecodedImage& image);

// The player's own 400 x 300 picture, drawn by code: a dusk gradient over a
// ring of light with the player's name in block letters.
SetupPicture drawPlayerPicture();
