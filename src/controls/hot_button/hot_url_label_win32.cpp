#include "controls/hot_button/hot_url_label_win32.h"

#include <vector>

namespace netscry {

bool ShellUrlOpener::Open(const std::string& target) {
  SHELLEXECUTEINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = kOpenMask;
  info.hwnd = owner_;
  info.lpVerb = "Open";
  info.lpFile = target.c_str();
  info.nShow = SW_SHOWNORMAL;
  const BOOL ok = execute_ ? execute_(&info) : ShellExecuteExA(&info);
  // The handle was asked for, so it is ours to close, success or not.
  if (info.hProcess) CloseHandle(info.hProcess);
  return ok != FALSE;
}

void ShellUrlOpener::Run(const std::string& command_line) {
  char system_dir[MAX_PATH] = {};
  const UINT n = GetSystemDirectoryA(system_dir, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return;
  const SystemProgramCommand command = CommandFromSystemDir(std::string_view(system_dir, n), command_line);
  if (command.application.empty()) return;
  std::vector<char> cmd(command.command_line.begin(), command.command_line.end());
  cmd.push_back('\0');
  STARTUPINFOA si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESHOWWINDOW;
  si.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessA(command.application.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return;
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
}

THotURLLabel::THotURLLabel() : opener_(&shell_) {}

THotURLLabel::~THotURLLabel() {
  *alive_ = false;
  Destroy();
}

HWND THotURLLabel::Create(forms::Container& parent, const HotURLLabelParams& params) {
  return Create(parent.Handle(), params);
}

HWND THotURLLabel::Create(HWND parent, const HotURLLabelParams& params) {
  if (HandleAllocated() || !parent) return nullptr;
  model_.url = params.url;
  model_.caption = params.caption;
  model_.colors = params.colors;
  font_ = params.font;
  shell_ = ShellUrlOpener(parent);
  forms::CreateParams cp;
  cp.class_name = kClassName;
  cp.class_style = 0;
  cp.cursor = LoadCursor(nullptr, IDC_HAND);
  cp.text = params.caption;
  cp.style = WS_CHILD | WS_CLIPSIBLINGS | (params.visible ? WS_VISIBLE : 0);
  cp.bounds = params.bounds;
  cp.parent = parent;
  return CreateHandle(cp);
}

void THotURLLabel::SetBlinking(bool on) {
  model_.blinking = on;
  if (!on) model_.ToggleBlink();  // back to the plain colour
  if (Handle()) {
    if (on) {
      SetTimer(Handle(), kBlinkTimer, kBlinkInterval, nullptr);
    } else {
      KillTimer(Handle(), kBlinkTimer);
    }
    InvalidateRect(Handle(), nullptr, FALSE);
  }
}

void THotURLLabel::Click() {
  std::shared_ptr<bool> alive = alive_;
  const bool changed = model_.Click(*opener_);
  // The label's own click event may have destroyed the label.
  if (*alive && changed && Handle()) InvalidateRect(Handle(), nullptr, FALSE);
}

void THotURLLabel::PaintTo(HDC dc) {
  const Rect client = ClientRect();
  if (!dc || !surface_.Prepare(client.Width(), client.Height())) return;
  surface_.CopyParentBackground(Handle());
  GdiCanvas& canvas = *surface_.Canvas();
  canvas.SetFont(font_);
  canvas.TextOut(0, 0, model_.caption, model_.TextColor(), client);
  surface_.CopyTo(dc);
}

LRESULT THotURLLabel::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  LRESULT result = 0;
  if (forms::HandleOwnPaint(Handle(), msg, wp, result, [this](HDC dc) { PaintTo(dc); })) return result;
  switch (msg) {
    case WM_SIZE:
      InvalidateRect(Handle(), nullptr, FALSE);
      break;
    case WM_SETCURSOR:
      if (LOWORD(lp) == HTCLIENT) {
        SetCursor(LoadCursor(nullptr, IDC_HAND));
        return TRUE;
      }
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      press_.Press();
      SetCapture(Handle());
      return 0;
    case WM_LBUTTONUP: {
      const Rect r = ClientRect();
      const bool click = press_.Release({short(LOWORD(lp)), short(HIWORD(lp))}, {r.Width(), r.Height()});
      if (GetCapture() == Handle()) ReleaseCapture();
      if (click) Click();
      return 0;
    }
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lp) != Handle()) press_.Cancel();
      return 0;
    case WM_TIMER:
      if (wp == kBlinkTimer) {
        if (model_.ToggleBlink()) InvalidateRect(Handle(), nullptr, FALSE);
        return 0;
      }
      break;
    case WM_SETTEXT: {
      const LRESULT r = Window::WndProc(msg, wp, lp);
      model_.caption = Text();
      InvalidateRect(Handle(), nullptr, FALSE);
      return r;
    }
    case WM_DESTROY:
      KillTimer(Handle(), kBlinkTimer);
      surface_.Release();
      break;
    default:
      break;
  }
  return Window::WndProc(msg, wp, lp);
}

}  // namespace netscry
