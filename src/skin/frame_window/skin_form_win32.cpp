#include "skin/frame_window/skin_form_win32.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "base/dyn_calls_win32.h"
#include "base/gdi_canvas_win32.h"
#include "forms/application_win32.h"
#include "forms/gdi_objects_win32.h"
#include "forms/resources_win32.h"

namespace netscry {
namespace {

constexpr Color kIconKey = Rgb(255, 0, 255);

// Every skinned form alive, so that a skin's notifications reach the forms wearing it and a
// minimised form finds the others parked on its monitor.
std::vector<TskSkinForm*>& LiveForms() {
  static std::vector<TskSkinForm*> forms;
  return forms;
}

// Sends a skin data's notifications to the windows of the forms that wear it.
class SkinFormsRegistry : public SkinFormsNotifier {
 public:
  void NotifyForms(TskSkinData& sender, std::uint32_t message, std::int32_t param) override {
    // A copy: a form may go away while it handles the message.
    const std::vector<TskSkinForm*> forms = LiveForms();
    for (TskSkinForm* form : forms) {
      if (std::find(LiveForms().begin(), LiveForms().end(), form) == LiveForms().end()) continue;
      if (form->SkinData() != &sender) continue;
      form->HandleSkinNotification(message, param);
    }
  }
};

SkinFormsRegistry& Registry() {
  static SkinFormsRegistry registry;
  return registry;
}

// Posted to the form's own window after a skin change began.
UINT ReapplyMessage() {
  static const UINT message = RegisterWindowMessageA("NetscrySkinFormReapply");
  return message;
}

UINT_PTR TimerId(FrameTimer timer) {
  switch (timer) {
    case FrameTimer::Hover: return TskSkinForm::kHoverTimerId;
    case FrameTimer::Morph: return TskSkinForm::kMorphTimerId;
    case FrameTimer::Animation: return TskSkinForm::kAnimationTimerId;
  }
  return 0;
}

UINT TimerInterval(FrameTimer timer) {
  switch (timer) {
    case FrameTimer::Hover: return TskSkinForm::kHoverInterval;
    case FrameTimer::Morph: return TskSkinForm::kMorphInterval;
    case FrameTimer::Animation: return TskSkinForm::kAnimationInterval;
  }
  return 0;
}

Rect FromRECT(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }
RECT ToRECT(const Rect& r) { return {r.left, r.top, r.right, r.bottom}; }

// A DIB section holding a picture: its rows are copied in as they are.
std::unique_ptr<Dib32> DibFrom(const Bitmap32& picture) {
  auto dib = std::make_unique<Dib32>(picture);
  if (!dib->Valid()) return nullptr;
  return dib;
}

// A window region made of rectangles (window coordinates); null when the system refuses it.
HRGN RegionFromRects(const std::vector<Rect>& rects) {
  std::vector<RECT> boxes;
  boxes.reserve(rects.size());
  RECT bound{0, 0, 0, 0};
  for (const Rect& r : rects) {
    if (r.IsEmpty()) continue;
    boxes.push_back(ToRECT(r));
    if (boxes.size() == 1) {
      bound = boxes.back();
    } else {
      bound.left = std::min<LONG>(bound.left, r.left);
      bound.top = std::min<LONG>(bound.top, r.top);
      bound.right = std::max<LONG>(bound.right, r.right);
      bound.bottom = std::max<LONG>(bound.bottom, r.bottom);
    }
  }
  std::vector<std::uint8_t> buffer(sizeof(RGNDATAHEADER) + boxes.size() * sizeof(RECT));
  RGNDATAHEADER header{};
  header.dwSize = sizeof(RGNDATAHEADER);
  header.iType = RDH_RECTANGLES;
  header.nCount = DWORD(boxes.size());
  header.nRgnSize = DWORD(boxes.size() * sizeof(RECT));
  header.rcBound = bound;
  std::copy_n(reinterpret_cast<const std::uint8_t*>(&header), sizeof header, buffer.data());
  if (!boxes.empty()) {
    std::copy_n(reinterpret_cast<const std::uint8_t*>(boxes.data()), boxes.size() * sizeof(RECT),
                buffer.data() + sizeof header);
  }
  return ExtCreateRegion(nullptr, DWORD(buffer.size()), reinterpret_cast<const RGNDATA*>(buffer.data()));
}

}  // namespace

TskSkinForm::TskSkinForm(forms::Form& form) : form_(form) {
  LiveForms().push_back(this);
  // A new component's published defaults that differ from the engine's own: the program's
  // windows show the icon and use no default system menu (SystemMenu stays empty).
}

TskSkinForm::~TskSkinForm() {
  Detach();
  auto& forms = LiveForms();
  forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
  if (skin_data_ != nullptr) {
    // The notifier stays with the data only while some form still wears it.
    const bool worn = std::any_of(forms.begin(), forms.end(), [&](TskSkinForm* f) { return f->skin_data_ == skin_data_; });
    if (!worn) skin_data_->SetNotifier(nullptr);
  }
}

// ---------------------------------------------------------------------------------------------
// Taking over the window

void TskSkinForm::Attach() {
  HWND h = Hwnd();
  if (h == nullptr || attached_) return;
  RECT client{}, window{};
  GetClientRect(h, &client);
  GetWindowRect(h, &window);
  LONG_PTR style = GetWindowLongPtrA(h, GWL_STYLE);
  // No caption and no border icons of the platform's: the frame draws its own.
  style &= ~LONG_PTR(WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX);
  if (!frame_.Sizeable) style &= ~LONG_PTR(WS_THICKFRAME);
  SetWindowLongPtrA(h, GWL_STYLE, style);
  form_.SetMessageFilter(this);
  attached_ = true;
  nc_active_ = GetActiveWindow() == h;
  DisableDwmFrame();
  for (FrameTimer t : {FrameTimer::Hover, FrameTimer::Morph, FrameTimer::Animation}) {
    if (timers_[std::size_t(t)]) ::SetTimer(h, TimerId(t), TimerInterval(t), nullptr);
  }
  // The client area keeps its size inside the new frame, and the window its centre.
  const Rect in = frame_.ClientInsets();
  const int w = client.right + in.left + in.right, ht = client.bottom + in.top + in.bottom;
  const int cx = (window.left + window.right) / 2, cy = (window.top + window.bottom) / 2;
  SetWindowPos(h, nullptr, cx - w / 2, cy - ht / 2, w, ht, SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  ApplySkin();
}

void TskSkinForm::Detach() {
  if (!attached_) return;
  HWND h = Hwnd();
  if (h != nullptr) {
    for (FrameTimer t : {FrameTimer::Hover, FrameTimer::Morph, FrameTimer::Animation}) KillTimer(h, TimerId(t));
    if (GetCapture() == h) ReleaseCapture();
  }
  if (form_.Filter() == this) form_.SetMessageFilter(nullptr);
  attached_ = false;
  timers_ = {};
  for (auto& strip : strips_) strip.reset();
  strips_valid_ = false;
}

void TskSkinForm::DisableDwmFrame() {
  // With desktop composition the platform would draw its own frame behind ours. The desktop
  // window manager exists only from Vista on, so it is bound at run time.
  if (const auto set = DynDwmSetWindowAttribute()) {
    constexpr DWORD kNcRenderingPolicy = 2;  // DWMWA_NCRENDERING_POLICY
    const int disabled = 1;                  // DWMNCRP_DISABLED
    set(Hwnd(), kNcRenderingPolicy, &disabled, sizeof disabled);
  }
}

void TskSkinForm::SetSkinData(TskSkinData* data) {
  skin_data_ = data;
  if (data != nullptr) data->SetNotifier(&Registry());
  ApplySkin();
}

void TskSkinForm::HandleSkinNotification(std::uint32_t message, std::int32_t param) {
  HWND h = Hwnd();
  if (attached_ && h != nullptr) {
    SendMessageA(h, message, WPARAM(param), 0);
    return;
  }
  // Without a window the engine alone follows the skin.
  if (message == WM_SKINCHANGING) frame_.SkinChanging();
  if (message == WM_SKINCHANGED) frame_.SetSkinData(skin_data_);
}

void TskSkinForm::ApplySkin() {
  reapply_pending_ = false;
  frame_.SetSkinData(skin_data_);
  strips_valid_ = false;
  HWND h = Hwnd();
  if (!attached_ || h == nullptr) return;
  // The insets may have changed: the platform asks for the client area again.
  SetWindowPos(h, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  const Size current = WindowSize();
  const Size wanted = frame_.SizeForSkin(current);
  if (wanted.cx != current.cx || wanted.cy != current.cy) {
    SetWindowPos(h, nullptr, 0, 0, wanted.cx, wanted.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  } else {
    ForceRelayout();
  }
  const Size now = WindowSize();
  frame_.SetSize(now.cx, now.cy);
  ApplyShape();
  RepaintFrame();
  InvalidateRect(h, nullptr, TRUE);
}

void TskSkinForm::ForceRelayout() {
  HWND h = Hwnd();
  if (h == nullptr) return;
  const Size s = WindowSize();
  const UINT flags = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
  SetWindowPos(h, nullptr, 0, 0, frame_.ForceRelayoutWidth(s.cx), s.cy, flags);
  SetWindowPos(h, nullptr, 0, 0, s.cx, s.cy, flags | SWP_FRAMECHANGED);
}

// ---------------------------------------------------------------------------------------------
// Geometry helpers

Size TskSkinForm::WindowSize() const {
  RECT r{};
  if (Hwnd() != nullptr) GetWindowRect(Hwnd(), &r);
  return {r.right - r.left, r.bottom - r.top};
}

Rect TskSkinForm::ClientInWindow() const {
  HWND h = Hwnd();
  RECT window{}, client{};
  GetWindowRect(h, &window);
  GetClientRect(h, &client);
  POINT origin{0, 0};
  ClientToScreen(h, &origin);
  const int x = origin.x - window.left, y = origin.y - window.top;
  return {x, y, x + client.right, y + client.bottom};
}

Point TskSkinForm::WindowPointFromScreen(LPARAM lp) const {
  RECT window{};
  GetWindowRect(Hwnd(), &window);
  const int x = static_cast<short>(LOWORD(lp)), y = static_cast<short>(HIWORD(lp));
  return {x - window.left, y - window.top};
}

Point TskSkinForm::WindowPointFromClient(LPARAM lp) const {
  POINT p{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
  ClientToScreen(Hwnd(), &p);
  RECT window{};
  GetWindowRect(Hwnd(), &window);
  return {p.x - window.left, p.y - window.top};
}

void TskSkinForm::SizeChanged(int width, int height) {
  if (!frame_.SetSize(width, height)) return;
  ApplyShape();
  // A new region repaints the frame by itself.
  RepaintFrame();
}

void TskSkinForm::ApplyShape() {
  HWND h = Hwnd();
  if (h == nullptr) return;
  const std::optional<std::vector<Rect>>& shape = frame_.Shape();
  if (shape == applied_shape_) return;
  HRGN region = nullptr;
  if (shape) {
    region = RegionFromRects(*shape);
    if (region == nullptr) return;
  }
  // The system owns a region it accepted (and deletes the one it held before); one it refused
  // is still ours.
  if (!SetWindowRgn(h, region, TRUE)) {
    if (region != nullptr) DeleteObject(region);
    return;
  }
  applied_shape_ = shape;
}

// ---------------------------------------------------------------------------------------------
// Painting

TskSkinForm::FrameKey TskSkinForm::CurrentKey() {
  FrameKey k;
  const Size s = WindowSize();
  k.width = s.cx;
  k.height = s.cy;
  k.skin = frame_.SkinActive();
  k.active = IsFormActive();
  k.state = int(frame_.FrameState) * 2 + (frame_.RolledUp ? 1 : 0);
  k.caption = CaptionText();
  k.icon = icon_handle_;
  for (const auto& object : frame_.LiveObjects()) {
    const auto* button = dynamic_cast<const TskSkinButtonObject*>(object.get());
    k.objects.insert(k.objects.end(),
                     {object->Hot, object->MouseInside, object->Enabled, object->Visible,
                      int(std::lround(object->MorphFactor() * kMorphSteps)), button != nullptr && button->Down,
                      object->ObjectRect.left, object->ObjectRect.top, object->ObjectRect.right,
                      object->ObjectRect.bottom});
  }
  return k;
}

bool TskSkinForm::Compose() {
  FrameStrips strips;
  std::map<const Bitmap32*, std::unique_ptr<Dib32>> drawn;
  // Strips that objects or text are drawn on are DIB sections from the start, so that GDI
  // draws the text; the canvas goes before the strip is used.
  auto factory = [&drawn](Bitmap32& strip) -> std::unique_ptr<Canvas> {
    std::unique_ptr<Dib32> dib = DibFrom(strip);
    if (!dib) return std::make_unique<GdiCanvas>(nullptr);
    HDC dc = dib->Dc();
    drawn[&strip] = std::move(dib);
    return std::make_unique<GdiCanvas>(dc);
  };
  const bool ok = frame_.SkinActive() ? frame_.ComposeFrame(strips, factory) : frame_.ComposePlainFrame(strips, factory);
  for (auto& strip : strips_) strip.reset();
  if (!ok) return false;
  const std::pair<Bitmap32*, Point> parts[4] = {
      {&strips.top, strips.top_at}, {&strips.bottom, strips.bottom_at}, {&strips.left, strips.left_at},
      {&strips.right, strips.right_at}};
  for (std::size_t i = 0; i < 4; ++i) {
    strip_at_[i] = parts[i].second;
    if (parts[i].first->IsEmpty()) continue;
    auto it = drawn.find(parts[i].first);
    strips_[i] = it != drawn.end() ? std::move(it->second) : DibFrom(*parts[i].first);
  }
  ++compositions_;
  return true;
}

void TskSkinForm::PaintFrame(HDC dc) {
  if (dc == nullptr) return;
  // Whatever shows in the strips is noted after composing: drawing the caption notes the
  // window's activity in its object.
  if (!strips_valid_ || CurrentKey() != key_) {
    strips_valid_ = Compose();
    key_ = CurrentKey();
  }
  if (!strips_valid_) return;
  const int saved = SaveDC(dc);
  const Rect client = ClientInWindow();
  ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);
  for (std::size_t i = 0; i < 4; ++i) {
    if (!strips_[i]) continue;
    BitBlt(dc, strip_at_[i].x, strip_at_[i].y, strips_[i]->Width(), strips_[i]->Height(), strips_[i]->Dc(), 0, 0,
           SRCCOPY);
  }
  RestoreDC(dc, saved);
}

void TskSkinForm::RepaintFrame() {
  HWND h = Hwnd();
  if (!attached_ || h == nullptr) return;
  HDC dc = GetWindowDC(h);
  if (dc == nullptr) return;
  PaintFrame(dc);
  ReleaseDC(h, dc);
}

// ---------------------------------------------------------------------------------------------
// SkinFrameHost

bool TskSkinForm::IsFormActive() { return attached_ && nc_active_ && GetActiveWindow() == Hwnd(); }

std::string TskSkinForm::CaptionText() { return form_.Text(); }

const Bitmap32* TskSkinForm::SmallIcon(std::optional<Color>* transparent) {
  HWND h = Hwnd();
  if (h == nullptr) return nullptr;
  // The form's icon, else the application's (the class icon), else the platform's default.
  auto icon = reinterpret_cast<HICON>(SendMessageA(h, WM_GETICON, ICON_SMALL, 0));
  if (icon == nullptr) icon = reinterpret_cast<HICON>(SendMessageA(h, WM_GETICON, ICON_BIG, 0));
  if (icon == nullptr) icon = reinterpret_cast<HICON>(GetClassLongPtrA(h, GCLP_HICONSM));
  if (icon == nullptr) icon = reinterpret_cast<HICON>(GetClassLongPtrA(h, GCLP_HICON));
  if (icon == nullptr) icon = LoadIcon(nullptr, IDI_APPLICATION);
  if (icon == nullptr) return nullptr;
  if (icon != icon_handle_ || icon_.IsEmpty()) {
    const Size s = SmallIconSize();
    Dib32 dib(s.cx, s.cy);
    if (!dib.Valid()) return nullptr;
    RECT all{0, 0, s.cx, s.cy};
    HBRUSH key = CreateSolidBrush(kIconKey);
    if (key != nullptr) {
      FillRect(dib.Dc(), &all, key);
      DeleteObject(key);
    }
    DrawIconEx(dib.Dc(), 0, 0, icon, s.cx, s.cy, 0, nullptr, DI_NORMAL);
    icon_ = dib.ToBitmap32();
    icon_handle_ = icon;
  }
  *transparent = kIconKey;
  return &icon_;
}

Size TskSkinForm::SmallIconSize() { return {GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON)}; }

Size TskSkinForm::CaptionButtonSize() { return {GetSystemMetrics(SM_CXSIZE), GetSystemMetrics(SM_CYSIZE)}; }

void TskSkinForm::RepaintObject(int index) {
  HWND h = Hwnd();
  if (!attached_ || h == nullptr || index < 0) return;
  HDC dc = GetWindowDC(h);
  if (dc == nullptr) return;
  const int saved = SaveDC(dc);
  const Rect client = ClientInWindow();
  ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);
  {
    GdiCanvas canvas(dc);
    frame_.DrawObject(index, canvas);
  }
  RestoreDC(dc, saved);
  ReleaseDC(h, dc);
}

void TskSkinForm::SetTimer(FrameTimer timer, bool running) {
  timers_[std::size_t(timer)] = running;
  HWND h = Hwnd();
  if (!attached_ || h == nullptr) return;
  if (running) {
    ::SetTimer(h, TimerId(timer), TimerInterval(timer), nullptr);
  } else {
    KillTimer(h, TimerId(timer));
  }
}

void TskSkinForm::SetCapture(bool captured) {
  HWND h = Hwnd();
  if (h == nullptr) return;
  if (captured) {
    ::SetCapture(h);
  } else if (GetCapture() == h) {
    ReleaseCapture();
  }
}

void TskSkinForm::CloseForm() {
  // Posted: the form's close path (its close query included) runs once the mouse message that
  // asked for it is over, so a form that goes away does not pull the frame from under it.
  if (Hwnd() != nullptr) PostMessageA(Hwnd(), WM_CLOSE, 0, 0);
}

void TskSkinForm::MinimizeApplication() {
  if (Hwnd() != nullptr) ShowWindow(Hwnd(), SW_MINIMIZE);
}

void TskSkinForm::MinimizeToTray() {
  // There is no tray icon component: the window stays where it is rather than vanish.
}

bool TskSkinForm::OpenSystemMenu(Point at) {
  if (SystemMenu == nullptr || SystemMenu->Count() == 0 || Hwnd() == nullptr) return false;
  RECT window{};
  GetWindowRect(Hwnd(), &window);
  SystemMenu->Popup({window.left + at.x, window.top + at.y}, form_);
  return true;
}

bool TskSkinForm::ActivateCustomObject(const std::string& id_name) {
  return OnActivateCustomObject ? OnActivateCustomObject(id_name) : false;
}

bool TskSkinForm::IsMainForm() { return forms::Application::Instance().MainForm() == &form_; }

Rect TskSkinForm::WindowBounds() {
  RECT r{};
  if (Hwnd() != nullptr) GetWindowRect(Hwnd(), &r);
  return FromRECT(r);
}

void TskSkinForm::SetWindowBounds(const Rect& b) {
  if (Hwnd() == nullptr) return;
  SetWindowPos(Hwnd(), nullptr, b.left, b.top, b.Width(), b.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

MonitorInfo TskSkinForm::Monitor() {
  MonitorInfo out;
  MONITORINFO info{};
  info.cbSize = sizeof info;
  HMONITOR monitor = MonitorFromWindow(Hwnd(), MONITOR_DEFAULTTONEAREST);
  if (monitor != nullptr && GetMonitorInfoA(monitor, &info)) {
    out.monitor = FromRECT(info.rcMonitor);
    out.work_area = FromRECT(info.rcWork);
    out.primary = (info.dwFlags & MONITORINFOF_PRIMARY) != 0;
    return out;
  }
  RECT work{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  out.work_area = FromRECT(work);
  out.monitor = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  out.primary = true;
  return out;
}

std::vector<Rect> TskSkinForm::ParkedForms() {
  std::vector<Rect> parked;
  HMONITOR mine = MonitorFromWindow(Hwnd(), MONITOR_DEFAULTTONEAREST);
  for (TskSkinForm* other : LiveForms()) {
    if (other == this || other->Hwnd() == nullptr || other->frame_.FrameState != TskFrameState::Minimized) continue;
    if (MonitorFromWindow(other->Hwnd(), MONITOR_DEFAULTTONEAREST) != mine) continue;
    parked.push_back(other->WindowBounds());
  }
  return parked;
}

void TskSkinForm::Relayout() {
  ForceRelayout();
  if (Hwnd() != nullptr) InvalidateRect(Hwnd(), nullptr, TRUE);
}

PlainFrameColors TskSkinForm::PlainColors() {
  PlainFrameColors c;
  c.light3d = GetSysColor(COLOR_3DLIGHT);
  c.dark_shadow3d = GetSysColor(COLOR_3DDKSHADOW);
  c.highlight = GetSysColor(COLOR_BTNHIGHLIGHT);
  c.shadow = GetSysColor(COLOR_BTNSHADOW);
  c.face = GetSysColor(COLOR_BTNFACE);
  c.button_text = GetSysColor(COLOR_BTNTEXT);
  return c;
}

void TskSkinForm::ObjectEvent(FrameObjectEvent, const std::string&, const Rect&) {
  // The program's windows assign none of the object events.
}

// ---------------------------------------------------------------------------------------------
// Messages

void TskSkinForm::OnTimer(UINT_PTR id) {
  if (id == kHoverTimerId) {
    POINT cursor{};
    GetCursorPos(&cursor);
    RECT window{};
    GetWindowRect(Hwnd(), &window);
    frame_.HoverTimerTick({cursor.x - window.left, cursor.y - window.top});
  } else if (id == kMorphTimerId) {
    frame_.MorphTimerTick();
  } else if (id == kAnimationTimerId) {
    // No animated frame objects in the program's skins.
    SetTimer(FrameTimer::Animation, false);
  }
}

void TskSkinForm::NcButton(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  HWND h = Hwnd();
  const bool right = msg == WM_NCRBUTTONDOWN || msg == WM_NCRBUTTONUP || msg == WM_NCRBUTTONDBLCLK ||
                     msg == WM_RBUTTONUP;
  const TskMouseButton button = right ? TskMouseButton::Right : TskMouseButton::Left;
  const bool client_message = msg == WM_LBUTTONUP || msg == WM_RBUTTONUP;
  if (msg == WM_NCLBUTTONDOWN || msg == WM_NCRBUTTONDOWN) size_move_started_ = false;
  // The platform's handling first: a press on the caption or a sizing zone runs the move or
  // size loop in here. Its only handling of a right press on the frame is a loop of its own
  // that waits for the release and opens the platform's system menu; that press stays ours.
  result = msg == WM_NCRBUTTONDOWN ? 0 : form_.CallOwnProc(msg, wp, lp);
  if (Hwnd() != h || h == nullptr) return;
  const Point p = client_message ? WindowPointFromClient(lp) : WindowPointFromScreen(lp);
  switch (msg) {
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
      if (size_move_started_) {
        size_move_started_ = false;
        frame_.InSizeMove = false;
        return;
      }
      frame_.NcButtonDown(p, button, int(wp));
      if (right && int(wp) == kHitCaption) OpenSystemMenu(p);
      return;
    case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONDBLCLK:
      frame_.NcDblClick(p, button, int(wp));
      return;
    default:
      // A release: over the pressed object it counts, elsewhere it does not.
      if (frame_.PressedIndex != -1) frame_.UpdateHover(p);
      frame_.ButtonUp(p, button);
      return;
  }
}

bool TskSkinForm::FilterMessage(forms::Window&, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  if (!attached_ || Hwnd() == nullptr) return false;
  std::optional<LRESULT> handled;
  switch (msg) {
    case WM_NCCALCSIZE: handled = OnNcCalcSize(wp, lp); break;
    case WM_NCPAINT: handled = OnNcPaint(); break;
    case WM_PRINT: handled = OnPrint(wp, lp); break;
    case WM_NCHITTEST: handled = frame_.NcHitTest(WindowPointFromScreen(lp)); break;
    case WM_NCACTIVATE: handled = OnNcActivate(wp); break;
    case WM_ACTIVATE: handled = OnActivate(wp, lp); break;
    case WM_GETMINMAXINFO: handled = OnGetMinMaxInfo(wp, lp); break;
    case WM_SIZE: handled = OnSize(wp, lp); break;
    case WM_SIZING: handled = OnSizing(wp, lp); break;
    case WM_ENTERSIZEMOVE: handled = OnEnterSizeMove(wp, lp); break;
    case WM_EXITSIZEMOVE: handled = OnExitSizeMove(wp, lp); break;
    case WM_SETTEXT: handled = OnSetText(wp, lp); break;
    case WM_ERASEBKGND: handled = OnEraseBackground(wp); break;
    case WM_SHOWWINDOW: handled = OnShowWindow(wp, lp); break;
    case WM_SYSCOMMAND: handled = OnSysCommand(wp); break;
    case WM_NCMOUSEMOVE: handled = OnNcMouseMove(wp, lp); break;
    case WM_MOUSEMOVE: handled = OnMouseMove(wp, lp); break;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONUP:
    case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONUP:
    case WM_NCRBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP: {
      LRESULT r = 0;
      NcButton(msg, wp, lp, r);
      handled = r;
      break;
    }
    case WM_MOVING: handled = OnMoving(lp); break;
    case WM_TIMER: handled = OnTimerMessage(wp); break;
    case WM_DESTROY: OnDestroy(); break;
    case WM_NCDESTROY: OnNcDestroy(); break;
    case WM_SKINCHANGING: handled = OnSkinChanging(); break;
    case WM_SKINCHANGED: handled = OnSkinChanged(); break;
    case WM_SKINCHANGED2:
    case WM_SKINSTRINGSCHANGED: handled = OnSkinStringsChanged(); break;
    default:
      if (msg == ReapplyMessage()) handled = OnReapply();
      break;
  }
  if (!handled) return false;
  result = *handled;
  return true;
}

LRESULT TskSkinForm::OnNcCalcSize(WPARAM wp, LPARAM lp) {
  if (wp) {
    auto* params = reinterpret_cast<NCCALCSIZE_PARAMS*>(lp);
    frame_.ComputeGeometry();
    params->rgrc[0] = ToRECT(frame_.ClientFromWindow(FromRECT(params->rgrc[0])));
  } else if (lp != 0) {
    auto* r = reinterpret_cast<RECT*>(lp);
    *r = ToRECT(frame_.ClientFromWindow(FromRECT(*r)));
  }
  return 0;
}

LRESULT TskSkinForm::OnNcPaint() {
  RepaintFrame();
  return 0;
}

LRESULT TskSkinForm::OnPrint(WPARAM wp, LPARAM lp) {
  // The frame as the window shows it, into the caller's DC; the rest as usual.
  if (lp & PRF_NONCLIENT) PaintFrame(reinterpret_cast<HDC>(wp));
  return form_.CallOwnProc(WM_PRINT, wp, lp & ~LPARAM(PRF_NONCLIENT));
}

LRESULT TskSkinForm::OnNcActivate(WPARAM wp) {
  nc_active_ = wp != 0;
  frame_.ActivationChanged(false);
  RepaintFrame();
  return TRUE;
}

LRESULT TskSkinForm::OnActivate(WPARAM wp, LPARAM lp) {
  HWND h = Hwnd();
  const LRESULT result = form_.CallOwnProc(WM_ACTIVATE, wp, lp);
  if (Hwnd() != h) return result;  // the form's handler ended the window
  frame_.ActivationChanged(true);
  RepaintFrame();
  return result;
}

LRESULT TskSkinForm::OnGetMinMaxInfo(WPARAM wp, LPARAM lp) {
  auto* info = reinterpret_cast<MINMAXINFO*>(lp);
  const MonitorInfo m = Monitor();
  info->ptMinTrackSize = {frame_.MinTrackWidth(), frame_.MinTrackHeight()};
  info->ptMaxTrackSize = {frame_.MaxTrackWidth(m), frame_.MaxTrackHeight(m)};
  return form_.CallOwnProc(WM_GETMINMAXINFO, wp, lp);
}

LRESULT TskSkinForm::OnSize(WPARAM wp, LPARAM lp) {
  HWND h = Hwnd();
  const LRESULT result = form_.CallOwnProc(WM_SIZE, wp, lp);
  if (Hwnd() != h) return result;
  const Size s = WindowSize();
  SizeChanged(s.cx, s.cy);
  return result;
}

LRESULT TskSkinForm::OnSizing(WPARAM wp, LPARAM lp) {
  const LRESULT result = form_.CallOwnProc(WM_SIZING, wp, lp);
  if (frame_.InSizeMove && full_drag_ && lp != 0) {
    const Rect proposed = FromRECT(*reinterpret_cast<RECT*>(lp));
    const Size now = WindowSize();
    if (now.cx >= frame_.MinTrackWidth() && now.cy >= frame_.MinTrackHeight()) {
      frame_.SetSize(proposed.Width(), proposed.Height());
      ApplyShape();
    }
  }
  return result;
}

LRESULT TskSkinForm::OnEnterSizeMove(WPARAM wp, LPARAM lp) {
  frame_.EnterSizeMove();
  size_move_started_ = true;
  BOOL full = FALSE;
  SystemParametersInfoA(SPI_GETDRAGFULLWINDOWS, 0, &full, 0);
  full_drag_ = full != FALSE;
  return form_.CallOwnProc(WM_ENTERSIZEMOVE, wp, lp);
}

LRESULT TskSkinForm::OnExitSizeMove(WPARAM wp, LPARAM lp) {
  frame_.ExitSizeMove();
  const LRESULT result = form_.CallOwnProc(WM_EXITSIZEMOVE, wp, lp);
  RepaintFrame();
  return result;
}

LRESULT TskSkinForm::OnSetText(WPARAM wp, LPARAM lp) {
  const LRESULT result = form_.CallOwnProc(WM_SETTEXT, wp, lp);
  RepaintFrame();
  return result;
}

LRESULT TskSkinForm::OnEraseBackground(WPARAM wp) {
  RECT client{};
  GetClientRect(Hwnd(), &client);
  GdiCanvas canvas(reinterpret_cast<HDC>(wp));
  frame_.PaintClientBackground(canvas, {client.right, client.bottom}, forms::ResolveColor(form_.BackgroundColor()));
  return 1;
}

LRESULT TskSkinForm::OnShowWindow(WPARAM wp, LPARAM lp) {
  HWND h = Hwnd();
  const LRESULT result = form_.CallOwnProc(WM_SHOWWINDOW, wp, lp);
  if (wp && Hwnd() == h) ForceRelayout();
  return result;
}

std::optional<LRESULT> TskSkinForm::OnSysCommand(WPARAM wp) {
  // Keyboard menu activation would open a skinned main menu; there is none. The platform's
  // own system menu never opens: the frame's system menu is the form's.
  if ((wp & 0xFFF0) == SC_KEYMENU || (wp & 0xFFF0) == SC_MOUSEMENU) return 0;
  return std::nullopt;
}

LRESULT TskSkinForm::OnNcMouseMove(WPARAM wp, LPARAM lp) {
  HWND h = Hwnd();
  const LRESULT result = form_.CallOwnProc(WM_NCMOUSEMOVE, wp, lp);
  if (Hwnd() == h) frame_.NcMouseMove(WindowPointFromScreen(lp));
  return result;
}

LRESULT TskSkinForm::OnMouseMove(WPARAM wp, LPARAM lp) {
  // While a frame object holds the captured mouse, it follows the mouse over the client
  // area too: moving off the button un-hots it, moving back on hots it again.
  HWND h = Hwnd();
  const LRESULT result = form_.CallOwnProc(WM_MOUSEMOVE, wp, lp);
  if (Hwnd() == h && frame_.PressedIndex != -1 && GetCapture() == h) {
    const Point p = WindowPointFromClient(lp);
    frame_.UpdateHover(p);
    frame_.NcMouseMove(p);
  }
  return result;
}

LRESULT TskSkinForm::OnMoving(LPARAM lp) {
  auto* r = reinterpret_cast<RECT*>(lp);
  if (r != nullptr) *r = ToRECT(frame_.Moving(FromRECT(*r), WindowBounds(), Monitor().work_area));
  return TRUE;
}

std::optional<LRESULT> TskSkinForm::OnTimerMessage(WPARAM wp) {
  if (wp != kHoverTimerId && wp != kMorphTimerId && wp != kAnimationTimerId) return std::nullopt;
  OnTimer(wp);
  return 0;
}

void TskSkinForm::OnDestroy() {
  for (FrameTimer t : {FrameTimer::Hover, FrameTimer::Morph, FrameTimer::Animation}) {
    KillTimer(Hwnd(), TimerId(t));
    timers_[std::size_t(t)] = false;
  }
}

void TskSkinForm::OnNcDestroy() {
  // The window goes: nothing of it is kept (the system deletes its region).
  for (auto& strip : strips_) strip.reset();
  strips_valid_ = false;
  applied_shape_.reset();
  attached_ = false;
}

LRESULT TskSkinForm::OnSkinChanging() {
  frame_.SkinChanging();
  strips_valid_ = false;
  if (applied_shape_ && SetWindowRgn(Hwnd(), nullptr, TRUE)) applied_shape_.reset();
  // A load that fails sends nothing more: once it is over, whatever the data holds then
  // (nothing: the plain frame) is applied, so the window is never left half skinned.
  reapply_pending_ = true;
  PostMessageA(Hwnd(), ReapplyMessage(), 0, 0);
  return 0;
}

LRESULT TskSkinForm::OnSkinChanged() {
  ApplySkin();
  return 0;
}

LRESULT TskSkinForm::OnSkinStringsChanged() {
  frame_.ApplyDefaultHints(skin_data_ != nullptr ? skin_data_->ResourceStrData() : nullptr);
  return 0;
}

LRESULT TskSkinForm::OnReapply() {
  if (reapply_pending_) ApplySkin();
  return 0;
}

void AttachCarriedSkin(TskSkinForm& form, TskCompressedStoredSkin& stored, TskSkinData& data, const char* resource,
                       const char* file_name, const CarriedFrameSettings& settings) {
  const auto skin = forms::ResourceBytes(resource);
  if (!skin.empty() && stored.ImportSkinFileBytes(skin)) {
    stored.SetFileName(file_name);
    data.SetCompressedStoredSkin(&stored);
  }
  TskSkinFrame& frame = form.Frame();
  frame.Sizeable = settings.sizeable;
  frame.BorderIcons = settings.border_icons;
  frame.MinWidth = settings.min_width;
  frame.MinHeight = settings.min_height;
  frame.ShowIcon = true;
  frame.UseDefaultObjectHint = false;
  form.SystemMenu = settings.system_menu;
  form.SetSkinData(&data);
  form.Attach();
}

}  // namespace netscry
