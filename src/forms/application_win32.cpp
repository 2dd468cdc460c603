#include "forms/application_win32.h"

#include "forms/controls_win32.h"
#include "forms/layout.h"

namespace netscry::forms {

Application& Application::Instance() {
  static Application app;
  return app;
}

void Application::Dispatch(MSG& msg) {
  // Tab, arrows between option boxes, Space and Enter on buttons: the dialog manager's keyboard
  // handling for every top-level window of ours.
  HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
  if (root && Window::FromHandle(root) && IsDialogMessageA(root, &msg)) return;
  TranslateMessage(&msg);
  DispatchMessageA(&msg);
}

int Application::Run() {
  MSG msg{};
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) Dispatch(msg);
  return int(msg.wParam);
}

bool Application::HandleMessage() {
  MSG msg{};
  const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
  if (got == 0) {
    PostQuitMessage(int(msg.wParam));
    return false;
  }
  if (got < 0) return false;
  Dispatch(msg);
  return true;
}

void Application::ProcessMessages() {
  MSG msg{};
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(int(msg.wParam));
      return;
    }
    Dispatch(msg);
  }
}

HWND Application::OwnerWindow() const {
  HWND active = GetActiveWindow();
  if (active && IsWindowEnabled(active)) return active;
  if (main_form_ && main_form_->Handle()) return main_form_->Handle();
  return nullptr;
}

namespace {

bool IsTopmost(HWND hwnd) { return hwnd && (GetWindowLongPtrA(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

}  // namespace

UINT Application::OrderFlags(HWND owner, UINT flags) const {
  if (!owner) {
    // No window of ours to block (a second instance, or before the main window exists): the box
    // must still not open behind another program's topmost window. System-modal is the modality
    // that makes a box topmost everywhere (MB_TOPMOST alone is ignored by Wine).
    return (flags & ~UINT(MB_MODEMASK)) | MB_SYSTEMMODAL | MB_SETFOREGROUND;
  }
  // An owned box always lies above its owner; with our windows topmost it must be topmost too,
  // or another topmost window could cover it while it blocks ours.
  const bool topmost = IsTopmost(owner) || IsTopmost(main_form_ ? main_form_->Handle() : nullptr);
  return topmost ? flags | MB_TOPMOST : flags;
}

int Application::ShowMessageBox(const std::string& text, const std::string& caption, UINT flags) {
  HWND owner = OwnerWindow();
  return ::MessageBoxA(owner, text.c_str(), caption.c_str(), OrderFlags(owner, flags));
}

void Application::ShowMessage(const std::string& text) {
  // Owned by the window the user is in, so that it opens above the window it blocks and that
  // window waits; the platform still centres a message box on the screen, not on its owner.
  HWND owner = OwnerWindow();
  ::MessageBoxA(owner, text.c_str(), title_.c_str(), OrderFlags(owner, MB_OK));
}

void Application::HandleException(const std::string& message) {
  ShowMessageBox(ErrorBoxText(message), title_, MB_OK | MB_ICONERROR);
}

}  // namespace netscry::forms
