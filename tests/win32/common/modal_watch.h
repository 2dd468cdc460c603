#pragma once
// Acting inside the nested message loops that modal dialogs and message boxes run, from the
// thread that runs them: steps that run on the ticks of a thread timer, and a watcher that
// records each system message box as it opens and answers it from inside its own loop.
#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace netscry::testing {

// Each tick of a thread timer runs the current step; a step returns true when it is done and the
// next one runs on the following tick. After max_ticks ticks, whether or not the steps are done,
// give_up runs once (for example to close a dialog that should have closed), so a test never hangs.
class TickSteps {
 public:
  TickSteps(std::vector<std::function<bool()>> steps, std::function<void()> give_up, UINT interval_ms = 30,
            int max_ticks = 200)
      : steps_(std::move(steps)), give_up_(std::move(give_up)), max_ticks_(max_ticks) {
    current_ = this;
    timer_ = SetTimer(nullptr, 0, interval_ms, &TickSteps::OnTick);
  }
  ~TickSteps() {
    if (timer_) KillTimer(nullptr, timer_);
    current_ = nullptr;
  }
  TickSteps(const TickSteps&) = delete;
  TickSteps& operator=(const TickSteps&) = delete;

  bool Finished() const { return next_ == steps_.size(); }
  bool GaveUp() const { return gave_up_; }

 private:
  static void CALLBACK OnTick(HWND, UINT, UINT_PTR, DWORD) {
    TickSteps* self = current_;
    if (!self || self->running_) return;
    self->running_ = true;  // a step that opens a loop of its own gets no tick inside it
    ++self->ticks_;
    if (self->next_ < self->steps_.size()) {
      if (self->steps_[self->next_]()) ++self->next_;
    }
    // Also after the last step: a loop the steps should have ended may still run.
    if (self->ticks_ >= self->max_ticks_ && !self->gave_up_) {
      self->gave_up_ = true;
      if (self->give_up_) self->give_up_();
    }
    self->running_ = false;
  }

  static inline TickSteps* current_ = nullptr;
  std::vector<std::function<bool()>> steps_;
  std::function<void()> give_up_;
  std::size_t next_ = 0;
  int ticks_ = 0;
  int max_ticks_;
  bool gave_up_ = false;
  bool running_ = false;
  UINT_PTR timer_ = 0;
};

struct SeenBox {
  std::string caption;
  std::string text;
  bool has_icon = false;
  std::vector<int> buttons;  // IDOK, IDCANCEL, IDYES, IDNO … that the box shows
  int focused_button = 0;  // the button that has the focus as the box runs: the preselected one
};

// Records every message box of this thread and answers it with the chosen button, both from a
// timer tick inside the box's own message loop; `inside` (when set) runs there first.
class BoxWatcher {
 public:
  explicit BoxWatcher(int answer = IDOK) : answer_(answer) {
    current_ = this;
    hook_ = SetWindowsHookExA(WH_CBT, &BoxWatcher::Hook, nullptr, GetCurrentThreadId());
  }
  ~BoxWatcher() {
    if (hook_) UnhookWindowsHookEx(hook_);
    if (timer_) KillTimer(nullptr, timer_);
    current_ = nullptr;
  }
  BoxWatcher(const BoxWatcher&) = delete;
  BoxWatcher& operator=(const BoxWatcher&) = delete;

  std::function<void()> inside;
  void SetAnswer(int answer) { answer_ = answer; }
  const std::vector<SeenBox>& Boxes() const { return boxes_; }

 private:
  static std::string TextOf(HWND h) {
    char buf[2048] = {};
    if (h) GetWindowTextA(h, buf, sizeof(buf));
    return buf;
  }

  static LRESULT CALLBACK Hook(int code, WPARAM wp, LPARAM lp) {
    if (code == HCBT_ACTIVATE && current_) current_->Seen(reinterpret_cast<HWND>(wp));
    return CallNextHookEx(nullptr, code, wp, lp);
  }

  void Seen(HWND box) {
    char cls[64] = {};
    GetClassNameA(box, cls, sizeof(cls));
    if (std::string(cls) != "#32770" || box == box_) return;
    // Read once the box runs its loop: it may become active before its text and buttons are set.
    box_ = box;
    timer_ = SetTimer(nullptr, 0, 20, &BoxWatcher::OnTick);
  }

  void Record(HWND box) {
    SeenBox b;
    b.caption = TextOf(box);
    b.text = TextOf(GetDlgItem(box, 0xFFFF));
    HWND icon = GetDlgItem(box, 0x440);
    b.has_icon = icon && SendMessageA(icon, STM_GETICON, 0, 0) != 0;
    for (int id : {IDOK, IDCANCEL, IDABORT, IDRETRY, IDIGNORE, IDYES, IDNO}) {
      HWND button = GetDlgItem(box, id);
      if (button && IsWindowVisible(button)) b.buttons.push_back(id);
    }
    HWND focus = GetFocus();
    if (focus && IsChild(box, focus)) b.focused_button = GetDlgCtrlID(focus);
    boxes_.push_back(b);
  }

  static void CALLBACK OnTick(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    BoxWatcher* self = current_;
    if (!self) return;
    self->timer_ = 0;
    self->Record(self->box_);
    if (self->inside) self->inside();
    PostMessageA(self->box_, WM_COMMAND, MAKEWPARAM(self->answer_, BN_CLICKED), 0);
  }

  static inline BoxWatcher* current_ = nullptr;
  HHOOK hook_ = nullptr;
  UINT_PTR timer_ = 0;
  HWND box_ = nullptr;
  int answer_;
  std::vector<SeenBox> boxes_;
};

}  // namespace netscry::testing
