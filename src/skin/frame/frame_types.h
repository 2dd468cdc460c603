#pragma once
// Small shared types of the skinned frame: hit-test codes, frame states, border icons, mouse
// buttons and the monitor facts the frame needs from the platform.
#include <cstdint>

#include "base/color.h"
#include "base/geometry.h"

namespace netscry {

// The hit-test codes the frame answers with: the values of the platform's HT* codes (the glue
// passes them on unchanged; the names differ so that they never meet the platform's macros).
enum FrameHitCode : int {
  kHitClient = 1,
  kHitCaption = 2,
  kHitLeft = 10,
  kHitRight = 11,
  kHitTop = 12,
  kHitTopLeft = 13,
  kHitTopRight = 14,
  kHitBottom = 15,
  kHitBottomLeft = 16,
  kHitBottomRight = 17,
  kHitObject = 19,
};

// The frame's own notion of the window state; the platform window itself stays normal.
enum class TskFrameState { Normal, Minimized, Maximized };

// TskBorderIcons as a bit set.
enum TskBorderIcon : std::uint32_t {
  biSystemMenu = 1,
  biMinimize = 2,
  biMaximize = 4,
  biRollUp = 8,
  biMinimizeToTray = 16,
};
using TskBorderIcons = std::uint32_t;

enum class TskMouseButton { Left, Right, Middle };

// The frame-object events the owner fires (OnMouseDownEvent, ...).
enum class FrameObjectEvent { MouseDown, MouseUp, MouseMove, MouseEnter, MouseLeave };

// The monitor a window lies on (the nearest one), in screen coordinates.
struct MonitorInfo {
  Rect monitor;    // the whole monitor
  Rect work_area;  // without task bars
  bool primary = true;
};

// The system colours the plain frame (no skin) is drawn in; the defaults are the classic
// Windows XP scheme, the glue passes the system's own.
struct PlainFrameColors {
  Color light3d = Rgb(241, 239, 226);
  Color dark_shadow3d = Rgb(113, 111, 100);
  Color highlight = Rgb(255, 255, 255);
  Color shadow = Rgb(172, 168, 153);
  Color face = Rgb(236, 233, 216);
  Color button_text = Rgb(0, 0, 0);
};

}  // namespace netscry
