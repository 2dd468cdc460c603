#include "forms/window_win32.h"

#include <exception>
#include <vector>

#include "forms/application_win32.h"
#include "forms/menu_win32.h"

namespace netscry::forms {
namespace {

// The window being made on this thread: our classes bind it at the first message the new handle
// gets (for a top-level window that is WM_GETMINMAXINFO, before WM_NCCREATE).
thread_local Window* t_creating = nullptr;

Window* BoundObject(HWND hwnd) { return reinterpret_cast<Window*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA)); }

HWND ReflectTarget(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND:
      return reinterpret_cast<HWND>(lp);  // null for menus and accelerators
    case WM_NOTIFY: {
      const auto* hdr = reinterpret_cast<const NMHDR*>(lp);
      return hdr ? hdr->hwndFrom : nullptr;
    }
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORDLG:
      return reinterpret_cast<HWND>(lp);
    case WM_DRAWITEM: {
      const auto* dis = reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
      return dis && dis->CtlType != ODT_MENU ? dis->hwndItem : nullptr;
    }
    default:
      (void)wp;
      return nullptr;
  }
}

}  // namespace

Window::~Window() {
  if (!hwnd_) return;
  // Only the base part of the object is left: let go of the handle first so that no message of
  // the destruction reaches it, then destroy the window.
  HWND hwnd = hwnd_;
  Unbind();
  DestroyWindow(hwnd);
}

Window* Window::FromHandle(HWND hwnd) {
  if (!hwnd) return nullptr;
  WNDPROC proc = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd, GWLP_WNDPROC));
  if (proc != &Window::Trampoline) return nullptr;
  return BoundObject(hwnd);
}

void Window::Destroy() {
  if (hwnd_) DestroyWindow(hwnd_);
}

HWND Window::CreateHandle(const CreateParams& p) {
  HINSTANCE inst = GetModuleHandleA(nullptr);
  if (!p.subclass_system) {
    WNDCLASSA existing{};
    if (!GetClassInfoA(inst, p.class_name.c_str(), &existing)) {
      WNDCLASSA wc{};
      wc.style = p.class_style;
      wc.lpfnWndProc = &Window::Trampoline;
      wc.hInstance = inst;
      wc.hCursor = p.cursor ? p.cursor : LoadCursor(nullptr, IDC_ARROW);
      wc.lpszClassName = p.class_name.c_str();
      if (!RegisterClassA(&wc)) return nullptr;
    }
  }
  Window* outer = t_creating;
  t_creating = p.subclass_system ? nullptr : this;
  HWND hwnd = CreateWindowExA(p.ex_style, p.class_name.c_str(), p.text.c_str(), p.style, p.bounds.left,
                              p.bounds.top, p.bounds.Width(), p.bounds.Height(), p.parent,
                              (p.style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(p.id)) : nullptr,
                              inst, nullptr);
  t_creating = outer;
  if (!hwnd) return nullptr;
  if (p.subclass_system) {
    Bind(hwnd);
    system_proc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Window::Trampoline)));
  }
  return hwnd_;
}

void Window::Bind(HWND hwnd) {
  hwnd_ = hwnd;
  SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

void Window::Unbind() {
  if (!hwnd_) return;
  SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
  if (system_proc_) {
    SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(system_proc_));
    system_proc_ = nullptr;
  }
  hwnd_ = nullptr;
}

LRESULT CALLBACK Window::Trampoline(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  Window* self = BoundObject(hwnd);
  if (!self && t_creating && !t_creating->hwnd_) {
    self = t_creating;
    t_creating = nullptr;
    self->Bind(hwnd);
  }
  if (!self || self->hwnd_ != hwnd) return DefWindowProcA(hwnd, msg, wp, lp);
  if (msg == WM_NCDESTROY) {
    LRESULT r = self->Dispatch(msg, wp, lp);
    self->Unbind();
    self->OnHandleDestroyed();
    return r;
  }
  return self->Dispatch(msg, wp, lp);
}

LRESULT Window::Dispatch(UINT msg, WPARAM wp, LPARAM lp) {
  try {
    LRESULT result = 0;
    if (filter_ && filter_->FilterMessage(*this, msg, wp, lp, result)) return result;
    return WndProc(msg, wp, lp);
  } catch (const std::exception& e) {
    Application::Instance().HandleException(e.what());
  } catch (...) {
    Application::Instance().HandleException("Unknown error");
  }
  return 0;
}

LRESULT Window::CallOwnProc(UINT msg, WPARAM wp, LPARAM lp) { return WndProc(msg, wp, lp); }

LRESULT Window::DefaultProc(UINT msg, WPARAM wp, LPARAM lp) {
  if (!hwnd_) return 0;
  if (system_proc_) return CallWindowProcA(system_proc_, hwnd_, msg, wp, lp);
  return DefWindowProcA(hwnd_, msg, wp, lp);
}

bool Window::ReflectToChild(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  if (msg == WM_COMMAND && lp == 0 && HIWORD(wp) == 0) return MenuItem::DispatchCommand(LOWORD(wp));
  HWND target = ReflectTarget(msg, wp, lp);
  if (!target || target == hwnd_) return false;
  Window* child = FromHandle(target);
  if (!child) return false;
  return child->OnReflected(msg, wp, lp, result);
}

LRESULT Window::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  LRESULT result = 0;
  if (ReflectToChild(msg, wp, lp, result)) return result;
  return DefaultProc(msg, wp, lp);
}

bool Window::OnReflected(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

Rect Window::BoundsRect() const {
  if (!hwnd_) return {};
  RECT r{};
  GetWindowRect(hwnd_, &r);
  HWND parent = (GetWindowLongPtrA(hwnd_, GWL_STYLE) & WS_CHILD) ? GetParent(hwnd_) : nullptr;
  if (parent) MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  return {r.left, r.top, r.right, r.bottom};
}

void Window::SetBounds(const Rect& r) {
  if (hwnd_) MoveWindow(hwnd_, r.left, r.top, r.Width(), r.Height(), TRUE);
}

Rect Window::ClientRect() const {
  RECT r{};
  if (hwnd_) GetClientRect(hwnd_, &r);
  return {r.left, r.top, r.right, r.bottom};
}

bool Window::Visible() const { return hwnd_ && (GetWindowLongPtrA(hwnd_, GWL_STYLE) & WS_VISIBLE); }

void Window::SetVisible(bool visible) {
  if (hwnd_) ShowWindow(hwnd_, visible ? SW_SHOWNA : SW_HIDE);
}

bool Window::Enabled() const { return hwnd_ && IsWindowEnabled(hwnd_); }

void Window::SetEnabled(bool enabled) {
  if (hwnd_) EnableWindow(hwnd_, enabled ? TRUE : FALSE);
}

std::string Window::Text() const {
  if (!hwnd_) return {};
  int n = GetWindowTextLengthA(hwnd_);
  if (n <= 0) return {};
  std::vector<char> buf(std::size_t(n) + 1);
  int got = GetWindowTextA(hwnd_, buf.data(), n + 1);
  return std::string(buf.data(), std::size_t(got > 0 ? got : 0));
}

void Window::SetText(const std::string& text) {
  if (hwnd_) SetWindowTextA(hwnd_, text.c_str());
}

void Window::Invalidate() {
  if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
}

void Window::SetFocus() {
  if (hwnd_) ::SetFocus(hwnd_);
}

bool Window::Focused() const { return hwnd_ && GetFocus() == hwnd_; }

}  // namespace netscry::forms
