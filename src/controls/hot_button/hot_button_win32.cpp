#include "controls/hot_button/hot_button_win32.h"

#include <uxtheme.h>
#include <vssym32.h>

#include <vector>

#include "base/dib_win32.h"
#include "base/dyn_calls_win32.h"

namespace netscry {
namespace {

int ThemeStateOf(ThemedFace face) {
  switch (face) {
    case ThemedFace::kDisabled: return PBS_DISABLED;
    case ThemedFace::kPressed: return PBS_PRESSED;
    case ThemedFace::kHot: return PBS_HOT;
    case ThemedFace::kDefaulted: return PBS_DEFAULTED;
    case ThemedFace::kNormal: return PBS_NORMAL;
  }
  return PBS_NORMAL;
}

Point PointOf(LPARAM lp) { return {short(LOWORD(lp)), short(HIWORD(lp))}; }

Color SysColor(int index) { return Color(GetSysColor(index)) & 0x00FFFFFFu; }

}  // namespace

HotButtonSystemColors CurrentHotButtonSystemColors() {
  HotButtonSystemColors c;
  c.btn_face = SysColor(COLOR_BTNFACE);
  c.btn_highlight = SysColor(COLOR_BTNHIGHLIGHT);
  c.btn_shadow = SysColor(COLOR_BTNSHADOW);
  c.dark_shadow = SysColor(COLOR_3DDKSHADOW);
  c.window_text = SysColor(COLOR_WINDOWTEXT);
  return c;
}

THotBitBtn::~THotBitBtn() {
  // The window goes before the members it paints with; the base destructor would only find
  // the system's procedure left.
  Destroy();
  CloseTheme();
}

HWND THotBitBtn::Create(forms::Container& parent, const HotBitBtnParams& params) {
  return Create(parent.Handle(), params);
}

HWND THotBitBtn::Create(HWND parent, const HotBitBtnParams& params) {
  if (HandleAllocated() || !parent) return nullptr;
  params_ = params;
  caption_ = params.caption;
  glyph_ = params.glyph;
  params_.glyph = {};
  input_ = HotButtonInput{};
  input_.SetEnabled(params.enabled);
  forms::CreateParams cp;
  cp.class_name = kClassName;
  cp.class_style = CS_DBLCLKS;
  cp.text = params.caption;
  cp.style = WS_CHILD | WS_TABSTOP | WS_CLIPSIBLINGS | (params.visible ? WS_VISIBLE : 0) |
             (params.enabled ? 0 : WS_DISABLED);
  cp.bounds = params.bounds;
  cp.parent = parent;
  HWND hwnd = CreateHandle(cp);
  if (hwnd) OpenTheme();
  return hwnd;
}

void THotBitBtn::SetCaption(const std::string& caption) {
  caption_ = caption;
  SetText(caption);  // WM_SETTEXT repaints
}

void THotBitBtn::SetGlyph(HotButtonGlyph glyph) {
  glyph_ = std::move(glyph);
  if (Handle()) InvalidateRect(Handle(), nullptr, FALSE);
}

Size THotBitBtn::ClientSize() const {
  const Rect r = ClientRect();
  return {r.Width(), r.Height()};
}

HotButtonStyle THotBitBtn::ResolvedStyle() const {
  HotButtonStyle s;
  s.color = forms::ResolveColor(params_.color);
  s.highlight_color = forms::ResolveColor(params_.highlight_color);
  s.hot_track_color = forms::ResolveColor(params_.hot_track_color);
  s.frame_color = forms::ResolveColor(params_.frame_color);
  s.font_color = forms::ResolveColor(params_.font_color);
  s.font = params_.font;
  s.show_focus_rect = params_.show_focus_rect;
  s.theme_aware = params_.theme_aware;
  s.margin = params_.margin;
  s.spacing = params_.spacing;
  return s;
}

void THotBitBtn::OpenTheme() {
  CloseTheme();
  // Without an active theme (or the theme library's calls) the button draws its own face.
  if (params_.theme_aware) theme_ = DynOpenActiveTheme(Handle(), L"BUTTON");
}

void THotBitBtn::CloseTheme() {
  if (!theme_) return;
  DynCloseThemeData()(static_cast<HTHEME>(theme_));  // present: theme_ came from DynOpenActiveTheme
  theme_ = nullptr;
}

void THotBitBtn::PaintTo(HDC dc) {
  const Size size = ClientSize();
  if (!dc || !surface_.Prepare(size.cx, size.cy)) return;
  surface_.CopyParentBackground(Handle());
  const HotButtonStyle style = ResolvedStyle();
  HotButtonPaint p;
  p.client = size;
  p.visual = input_.Visual();
  p.many_colors = GetDeviceCaps(dc, BITSPIXEL) * GetDeviceCaps(dc, PLANES) > 8;
  p.style = &style;
  p.sys = CurrentHotButtonSystemColors();
  p.glyph = &glyph_;
  p.caption = caption_;
  if (theme_) {
    const RECT rc{0, 0, size.cx, size.cy};
    DynDrawThemeBackground()(static_cast<HTHEME>(theme_), surface_.Dc(), BP_PUSHBUTTON, ThemeStateOf(ThemedFaceOf(p.visual)), &rc,
             nullptr);
  } else {
    PaintHotButtonFace(*surface_.Canvas(), p);
  }
  PaintHotButtonContent(*surface_.Canvas(), p);
  surface_.CopyTo(dc);
}

void THotBitBtn::Apply(const HotButtonEffects& e) {
  HWND hwnd = Handle();
  if (!hwnd) return;
  if (e.take_focus && GetFocus() != hwnd) ::SetFocus(hwnd);
  if (e.capture) SetCapture(hwnd);
  if (e.release_capture && GetCapture() == hwnd) ReleaseCapture();
  if (e.repaint) InvalidateRect(hwnd, nullptr, FALSE);
}

LRESULT THotBitBtn::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  LRESULT result = 0;
  if (forms::HandleOwnPaint(Handle(), msg, wp, result, [this](HDC dc) { PaintTo(dc); })) return result;
  switch (msg) {
    case WM_SIZE:
      InvalidateRect(Handle(), nullptr, FALSE);
      break;
    case WM_MOUSEMOVE:
      if (!tracking_leave_) {
        TRACKMOUSEEVENT t{};
        t.cbSize = sizeof t;
        t.dwFlags = TME_LEAVE;
        t.hwndTrack = Handle();
        tracking_leave_ = TrackMouseEvent(&t) != FALSE;
      }
      Apply(input_.MouseMove(PointOf(lp), ClientSize()));
      return 0;
    case WM_MOUSELEAVE:
      tracking_leave_ = false;
      Apply(input_.MouseLeave());
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      Apply(input_.LeftDown(PointOf(lp), ClientSize()));
      return 0;
    case WM_LBUTTONUP: {
      const HotButtonEffects e = input_.LeftUp(PointOf(lp), ClientSize());
      Apply(e);
      // The handler may disable, hide or even destroy the button: nothing of ours after it.
      if (e.click) Click();
      return 0;
    }
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lp) != Handle()) Apply(input_.CaptureLost());
      return 0;
    case WM_CANCELMODE:
      Apply(input_.CaptureLost());
      if (GetCapture() == Handle()) ReleaseCapture();
      return 0;
    case WM_KEYDOWN:
    case WM_KEYUP: {
      const HotButtonKey key = wp == VK_SPACE ? HotButtonKey::kSpace
                               : wp == VK_RETURN ? HotButtonKey::kEnter
                                                 : HotButtonKey::kOther;
      if (key == HotButtonKey::kOther) break;
      const HotButtonEffects e =
          msg == WM_KEYDOWN ? input_.KeyDown(key, GetKeyState(VK_MENU) < 0) : input_.KeyUp(key);
      Apply(e);
      if (e.click) Click();
      return 0;
    }
    case WM_SETFOCUS:
      Apply(input_.FocusChanged(true));
      break;
    case WM_KILLFOCUS:
      Apply(input_.FocusChanged(false));
      break;
    case WM_ENABLE:
      Apply(input_.SetEnabled(wp != 0));
      return 0;
    case WM_GETDLGCODE: {
      // Enter reaches a focused button even under the dialog manager's keyboard handling.
      const auto* m = reinterpret_cast<const MSG*>(lp);
      return DLGC_BUTTON | (m && m->message == WM_KEYDOWN && m->wParam == VK_RETURN ? DLGC_WANTMESSAGE : 0);
    }
    case WM_SETTEXT: {
      const LRESULT r = Window::WndProc(msg, wp, lp);
      caption_ = Text();
      InvalidateRect(Handle(), nullptr, FALSE);
      return r;
    }
    case WM_THEMECHANGED:
      OpenTheme();
      InvalidateRect(Handle(), nullptr, FALSE);
      return 0;
    case WM_SYSCOLORCHANGE:
      InvalidateRect(Handle(), nullptr, FALSE);
      break;
    case WM_DESTROY:
      CloseTheme();
      surface_.Release();
      break;
    default:
      break;
  }
  return Window::WndProc(msg, wp, lp);
}

// --- Glyphs ----------------------------------------------------------------------------------

HotButtonGlyph HotButtonGlyphFromBitmap(HBITMAP bitmap, int num_glyphs) {
  HotButtonGlyph glyph;
  glyph.num_glyphs = num_glyphs;
  BITMAP info{};
  if (!bitmap || GetObjectA(bitmap, sizeof info, &info) != sizeof info) return glyph;
  const int w = info.bmWidth, h = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
  // A glyph is a small picture; anything else is not one.
  if (w <= 0 || h <= 0 || w > 4096 || h > 4096) return glyph;
  std::vector<DibPixel> pixels(std::size_t(w) * std::size_t(h));
  BITMAPINFO bi = TopDown32BitInfo(w, h);
  HDC dc = CreateCompatibleDC(nullptr);
  if (!dc) return glyph;
  const int rows = GetDIBits(dc, bitmap, 0, UINT(h), pixels.data(), &bi, DIB_RGB_COLORS);
  DeleteDC(dc);
  if (rows != h) return glyph;
  glyph.bitmap = Bitmap32::FromDibRows(w, h, pixels.data());
  return glyph;
}

HotButtonGlyph LoadHotButtonGlyphResource(HINSTANCE instance, const char* name, int num_glyphs) {
  HANDLE image = LoadImageA(instance, name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
  HotButtonGlyph glyph = HotButtonGlyphFromBitmap(static_cast<HBITMAP>(image), num_glyphs);
  if (image) DeleteObject(image);
  return glyph;
}

HotButtonGlyph LoadHotButtonGlyphFile(const std::string& path, int num_glyphs) {
  HANDLE image = LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION | LR_LOADFROMFILE);
  HotButtonGlyph glyph = HotButtonGlyphFromBitmap(static_cast<HBITMAP>(image), num_glyphs);
  if (image) DeleteObject(image);
  return glyph;
}

}  // namespace netscry
