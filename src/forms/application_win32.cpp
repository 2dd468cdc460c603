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

int Application::ShowMessageBox(const std::string& text, const std::string& caption, UINT flags) {
  return ::MessageBoxA(OwnerWindow(), text.c_str(), caption.c_str(), flags);
}

void Application::ShowMessage(const std::string& text) {
  // No owner: the system centres the box on the screen; task-modal: every window of ours waits.
  ::MessageBoxA(nullptr, text.c_str(), title_.c_str(), MB_OK | MB_TASKMODAL);
}

void Application::HandleException(const std::string& message) {
  ShowMessageBox(ErrorBoxText(message), title_, MB_OK | MB_ICONERROR);
}

}  // namespace netscry::forms
