#include "controls/hot_button/offscreen_win32.h"

namespace netscry {

bool OffscreenSurface::Prepare(int width, int height) {
  if (width <= 0 || height <= 0) return false;
  if (dib_ && dib_->Width() == width && dib_->Height() == height) return canvas_ != nullptr;
  Release();
  auto dib = std::make_unique<Dib32>(width, height);
  if (!dib->Valid()) return false;
  dib_ = std::move(dib);
  canvas_ = std::make_unique<GdiCanvas>(dib_->Dc());
  return true;
}

void OffscreenSurface::Release() {
  canvas_.reset();
  dib_.reset();
}

void OffscreenSurface::CopyParentBackground(HWND child) {
  if (!dib_) return;
  HDC dc = dib_->Dc();
  const RECT all{0, 0, dib_->Width(), dib_->Height()};
  FillRect(dc, &all, GetSysColorBrush(COLOR_BTNFACE));
  HWND parent = GetParent(child);
  if (!parent) return;
  // The parent erases into our surface as if it were its own client area, shifted so that our
  // top-left lands at (0, 0).
  POINT at{0, 0};
  MapWindowPoints(child, parent, &at, 1);
  const int saved = SaveDC(dc);
  SetViewportOrgEx(dc, -at.x, -at.y, nullptr);
  IntersectClipRect(dc, at.x, at.y, at.x + dib_->Width(), at.y + dib_->Height());
  SendMessageA(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  RestoreDC(dc, saved);
}

void OffscreenSurface::CopyTo(HDC dc) const {
  if (dib_) BitBlt(dc, 0, 0, dib_->Width(), dib_->Height(), dib_->Dc(), 0, 0, SRCCOPY);
}

}  // namespace netscry
