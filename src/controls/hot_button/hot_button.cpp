#include "controls/hot_button/hot_button.h"

#include <algorithm>
#include <cmath>

#include "base/ansi_text.h"
#include "controls/hot_button/hot_colors.h"

namespace netscry {

// --- State -----------------------------------------------------------------------------------

ThemedFace ThemedFaceOf(const HotButtonVisual& v) {
  if (!v.enabled) return ThemedFace::kDisabled;
  if (v.pressed) return ThemedFace::kPressed;
  if (v.hot) return ThemedFace::kHot;
  if (v.focused) return ThemedFace::kDefaulted;
  return ThemedFace::kNormal;
}

HotButtonEffects HotButtonInput::SetInside(bool inside) {
  HotButtonEffects e;
  if (inside_ != inside) {
    inside_ = inside;
    e.repaint = true;
  }
  return e;
}

HotButtonEffects HotButtonInput::MouseMove(Point p, Size client) {
  if (!enabled_) return {};
  return SetInside(Rect{0, 0, client.cx, client.cy}.Contains(p));
}

HotButtonEffects HotButtonInput::MouseLeave() { return SetInside(false); }

HotButtonEffects HotButtonInput::LeftDown(Point p, Size client) {
  if (!enabled_) return {};
  HotButtonEffects e = SetInside(Rect{0, 0, client.cx, client.cy}.Contains(p));
  tracking_ = true;
  e.take_focus = true;
  e.capture = true;
  e.repaint = true;
  return e;
}

HotButtonEffects HotButtonInput::LeftUp(Point p, Size client) {
  if (!tracking_) return {};
  const bool inside = Rect{0, 0, client.cx, client.cy}.Contains(p);
  HotButtonEffects e = SetInside(inside);
  tracking_ = false;
  e.release_capture = true;
  e.repaint = true;
  e.click = inside;
  return e;
}

HotButtonEffects HotButtonInput::CaptureLost() {
  if (!tracking_) return {};
  tracking_ = false;
  HotButtonEffects e;
  e.repaint = true;
  return e;
}

HotButtonEffects HotButtonInput::KeyDown(HotButtonKey key, bool alt) {
  HotButtonEffects e;
  if (!enabled_) return e;
  if (key == HotButtonKey::kSpace && !alt && !space_held_) {
    space_held_ = true;
    e.repaint = true;
  } else if (key == HotButtonKey::kEnter && focused_) {
    e.click = true;
  }
  return e;
}

HotButtonEffects HotButtonInput::KeyUp(HotButtonKey key) {
  HotButtonEffects e;
  if (key != HotButtonKey::kSpace || !space_held_) return e;
  space_held_ = false;
  e.repaint = true;
  e.click = enabled_;
  return e;
}

HotButtonEffects HotButtonInput::FocusChanged(bool focused) {
  HotButtonEffects e;
  if (focused_ != focused) e.repaint = true;
  focused_ = focused;
  // Losing the focus while space is held abandons that press without a click.
  if (!focused && space_held_) {
    space_held_ = false;
    e.repaint = true;
  }
  return e;
}

HotButtonEffects HotButtonInput::SetEnabled(bool enabled) {
  HotButtonEffects e;
  if (enabled_ == enabled) return e;
  enabled_ = enabled;
  e.repaint = true;
  if (!enabled) {
    inside_ = false;
    space_held_ = false;
    if (tracking_) {
      tracking_ = false;
      e.release_capture = true;
    }
  }
  return e;
}

HotButtonVisual HotButtonInput::Visual() const {
  HotButtonVisual v;
  v.enabled = enabled_;
  v.focused = focused_;
  v.pressed = enabled_ && focused_ && ((tracking_ && inside_) || space_held_);
  v.hot = enabled_ && inside_;
  return v;
}

// --- Glyph and layout ------------------------------------------------------------------------

Size HotButtonGlyph::ImageSize() const {
  if (Empty()) return {};
  const int n = std::max(num_glyphs, 1);
  return {bitmap.Width() / n, bitmap.Height()};
}

Rect HotButtonGlyph::ImageRect(bool enabled) const {
  const Size s = ImageSize();
  const int index = (!enabled && num_glyphs >= 2) ? 1 : 0;
  return {index * s.cx, 0, (index + 1) * s.cx, s.cy};
}

namespace {

int FloorDiv2(int v) { return v >= 0 ? v / 2 : -((-v + 1) / 2); }

}  // namespace

HotButtonLayout LayoutHotButton(Size client, Size glyph_size, int margin, int spacing) {
  HotButtonLayout out;
  out.content = Rect{0, 0, client.cx, client.cy}.Inflate(-5, -5);
  out.caption_area = out.content;
  if (glyph_size.cx > 0 && glyph_size.cy > 0) {
    out.glyph_at = Point{out.content.left + margin,
                         out.content.top + FloorDiv2(out.content.Height() - glyph_size.cy + 1)};
    out.caption_area.left += margin + glyph_size.cx + spacing;
  }
  return out;
}

namespace {

bool IsBlank(char c) { return c == ' '; }

// The longest prefix of word (in whole characters, at least one) that fits in width.
std::size_t FittingPrefix(Canvas& canvas, std::string_view word, int width) {
  const std::vector<std::size_t> starts = AnsiCharStarts(word);
  std::size_t best = starts.size() > 1 ? starts[1] : word.size();
  for (std::size_t i = 2; i < starts.size(); ++i) {
    if (canvas.TextWidth(word.substr(0, starts[i])) > width) break;
    best = starts[i];
  }
  return best;
}

}  // namespace

std::vector<CaptionLine> LayoutCaption(Canvas& canvas, const std::string& caption, const Rect& area) {
  std::vector<CaptionLine> lines;
  if (caption.empty()) return lines;
  const int width = std::max(area.Width(), 0);
  std::vector<std::string> texts;
  if (canvas.TextWidth(caption) <= width) {
    texts.push_back(caption);
  } else {
    // Greedy filling at blanks; a word that does not fit alone is cut between characters.
    std::string_view rest = caption;
    std::string line;
    auto flush = [&] {
      texts.push_back(line);
      line.clear();
    };
    while (!rest.empty()) {
      std::size_t blanks = 0;
      while (blanks < rest.size() && IsBlank(rest[blanks])) ++blanks;
      std::size_t end = blanks;
      while (end < rest.size() && !IsBlank(rest[end])) ++end;
      const std::string_view gap = rest.substr(0, blanks), word = rest.substr(blanks, end - blanks);
      rest.remove_prefix(end);
      if (word.empty()) break;  // trailing blanks
      std::string candidate = line.empty() ? std::string(word) : line + std::string(gap) + std::string(word);
      if (canvas.TextWidth(candidate) <= width) {
        line = std::move(candidate);
        continue;
      }
      if (!line.empty()) flush();
      std::string_view piece = word;
      while (canvas.TextWidth(piece) > width) {
        const std::size_t n = FittingPrefix(canvas, piece, width);
        line = std::string(piece.substr(0, n));
        flush();
        piece.remove_prefix(n);
        if (piece.empty()) break;
      }
      line = std::string(piece);
    }
    if (!line.empty()) flush();
  }
  const int line_height = canvas.TextExtent(caption).cy;
  const int total = line_height * int(texts.size());
  int y = area.top + FloorDiv2(area.Height() - total);
  for (std::string& t : texts) {
    const int w = canvas.TextWidth(t);
    lines.push_back({area.left + FloorDiv2(area.Width() - w), y, std::move(t)});
    y += line_height;
  }
  return lines;
}

// --- Face ------------------------------------------------------------------------------------

HotButtonFaceColors FaceColorsOf(const HotButtonStyle& style, const HotButtonSystemColors& sys) {
  HotButtonFaceColors c;
  c.outer_dark = DarkenColor(sys.btn_face, 20);
  c.outer_light = LightenColor(sys.btn_face, 20);
  c.frame = style.frame_color.value_or(sys.dark_shadow);
  c.frame_disabled = DarkenColor(style.color, 80);
  c.gradient_top = LightenColor(style.color, 30);
  c.gradient_bottom = DarkenColor(style.color, 10);
  c.line_bottom2 = DarkenColor(style.color, 20);
  c.line_bottom1 = DarkenColor(style.color, 30);
  c.hot_top = BlendColors(kWhite, style.hot_track_color, 190);
  c.hot_bottom = style.hot_track_color;
  Color h = style.highlight_color;
  if (ColorsAreClose(h, sys.btn_face)) h = DarkenColor(h, 30);
  const Color b = c.gradient_top;
  c.focus_top = BlendColors(h, b, 60);
  c.focus_bottom = BlendColors(h, b, 160);
  return c;
}

namespace {

// Row i of n rows between top (first row) and bottom (last row), per channel to the nearest.
Color GradientRow(Color top, Color bottom, int i, int n) {
  if (n <= 1) return top;
  auto ch = [&](std::uint8_t a, std::uint8_t b) {
    const double v = a + (double(b) - double(a)) * i / (n - 1);
    return std::uint8_t(std::clamp(int(std::lround(v)), 0, 255));
  };
  return Rgb(ch(RedOf(top), RedOf(bottom)), ch(GreenOf(top), GreenOf(bottom)), ch(BlueOf(top), BlueOf(bottom)));
}

void Gradient(Canvas& canvas, const Rect& r, Color top, Color bottom) {
  for (int y = r.top; y < r.bottom; ++y) {
    canvas.FillRect({r.left, y, r.right, y + 1}, GradientRow(top, bottom, y - r.top, r.Height()));
  }
}

// A ring two pixels wide along r's edge, coloured by row.
void Ring(Canvas& canvas, const Rect& r, Color top, Color bottom) {
  if (r.IsEmpty()) return;
  for (int y = r.top; y < r.bottom; ++y) {
    const Color c = GradientRow(top, bottom, y - r.top, r.Height());
    if (y < r.top + 2 || y >= r.bottom - 2) {
      canvas.FillRect({r.left, y, r.right, y + 1}, c);
    } else {
      canvas.FillRect({r.left, y, std::min(r.left + 2, r.right), y + 1}, c);
      canvas.FillRect({std::max(r.right - 2, r.left), y, r.right, y + 1}, c);
    }
  }
}

}  // namespace

void PaintHotButtonFace(Canvas& canvas, const HotButtonPaint& p) {
  if (!p.style) return;
  const HotButtonStyle& style = *p.style;
  const HotButtonFaceColors c = FaceColorsOf(style, p.sys);
  Rect r{0, 0, p.client.cx, p.client.cy};
  if (r.IsEmpty()) return;

  if (p.visual.enabled) {
    canvas.Line(r.left, r.top + 2, r.left, r.bottom - 2, c.outer_dark);
    canvas.Line(r.left + 2, r.top, r.right - 2, r.top, c.outer_dark);
    canvas.Line(r.right - 1, r.top + 2, r.right - 1, r.bottom - 2, c.outer_light);
    canvas.Line(r.left + 2, r.bottom - 1, r.right - 2, r.bottom - 1, c.outer_light);
    canvas.SetPixel(r.left + 1, r.top + 1, c.outer_dark);
    canvas.SetPixel(r.right - 2, r.top + 1, c.outer_dark);
    canvas.SetPixel(r.left + 1, r.bottom - 2, c.outer_dark);
    canvas.SetPixel(r.right - 2, r.bottom - 2, c.outer_light);
  }

  r = r.Inflate(-1, -1);
  if (r.IsEmpty()) return;
  const Color frame = p.visual.enabled ? c.frame : c.frame_disabled;
  canvas.Line(r.left, r.top + 1, r.left, r.bottom - 1, frame);
  canvas.Line(r.right - 1, r.top + 1, r.right - 1, r.bottom - 1, frame);
  canvas.Line(r.left + 1, r.top, r.right - 1, r.top, frame);
  canvas.Line(r.left + 1, r.bottom - 1, r.right - 1, r.bottom - 1, frame);

  const Rect face = r.Inflate(-1, -1);
  if (face.IsEmpty()) return;
  if (!p.visual.enabled) {
    canvas.FillRect(face, style.color);
    return;
  }
  if (p.visual.pressed) {
    canvas.FillRect(face, c.gradient_bottom);
    return;
  }
  if (!p.many_colors) {
    canvas.FillRect(face, style.color);
    return;
  }
  Gradient(canvas, {face.left, face.top, face.right, std::max(face.top, face.bottom - 2)}, c.gradient_top,
           c.gradient_bottom);
  if (face.Height() >= 2) canvas.FillRect({face.left, face.bottom - 2, face.right, face.bottom - 1}, c.line_bottom2);
  canvas.FillRect({face.left, face.bottom - 1, face.right, face.bottom}, c.line_bottom1);
  if (p.visual.hot) {
    Ring(canvas, face, c.hot_top, c.hot_bottom);
  } else if (p.visual.focused) {
    Ring(canvas, face, c.focus_top, c.focus_bottom);
  }
}

void PaintHotButtonContent(Canvas& canvas, const HotButtonPaint& p) {
  if (!p.style) return;
  const HotButtonStyle& style = *p.style;
  const bool has_glyph = p.glyph && !p.glyph->Empty() && p.glyph->ImageSize().cx > 0;
  const HotButtonLayout layout =
      LayoutHotButton(p.client, has_glyph ? p.glyph->ImageSize() : Size{}, style.margin, style.spacing);
  if (has_glyph && layout.glyph_at) {
    canvas.DrawBitmap(p.glyph->bitmap, p.glyph->ImageRect(p.visual.enabled), layout.glyph_at->x,
                      layout.glyph_at->y, p.glyph->TransparentColor());
  }
  if (!p.caption.empty()) {
    canvas.SetFont(style.font);
    const std::vector<CaptionLine> lines = LayoutCaption(canvas, p.caption, layout.caption_area);
    const Rect clip = layout.caption_area;
    for (const CaptionLine& line : lines) {
      if (p.visual.enabled) {
        canvas.TextOut(line.x, line.y, line.text, style.font_color.value_or(p.sys.window_text), clip);
      } else {
        canvas.TextOut(line.x + 1, line.y + 1, line.text, p.sys.btn_highlight, clip.Offset(1, 1));
        canvas.TextOut(line.x, line.y, line.text, p.sys.btn_shadow, clip);
      }
    }
  }
  if (p.visual.focused && style.show_focus_rect) {
    canvas.DrawFocusRect(Rect{0, 0, p.client.cx, p.client.cy}.Inflate(-3, -3));
  }
}

}  // namespace netscry
