#include "procinfo/procinfo_components_win32.h"

#include "base/dib_win32.h"
#include "base/gdi_canvas_win32.h"
#include "controls/hot_button/hot_button_win32.h"
#include "forms/gdi_objects_win32.h"
#include "procinfo/procinfo_layout.h"

namespace netscry {
namespace {

Color ParentBackground(const forms::Window& w) {
  const forms::Container* parent = forms::Container::ParentOf(w);
  return parent ? parent->BackgroundColor() : forms::clBtnFace;
}

void FillClient(HWND hwnd, HDC dc, Color color) {
  RECT r{};
  GetClientRect(hwnd, &r);
  HBRUSH brush = CreateSolidBrush(forms::ResolveColor(color));
  if (!brush) return;
  FillRect(dc, &r, brush);
  DeleteObject(brush);
}

}  // namespace

// --- ImageBox --------------------------------------------------------------------------------

HWND ImageBox::Create(forms::Container& parent, const Rect& bounds) {
  forms::CreateParams cp;
  cp.class_name = "NetscryImage";
  cp.style = WS_CHILD | WS_VISIBLE;
  cp.bounds = bounds;
  cp.parent = parent.Handle();
  return CreateHandle(cp);
}

bool ImageBox::DrawIcon(HICON icon, Point at) {
  if (!icon) return false;
  Bitmap32 picture = picture_;
  if (picture.IsEmpty()) {
    const Rect client = ClientRect();
    const Size size = client.IsEmpty() ? kPictureSize : Size{client.Width(), client.Height()};
    picture = Bitmap32(size.cx, size.cy, kPictureFill);
  }
  Dib32 surface(picture.Width(), picture.Height());
  if (!surface.Valid()) return false;
  {
    GdiCanvas canvas(surface.Dc());
    canvas.DrawBitmap(picture, picture.Bounds(), 0, 0);
  }
  if (!DrawIconEx(surface.Dc(), at.x, at.y, icon, 0, 0, 0, nullptr, DI_NORMAL)) return false;
  picture_ = surface.ToBitmap32();
  Invalidate();
  return true;
}

void ImageBox::PaintTo(HDC dc) {
  FillClient(Handle(), dc, ParentBackground(*this));
  if (picture_.IsEmpty()) return;
  GdiCanvas canvas(dc);
  canvas.DrawBitmap(picture_, picture_.Bounds(), 0, 0, picture_.Pixel(0, picture_.Height() - 1));
}

LRESULT ImageBox::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  LRESULT result = 0;
  if (forms::HandleOwnPaint(Handle(), msg, wp, result, [this](HDC dc) { PaintTo(dc); })) return result;
  return Window::WndProc(msg, wp, lp);
}

// --- ShapeLine -------------------------------------------------------------------------------

HWND ShapeLine::Create(forms::Container& parent, const Rect& bounds, Color pen_color) {
  pen_color_ = pen_color;
  forms::CreateParams cp;
  cp.class_name = "NetscryShape";
  cp.style = WS_CHILD | WS_VISIBLE;
  cp.bounds = bounds;
  cp.parent = parent.Handle();
  return CreateHandle(cp);
}

void ShapeLine::PaintTo(HDC dc) { FillClient(Handle(), dc, pen_color_); }

LRESULT ShapeLine::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  LRESULT result = 0;
  if (forms::HandleOwnPaint(Handle(), msg, wp, result, [this](HDC dc) { PaintTo(dc); })) return result;
  return Window::WndProc(msg, wp, lp);
}

// --- Buttons ---------------------------------------------------------------------------------

std::unique_ptr<forms::ButtonBase> MakeDialogButton(forms::Container& parent, const DialogButtonLayout& layout) {
  auto button = std::make_unique<THotBitBtn>();
  HotBitBtnParams p;
  p.caption = layout.caption;
  p.bounds = layout.bounds;
  p.color = kDialogButtonFace;
  p.highlight_color = kDialogButtonHighlight;
  p.hot_track_color = kDialogButtonHotTrack;
  p.font = {"Arial", kProcInfoFontHeight};
  p.visible = layout.visible;
  button->Create(parent, p);
  return button;
}

}  // namespace netscry
