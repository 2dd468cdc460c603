#include "mainwindow/main_buttons_win32.h"

namespace netscry {

std::unique_ptr<forms::ButtonBase> MakeMainButton(forms::Container& parent, const MainButtonSpec& spec) {
  // Plain push buttons stand in until the hot-track buttons are in.
  auto button = std::make_unique<forms::PushButton>();
  forms::ButtonParams p;
  p.caption = spec.caption;
  p.bounds = spec.bounds;
  button->Create(parent, p);
  return button;
}

}  // namespace netscry
