#pragma once
// Catches the system message boxes a test makes the code under test show: records each box's
// caption, text, icon, buttons, owner and place in the window order as it opens, and answers it
// with a chosen button, so that the box's own modal loop ends at once. Works on the calling
// thread through a CBT hook.
#include <windows.h>

#include <string>
#include <vector>

namespace netscry::testing {

struct CaughtBox {
  std::string caption;
  std::string text;
  bool has_icon = false;
  std::vector<int> buttons;  // IDOK, IDCANCEL, IDYES, IDNO … that the box shows
  RECT rect{};
  HWND owner = nullptr;
  bool owner_enabled = false;  // while the box was open
  HWND box = nullptr;
  bool topmost = false;        // WS_EX_TOPMOST
  // The top-level windows from the top down while the box was open, the box among them.
  std::vector<HWND> z_order;

  // True when the box lies above window w in the window order (both in it).
  bool Above(HWND w) const {
    std::size_t mine = z_order.size(), theirs = z_order.size();
    for (std::size_t i = 0; i < z_order.size(); ++i) {
      if (z_order[i] == box) mine = i;
      if (z_order[i] == w) theirs = i;
    }
    return mine < theirs && theirs < z_order.size();
  }
};

class MessageBoxCatcher {
 public:
  explicit MessageBoxCatcher(int answer = IDOK) : answer_(answer) {
    previous_ = current_;
    current_ = this;
    hook_ = SetWindowsHookExA(WH_CBT, &MessageBoxCatcher::Hook, nullptr, GetCurrentThreadId());
  }
  ~MessageBoxCatcher() {
    if (hook_) UnhookWindowsHookEx(hook_);
    current_ = previous_;
  }
  MessageBoxCatcher(const MessageBoxCatcher&) = delete;
  MessageBoxCatcher& operator=(const MessageBoxCatcher&) = delete;

  void SetAnswer(int answer) { answer_ = answer; }
  const std::vector<CaughtBox>& Boxes() const { return boxes_; }
  bool Installed() const { return hook_ != nullptr; }

 private:
  static constexpr UINT_PTR kReadTimer = 0x4E53;

  static LRESULT CALLBACK Hook(int code, WPARAM wp, LPARAM lp) {
    // The box may be activated before it has set itself up (text, buttons, place): read it from
    // its own modal loop instead, a moment later.
    if (code == HCBT_ACTIVATE && current_) SetTimer(reinterpret_cast<HWND>(wp), kReadTimer, 1, &MessageBoxCatcher::Read);
    return CallNextHookEx(nullptr, code, wp, lp);
  }

  static void CALLBACK Read(HWND box, UINT, UINT_PTR id, DWORD) {
    KillTimer(box, id);
    if (current_) current_->Caught(box);
  }

  static std::string TextOf(HWND h) {
    char buf[2048] = {};
    if (h) GetWindowTextA(h, buf, sizeof(buf));
    return buf;
  }

  void Caught(HWND box) {
    char cls[64] = {};
    GetClassNameA(box, cls, sizeof(cls));
    if (std::string(cls) != "#32770") return;
    for (HWND seen : seen_) {
      if (seen == box) return;  // activated again while open
    }
    seen_.push_back(box);
    CaughtBox b;
    b.caption = TextOf(box);
    b.text = TextOf(GetDlgItem(box, 0xFFFF));
    HWND icon = GetDlgItem(box, 0x440);
    b.has_icon = icon && SendMessageA(icon, STM_GETICON, 0, 0) != 0;
    for (int id : {IDOK, IDCANCEL, IDABORT, IDRETRY, IDIGNORE, IDYES, IDNO}) {
      HWND button = GetDlgItem(box, id);
      // The box itself is not visible yet while it is being activated: ask the button's own style.
      if (button && (GetWindowLongPtrA(button, GWL_STYLE) & WS_VISIBLE)) b.buttons.push_back(id);
    }
    GetWindowRect(box, &b.rect);
    b.owner = GetWindow(box, GW_OWNER);
    b.owner_enabled = b.owner && IsWindowEnabled(b.owner);
    b.box = box;
    b.topmost = (GetWindowLongPtrA(box, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    for (HWND h = GetTopWindow(nullptr); h; h = GetWindow(h, GW_HWNDNEXT)) b.z_order.push_back(h);
    boxes_.push_back(b);
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(answer_, BN_CLICKED), 0);
  }

  static inline MessageBoxCatcher* current_ = nullptr;
  MessageBoxCatcher* previous_ = nullptr;
  HHOOK hook_ = nullptr;
  int answer_;
  std::vector<CaughtBox> boxes_;
  std::vector<HWND> seen_;
};

}  // namespace netscry::testing
