#include "forms/controls_win32.h"

#include <algorithm>

#include "forms/application_win32.h"

namespace netscry::forms {
namespace {

std::shared_ptr<SharedFont> FontFor(const FontAttrs& attrs, int charset) { return SharedFont::Get({attrs, charset}); }

void ApplyFont(HWND hwnd, const std::shared_ptr<SharedFont>& font) {
  if (hwnd && font && font->Handle()) SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font->Handle()), FALSE);
}

bool IsColorMessage(UINT msg) {
  return msg == WM_CTLCOLORSTATIC || msg == WM_CTLCOLORBTN || msg == WM_CTLCOLOREDIT;
}

Color ParentColor(const Window& child) {
  Container* parent = Container::ParentOf(child);
  return parent ? parent->BackgroundColor() : clBtnFace;
}

}  // namespace

// --- Container -------------------------------------------------------------------------------

void Container::SetBackgroundColor(Color color) {
  color_ = color;
  Invalidate();
}

void Container::AddAligned(HWND child, TAlign align) {
  if (!child) return;
  aligned_.push_back({child, align});
  Realign();
}

void Container::Realign() {
  if (!Handle() || aligned_.empty()) return;
  // Children destroyed before their container leave the list.
  std::erase_if(aligned_, [](const Aligned& a) { return !IsWindow(a.window); });
  std::vector<AlignedBox> boxes;
  boxes.reserve(aligned_.size());
  for (const Aligned& a : aligned_) {
    RECT r{};
    GetWindowRect(a.window, &r);
    MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&r), 2);
    boxes.push_back({a.align, {r.left, r.top, r.right, r.bottom}});
  }
  const std::vector<Rect> placed = AlignBoxes(AlignArea(), boxes);
  for (std::size_t i = 0; i < aligned_.size(); ++i) {
    const Rect& p = placed[i];
    if (p != boxes[i].bounds) MoveWindow(aligned_[i].window, p.left, p.top, p.Width(), p.Height(), TRUE);
  }
}

Container* Container::ParentOf(const Window& child) {
  if (!child.Handle()) return nullptr;
  return dynamic_cast<Container*>(Window::FromHandle(GetParent(child.Handle())));
}

void Container::PaintBackground(HDC dc) {
  RECT r{};
  GetClientRect(Handle(), &r);
  FillRect(dc, &r, brush_.Get(color_));
}

LRESULT Container::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_SIZE:
      Realign();
      break;
    case WM_ERASEBKGND:
      PaintBackground(reinterpret_cast<HDC>(wp));
      return 1;
    default:
      break;
  }
  return Window::WndProc(msg, wp, lp);
}

// --- Form ------------------------------------------------------------------------------------

Form::~Form() {
  if (Application::Instance().MainForm() == this) Application::Instance().SetMainForm(nullptr);
}

HWND Form::CreateForm(const FormParams& p) {
  color_ = p.color;
  font_ = p.font;
  DWORD style = WS_CAPTION | WS_CLIPCHILDREN;
  if (p.system_menu) style |= WS_SYSMENU;
  if (p.minimize_box) style |= WS_MINIMIZEBOX;
  if (p.maximize_box) style |= WS_MAXIMIZEBOX;
  style |= p.sizeable ? WS_THICKFRAME : WS_BORDER;
  DWORD ex_style = WS_EX_CONTROLPARENT;
  if (p.stay_on_top) ex_style |= WS_EX_TOPMOST;
  RECT frame{0, 0, p.client_size.cx, p.client_size.cy};
  AdjustWindowRectEx(&frame, style, FALSE, ex_style);
  const Size size{frame.right - frame.left, frame.bottom - frame.top};
  Rect area;
  RECT owner_rect{};
  if (!p.center_on_desktop && p.owner && GetWindowRect(p.owner, &owner_rect)) {
    area = {owner_rect.left, owner_rect.top, owner_rect.right, owner_rect.bottom};
  } else {
    area = {GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN), 0, 0};
    area.right = area.left + GetSystemMetrics(SM_CXVIRTUALSCREEN);
    area.bottom = area.top + GetSystemMetrics(SM_CYVIRTUALSCREEN);
    if (area.IsEmpty()) area = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  }
  CreateParams cp;
  cp.class_name = "NetscryForm";
  cp.text = p.caption;
  cp.style = style;
  cp.ex_style = ex_style;
  cp.bounds = CenteredIn(area, size);
  cp.parent = p.owner;
  HWND hwnd = CreateHandle(cp);
  if (hwnd && p.icon) {
    SendMessageA(hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(p.icon));
    SendMessageA(hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(p.icon));
  }
  return hwnd;
}

void Form::Show(int show_command) {
  if (!Handle()) return;
  ShowWindow(Handle(), show_command);
  UpdateWindow(Handle());
}

bool Form::CloseQuery() {
  bool can_close = true;
  if (OnCloseQuery) OnCloseQuery(can_close);
  return can_close;
}

void Form::Close() {
  if (modal_) {
    modal_result_ = IDCANCEL;
    return;
  }
  if (!CloseQuery()) return;
  TCloseAction action = TCloseAction::caHide;
  if (OnClose) OnClose(action);
  DoClose(action);
}

void Form::DoClose(TCloseAction action) {
  switch (action) {
    case TCloseAction::caNone:
      return;
    case TCloseAction::caHide:
      if (Application::Instance().MainForm() == this) {
        Application::Instance().Terminate();
        return;
      }
      ShowWindow(Handle(), SW_HIDE);
      return;
    case TCloseAction::caMinimize:
      ShowWindow(Handle(), SW_MINIMIZE);
      return;
    case TCloseAction::caFree:
      // Destroying the main form ends the message loop (WM_DESTROY below).
      Destroy();
      return;
  }
}

int Form::ShowModal() {
  if (!Handle() || modal_) return 0;
  HWND owner = GetWindow(Handle(), GW_OWNER);
  const bool owner_was_enabled = owner && IsWindowEnabled(owner);
  if (owner_was_enabled) EnableWindow(owner, FALSE);
  modal_ = true;
  modal_result_ = 0;
  ShowWindow(Handle(), SW_SHOW);
  SetActiveWindow(Handle());
  TCloseAction action = TCloseAction::caHide;
  for (;;) {
    while (Handle() && modal_result_ == 0) {
      if (!Application::Instance().HandleMessage()) break;
    }
    if (!Handle() || modal_result_ == 0) break;  // destroyed, or the program is quitting
    if (!CloseQuery()) {
      modal_result_ = 0;
      continue;
    }
    action = TCloseAction::caHide;
    if (OnClose) OnClose(action);
    if (action == TCloseAction::caNone) {
      modal_result_ = 0;
      continue;
    }
    break;
  }
  const int result = modal_result_;
  modal_ = false;
  // The owner must be enabled before this window goes, or the system activates another program.
  if (owner_was_enabled && IsWindow(owner)) EnableWindow(owner, TRUE);
  if (Handle()) {
    if (owner && IsWindow(owner) && GetActiveWindow() == Handle()) SetActiveWindow(owner);
    if (action == TCloseAction::caFree) {
      Destroy();  // may delete this object (SetDeleteWhenDestroyed)
    } else {
      ShowWindow(Handle(), SW_HIDE);
    }
  }
  return result;
}

LRESULT Form::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CLOSE:
      Close();
      return 0;
    case WM_QUERYENDSESSION:
      return CloseQuery() ? TRUE : FALSE;
    case WM_DESTROY:
      if (Application::Instance().MainForm() == this) Application::Instance().Terminate();
      break;
    default:
      break;
  }
  return Container::WndProc(msg, wp, lp);
}

void Form::OnHandleDestroyed() {
  if (delete_when_destroyed_) delete this;
}

// --- Panel -----------------------------------------------------------------------------------

HWND Panel::Create(Container& parent, const PanelParams& p) {
  color_ = p.color;
  font_ = parent.Font();
  bevel_outer_ = p.bevel_outer;
  bevel_width_ = p.bevel_width;
  CreateParams cp;
  cp.class_name = "NetscryPanel";
  cp.style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
  cp.ex_style = WS_EX_CONTROLPARENT;
  cp.bounds = p.bounds;
  cp.parent = parent.Handle();
  return CreateHandle(cp);
}

Rect Panel::AlignArea() const {
  const int inset = bevel_outer_ == TBevel::bvNone ? 0 : std::max(0, bevel_width_);
  Rect r = ClientRect().Inflate(-inset, -inset);
  if (r.right < r.left) r.right = r.left;
  if (r.bottom < r.top) r.bottom = r.top;
  return r;
}

void Panel::Paint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(Handle(), &ps);
  if (!dc) return;
  RECT r{};
  GetClientRect(Handle(), &r);
  if (bevel_outer_ != TBevel::bvNone) {
    const COLORREF light = ResolveColor(clBtnHighlight);
    const COLORREF dark = ResolveColor(clBtnShadow);
    const COLORREF top_left = bevel_outer_ == TBevel::bvRaised ? light : dark;
    const COLORREF bottom_right = bevel_outer_ == TBevel::bvRaised ? dark : light;
    for (int i = 0; i < bevel_width_ && r.right - r.left > 1 && r.bottom - r.top > 1; ++i) {
      HBRUSH tl = CreateSolidBrush(top_left);
      HBRUSH br = CreateSolidBrush(bottom_right);
      RECT top{r.left, r.top, r.right - 1, r.top + 1};
      RECT left{r.left, r.top, r.left + 1, r.bottom - 1};
      RECT bottom{r.left, r.bottom - 1, r.right, r.bottom};
      RECT right{r.right - 1, r.top, r.right, r.bottom};
      FillRect(dc, &top, tl);
      FillRect(dc, &left, tl);
      FillRect(dc, &bottom, br);
      FillRect(dc, &right, br);
      DeleteObject(tl);
      DeleteObject(br);
      InflateRect(&r, -1, -1);
    }
  }
  EndPaint(Handle(), &ps);
}

LRESULT Panel::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_PAINT) {
    Paint();
    return 0;
  }
  return Container::WndProc(msg, wp, lp);
}

// --- Label -----------------------------------------------------------------------------------

HWND Label::Create(Container& parent, const LabelParams& p) {
  font_ = FontFor(p.font, p.charset);
  color_ = p.color;
  alignment_ = p.alignment;
  auto_size_ = p.auto_size;
  CreateParams cp;
  cp.class_name = "STATIC";
  cp.subclass_system = true;
  cp.text = p.caption;
  cp.style = WS_CHILD | WS_VISIBLE | SS_NOPREFIX;
  cp.style |= p.alignment == TTextAlign::taRightJustify ? SS_RIGHT : p.alignment == TTextAlign::taCenter ? SS_CENTER : SS_LEFT;
  if (p.center_vertically) cp.style |= SS_CENTERIMAGE;
  if (!p.enabled) cp.style |= WS_DISABLED;
  link_ = p.link;
  if (link_) cp.style |= SS_NOTIFY;
  cp.bounds = p.bounds;
  cp.parent = parent.Handle();
  HWND hwnd = CreateHandle(cp);
  ApplyFont(hwnd, font_);
  AutoSize();
  return hwnd;
}

Size Label::TextExtent() const {
  Size s{};
  HWND h = Handle();
  if (!h) return s;
  HDC dc = GetDC(h);
  if (!dc) return s;
  HGDIOBJ old = font_ && font_->Handle() ? SelectObject(dc, font_->Handle()) : nullptr;
  const std::string text = Text();
  RECT r{0, 0, 0, 0};
  if (text.empty()) {
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    s = {0, int(tm.tmHeight)};
  } else {
    DrawTextA(dc, text.c_str(), int(text.size()), &r, DT_CALCRECT | DT_NOPREFIX | DT_SINGLELINE);
    s = {int(r.right - r.left), int(r.bottom - r.top)};
  }
  if (old) SelectObject(dc, old);
  ReleaseDC(h, dc);
  return s;
}

void Label::AutoSize() {
  if (!auto_size_ || !Handle()) return;
  const Rect now = BoundsRect();
  const Rect sized = AutoSizeBounds(now, TextExtent(), alignment_);
  if (sized != now) SetBounds(sized);
  if (Container* parent = Container::ParentOf(*this)) parent->Realign();
}

void Label::SetCaption(const std::string& text) {
  if (text == Text()) return;
  SetText(text);
  AutoSize();
  Invalidate();
}

void Label::SetFontColor(Color color) {
  color_ = color;
  Invalidate();
}

LRESULT Label::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_SETCURSOR && link_ && LOWORD(lp) == HTCLIENT) {
    SetCursor(LoadCursor(nullptr, IDC_HAND));
    return TRUE;
  }
  return Window::WndProc(msg, wp, lp);
}

bool Label::OnReflected(UINT msg, WPARAM wp, LPARAM, LRESULT& result) {
  if (msg == WM_COMMAND) {
    if (!link_ || HIWORD(wp) != STN_CLICKED) return false;
    if (OnClick) OnClick();
    result = 0;
    return true;
  }
  if (msg != WM_CTLCOLORSTATIC) return false;
  HDC dc = reinterpret_cast<HDC>(wp);
  const Color back = ParentColor(*this);
  if (IsWindowEnabled(Handle())) SetTextColor(dc, ResolveColor(color_));
  SetBkColor(dc, ResolveColor(back));
  result = reinterpret_cast<LRESULT>(brush_.Get(back));
  return true;
}

// --- CheckBox --------------------------------------------------------------------------------

HWND CheckBox::Create(Container& parent, const CheckBoxParams& p) {
  font_ = FontFor(p.font, p.charset);
  tag_ = p.tag;
  font_color_ = p.font_color;
  own_color_ = p.own_color;
  color_ = p.color;
  CreateParams cp;
  cp.class_name = "BUTTON";
  cp.subclass_system = true;
  cp.text = p.caption;
  cp.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX;
  cp.bounds = p.bounds;
  cp.parent = parent.Handle();
  HWND hwnd = CreateHandle(cp);
  ApplyFont(hwnd, font_);
  if (hwnd) SendMessageA(hwnd, BM_SETCHECK, p.checked ? BST_CHECKED : BST_UNCHECKED, 0);
  return hwnd;
}

bool CheckBox::Checked() const {
  return Handle() && SendMessageA(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void CheckBox::SetChecked(bool checked) {
  if (!Handle() || checked == Checked()) return;
  SendMessageA(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  Clicked();
}

void CheckBox::Clicked() {
  if (OnClick) OnClick();
}

bool CheckBox::OnReflected(UINT msg, WPARAM wp, LPARAM, LRESULT& result) {
  if (msg == WM_COMMAND) {
    if (HIWORD(wp) == BN_CLICKED) {
      Clicked();
      result = 0;
      return true;
    }
    return false;
  }
  if (!IsColorMessage(msg)) return false;
  HDC dc = reinterpret_cast<HDC>(wp);
  const Color back = own_color_ ? color_ : ParentColor(*this);
  SetTextColor(dc, ResolveColor(font_color_));
  SetBkColor(dc, ResolveColor(back));
  result = reinterpret_cast<LRESULT>(brush_.Get(back));
  return true;
}

// --- PushButton ------------------------------------------------------------------------------

HWND PushButton::Create(Container& parent, const ButtonParams& p) {
  font_ = FontFor(p.font, p.charset);
  CreateParams cp;
  cp.class_name = "BUTTON";
  cp.subclass_system = true;
  cp.text = p.caption;
  cp.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
  cp.bounds = p.bounds;
  cp.parent = parent.Handle();
  HWND hwnd = CreateHandle(cp);
  ApplyFont(hwnd, font_);
  return hwnd;
}

bool PushButton::OnReflected(UINT msg, WPARAM wp, LPARAM, LRESULT& result) {
  if (msg == WM_COMMAND && HIWORD(wp) == BN_CLICKED) {
    Click();
    result = 0;
    return true;
  }
  return false;
}

// --- ReadOnlyEdit ----------------------------------------------------------------------------

HWND ReadOnlyEdit::Create(Container& parent, const EditParams& p) {
  font_ = FontFor(p.font, p.charset);
  color_ = p.color;
  CreateParams cp;
  cp.class_name = "EDIT";
  cp.subclass_system = true;
  cp.text = p.text;
  cp.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL | ES_READONLY | (p.flat_border ? WS_BORDER : 0);
  cp.ex_style = p.flat_border ? 0 : WS_EX_CLIENTEDGE;
  cp.bounds = p.bounds;
  cp.parent = parent.Handle();
  HWND hwnd = CreateHandle(cp);
  ApplyFont(hwnd, font_);
  return hwnd;
}

bool ReadOnlyEdit::OnReflected(UINT msg, WPARAM wp, LPARAM, LRESULT& result) {
  // A read-only edit asks with WM_CTLCOLORSTATIC.
  if (!IsColorMessage(msg)) return false;
  HDC dc = reinterpret_cast<HDC>(wp);
  SetBkColor(dc, ResolveColor(color_));
  result = reinterpret_cast<LRESULT>(brush_.Get(color_));
  return true;
}

// --- Tab order -------------------------------------------------------------------------------

void SetTabOrder(std::initializer_list<const Window*> windows) {
  HWND previous = HWND_TOP;
  for (const Window* w : windows) {
    if (!w || !w->Handle()) continue;
    SetWindowPos(w->Handle(), previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    previous = w->Handle();
  }
}

}  // namespace netscry::forms
