#pragma once
// Cutting a frame picture (or its mask) into the four strips around the window's inner
// rectangle, and turning mask strips into rectangles of black pixels.
#include <vector>

#include "base/bitmap32.h"
#include "skin/frame/frame_geometry.h"
#include "skin/skin_descriptions.h"

namespace netscry {

// Four pictures around an inner rectangle, with the window position of each.
struct FrameStrips {
  Bitmap32 top, bottom, left, right;
  Point top_at, bottom_at, left_at, right_at;
};

// The frame strips of a window of g.width × g.height around the stretched client rectangle,
// taken from source (the frame picture, active or inactive). An edge's middle is stretched when
// its flag in info is set, else tiled.
FrameStrips CutFrameStrips(const Bitmap32& source, const TskSkinFormInfo& info, const FrameGeometry& g);

// The mask strips: cut the same way around the stretched mask rectangle, middles always tiled.
FrameStrips CutMaskStrips(const Bitmap32& mask, const TskSkinFormInfo& info, const FrameGeometry& g);

// Every strip of a mask holds at most this many runs in its region.
constexpr int kMaxRunsPerStrip = 10000;

// One rectangle per horizontal run of black pixels (red + green + blue = 0) of strip, moved to
// at. A strip that needs more than kMaxRunsPerStrip runs is described by merging rows whose
// runs are identical into taller rectangles; if that is still too many, the whole strip is
// taken as one rectangle, so the window keeps its full frame rather than losing parts of it.
std::vector<Rect> MaskStripRuns(const Bitmap32& strip, Point at);

// The window shape: the stretched mask rectangle, then the runs of the top, bottom, left and
// right mask strips.
std::vector<Rect> ShapeRectangles(const FrameStrips& mask_strips, const Rect& mask_rect);

// The four strips put together into one window-sized picture (the client rectangle left as
// background), for previews and tests.
Bitmap32 AssembleStrips(const FrameStrips& strips, int width, int height, Color background);

// Copies src_rect of src to (x, y) of dst, clipped to both pictures.
void CopyRect(const Bitmap32& src, const Rect& src_rect, Bitmap32& dst, int x, int y);

}  // namespace netscry
