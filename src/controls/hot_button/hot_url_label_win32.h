#pragma once
// THotURLLabel: the link label as a child window of the window layer. Transparent (the parent's
// background shows through), underlined text in the unvisited or visited colour, the hand
// cursor, and a click that opens the target through the shell.
//
//   THotURLLabel mail;
//   HotURLLabelParams p;
//   p.caption = "someone@example.org";
//   p.url = "mailto:someone@example.org";
//   p.bounds = {984, 7, 984 + 119, 7 + 13};
//   mail.Create(panel, p);
#include <windows.h>
#include <shellapi.h>

#include <memory>
#include <string>

#include "controls/hot_button/hot_url_label.h"
#include "controls/hot_button/offscreen_win32.h"
#include "forms/controls_win32.h"

namespace netscry {

// The shell as the label uses it. Open runs ShellExecuteExA with the verb "Open", show state
// normal and the mask of no error interface, waiting for DDE and returning the process handle,
// which it closes at once; Run starts a command line whose program is in the system directory
// (CommandFromSystemDir) and closes the handles it gets.
class ShellUrlOpener : public UrlOpener {
 public:
  using ExecuteFn = BOOL(WINAPI*)(SHELLEXECUTEINFOA*);
  static constexpr ULONG kOpenMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_FLAG_DDEWAIT | SEE_MASK_NOCLOSEPROCESS;  // 1344

  explicit ShellUrlOpener(HWND owner = nullptr, ExecuteFn execute = nullptr) : owner_(owner), execute_(execute) {}
  bool Open(const std::string& target) override;
  void Run(const std::string& command_line) override;

 private:
  HWND owner_;
  ExecuteFn execute_;  // null: the system's ShellExecuteExA
};

struct HotURLLabelParams {
  std::string caption;
  std::string url;
  Rect bounds;  // in the parent's client coordinates
  FontAttrs font{"Verdana", 11, false, false, true};
  HotUrlLabelColors colors;  // unvisited RGB (60, 60, 120), visited RGB (130, 95, 70), blink blue
  bool visible = true;
};

class THotURLLabel : public forms::Window {
 public:
  static constexpr const char* kClassName = "NetscryHotURLLabel";
  static constexpr UINT_PTR kBlinkTimer = 1;
  static constexpr UINT kBlinkInterval = 500;

  THotURLLabel();
  ~THotURLLabel() override;

  HWND Create(forms::Container& parent, const HotURLLabelParams& params);
  HWND Create(HWND parent, const HotURLLabelParams& params);

  // The shell by default; tests hand in a fake. The opener must outlive the label.
  void SetOpener(UrlOpener* opener) { opener_ = opener ? opener : &shell_; }
  HotUrlLabelModel& Model() { return model_; }
  bool Visited() const { return model_.visited; }
  Color TextColor() const { return model_.TextColor(); }
  void SetBlinking(bool on);
  // The label's own click event, raised before the target is opened.
  void SetOnClick(std::function<void()> handler) { model_.on_click = std::move(handler); }
  // A click from code: the same as the user's.
  void Click();

  void PaintTo(HDC dc);

 protected:
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  HotUrlLabelModel model_;
  FontAttrs font_;
  ShellUrlOpener shell_;
  UrlOpener* opener_;
  LinkPressTracker press_;
  OffscreenSurface surface_;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace netscry
