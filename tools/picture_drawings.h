// The drawings of Graphics.dat: key caps with their labels, the frame pieces around the key
// pictures and the focus frame of a content box.
#pragma once

#include <string>
#include <vector>

#include "tools/picture_canvas.h"
#include "tools/pixel_font.h"

namespace talo::tools {

// A raised key cap: black outline, white highlight at the top and left, grey shadow at the bottom
// and right, silver face with the label lines centred on it in black. Fails with a reason in
// `error` when a line has a character the font lacks or the label does not fit on the face.
bool DrawKey(PictureCanvas& canvas, const PixelFont& font, const std::vector<std::string>& label,
             std::string& error);

// One piece of the case drawn around a row of key pictures: a double black line with rounded
// corners on white, one pixel inside the picture's edges (the pictures overlap their panel by
// one pixel on every side). The ends carry the corners, the centre the straight runs.
enum class FramePiece { kLeft, kCentre, kRight };
void DrawFramePiece(PictureCanvas& canvas, FramePiece piece);

// White with a dotted rectangle just inside the edge.
void DrawFocusFrame(PictureCanvas& canvas);

}  // namespace talo::tools
