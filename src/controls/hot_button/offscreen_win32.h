#pragma once
// The off-screen surface a transparent control paints through: a 32-bit DIB of the client size
// with a Canvas over it, both kept while the size stays the same (so fonts are made once), and
// the parent's background copied in before each paint.
#include <windows.h>

#include <memory>

#include "base/dib_win32.h"
#include "base/gdi_canvas_win32.h"

namespace netscry {

class OffscreenSurface {
 public:
  // The surface for a client of this size, remade only when the size changed; null if GDI
  // refused it.
  bool Prepare(int width, int height);
  void Release();

  HDC Dc() const { return dib_ ? dib_->Dc() : nullptr; }
  GdiCanvas* Canvas() const { return canvas_.get(); }
  // Fills the surface with what the parent paints behind child (its background), falling back
  // to the system button face where the parent paints nothing.
  void CopyParentBackground(HWND child);
  // Copies the surface to dc at (0, 0).
  void CopyTo(HDC dc) const;

 private:
  std::unique_ptr<Dib32> dib_;
  std::unique_ptr<GdiCanvas> canvas_;  // over dib_'s DC; goes first
};

}  // namespace netscry
