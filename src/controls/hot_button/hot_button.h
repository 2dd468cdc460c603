#pragma once
// The hot-track push button without a platform: its look (properties and the system colours it
// reads), its input state machine (mouse over, press with capture, space and Enter, focus,
// enabled), where glyph and caption go, and the unthemed face painted through a Canvas. The
// Windows glue (hot_button_win32.h) feeds messages in and paints what this decides.
#include <optional>
#include <string>
#include <vector>

#include "base/bitmap32.h"
#include "base/canvas.h"
#include "base/color.h"
#include "base/geometry.h"

namespace netscry {

// The system colours the face is built from.
struct HotButtonSystemColors {
  Color btn_face = Rgb(240, 240, 240);       // clBtnFace
  Color btn_highlight = Rgb(255, 255, 255);  // clBtnHighlight
  Color btn_shadow = Rgb(160, 160, 160);     // clBtnShadow
  Color dark_shadow = Rgb(105, 105, 105);    // cl3DDkShadow
  Color window_text = Rgb(0, 0, 0);          // clWindowText
};

// The configurable properties; the defaults are the component's.
struct HotButtonStyle {
  Color color = Rgb(240, 240, 240);               // face colour
  Color highlight_color = Rgb(106, 141, 244);     // ring of the focused button
  Color hot_track_color = Rgb(255, 199, 60);      // ring of the button under the mouse
  std::optional<Color> frame_color;               // none: the system 3-D dark shadow
  bool show_focus_rect = true;
  bool theme_aware = true;                        // let an active platform theme draw the face
  int margin = 2;                                 // glyph distance from the content's left edge
  int spacing = 4;                                // gap between glyph and caption
  FontAttrs font{"Arial", 11};
  std::optional<Color> font_color;                // none: the system window-text colour
};

// What the face shows; derived from the input state.
struct HotButtonVisual {
  bool enabled = true;
  bool pressed = false;  // pressed face (left button inside, or space held)
  bool hot = false;      // the mouse is over an enabled button
  bool focused = false;
  friend bool operator==(const HotButtonVisual&, const HotButtonVisual&) = default;
};

// The platform theme's push-button states, in the order the face picks them.
enum class ThemedFace { kDisabled, kPressed, kHot, kDefaulted, kNormal };
ThemedFace ThemedFaceOf(const HotButtonVisual& v);

// What the glue must do after an input event. click is always the last thing to do.
struct HotButtonEffects {
  bool repaint = false;
  bool take_focus = false;
  bool capture = false;
  bool release_capture = false;
  bool click = false;
  friend bool operator==(const HotButtonEffects&, const HotButtonEffects&) = default;
};

enum class HotButtonKey { kSpace, kEnter, kOther };

class HotButtonInput {
 public:
  HotButtonEffects MouseMove(Point p, Size client);
  HotButtonEffects MouseLeave();
  HotButtonEffects LeftDown(Point p, Size client);
  HotButtonEffects LeftUp(Point p, Size client);
  // The capture went elsewhere (another window took it, or the platform cancelled the mode).
  HotButtonEffects CaptureLost();
  HotButtonEffects KeyDown(HotButtonKey key, bool alt);
  HotButtonEffects KeyUp(HotButtonKey key);
  HotButtonEffects FocusChanged(bool focused);
  HotButtonEffects SetEnabled(bool enabled);

  HotButtonVisual Visual() const;
  bool Enabled() const { return enabled_; }
  bool MouseInside() const { return inside_; }
  bool Tracking() const { return tracking_; }
  bool SpaceHeld() const { return space_held_; }
  bool Focused() const { return focused_; }

 private:
  HotButtonEffects SetInside(bool inside);

  bool enabled_ = true;
  bool inside_ = false;
  bool tracking_ = false;  // the left button went down on us and is not released yet
  bool space_held_ = false;
  bool focused_ = false;
};

// The glyph bitmap: num_glyphs images of equal width side by side; image 0 for an enabled
// button, image 1 (when present) for a disabled one. The bottom-left pixel is transparent.
struct HotButtonGlyph {
  Bitmap32 bitmap;
  int num_glyphs = 2;

  bool Empty() const { return bitmap.IsEmpty(); }
  Size ImageSize() const;
  // The source rectangle of the image for the enabled or disabled state.
  Rect ImageRect(bool enabled) const;
  Color TransparentColor() const { return bitmap.Pixel(0, bitmap.Height() - 1); }
};

struct HotButtonLayout {
  Rect content;                   // client shrunk by 5 on every side
  std::optional<Point> glyph_at;  // top-left of the glyph image, when there is one
  Rect caption_area;              // where the caption is centred
};
HotButtonLayout LayoutHotButton(Size client, Size glyph_size, int margin, int spacing);

struct CaptionLine {
  int x = 0, y = 0;
  std::string text;
  friend bool operator==(const CaptionLine&, const CaptionLine&) = default;
};
// Lines of the caption centred in area, wrapped at blanks (and between characters when a word
// alone is too wide); measured in the canvas's current font.
std::vector<CaptionLine> LayoutCaption(Canvas& canvas, const std::string& caption, const Rect& area);

// The colours the unthemed face derives from the style.
struct HotButtonFaceColors {
  Color outer_dark, outer_light;   // sunken outer edge
  Color frame, frame_disabled;
  Color gradient_top, gradient_bottom;  // gradient_bottom is also the pressed face
  Color line_bottom2, line_bottom1;     // the two lines at the face's bottom
  Color hot_top, hot_bottom;
  Color focus_top, focus_bottom;
};
HotButtonFaceColors FaceColorsOf(const HotButtonStyle& style, const HotButtonSystemColors& sys);

struct HotButtonPaint {
  Size client;
  HotButtonVisual visual;
  bool many_colors = true;  // the display has more than 256 colours
  const HotButtonStyle* style = nullptr;
  HotButtonSystemColors sys;
  const HotButtonGlyph* glyph = nullptr;  // null or empty: none
  std::string caption;
};

// The unthemed face (edges, frame, fill, ring). Pixels at the four outer corners are left as
// they are, so the parent's background must be there first.
void PaintHotButtonFace(Canvas& canvas, const HotButtonPaint& p);
// Glyph, caption and focus rectangle, over either face.
void PaintHotButtonContent(Canvas& canvas, const HotButtonPaint& p);

}  // namespace netscry
