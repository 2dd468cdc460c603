#include "controls/tree_list_win32.h"

#include <uxtheme.h>
#include <vssym32.h>
#include <windowsx.h>

#include <algorithm>
#include <vector>

#include "base/dib_win32.h"
#include "base/dyn_calls_win32.h"

namespace netscry {

namespace {

constexpr int kHeaderHeight = TTreeHeader::kHeight;

}  // namespace

// --- State images ----------------------------------------------------------------------------------

int ImageListStateImages::Count() const { return list_ ? ImageList_GetImageCount(list_) : 0; }

Size ImageListStateImages::ImageSize() const {
  int cx = 0, cy = 0;
  if (list_) ImageList_GetIconSize(list_, &cx, &cy);
  return {cx, cy};
}

void ImageListStateImages::Draw(Canvas& canvas, int index, int x, int y) const {
  auto* gdi = dynamic_cast<GdiCanvas*>(&canvas);
  if (!gdi || !list_) return;
  // The canvas's origin is already the device context's viewport origin.
  ImageList_Draw(list_, index, gdi->Dc(), x, y, ILD_TRANSPARENT);
}

// --- Themed header parts ----------------------------------------------------------------------

class UxHeaderTheme : public HeaderTheme {
 public:
  explicit UxHeaderTheme(HTHEME theme) : theme_(theme) {}
  // Made only when every theme call is present (OpenTheme checks).
  ~UxHeaderTheme() override { DynCloseThemeData()(theme_); }
  void DrawItem(Canvas& canvas, const Rect& r, ItemState state) const override {
    int part_state = state == ItemState::Pressed ? HIS_PRESSED : state == ItemState::Hot ? HIS_HOT : HIS_NORMAL;
    Draw(canvas, HP_HEADERITEM, part_state, r);
  }
  void DrawRightArea(Canvas& canvas, const Rect& r) const override { Draw(canvas, HP_HEADERITEMRIGHT, HIRS_NORMAL, r); }

 private:
  void Draw(Canvas& canvas, int part, int state, const Rect& r) const {
    auto* gdi = dynamic_cast<GdiCanvas*>(&canvas);
    if (!gdi) return;
    RECT rc{r.left, r.top, r.right, r.bottom};  // the canvas origin is the viewport's
    DynDrawThemeBackground()(theme_, gdi->Dc(), part, state, &rc, nullptr);
  }
  HTHEME theme_;
};

void TreeListWindow::OpenTheme() {
  theme_.reset();
  // Without an active theme (or the theme library's calls) the header draws itself flat.
  if (!theme_aware_) return;
  if (HTHEME t = DynOpenActiveTheme(Handle(), L"HEADER")) theme_ = std::make_unique<UxHeaderTheme>(t);
}

void TreeListWindow::SetThemeAware(bool on) {
  theme_aware_ = on;
  OpenTheme();
  InvalidateHeader();
}

// --- The tooltip window ---------------------------------------------------------------------------

// A borderless popup laid over a shortened cell, showing its whole text; transparent to the mouse.
class TreeListWindow::TipWindow : public forms::Window {
 public:
  static constexpr const char* kClassName = "NetscryTreeListTip";

  explicit TipWindow(TreeListWindow& owner) : owner_(owner) {}

  HWND Create(HWND owner_window) {
    forms::CreateParams p;
    p.class_name = kClassName;
    p.class_style = 0;
    p.style = WS_POPUP | WS_BORDER;
    p.ex_style = WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
    p.bounds = {0, 0, 10, 10};
    p.parent = owner_window;
    return CreateHandle(p);
  }

 protected:
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override {
    if (msg == WM_NCHITTEST) return HTTRANSPARENT;
    if (msg != WM_PAINT) return Window::WndProc(msg, wp, lp);
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(Handle(), &ps);
    const Rect client = ClientRect();
    {
      GdiCanvas canvas(dc);
      canvas.FillRect(client, GetSysColor(COLOR_INFOBK));
      canvas.SetFont(owner_.list_.Font);
      const std::string& text = owner_.tip_info_.text;
      const Size ext = canvas.TextExtent(text);
      canvas.TextOut(TStringTreeList::TextMargin, (client.Height() - ext.cy) / 2, text, GetSysColor(COLOR_INFOTEXT),
                     client);
    }
    EndPaint(Handle(), &ps);
    return 0;
  }

 private:
  TreeListWindow& owner_;
};

// --- The window ------------------------------------------------------------------------------------

struct TreeListWindow::PaintSurface {
  PaintSurface(int width, int height) : dib(width, height), canvas(dib.Dc()) {}
  Dib32 dib;
  GdiCanvas canvas;  // destroyed before dib: restores the DC it draws on
};

TreeListWindow::PaintSurface& TreeListWindow::Surface(std::unique_ptr<PaintSurface>& surface, int width,
                                                      int height) {
  if (!surface || !surface->dib.Valid() || surface->dib.Width() != width || surface->dib.Height() != height) {
    surface.reset();  // the old one goes first: never two at a time
    surface = std::make_unique<PaintSurface>(width, height);
    ++paint_surfaces_made_;
  }
  return *surface;
}

void TreeListWindow::ReleasePaintSurfaces() {
  header_surface_.reset();
  strip_surface_.reset();
}

TreeListWindow::TreeListWindow() {
  list_.SetHost(this);
  // Text is measured exactly the way the painting canvas measures it.
  measure_dc_ = CreateCompatibleDC(nullptr);
  measure_canvas_ = std::make_unique<GdiCanvas>(measure_dc_);
  measure_canvas_->SetFont(list_.Font);
  ReadSystemColors();
}

TreeListWindow::~TreeListWindow() {
  // While the whole object still handles its messages; a window already gone was let go of at
  // its WM_NCDESTROY, and then this does nothing.
  Destroy();
  list_.SetHost(nullptr);
  measure_canvas_.reset();
  DeleteDC(measure_dc_);
}

void TreeListWindow::OnHandleDestroyed() {
  // Everything made for the window goes with it.
  if (tip_) tip_->Destroy();
  tip_visible_ = false;
  tracking_hover_ = false;
  header_capture_ = false;
  scroll_pending_ = false;
  rows_invalid_ = false;
  pending_lead_ = 0;
  theme_.reset();
  ReleasePaintSurfaces();
}

HWND TreeListWindow::TooltipWindow() const { return tip_visible_ && tip_ ? tip_->Handle() : nullptr; }

void TreeListWindow::ReadSystemColors() {
  list_.Colors.GridLineColor = GetSysColor(COLOR_ACTIVECAPTION);
  list_.Colors.WindowText = GetSysColor(COLOR_WINDOWTEXT);
  list_.Colors.HighlightText = GetSysColor(COLOR_HIGHLIGHTTEXT);
}

HWND TreeListWindow::Create(HWND parent, int id, const Rect& bounds) {
  forms::CreateParams p;
  p.class_name = kClassName;
  p.class_style = CS_DBLCLKS;
  p.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | WS_CLIPSIBLINGS;
  p.bounds = bounds;
  p.parent = parent;
  p.id = id;
  if (!CreateHandle(p)) return nullptr;
  tip_ = std::make_unique<TipWindow>(*this);
  // Unowned (it is topmost itself and goes with the list's window): under Wine a window that owns
  // a popup often keeps its old topmost state when the always-on-top option sets it again.
  tip_->Create(nullptr);
  OpenTheme();
  OnSize();
  return Handle();
}

TShiftState TreeListWindow::CurrentShift() {
  return {GetKeyState(VK_SHIFT) < 0, GetKeyState(VK_CONTROL) < 0, GetKeyState(VK_MENU) < 0};
}

Size TreeListWindow::RowsClientSize() const {
  RECT rc{};
  GetClientRect(Handle(), &rc);
  // A window lower than its header (minimised) has no rows' area, not a negative one.
  return {int(rc.right), std::max(0, int(rc.bottom) - kHeaderHeight)};
}

void TreeListWindow::OnSize() {
  if (!Handle()) return;
  const Size rows = RowsClientSize();
  // The paint surfaces are as wide as the window; another width makes new ones at the next paint.
  for (const auto* surface : {header_surface_.get(), strip_surface_.get()}) {
    if (surface && surface->dib.Width() != rows.cx) {
      ReleasePaintSurfaces();
      break;
    }
  }
  list_.SetClientSize(rows.cx, rows.cy);
}

void TreeListWindow::ScrollChanged() {
  // A fill changes the range once per row: the bars are set once, when the messages are next
  // handled.
  if (!Handle() || scroll_pending_) return;
  scroll_pending_ = true;
  PostMessageA(Handle(), kUpdateScrollMessage, 0, 0);
}

void TreeListWindow::UpdateScrollBars() {
  scroll_pending_ = false;
  if (!Handle() || updating_scroll_) return;
  updating_scroll_ = true;
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  si.nMin = 0;
  si.nMax = std::max(0, list_.ContentHeight() - 1);
  si.nPage = UINT(list_.ClientHeight());
  si.nPos = list_.OffsetY();
  SetScrollInfo(Handle(), SB_VERT, &si, TRUE);
  si.nMax = std::max(0, list_.ContentWidth() - 1);
  si.nPage = UINT(list_.ClientWidth());
  si.nPos = list_.OffsetX();
  SetScrollInfo(Handle(), SB_HORZ, &si, TRUE);
  updating_scroll_ = false;
  // Showing or hiding a bar changes the client size. Compared as OnSize sets it: a window lower
  // than its header (minimised) would otherwise differ every time and post this again for ever.
  const Size rows = RowsClientSize();
  if (rows.cx != list_.ClientWidth() || rows.cy != list_.ClientHeight()) OnSize();
}

void TreeListWindow::OnScroll(int bar, int code) {
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_ALL;
  GetScrollInfo(Handle(), bar, &si);
  bool vert = bar == SB_VERT;
  int line = vert ? TStringTreeList::DefaultNodeHeight : 16;
  int page = vert ? list_.ClientHeight() : list_.ClientWidth();
  int pos = vert ? list_.OffsetY() : list_.OffsetX();
  switch (code) {
    case SB_LINEUP: pos -= line; break;
    case SB_LINEDOWN: pos += line; break;
    case SB_PAGEUP: pos -= page; break;
    case SB_PAGEDOWN: pos += page; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: pos = si.nTrackPos; break;
    case SB_TOP: pos = 0; break;
    case SB_BOTTOM: pos = 1 << 30; break;
    default: return;
  }
  if (vert)
    list_.SetOffsets(list_.OffsetX(), pos);
  else
    list_.SetOffsets(pos, list_.OffsetY());
}

void TreeListWindow::InvalidateRows() {
  if (!Handle() || rows_invalid_) return;
  rows_invalid_ = true;
  RECT rc;
  GetClientRect(Handle(), &rc);
  rc.top = kHeaderHeight;
  InvalidateRect(Handle(), &rc, FALSE);
}

void TreeListWindow::InvalidateHeader() {
  if (!Handle()) return;
  RECT rc;
  GetClientRect(Handle(), &rc);
  rc.bottom = kHeaderHeight;
  InvalidateRect(Handle(), &rc, FALSE);
}

void TreeListWindow::TakeFocus() {
  if (Handle()) ::SetFocus(Handle());
}

void TreeListWindow::Beep() { MessageBeep(0); }

void TreeListWindow::ShowPopup(TPopupMenu menu, Point client_point) {
  if (!Handle() || !menu) return;
  POINT pt{client_point.x, client_point.y + kHeaderHeight};
  ClientToScreen(Handle(), &pt);
  TrackPopupMenu(reinterpret_cast<HMENU>(const_cast<void*>(menu)), TPM_LEFTALIGN | TPM_RIGHTBUTTON, pt.x, pt.y, 0,
                 GetParent(Handle()) ? GetParent(Handle()) : Handle(), nullptr);
}

Size TreeListWindow::CellTextExtent(std::string_view ansi_text) {
  measure_canvas_->SetFont(list_.Font);
  return measure_canvas_->TextExtent(ansi_text);
}

namespace {

// Rows go through one off-screen strip, reused for every row of a paint.
class StripBuffer : public RowStripSink {
 public:
  // Strips land on target in its own (origin-shifted) coordinates, inside rows_area only: a row
  // scrolled partly out at the top must not reach the header above it.
  StripBuffer(GdiCanvas& target, const Rect& rows_area, const Dib32& strip, Canvas& strip_canvas)
      : target_(target.Dc()), rows_area_(rows_area), strip_(strip), canvas_(strip_canvas) {}
  Canvas& BeginStrip(const Rect& dest) override {
    dest_ = dest;
    return canvas_;
  }
  void EndStrip() override {
    const Rect strip_on_target{dest_.left, dest_.top, dest_.left + strip_.Width(), dest_.top + strip_.Height()};
    const Rect shown = dest_.Intersect(strip_on_target).Intersect(rows_area_);
    if (shown.IsEmpty()) return;
    BitBlt(target_, shown.left, shown.top, shown.Width(), shown.Height(), strip_.Dc(), shown.left - dest_.left,
           shown.top - dest_.top, SRCCOPY);
  }

 private:
  HDC target_;
  Rect rows_area_;
  const Dib32& strip_;
  Canvas& canvas_;
  Rect dest_;
};

}  // namespace

void TreeListWindow::PaintTo(HDC dc, const RECT& update) {
  RECT rc;
  GetClientRect(Handle(), &rc);
  const int width = rc.right;
  if (width <= 0) return;
  if (update.top < kHeaderHeight) {
    PaintSurface& header = Surface(header_surface_, width, kHeaderHeight);
    if (!header.dib.Valid()) return;
    list_.Header().Paint(header.canvas, width, theme_.get());
    BitBlt(dc, 0, 0, width, kHeaderHeight, header.dib.Dc(), 0, 0, SRCCOPY);
  }
  if (update.bottom > kHeaderHeight) {
    PaintSurface& strip = Surface(strip_surface_, width, TStringTreeList::DefaultNodeHeight);
    if (!strip.dib.Valid()) return;
    GdiCanvas below(dc, 0, kHeaderHeight);
    StripBuffer strips(below, {0, 0, width, std::max(0, int(rc.bottom) - kHeaderHeight)}, strip.dib, strip.canvas);
    Rect rows_update{int(update.left), std::max(0, int(update.top) - kHeaderHeight), int(update.right),
                     int(update.bottom) - kHeaderHeight};
    list_.PaintRows(strips, below, rows_update);
  }
}

void TreeListWindow::UpdateTimers() {
  if (list_.SearchTimerRunning())
    SetTimer(Handle(), kSearchTimer, TStringTreeList::IncrementalSearchTimeout, nullptr);
  else
    KillTimer(Handle(), kSearchTimer);
}

void TreeListWindow::OnMouseButton(TMouseButton button, bool down, bool dbl, LPARAM lp) {
  Point p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
  TShiftState shift = CurrentShift();
  HideTip();
  bool in_header = p.y < kHeaderHeight;
  if (down) {
    header_capture_ = in_header;
    if (in_header) {
      list_.Header().MouseDown(button, p, shift, dbl);
      if (list_.Header().AutoFitAnimating()) SetTimer(Handle(), kAutoFitTimer, TTreeHeader::kAutoFitTimerMs, nullptr);
    } else {
      list_.MouseDown(button, {p.x, p.y - kHeaderHeight}, shift, dbl);
    }
    // Only while the button is still down: a handler may have run a modal loop (a double click
    // opens the details dialog) that saw the button go up, and a capture taken now would keep
    // the user's next click from every other control.
    const int key = button == TMouseButton::mbLeft    ? VK_LBUTTON
                    : button == TMouseButton::mbRight ? VK_RBUTTON
                                                      : VK_MBUTTON;
    if (Handle() && GetKeyState(key) < 0) SetCapture(Handle());
    return;
  }
  bool was_header = header_capture_;
  header_capture_ = false;
  if (list_.Header().Tracking() || (in_header && (was_header || button != TMouseButton::mbLeft)))
    list_.Header().MouseUp(button, p, shift);
  else if (!was_header)
    list_.MouseUp(button, {p.x, p.y - kHeaderHeight}, shift);
  else
    list_.Header().ReleaseOutside();
  // Only now: losing the capture cancels a width drag still running.
  if (GetCapture() == Handle()) ReleaseCapture();
}

void TreeListWindow::OnMouseMove(LPARAM lp) {
  Point p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
  if (list_.Header().Tracking() || p.y < kHeaderHeight) {
    list_.Header().MouseMove(p);
    if (list_.Header().HotTimerRunning()) SetTimer(Handle(), kHotTimer, TTreeHeader::kHotTimerMs, nullptr);
  }
  if (tip_visible_) {
    POINT q{p.x, p.y - kHeaderHeight};
    if (!PtInRect(&tip_rows_rect_, q)) HideTip();
  }
  if (!tracking_hover_) {
    TRACKMOUSEEVENT t{sizeof t, TME_HOVER | TME_LEAVE, Handle(), HOVER_DEFAULT};
    TrackMouseEvent(&t);
    tracking_hover_ = true;
  }
}

namespace {

BOOL CALLBACK AddWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM areas) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (GetMonitorInfoA(monitor, &info)) {
    const RECT& r = info.rcWork;
    reinterpret_cast<std::vector<Rect>*>(areas)->push_back({r.left, r.top, r.right, r.bottom});
  }
  return TRUE;
}

// The work area of every monitor of the desktop, in screen coordinates.
std::vector<Rect> MonitorWorkAreas() {
  std::vector<Rect> areas;
  EnumDisplayMonitors(nullptr, nullptr, &AddWorkArea, reinterpret_cast<LPARAM>(&areas));
  return areas;
}

}  // namespace

void TreeListWindow::OnHover(LPARAM lp) {
  tracking_hover_ = false;
  Point p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp) - kHeaderHeight};
  if (p.y < 0) return;
  bool active = GetActiveWindow() != nullptr;
  bool captured = GetCapture() != nullptr;
  std::optional<TreeTooltip> t = list_.TooltipAt(p, active, captured);
  if (!t) return;
  tip_info_ = *t;
  tip_rows_rect_ = {t->text_rect.left, t->text_rect.top, t->text_rect.right, t->text_rect.bottom};
  POINT tl{t->window_rect.left, t->window_rect.top + kHeaderHeight};
  ClientToScreen(Handle(), &tl);
  Rect screen{tl.x, tl.y, tl.x + t->window_rect.Width(), tl.y + t->window_rect.Height()};
  screen = TStringTreeList::PlaceTooltip(screen, MonitorWorkAreas());
  if (!tip_ || !tip_->Handle()) return;
  SetWindowPos(tip_->Handle(), HWND_TOPMOST, screen.left, screen.top, screen.Width(), screen.Height(),
               SWP_NOACTIVATE | SWP_SHOWWINDOW);
  InvalidateRect(tip_->Handle(), nullptr, TRUE);
  tip_visible_ = true;
}

void TreeListWindow::HideTip() {
  if (tip_visible_ && tip_ && tip_->Handle()) ShowWindow(tip_->Handle(), SW_HIDE);
  tip_visible_ = false;
}

LRESULT TreeListWindow::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  std::optional<LRESULT> handled;
  switch (msg) {
    case WM_SIZE: OnSize(); handled = 0; break;
    case WM_ERASEBKGND:
    case WM_PAINT:
    case WM_PRINTCLIENT: handled = OnPaintMessage(msg, wp); break;
    case kUpdateScrollMessage: OnUpdateScrollMessage(); handled = 0; break;
    case WM_SETFOCUS: OnSetFocus(); handled = 0; break;
    case WM_KILLFOCUS: OnKillFocus(); handled = 0; break;
    case WM_THEMECHANGED: OnThemeChanged(); handled = 0; break;
    case WM_SYSCOLORCHANGE: OnSysColorChange(); handled = 0; break;
    case WM_GETDLGCODE: handled = OnGetDlgCode(lp); break;
    case WM_LBUTTONDOWN: OnMouseButton(TMouseButton::mbLeft, true, false, lp); handled = 0; break;
    case WM_LBUTTONDBLCLK: OnMouseButton(TMouseButton::mbLeft, true, true, lp); handled = 0; break;
    case WM_LBUTTONUP: OnMouseButton(TMouseButton::mbLeft, false, false, lp); handled = 0; break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK: OnMouseButton(TMouseButton::mbRight, true, false, lp); handled = 0; break;
    case WM_RBUTTONUP: OnMouseButton(TMouseButton::mbRight, false, false, lp); handled = 0; break;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK: OnMouseButton(TMouseButton::mbMiddle, true, false, lp); handled = 0; break;
    case WM_MBUTTONUP: OnMouseButton(TMouseButton::mbMiddle, false, false, lp); handled = 0; break;
    case WM_MOUSEMOVE: OnMouseMove(lp); handled = 0; break;
    case WM_MOUSEHOVER: OnHover(lp); handled = 0; break;
    case WM_MOUSELEAVE: OnMouseLeave(); handled = 0; break;
    case WM_CAPTURECHANGED: OnCaptureChanged(lp); handled = 0; break;
    case WM_SETCURSOR: handled = OnSetCursor(lp); break;
    case WM_MOUSEWHEEL: OnMouseWheel(wp); handled = 0; break;
    case WM_VSCROLL: OnScroll(SB_VERT, LOWORD(wp)); handled = 0; break;
    case WM_HSCROLL: OnScroll(SB_HORZ, LOWORD(wp)); handled = 0; break;
    case WM_KEYDOWN: handled = OnKeyDown(wp); break;
    case WM_CONTEXTMENU: OnContextMenu(lp); handled = 0; break;
    case WM_CHAR: handled = OnChar(wp); break;
    case WM_TIMER: OnTimer(wp); handled = 0; break;
    case WM_DESTROY: OnDestroy(); handled = 0; break;
    default: break;
  }
  return handled ? *handled : Window::WndProc(msg, wp, lp);
}

LRESULT TreeListWindow::OnPaintMessage(UINT msg, WPARAM wp) {
  // The bars a fill changed are set first: showing one changes the area about to be painted.
  if (msg != WM_ERASEBKGND && scroll_pending_) UpdateScrollBars();
  if (msg == WM_PAINT) rows_invalid_ = false;
  LRESULT result = 0;
  forms::HandleOwnPaint(Handle(), msg, wp, result, [this](HDC dc, const RECT& area) { PaintTo(dc, area); });
  return result;
}

void TreeListWindow::OnUpdateScrollMessage() {
  if (scroll_pending_) UpdateScrollBars();
}

void TreeListWindow::OnSetFocus() { list_.SetFocused(true); }

void TreeListWindow::OnKillFocus() {
  list_.SetFocused(false);
  HideTip();
}

void TreeListWindow::OnThemeChanged() {
  OpenTheme();
  InvalidateRect(Handle(), nullptr, FALSE);
}

void TreeListWindow::OnSysColorChange() {
  ReadSystemColors();
  InvalidateRect(Handle(), nullptr, FALSE);
}

LRESULT TreeListWindow::OnGetDlgCode(LPARAM lp) {
  // Escape ends a width drag; otherwise the dialog manager takes it for the window's Cancel.
  const auto* key = reinterpret_cast<const MSG*>(lp);
  if (list_.Header().Tracking() && key && key->message == WM_KEYDOWN && key->wParam == VK_ESCAPE)
    return DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTMESSAGE;
  return DLGC_WANTARROWS | DLGC_WANTCHARS;
}

void TreeListWindow::OnMouseLeave() {
  tracking_hover_ = false;
  HideTip();
}

void TreeListWindow::OnCaptureChanged(LPARAM lp) {
  if (reinterpret_cast<HWND>(lp) != Handle()) list_.Header().CancelTracking();
}

std::optional<LRESULT> TreeListWindow::OnSetCursor(LPARAM lp) {
  if (LOWORD(lp) != HTCLIENT) return std::nullopt;
  POINT pt;
  GetCursorPos(&pt);
  ScreenToClient(Handle(), &pt);
  if ((pt.y < kHeaderHeight || list_.Header().Tracking()) &&
      list_.Header().CursorAt({pt.x, pt.y}) == HeaderCursor::HorizontalSplit) {
    SetCursor(LoadCursor(nullptr, IDC_SIZEWE));
    return TRUE;
  }
  return std::nullopt;
}

void TreeListWindow::OnMouseWheel(WPARAM wp) {
  UINT lines = 3;
  SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  int setting = lines == WHEEL_PAGESCROLL ? -1 : int(lines);
  WORD keys = GET_KEYSTATE_WPARAM(wp);
  HideTip();
  list_.MouseWheel(GET_WHEEL_DELTA_WPARAM(wp), {(keys & MK_SHIFT) != 0, (keys & MK_CONTROL) != 0, false}, setting);
}

std::optional<LRESULT> TreeListWindow::OnKeyDown(WPARAM wp) {
  TListKey key = TListKey::Other;
  switch (wp) {
    case VK_UP: key = TListKey::Up; break;
    case VK_DOWN: key = TListKey::Down; break;
    case VK_PRIOR: key = TListKey::PageUp; break;
    case VK_NEXT: key = TListKey::PageDown; break;
    case VK_HOME: key = TListKey::Home; break;
    case VK_END: key = TListKey::End; break;
    case VK_LEFT: key = TListKey::Left; break;
    case VK_RIGHT: key = TListKey::Right; break;
    case VK_ESCAPE: key = TListKey::Escape; break;
    default: break;
  }
  HideTip();
  if (key != TListKey::Other && list_.KeyDown(key, CurrentShift())) return 0;
  return std::nullopt;
}

void TreeListWindow::OnContextMenu(LPARAM lp) {
  // The key (or Shift+F10) arrives with no position; mouse releases are handled as releases.
  if (lp == -1) list_.KeyDown(TListKey::Apps, CurrentShift());
}

std::optional<LRESULT> TreeListWindow::OnChar(WPARAM wp) {
  auto byte = static_cast<unsigned char>(wp & 0xFF);
  if (pending_lead_) {
    char two[2] = {char(pending_lead_), char(byte)};
    pending_lead_ = 0;
    list_.KeyChar(std::string_view(two, 2), GetTickCount());
  } else if (IsDBCSLeadByte(byte)) {
    pending_lead_ = byte;
    return 0;
  } else if (byte == '\b' || byte >= 0x20) {
    char one = char(byte);
    list_.KeyChar(std::string_view(&one, 1), GetTickCount());
  } else {
    return std::nullopt;
  }
  UpdateTimers();
  return 0;
}

void TreeListWindow::OnTimer(WPARAM id) {
  if (id == kSearchTimer) {
    list_.SearchTimerFired();
    KillTimer(Handle(), kSearchTimer);
  } else if (id == kHotTimer) {
    POINT pt;
    GetCursorPos(&pt);
    ScreenToClient(Handle(), &pt);
    RECT rc;
    GetClientRect(Handle(), &rc);
    std::optional<Point> mouse;
    if (pt.x >= 0 && pt.x < rc.right && pt.y >= 0 && pt.y < kHeaderHeight) mouse = Point{pt.x, pt.y};
    list_.Header().HotTimerFired(mouse);
    if (!list_.Header().HotTimerRunning()) KillTimer(Handle(), kHotTimer);
  } else if (id == kAutoFitTimer) {
    list_.Header().AutoFitTimerFired();
    if (!list_.Header().AutoFitAnimating()) KillTimer(Handle(), kAutoFitTimer);
  }
}

void TreeListWindow::OnDestroy() {
  KillTimer(Handle(), kSearchTimer);
  KillTimer(Handle(), kHotTimer);
  KillTimer(Handle(), kAutoFitTimer);
}

}  // namespace netscry
