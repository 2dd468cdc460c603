#include "mainwindow/main_buttons_win32.h"

#include "controls/hot_button/hot_button_win32.h"

namespace netscry {

std::unique_ptr<forms::ButtonBase> MakeMainButton(forms::Container& parent, const MainButtonLayout& layout) {
  auto button = std::make_unique<THotBitBtn>();
  HotBitBtnParams p;
  p.caption = layout.caption;
  p.bounds = layout.bounds;
  p.color = kButtonFace;
  p.highlight_color = kButtonHighlight;
  p.hot_track_color = kButtonHotTrack;
  p.font = {"Arial", 11};
  p.glyph = LoadHotButtonGlyphResource(GetModuleHandleA(nullptr), layout.glyph_resource);
  button->Create(parent, p);
  return button;
}

}  // namespace netscry
