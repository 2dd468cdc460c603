#pragma once
// The few components the details dialog needs beyond the window layer's: an image that shows a
// picture with a transparent colour over its parent's background, a horizontal line in a pen
// colour, and the dialog's hot-track buttons.
#include <windows.h>

#include <memory>
#include <string>

#include "base/bitmap32.h"
#include "base/color.h"
#include "base/geometry.h"
#include "forms/controls_win32.h"
#include "forms/window_win32.h"

namespace netscry {

// A transparent image: the picture's bottom-left colour is not drawn, so the parent's background
// shows there. Without a picture it shows only the parent's background.
class ImageBox : public forms::Window {
 public:
  HWND Create(forms::Container& parent, const Rect& bounds);
  const Bitmap32& Picture() const { return picture_; }
  // Draws an icon at its own size with its top-left corner at `at` onto the picture. An empty
  // picture is first made the image's size and filled with white, so the icon's parts outside it
  // are cut off. False when the icon could not be drawn (the picture then stays as it was).
  bool DrawIcon(HICON icon, Point at);
  // Paints the image (background, then the picture without its transparent colour).
  void PaintTo(HDC dc);

 protected:
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  Bitmap32 picture_;
};

// A line one pixel high (or any filled box) in one colour.
class ShapeLine : public forms::Window {
 public:
  HWND Create(forms::Container& parent, const Rect& bounds, Color pen_color);
  Color PenColor() const { return pen_color_; }
  void PaintTo(HDC dc);

 protected:
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  Color pen_color_ = 0;
};

struct DialogButtonLayout {
  std::string caption;
  Rect bounds;
  bool visible = true;
};

// The dialog's buttons (THotBitBtn, no glyph). Neither is a default or cancel button: Enter and
// the space bar click the one that has the focus, and Escape clicks none.
std::unique_ptr<forms::ButtonBase> MakeDialogButton(forms::Container& parent, const DialogButtonLayout& layout);

}  // namespace netscry
