// The drawings of Graphics.dat: key caps with their labels, the frame pieces around the key
// pictures and the focus frame of a content box.
#include "tools/picture_drawings.h"

#include <cmath>

namespace talo::tools {
namespace {

// Key cap: the face lies inside the outline, the one-pixel highlight at the top and left, the
// one-pixel shadow at the right and the two-pixel shadow at the bottom.
constexpr int kFaceLeft = 2;
constexpr int kFaceTop = 2;
constexpr int kFaceRightEdges = 2;
constexpr int kFaceBottomEdges = 3;
constexpr int kLabelMargin = 1;
constexpr int kLabelLineGap = 3;

// Frame: the outer line one pixel inside the picture, which puts it on the panel's own edge; the
// inner line three pixels further in; both arcs share their centre.
constexpr int kOuterInset = 1;
constexpr int kInnerInset = 4;
constexpr int kOuterRadius = 8;

constexpr int kFocusInset = 2;

// One quarter of a one-pixel ring around (centre_x, centre_y), in the quadrant that points
// away from the centre by (step_x, step_y). Pixels the ring only grazes turn grey: the ends are
// 4-bit pictures and so can smooth their arcs.
void DrawCornerArc(PictureCanvas& canvas, int centre_x, int centre_y, int radius, int step_x,
                   int step_y) {
  for (int dy = 0; dy <= radius + 1; ++dy)
    for (int dx = 0; dx <= radius + 1; ++dx) {
      double distance = std::sqrt(double(dx) * dx + double(dy) * dy);
      double coverage = 1.0 - std::fabs(distance - radius);
      int x = centre_x + step_x * dx;
      int y = centre_y + step_y * dy;
      if (coverage >= 0.55)
        canvas.Set(x, y, kBlack);
      else if (coverage >= 0.2 && canvas.At(x, y) == kWhite)
        canvas.Set(x, y, kGrey);
    }
}

}  // namespace

bool DrawKey(PictureCanvas& canvas, const PixelFont& font, const std::vector<std::string>& label,
             std::string& error) {
  const int width = canvas.Width();
  const int height = canvas.Height();
  canvas.FillRect(0, 0, width, height, kSilver);
  canvas.HorizontalLine(0, width - 1, 0, kBlack);
  canvas.HorizontalLine(0, width - 1, height - 1, kBlack);
  canvas.VerticalLine(0, 0, height - 1, kBlack);
  canvas.VerticalLine(width - 1, 0, height - 1, kBlack);
  // Paper-coloured corners round the cap off against the light panel behind it.
  canvas.Set(0, 0, kWhite);
  canvas.Set(width - 1, 0, kWhite);
  canvas.Set(0, height - 1, kWhite);
  canvas.Set(width - 1, height - 1, kWhite);
  canvas.HorizontalLine(1, width - 2, 1, kWhite);
  canvas.VerticalLine(1, 1, height - 2, kWhite);
  canvas.VerticalLine(width - 2, 1, height - 2, kGrey);
  canvas.HorizontalLine(1, width - 2, height - 2, kGrey);
  canvas.HorizontalLine(2, width - 2, height - 3, kGrey);

  const int face_width = width - kFaceLeft - kFaceRightEdges;
  const int face_height = height - kFaceTop - kFaceBottomEdges;
  const int lines = static_cast<int>(label.size());
  if (lines == 0) return true;
  // Capitals are centred; descenders may hang into the space below.
  const int block_height = lines * PixelFont::kAscent + (lines - 1) * kLabelLineGap;
  const int descent = PixelFont::kLineHeight - PixelFont::kAscent;
  if (block_height + descent > face_height - 2 * kLabelMargin) {
    error = "the label has too many lines for the key";
    return false;
  }
  int top = kFaceTop + (face_height - block_height) / 2;
  for (const std::string& line : label) {
    int text_width = font.TextWidth(line);
    if (text_width < 0) {
      error = "no glyph for \"" + font.MissingCharacters(line) + "\"";
      return false;
    }
    if (text_width > face_width - 2 * kLabelMargin) {
      error = "\"" + line + "\" is " + std::to_string(text_width) + " pixels wide, the face " +
              std::to_string(face_width - 2 * kLabelMargin);
      return false;
    }
    // An odd remainder goes to the right, where the shadow already makes the face look smaller.
    font.Draw(canvas, kFaceLeft + (face_width - text_width) / 2, top, line, kBlack);
    top += PixelFont::kAscent + kLabelLineGap;
  }
  return true;
}

void DrawFramePiece(PictureCanvas& canvas, FramePiece piece) {
  const int width = canvas.Width();
  const int height = canvas.Height();
  canvas.FillRect(0, 0, width, height, kWhite);
  const int top_outer = kOuterInset;
  const int top_inner = kInnerInset;
  const int bottom_outer = height - 1 - kOuterInset;
  const int bottom_inner = height - 1 - kInnerInset;
  if (piece == FramePiece::kCentre) {
    for (int y : {top_outer, top_inner, bottom_outer, bottom_inner})
      canvas.HorizontalLine(0, width - 1, y, kBlack);
    return;
  }

  // The corner arcs are centred one radius in from the outer line; the straight runs continue
  // from the ends of the arcs to the picture's edge towards the centre piece.
  const bool left = piece == FramePiece::kLeft;
  const int step_x = left ? -1 : 1;
  const int outer_x = left ? kOuterInset : width - 1 - kOuterInset;
  const int inner_x = left ? kInnerInset : width - 1 - kInnerInset;
  const int centre_x = outer_x - step_x * kOuterRadius;
  const int top_centre_y = top_outer + kOuterRadius;
  const int bottom_centre_y = bottom_outer - kOuterRadius;
  const int inner_radius = kOuterRadius - (kInnerInset - kOuterInset);
  const int run_from = left ? centre_x : 0;
  const int run_to = left ? width - 1 : centre_x;
  for (int y : {top_outer, top_inner, bottom_outer, bottom_inner})
    canvas.HorizontalLine(run_from, run_to, y, kBlack);
  canvas.VerticalLine(outer_x, top_centre_y, bottom_centre_y, kBlack);
  canvas.VerticalLine(inner_x, top_centre_y, bottom_centre_y, kBlack);
  for (int radius : {kOuterRadius, inner_radius}) {
    DrawCornerArc(canvas, centre_x, top_centre_y, radius, step_x, -1);
    DrawCornerArc(canvas, centre_x, bottom_centre_y, radius, step_x, 1);
  }
}

void DrawFocusFrame(PictureCanvas& canvas) {
  const int width = canvas.Width();
  const int height = canvas.Height();
  canvas.FillRect(0, 0, width, height, kWhite);
  const int left = kFocusInset;
  const int top = kFocusInset;
  const int right = width - 1 - kFocusInset;
  const int bottom = height - 1 - kFocusInset;
  // Every other pixel, as Windows draws a focus rectangle.
  for (int x = left; x <= right; ++x)
    for (int y : {top, bottom})
      if ((x + y) % 2 == 0) canvas.Set(x, y, kBlack);
  for (int y = top; y <= bottom; ++y)
    for (int x : {left, right})
      if ((x + y) % 2 == 0) canvas.Set(x, y, kBlack);
}

}  // namespace talo::tools
