// Painting of the rows and the header, text shortening and the tooltip decision.
#include <algorithm>

#include "base/ansi_text.h"
#include "controls/tree_list.h"

namespace netscry {

namespace {

void Frame(Canvas& c, const Rect& r, Color color) {
  if (r.IsEmpty()) return;
  c.Line(r.left, r.top, r.right, r.top, color);
  c.Line(r.left, r.bottom - 1, r.right, r.bottom - 1, color);
  c.Line(r.left, r.top, r.left, r.bottom, color);
  c.Line(r.right - 1, r.top, r.right - 1, r.bottom, color);
}

}  // namespace

std::string TStringTreeList::ShortenText(std::string_view text, int width,
                                         const std::function<int(std::string_view)>& measure) {
  if (measure(text) <= width) return std::string(text);
  int ellipsis = measure("...");
  if (ellipsis > width) return {};
  std::vector<std::size_t> starts = AnsiCharStarts(text);
  std::size_t chars = starts.size() - 1;
  // Largest k ≤ chars − 1 whose first k characters plus "..." fit.
  std::size_t lo = 0, hi = chars == 0 ? 0 : chars - 1;
  while (lo < hi) {
    std::size_t mid = (lo + hi + 1) / 2;
    if (measure(text.substr(0, starts[mid])) + ellipsis <= width)
      lo = mid;
    else
      hi = mid - 1;
  }
  return std::string(text.substr(0, starts[lo])) + "...";
}

TStringTreeList::CellTextLayout TStringTreeList::LayoutCell(PTreeNode node, TColumnIndex column, int row_top) {
  CellTextLayout l{};
  const TTreeColumn& col = header_.Column(column);
  int left = header_.ColumnLeft(column);
  l.cell = {left, row_top, left + col.Width, row_top + DefaultNodeHeight - 1};
  if (column != header_.LastPositionColumn()) l.cell.right -= 1;
  l.image_index = StateImageIndex(node, column);
  bool has_image = l.image_index >= 0;
  l.content_left = l.cell.left + Margin + (has_image ? kStateImageWidth + kStateImageGap : 0);
  l.full_text = CellText(node, column);
  auto measure = [this](std::string_view s) { return MeasureText(s).cx; };
  l.full_width = measure(l.full_text);
  int inset_left = l.content_left + TextMargin;
  int avail = l.cell.right - TextMargin - inset_left;
  l.shortened = l.full_width > avail;
  if (!l.shortened) {
    l.shown_text = l.full_text;
    switch (col.Alignment) {
      case TAlignment::taLeftJustify: l.text_x = inset_left; break;
      case TAlignment::taRightJustify: l.text_x = l.cell.right - TextMargin - l.full_width; break;
      case TAlignment::taCenter: l.text_x = inset_left + (avail - l.full_width) / 2; break;
    }
  } else {
    l.shown_text = ShortenText(l.full_text, avail, measure);
    l.text_x = col.Alignment == TAlignment::taRightJustify ? l.cell.right - TextMargin - measure(l.shown_text)
                                                           : inset_left;
  }
  int full_left = l.text_x - TextMargin;
  if (l.shortened && col.Alignment != TAlignment::taRightJustify) full_left = l.content_left;
  if (l.shortened && col.Alignment == TAlignment::taRightJustify)
    full_left = l.cell.right - l.full_width - 2 * TextMargin;
  l.full_text_rect = {full_left, row_top, full_left + l.full_width + 2 * TextMargin, row_top + DefaultNodeHeight};
  return l;
}

void TStringTreeList::PaintRow(Canvas& strip, PTreeNode node) {
  const int index = NodeIndex(node);
  if (index < 0) return;
  const int content_top = index * DefaultNodeHeight;  // of the row, for the dots
  const int h = DefaultNodeHeight;
  strip.FillRect({0, 0, client_width_, h}, Colors.Background);
  strip.SetFont(Font);
  const bool selected = node == selected_;
  const Color sel_fill = focused_window_ ? Colors.FocusedSelectionColor : Colors.UnfocusedSelectionColor;
  const Color sel_frame = focused_window_ ? Colors.FocusedSelectionBorderColor : Colors.UnfocusedSelectionBorderColor;
  // Every text of the row has the font's height: measured once, at the first text drawn.
  int text_height = -1;
  // Grid dots keep a checkerboard fixed to the content, so they line up across cells and rows.
  const int dot_phase = offset_x_ + content_top;
  for (TColumnIndex c : header_.VisibleColumns()) {
    const TTreeColumn& col = header_.Column(c);
    int left = header_.ColumnLeft(c);
    int right = left + col.Width;
    if (right <= 0 || left >= client_width_) continue;
    Rect cell{left, 0, right, h};
    if (cell.right > cell.left)
      strip.DottedLine(cell.left, cell.bottom - 1, cell.right, cell.bottom - 1, Colors.GridLineColor,
                       Colors.Background, dot_phase);
    cell.bottom -= 1;
    if (c != header_.LastPositionColumn()) {
      strip.DottedLine(cell.right - 1, cell.top, cell.right - 1, cell.bottom, Colors.GridLineColor, Colors.Background,
                       dot_phase);
      cell.right -= 1;
    }
    if (!col.Options.Has(coParentColor)) strip.FillRect(cell, col.Color);
    if (selected) {
      strip.FillRect(cell, sel_fill);
      Frame(strip, cell, sel_frame);
    }
    CellTextLayout l = LayoutCell(node, c, 0);
    if (focused_window_ && node == focused_ && c == focus_column_) {
      Rect focus{l.content_left, cell.top, std::min(cell.right, l.content_left + l.full_width + 2 * TextMargin),
                 cell.bottom};
      strip.DrawFocusRect(focus);
    }
    if (l.image_index >= 0 && state_images_ && l.image_index < state_images_->Count()) {
      Size is = state_images_->ImageSize();
      state_images_->Draw(strip, l.image_index, cell.left + Margin, (h - is.cy) / 2);
    }
    if (!l.shown_text.empty()) {
      if (text_height < 0) text_height = strip.TextExtent(l.shown_text).cy;
      int y = cell.top + (cell.Height() - text_height) / 2;
      Color color = (selected && focused_window_) ? Colors.HighlightText : Colors.WindowText;
      strip.TextOut(l.text_x, y, l.shown_text, color, cell);
    }
    if (OnAfterCellPaint) OnAfterCellPaint(*this, strip, node, c, cell);
  }
}

void TStringTreeList::PaintRows(RowStripSink& strips, Canvas& below, const Rect& update) {
  const int count = RowCount();
  int first = std::max(0, (std::max(update.top, 0) + offset_y_) / DefaultNodeHeight);
  int last = std::min(count - 1, (std::min(update.bottom, client_height_) - 1 + offset_y_) / DefaultNodeHeight);
  PTreeNode node = first <= last ? NodeAtIndex(first) : nullptr;
  for (int i = first; node && i <= last; ++i, node = RowSequence::Next(node)) {
    int top = i * DefaultNodeHeight - offset_y_;
    Canvas& strip = strips.BeginStrip({0, top, client_width_, top + DefaultNodeHeight});
    if (!node->initialized) {
      node->initialized = true;
      --uninitialized_;
    }
    PaintRow(strip, node);
    strips.EndStrip();
  }
  int rows_bottom = count * DefaultNodeHeight - offset_y_;
  if (rows_bottom < update.bottom)
    below.FillRect({update.left, std::max(rows_bottom, update.top), update.right, update.bottom}, Colors.Background);
}

Rect TStringTreeList::PlaceTooltip(const Rect& tip, const std::vector<Rect>& work_areas) {
  if (work_areas.empty()) return tip;
  // The monitor showing most of the tip; without any overlap, the nearest one.
  const Rect* best = nullptr;
  long long best_area = 0;
  long long best_distance = 0;
  for (const Rect& area : work_areas) {
    const Rect common = tip.Intersect(area);
    const long long overlap = common.IsEmpty() ? 0 : static_cast<long long>(common.Width()) * common.Height();
    const long long dx = std::max({0, area.left - tip.right, tip.left - area.right});
    const long long dy = std::max({0, area.top - tip.bottom, tip.top - area.bottom});
    const long long distance = dx * dx + dy * dy;
    if (!best || overlap > best_area || (overlap == 0 && best_area == 0 && distance < best_distance)) {
      best = &area;
      best_area = overlap;
      best_distance = distance;
    }
  }
  const int dx = std::min(0, best->right - tip.right);
  const int dy = std::min(0, best->bottom - tip.bottom);
  return tip.Offset(dx, dy);
}

std::optional<TreeTooltip> TStringTreeList::TooltipAt(Point p, bool app_active, bool captured) {
  if (last_tooltip_rect_ && !last_tooltip_rect_->Contains(p)) last_tooltip_rect_.reset();
  if (captured || !app_active || header_.Tracking()) return std::nullopt;
  if (p.x < 0 || p.y < 0 || p.x >= client_width_ || p.y >= client_height_) return std::nullopt;
  PTreeNode node = NodeAtY(p.y);
  TColumnIndex column = header_.ColumnAtX(p.x);
  if (!node || column == NoColumn) return std::nullopt;
  Rect row = RowRect(node);
  CellTextLayout l = LayoutCell(node, column, row.top);
  const Rect& r = l.full_text_rect;
  if (!r.Contains(p)) return std::nullopt;
  int col_left = header_.ColumnLeft(column);
  int col_right = col_left + header_.Column(column).Width;
  bool beyond = r.right > std::min(col_right - 1, client_width_) || r.left < std::max(col_left, 0) || r.top < 0 ||
                r.bottom > client_height_;
  if (!beyond) return std::nullopt;
  if (last_tooltip_rect_ && *last_tooltip_rect_ == r) return std::nullopt;
  last_tooltip_rect_ = r;
  TreeTooltip t;
  t.text_rect = r;
  t.window_rect = {r.left - 1, r.top - 1, r.right + 1, r.bottom};
  t.text = l.full_text;
  t.node = node;
  t.column = column;
  return t;
}

// --- Header ----------------------------------------------------------------------------------------

namespace {

constexpr Color kFaceNormal = Rgb(235, 234, 219);
constexpr Color kFaceHot = Rgb(250, 248, 243);
constexpr Color kFacePressed = Rgb(222, 223, 216);

void PaintFlatBottom(Canvas& c, const Rect& r) {
  c.Line(r.left, r.bottom - 3, r.right, r.bottom - 3, Rgb(224, 222, 207));
  c.Line(r.left, r.bottom - 2, r.right, r.bottom - 2, Rgb(213, 210, 195));
  c.Line(r.left, r.bottom - 1, r.right, r.bottom - 1, Rgb(203, 199, 184));
}

void PaintSortGlyph(Canvas& c, int x, int item_height, bool ascending, bool themed) {
  if (themed) {
    const int h = 5;
    int top = (item_height - h) / 2;
    for (int i = 0; i < h; ++i) {
      int row = ascending ? i : h - 1 - i;  // widest row at the bottom when pointing up
      int half = i;
      c.Line(x + 4 - half, top + row, x + 5 + half, top + row, Rgb(154, 154, 154));
    }
    return;
  }
  const int h = 8;
  int top = (item_height - h) / 2;
  for (int i = 0; i < h; ++i) {
    int half = (i * 4 + 3) / 7;  // 0 at the tip, 4 at the base: 9 pixels wide
    int y = top + (ascending ? i : h - 1 - i);
    int l = x + 4 - half, r = x + 4 + half;
    if (i == h - 1) {
      // The base: dark under an up-pointing glyph's shadow side, white on the lit side.
      c.Line(l, y, r + 1, y, ascending ? kWhite : Rgb(134, 134, 134));
      continue;
    }
    if (r > l) c.Line(l + 1, y, r, y, Rgb(197, 197, 197));
    c.SetPixel(l, y, Rgb(134, 134, 134));
    c.SetPixel(r, y, kWhite);
  }
}

}  // namespace

void TTreeHeader::PaintItem(Canvas& canvas, TColumnIndex c, const Rect& r, const HeaderTheme* theme) const {
  const TTreeColumn& col = Column(c);
  const bool pressed = c == pressed_column_ && !Tracking();
  const bool hot = !pressed && c == hot_column_ && HotTrack && col.Options.Has(coEnabled);
  if (theme) {
    theme->DrawItem(canvas, r, pressed ? HeaderTheme::ItemState::Pressed
                               : hot   ? HeaderTheme::ItemState::Hot
                                       : HeaderTheme::ItemState::Normal);
  } else if (pressed) {
    canvas.FillRect(r, kFacePressed);
    Color outer = Rgb(165, 165, 151);
    canvas.Line(r.left, r.top, r.left, r.bottom, outer);
    canvas.Line(r.left, r.bottom - 1, r.right, r.bottom - 1, outer);
    canvas.Line(r.right - 1, r.top, r.right - 1, r.bottom, outer);
    canvas.Line(r.left + 1, r.top, r.left + 1, r.bottom - 1, Rgb(193, 194, 184));
    canvas.Line(r.left + 1, r.top, r.right - 1, r.top, Rgb(193, 194, 184));
    canvas.Line(r.left + 2, r.top + 1, r.left + 2, r.bottom - 1, Rgb(208, 209, 201));
    canvas.Line(r.left + 2, r.top + 1, r.right - 1, r.top + 1, Rgb(208, 209, 201));
  } else if (hot) {
    canvas.FillRect(r, kFaceHot);
    canvas.Line(r.left + 1, r.bottom - 3, r.right - 1, r.bottom - 3, Rgb(227, 150, 88));
    canvas.Line(r.left, r.bottom - 2, r.right, r.bottom - 2, Rgb(227, 145, 79));
    canvas.Line(r.left + 1, r.bottom - 1, r.right - 1, r.bottom - 1, Rgb(207, 114, 37));
  } else {
    canvas.FillRect(r, kFaceNormal);
    canvas.Line(r.right - 2, r.top + 3, r.right - 2, r.bottom - 5, Rgb(199, 197, 178));
    canvas.Line(r.right - 1, r.top + 3, r.right - 1, r.bottom - 5, kWhite);
    PaintFlatBottom(canvas, r);
  }

  canvas.SetFont(Font);
  const bool glyph = ShowSortGlyphs && c == sort_column_;
  const int glyph_space = glyph ? kGlyphGap + kGlyphWidth : 0;
  const int shift = pressed ? 1 : 0;
  Rect inner = r.Inflate(-2, -2);
  int avail = inner.right - TStringTreeList::Margin - (inner.left + TStringTreeList::Margin) - glyph_space;
  auto measure = [&canvas](std::string_view s) { return canvas.TextWidth(s); };
  std::string shown = TStringTreeList::ShortenText(col.Text, std::max(0, avail), measure);
  int w = measure(shown);
  int x = inner.left + TStringTreeList::Margin;
  if (col.Alignment == TAlignment::taCenter && shown == col.Text)
    x = r.left + (r.Width() - w - glyph_space) / 2;
  else if (col.Alignment == TAlignment::taRightJustify)
    x = inner.right - TStringTreeList::Margin - w - glyph_space;
  int text_h = canvas.TextExtent(shown.empty() ? std::string_view("A") : std::string_view(shown)).cy;
  int y = inner.top + (inner.Height() - text_h) / 2;
  Color color = (hot && !theme) ? tree_.Colors.HeaderHotColor : tree_.Colors.HeaderText;
  if (!shown.empty()) canvas.TextOut(x + shift, y + shift, shown, color, inner);
  if (glyph) PaintSortGlyph(canvas, x + w + kGlyphGap + shift, kHeight + 2 * shift, sort_direction_ == sdAscending, theme != nullptr);
}

void TTreeHeader::Paint(Canvas& canvas, int width, const HeaderTheme* theme) const {
  int right_end = -tree_.OffsetX();
  for (TColumnIndex c : VisibleColumns()) {
    Rect r{ColumnLeft(c), 0, ColumnLeft(c) + Column(c).Width, kHeight};
    right_end = r.right;
    if (r.right <= 0 || r.left >= width) continue;
    PaintItem(canvas, c, r, theme);
  }
  if (right_end < width) {
    Rect rest{std::max(right_end, 0), 0, width, kHeight};
    if (theme) {
      theme->DrawRightArea(canvas, rest);
    } else {
      canvas.FillRect(rest, kFaceNormal);
      PaintFlatBottom(canvas, rest);
    }
  }
}

}  // namespace netscry
