#include "forms/timer_win32.h"

namespace netscry::forms {

void WindowTimer::Sink::Create() {
  CreateParams p;
  p.class_name = "NetscryTimer";
  p.parent = HWND_MESSAGE;
  CreateHandle(p);
}

LRESULT WindowTimer::Sink::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_TIMER && wp == kTimerId) {
    if (timer_.enabled_ && timer_.OnTimer) timer_.OnTimer();
    return 0;
  }
  return Window::WndProc(msg, wp, lp);
}

WindowTimer::WindowTimer(unsigned interval_ms, bool enabled) : interval_(interval_ms), enabled_(enabled) {
  sink_.Create();
  Update();
}

WindowTimer::~WindowTimer() {
  if (running_ && sink_.Handle()) KillTimer(sink_.Handle(), kTimerId);
  sink_.Destroy();
}

void WindowTimer::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Update();
}

void WindowTimer::SetInterval(unsigned interval_ms) {
  if (interval_ms == interval_) return;
  interval_ = interval_ms;
  Update();
}

void WindowTimer::Update() {
  HWND h = sink_.Handle();
  if (!h) return;
  if (running_) KillTimer(h, kTimerId);
  running_ = false;
  if (enabled_ && interval_ > 0) running_ = SetTimer(h, kTimerId, interval_, nullptr) != 0;
}

}  // namespace netscry::forms
