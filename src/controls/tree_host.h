#pragma once
// What the list model needs from the window that shows it. The Windows glue implements it over a
// real window; tests implement it with small recording fakes. Every method has a harmless default.
#include <string_view>

#include "base/canvas.h"
#include "base/geometry.h"
#include "controls/tree_types.h"

namespace netscry {

class TreeListHost {
 public:
  virtual ~TreeListHost() = default;
  virtual void InvalidateRows() {}
  virtual void InvalidateHeader() {}
  // Scroll offsets or scroll ranges changed.
  virtual void ScrollChanged() {}
  virtual void TakeFocus() {}
  virtual void Beep() {}
  // Show a popup menu that a callback returned, at a point of the rows area's client coordinates.
  virtual void ShowPopup(TPopupMenu /*menu*/, Point /*client_point*/) {}
  // Width and height of cell text in the list's font.
  virtual Size CellTextExtent(std::string_view /*ansi_text*/) { return {}; }
};

// The state-image list: draws image i with its top-left at (x, y).
class StateImageSource {
 public:
  virtual ~StateImageSource() = default;
  virtual int Count() const = 0;
  virtual Size ImageSize() const = 0;
  virtual void Draw(Canvas& canvas, int index, int x, int y) const = 0;
};

// Where painted rows go: each row is painted into a strip that is then put on the window in one
// piece. BeginStrip gives a canvas whose origin is the strip's top-left corner. dest may reach
// above the rows area (a row scrolled partly out); only its part inside the rows area is shown.
class RowStripSink {
 public:
  virtual ~RowStripSink() = default;
  virtual Canvas& BeginStrip(const Rect& dest) = 0;
  virtual void EndStrip() = 0;
};

// The platform's visual theme for header items, when one is active.
class HeaderTheme {
 public:
  enum class ItemState { Normal, Hot, Pressed };
  virtual ~HeaderTheme() = default;
  virtual void DrawItem(Canvas& canvas, const Rect& r, ItemState state) const = 0;
  virtual void DrawRightArea(Canvas& canvas, const Rect& r) const = 0;
};

}  // namespace netscry
