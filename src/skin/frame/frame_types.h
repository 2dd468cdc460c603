#pragma once
// Small shared types of the skinned frame: hit-test codes, frame states, border icons, mouse
// buttons and the monitor facts the frame needs from the platform.
#include <cstdint>

#include "base/geometry.h"

namespace netscry {

// The platform's hit-test codes that the frame answers with.
enum : int {
  HTCLIENT = 1,
  HTCAPTION = 2,
  HTLEFT = 10,
  HTRIGHT = 11,
  HTTOP = 12,
  HTTOPLEFT = 13,
  HTTOPRIGHT = 14,
  HTBOTTOM = 15,
  HTBOTTOMLEFT = 16,
  HTBOTTOMRIGHT = 17,
  HTOBJECT = 19,
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

// The monitor a window lies on (the nearest one), in screen coordinates.
struct MonitorInfo {
  Rect monitor;    // the whole monitor
  Rect work_area;  // without task bars
  bool primary = true;
};

}  // namespace netscry
