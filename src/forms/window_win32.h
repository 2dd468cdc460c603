#pragma once
// The one window procedure every window of the program goes through. A Window object is bound to
// its handle when the handle is made (our own window classes) or right after (system controls,
// subclassed), and let go on WM_NCDESTROY: from then on the object no longer touches the handle.
//
// Messages reach a window in this order: an installed MessageFilter (a frame component that takes
// over the non-client area), then the virtual WndProc. The base WndProc reflects the notifications
// a child sends its parent (WM_COMMAND, WM_NOTIFY, WM_CTLCOLOR*, WM_DRAWITEM) back to the child's
// own object, so a check box handles its own click and colours; menu commands go to their item.
// An exception that escapes a handler never crosses the system's frames: the trampoline hands it
// to the application's error handler (Application::HandleException) and the program goes on.
#include <windows.h>

#include <string>
#include <type_traits>

#include "base/geometry.h"

namespace netscry::forms {

class Window;

// Sees every message of the window it is installed on before the window's own procedure.
// Returns true when it handled the message (result is then what the system gets); to pass a
// message on and still act afterwards it may call window.CallOwnProc itself.
class MessageFilter {
 public:
  virtual ~MessageFilter() = default;
  virtual bool FilterMessage(Window& window, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) = 0;
};

struct CreateParams {
  // Our own class (registered on first use with the trampoline as its procedure), or, with
  // subclass_system, a system class such as "BUTTON" whose procedure the trampoline wraps.
  std::string class_name;
  bool subclass_system = false;
  UINT class_style = CS_DBLCLKS;             // own classes only
  HCURSOR cursor = nullptr;                  // own classes only; null: the arrow
  std::string text;
  DWORD style = 0;
  DWORD ex_style = 0;
  Rect bounds;                               // in the parent's client coordinates (screen for top-level windows)
  HWND parent = nullptr;                     // parent, or owner of a top-level window
  int id = 0;                                // control identifier of a child window
};

class Window {
 public:
  Window() = default;
  // A window still there is destroyed here; the derived object is already gone by then, so
  // its messages only reach the system's procedure. Destroy() first to run a class's own handlers.
  virtual ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  HWND Handle() const { return hwnd_; }
  bool HandleAllocated() const { return hwnd_ != nullptr; }
  // The object bound to a window of ours; null for other windows and after WM_NCDESTROY.
  static Window* FromHandle(HWND hwnd);

  // Destroys the window (children first, as the system does); the object stays.
  void Destroy();

  // The frame hook: at most one filter; null removes it. The filter must outlive its installation.
  void SetMessageFilter(MessageFilter* filter) { filter_ = filter; }
  MessageFilter* Filter() const { return filter_; }
  // Runs the window's own procedure (WndProc) for a message, bypassing the filter.
  LRESULT CallOwnProc(UINT msg, WPARAM wp, LPARAM lp);
  // The procedure below ours: the system class's for a subclassed control, else DefWindowProcA.
  LRESULT DefaultProc(UINT msg, WPARAM wp, LPARAM lp);

  // Geometry in the parent's client coordinates (screen coordinates for top-level windows).
  Rect BoundsRect() const;
  void SetBounds(const Rect& r);
  Rect ClientRect() const;
  bool Visible() const;
  void SetVisible(bool visible);
  bool Enabled() const;
  void SetEnabled(bool enabled);
  std::string Text() const;
  void SetText(const std::string& text);
  void Invalidate();
  void SetFocus();
  bool Focused() const;

 protected:
  // Makes the window and binds this object to it; returns the handle (null on failure).
  HWND CreateHandle(const CreateParams& params);

  // The window's procedure. The base reflects child notifications and menu commands, then
  // calls DefaultProc. Overrides call Window::WndProc for what they do not handle.
  virtual LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp);
  // A notification that this window sent its parent, reflected back: WM_COMMAND, WM_NOTIFY,
  // WM_CTLCOLORBTN/EDIT/STATIC/LISTBOX/SCROLLBAR/DLG, WM_DRAWITEM (the original message and
  // parameters). Return true and set result when handled.
  virtual bool OnReflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);
  // After WM_NCDESTROY, once the object is unbound. An object that owns itself may delete itself here.
  virtual void OnHandleDestroyed() {}

 private:
  static LRESULT CALLBACK Trampoline(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  void Bind(HWND hwnd);
  void Unbind();
  LRESULT Dispatch(UINT msg, WPARAM wp, LPARAM lp);
  bool ReflectToChild(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);

  HWND hwnd_ = nullptr;
  WNDPROC system_proc_ = nullptr;  // the system class's procedure of a subclassed control
  MessageFilter* filter_ = nullptr;
};

// For windows that paint their whole client area themselves, off-screen: the background is not
// erased, and WM_PAINT and WM_PRINTCLIENT (into the caller's DC) both go to paint, as paint(dc)
// or paint(dc, area) with the area to paint (the update rectangle; all of the client area when
// printed). True, with the result set, for those three messages.
template <class Paint>
bool HandleOwnPaint(HWND hwnd, UINT msg, WPARAM wp, LRESULT& result, Paint&& paint) {
  const auto call = [&paint](HDC dc, const RECT& area) {
    if constexpr (std::is_invocable_v<Paint&, HDC, const RECT&>)
      paint(dc, area);
    else
      paint(dc);
  };
  switch (msg) {
    case WM_ERASEBKGND:
      result = 1;
      return true;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      if (HDC dc = BeginPaint(hwnd, &ps)) {
        call(dc, ps.rcPaint);
        EndPaint(hwnd, &ps);
      }
      result = 0;
      return true;
    }
    case WM_PRINTCLIENT: {
      RECT client{};
      GetClientRect(hwnd, &client);
      call(reinterpret_cast<HDC>(wp), client);
      result = 0;
      return true;
    }
    default:
      return false;
  }
}

}  // namespace netscry::forms
