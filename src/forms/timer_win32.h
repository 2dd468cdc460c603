#pragma once
// A window timer on the user-interface thread, with its own message-only window.
#include <windows.h>

#include <functional>

#include "forms/window_win32.h"

namespace netscry::forms {

class WindowTimer {
 public:
  static constexpr UINT_PTR kTimerId = 1;
  explicit WindowTimer(unsigned interval_ms = 1000, bool enabled = true);
  ~WindowTimer();
  WindowTimer(const WindowTimer&) = delete;
  WindowTimer& operator=(const WindowTimer&) = delete;

  bool Enabled() const { return enabled_; }
  // Disabling and enabling again starts the interval anew.
  void SetEnabled(bool enabled);
  unsigned Interval() const { return interval_; }
  // A new interval starts counting at once when the timer is enabled.
  void SetInterval(unsigned interval_ms);

  std::function<void()> OnTimer;

  // The message-only window that receives WM_TIMER with kTimerId.
  HWND Handle() const { return sink_.Handle(); }

 private:
  class Sink : public Window {
   public:
    explicit Sink(WindowTimer& timer) : timer_(timer) {}
    void Create();

   protected:
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

   private:
    WindowTimer& timer_;
  };
  void Update();
  Sink sink_{*this};
  unsigned interval_;
  bool enabled_;
  bool running_ = false;
};

}  // namespace netscry::forms
