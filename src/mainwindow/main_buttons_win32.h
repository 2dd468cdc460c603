#pragma once
// The one place that decides which button class the main window's five buttons are.
#include <memory>

#include "forms/controls_win32.h"
#include "mainwindow/main_layout.h"

namespace netscry {

struct MainButtonLayout {
  const char* caption;
  Rect bounds;
  const char* glyph_resource;  // the 32 × 16 glyph bitmap's resource name
};

std::unique_ptr<forms::ButtonBase> MakeMainButton(forms::Container& parent, const MainButtonLayout& layout);

}  // namespace netscry
