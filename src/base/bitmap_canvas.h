#pragma once
// A Canvas over a Bitmap32, with a predictable text measure: every byte is char_width pixels
// wide (so a CP936 character of two bytes is two widths) and text is recorded, not rasterised.
// Used by native tests and by tools that compose pictures without a platform.
#include <string>
#include <vector>

#include "base/canvas.h"

namespace netscry {

class BitmapCanvas : public Canvas {
 public:
  struct TextRun {
    int x, y;
    std::string text;
    Color color;
    Rect clip;
    FontAttrs font;
  };

  explicit BitmapCanvas(Bitmap32& target, int char_width = 7, int char_height = 14)
      : target_(target), char_width_(char_width), char_height_(char_height) {}

  void FillRect(const Rect& r, Color c) override;
  void SetPixel(int x, int y, Color c) override { target_.SetPixel(x, y, c); }
  void Line(int x0, int y0, int x1, int y1, Color c) override;
  void DrawFocusRect(const Rect& r) override;
  void DrawBitmap(const Bitmap32& bmp, const Rect& src_rect, int x, int y,
                  std::optional<Color> transparent = std::nullopt) override;
  void StretchBitmap(const Bitmap32& bmp, const Rect& src_rect, const Rect& dest) override;
  void SetFont(const FontAttrs& font) override { font_ = font; }
  Size TextExtent(std::string_view ansi_text) override;
  void TextOut(int x, int y, std::string_view ansi_text, Color c, const Rect& clip) override;

  const std::vector<TextRun>& TextRuns() const { return text_runs_; }
  const FontAttrs& Font() const { return font_; }

 private:
  Bitmap32& target_;
  int char_width_;
  int char_height_;
  FontAttrs font_;
  std::vector<TextRun> text_runs_;
};

}  // namespace netscry
