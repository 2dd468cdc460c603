#pragma once
// THotBitBtn: the hot-track push button as a child window of the window layer. Messages go into
// the portable HotButtonInput; painting goes off-screen through the portable face painter, or
// through the platform's visual theme (bound at run time) while one is active.
//
//   THotBitBtn b;
//   HotBitBtnParams p;
//   p.caption = "刷新";
//   p.bounds = {553, 1, 633, 27};
//   p.color = 15791348; p.highlight_color = 16026986; p.hot_track_color = 3983359;
//   p.glyph = LoadHotButtonGlyphResource(GetModuleHandleA(nullptr), "BTNREFRESH");
//   b.OnClick = [&] { BTNRefreshClick(); };
//   b.Create(panel, p);
#include <windows.h>

#include <string>

#include "base/geometry.h"
#include "controls/hot_button/hot_button.h"
#include "controls/hot_button/offscreen_win32.h"
#include "forms/controls_win32.h"

namespace netscry {

struct HotBitBtnParams {
  std::string caption;
  Rect bounds;  // in the parent's client coordinates
  // Colours: RGB values (0x00BBGGRR) or the window layer's system colours (forms::clBtnFace …).
  Color color = forms::clBtnFace;
  Color highlight_color = Rgb(106, 141, 244);
  Color hot_track_color = Rgb(255, 199, 60);
  Color frame_color = forms::SystemColor(COLOR_3DDKSHADOW);
  Color font_color = forms::clWindowText;
  FontAttrs font{"Arial", 11};
  HotButtonGlyph glyph;  // empty: no glyph
  bool enabled = true;
  bool visible = true;
  bool show_focus_rect = true;
  bool theme_aware = true;
  int margin = 2;
  int spacing = 4;
};

class THotBitBtn : public forms::ButtonBase {
 public:
  static constexpr const char* kClassName = "NetscryHotBitBtn";

  THotBitBtn() = default;
  ~THotBitBtn() override;

  HWND Create(forms::Container& parent, const HotBitBtnParams& params);
  // The same under any parent window (one not made by the window layer).
  HWND Create(HWND parent, const HotBitBtnParams& params);

  void SetCaption(const std::string& caption);
  std::string Caption() const { return caption_; }
  void SetGlyph(HotButtonGlyph glyph);
  const HotButtonGlyph& Glyph() const { return glyph_; }
  // Enabled, hot, pressed and focused as the face shows them.
  HotButtonVisual Visual() const { return input_.Visual(); }
  const HotButtonInput& Input() const { return input_; }
  // Whether the platform's visual theme draws the face now.
  bool Themed() const { return theme_ != nullptr; }

  // Paints the button as on screen into dc at (0, 0) (also what WM_PRINTCLIENT does).
  void PaintTo(HDC dc);

 protected:
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void Apply(const HotButtonEffects& e);
  void OpenTheme();
  void CloseTheme();
  HotButtonStyle ResolvedStyle() const;
  Size ClientSize() const;

  HotBitBtnParams params_;
  std::string caption_;
  HotButtonGlyph glyph_;
  HotButtonInput input_;
  OffscreenSurface surface_;
  void* theme_ = nullptr;  // HTHEME of the push-button class while a theme is active
  bool tracking_leave_ = false;
};

// A glyph from a bitmap (copied; the caller keeps the handle), a BITMAP resource or a BMP file.
// An empty glyph when the bitmap cannot be read.
HotButtonGlyph HotButtonGlyphFromBitmap(HBITMAP bitmap, int num_glyphs = 2);
HotButtonGlyph LoadHotButtonGlyphResource(HINSTANCE instance, const char* name, int num_glyphs = 2);
HotButtonGlyph LoadHotButtonGlyphFile(const std::string& path, int num_glyphs = 2);

// The system colours the unthemed face reads.
HotButtonSystemColors CurrentHotButtonSystemColors();

}  // namespace netscry
