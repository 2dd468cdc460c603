#pragma once
// Pieces shared by both skins: caption buttons with their glyphs, and the small control
// pictures (menus, hints, push buttons, check boxes, scroll bars, ...) that a complete skin
// carries beside its frame.
#include <functional>

#include "paint.h"

namespace skinart {

enum class Glyph { Close, Maximize, Minimize, Restore };
enum class ButtonState { Normal, Hot, Down, Inactive };

// Colours of one glassy theme.
struct Theme {
  // Caption buttons other than close, per state: top, middle-top, middle-bottom, bottom.
  Color plain[4][4];
  Color close[4][4];
  Color button_outline[4];
  Color glyph_outline[4];
  Color glyph_fill[4];
  // Control pictures.
  Color face_top, face_bottom, face_border, hot_top, hot_bottom, hot_border, down_top, down_bottom;
  Color accent;       // check marks, progress
  Color text_dark;    // arrows on controls
  Color menu_bg, menu_border, menu_hot_top, menu_hot_bottom, menu_hot_border;
};

// Draws one caption button into bmp at (x, y, x + w, y + h). The pixels around its rounded
// corners come from background(x, y) of the same picture area. join_left: the button sits right
// of another one and shares its separator line.
void CaptionButton(Bitmap32& bmp, int x, int y, int w, int h, Glyph glyph, bool is_close,
                   ButtonState state, const Theme& theme, const Radii& radii, bool join_left);

// Control pictures. Each returns a fresh picture; the description text gives their rectangles.
Bitmap32 MenuWindowPicture(const Theme& t);      // 64 x 64
Bitmap32 MenuItemPicture(const Theme& t);        // 120 x 48: normal 0..22, hot 22..44, divider 44..48
Bitmap32 HintPicture(const Theme& t);            // 48 x 32
Bitmap32 PushButtonPicture(const Theme& t);      // 75 x 92: normal, hot, down, disabled, 23 high each
Bitmap32 CheckRadioPicture(const Theme& t);      // 78 x 26: six check images, six radio images
Bitmap32 ScrollBarPicture(const Theme& t);       // 119 x 51: arrows, thumb, track, three states
Bitmap32 EditPicture(const Theme& t);            // 60 x 42: normal and hot frame
Bitmap32 GaugePicture(const Theme& t);           // 100 x 28: track, bar
Bitmap32 TrackBarPicture(const Theme& t);        // 100 x 40: track, thumb normal and hot
Bitmap32 TabPicture(const Theme& t);             // 180 x 22 tabs + 60 x 60 page
Bitmap32 ComboBoxPicture(const Theme& t);        // 100 x 21 frame + 17 x 19 buttons
Bitmap32 PanelPicture(const Theme& t);           // 64 x 64 group frame
Bitmap32 GlowLayerPicture();                     // 64 x 32 grey glow
Bitmap32 GlowLayerMask();                        // 64 x 32 black ellipse on white

}  // namespace skinart
