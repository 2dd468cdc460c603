#include "controls/tree_header.h"

#include <algorithm>

#include "controls/tree_list.h"

namespace netscry {

TColumnIndex TTreeHeader::AddColumn(const TTreeColumn& column) {
  columns_.push_back(column);
  TTreeColumn& c = columns_.back();
  c.Width = std::clamp(c.Width, c.MinWidth, std::max(c.MinWidth, c.MaxWidth));
  ColumnsChanged();
  return ColumnCount() - 1;
}

void TTreeHeader::SetColumnOptions(TColumnIndex c, TColumnOptions options) {
  if (!IsValidColumn(c)) return;
  TTreeColumn& col = columns_[std::size_t(c)];
  if (col.Options == options) return;
  col.Options = options;
  if (hot_column_ == c && !options.Has(coVisible)) hot_column_ = NoColumn;
  ColumnsChanged();
}

void TTreeHeader::SetColumnWidth(TColumnIndex c, int width) {
  if (!IsValidColumn(c)) return;
  TTreeColumn& col = columns_[std::size_t(c)];
  width = std::clamp(width, col.MinWidth, std::max(col.MinWidth, col.MaxWidth));
  if (width == col.Width) return;
  col.Width = width;
  ColumnsChanged();
}

void TTreeHeader::SetColumnText(TColumnIndex c, const std::string& text) {
  if (!IsValidColumn(c)) return;
  columns_[std::size_t(c)].Text = text;
  if (tree_.Host()) tree_.Host()->InvalidateHeader();
}

void TTreeHeader::SetColumnColor(TColumnIndex c, Color color) {
  if (!IsValidColumn(c)) return;
  columns_[std::size_t(c)].Color = color;
  ColumnsChanged();
}

void TTreeHeader::SetColumnAlignment(TColumnIndex c, TAlignment a) {
  if (!IsValidColumn(c)) return;
  columns_[std::size_t(c)].Alignment = a;
  ColumnsChanged();
}

void TTreeHeader::SetColumnLimits(TColumnIndex c, int min_width, int max_width) {
  if (!IsValidColumn(c)) return;
  TTreeColumn& col = columns_[std::size_t(c)];
  col.MinWidth = std::max(0, min_width);
  col.MaxWidth = std::max(col.MinWidth, max_width);
  col.Width = std::clamp(col.Width, col.MinWidth, col.MaxWidth);
  ColumnsChanged();
}

void TTreeHeader::ColumnsChanged() {
  // Any column change, visibility included, repaints the whole list.
  tree_.ColumnsChanged();
  if (tree_.Host()) {
    tree_.Host()->InvalidateHeader();
    tree_.Host()->InvalidateRows();
  }
}

void TTreeHeader::ApplyAutoSize() {
  if (!IsValidColumn(auto_size_index_)) return;
  int others = 0;
  for (TColumnIndex c : VisibleColumns())
    if (c != auto_size_index_) others += Column(c).Width;
  TTreeColumn& col = columns_[std::size_t(auto_size_index_)];
  col.Width = std::clamp(tree_.ClientWidth() - others, col.MinWidth, std::max(col.MinWidth, col.MaxWidth));
}

// --- Sort state ------------------------------------------------------------------------------------

void TTreeHeader::SetSortColumn(TColumnIndex c) {
  c = std::clamp(c, NoColumn, std::max(NoColumn, ColumnCount() - 1));
  if (c == sort_column_) return;
  sort_column_ = c;
  if (tree_.Host()) tree_.Host()->InvalidateHeader();
  tree_.SortOnHeaderChange();
}

void TTreeHeader::SetSortDirection(TSortDirection d) {
  if (d == sort_direction_) return;
  sort_direction_ = d;
  if (tree_.Host()) tree_.Host()->InvalidateHeader();
  tree_.SortOnHeaderChange();
}

// --- Geometry --------------------------------------------------------------------------------------

std::vector<TColumnIndex> TTreeHeader::VisibleColumns() const {
  std::vector<TColumnIndex> v;
  for (TColumnIndex c = 0; c < ColumnCount(); ++c)
    if (Column(c).Options.Has(coVisible)) v.push_back(c);
  return v;
}

int TTreeHeader::ColumnContentLeft(TColumnIndex c) const {
  int x = 0;
  for (TColumnIndex i = 0; i < c && i < ColumnCount(); ++i)
    if (Column(i).Options.Has(coVisible)) x += Column(i).Width;
  return x;
}

int TTreeHeader::ColumnLeft(TColumnIndex c) const { return ColumnContentLeft(c) - tree_.OffsetX(); }

int TTreeHeader::VisibleWidth() const {
  int w = 0;
  for (const TTreeColumn& c : columns_)
    if (c.Options.Has(coVisible)) w += c.Width;
  return w;
}

TColumnIndex TTreeHeader::ColumnAtX(int x) const {
  int left = -tree_.OffsetX();
  for (TColumnIndex c = 0; c < ColumnCount(); ++c) {
    if (!Column(c).Options.Has(coVisible)) continue;
    int right = left + Column(c).Width;
    if (x >= left && x < right) return c;
    left = right;
  }
  return NoColumn;
}

TColumnIndex TTreeHeader::ResizeZoneAt(int x) const {
  // Asked on every mouse move over the header: one pass over the columns. Where the zones of
  // narrow neighbours overlap, the rightmost column's zone wins.
  TColumnIndex found = NoColumn;
  int edge = -tree_.OffsetX();
  for (TColumnIndex c = 0; c < ColumnCount(); ++c) {
    const TTreeColumn& col = Column(c);
    if (!col.Options.Has(coVisible)) continue;
    edge += col.Width;
    if (col.Options.Has(coResizable) && x >= edge - 4 && x <= edge + 2) found = c;
  }
  return found;
}

HeaderCursor TTreeHeader::CursorAt(Point p) const {
  if (Tracking() || ResizeZoneAt(p.x) != NoColumn) return HeaderCursor::HorizontalSplit;
  return HeaderCursor::Arrow;
}

// --- Mouse -----------------------------------------------------------------------------------------

void TTreeHeader::MouseDown(TMouseButton button, Point p, TShiftState shift, bool double_click) {
  if (button != TMouseButton::mbLeft) return;
  FinishAutoFit();
  drag_press_ = false;
  TColumnIndex zone = ResizeZoneAt(p.x);
  if (double_click) {
    if (zone != NoColumn) {
      const TTreeColumn& col = Column(zone);
      const int target = std::clamp(AutoFitWidth(zone), col.MinWidth, std::max(col.MinWidth, col.MaxWidth));
      if (target != col.Width) {
        anim_column_ = zone;
        anim_from_ = col.Width;
        anim_to_ = target;
        anim_step_ = 0;
      }
    } else {
      TColumnIndex c = ColumnAtX(p.x);
      if (tree_.OnHeaderDblClick) tree_.OnHeaderDblClick(*this, {c, button, shift});
    }
    // The release that ends a double click reports no column.
    pressed_column_ = NoColumn;
    if (tree_.Host()) tree_.Host()->InvalidateHeader();
    return;
  }
  if (zone != NoColumn) {
    tracking_column_ = zone;
    drag_press_ = true;
    // Escape ends the drag: the keys must come to the list while it lasts.
    if (!tree_.Focused() && tree_.Host()) tree_.Host()->TakeFocus();
    return;
  }
  pressed_column_ = ColumnAtX(p.x);
  if (tree_.Host()) tree_.Host()->InvalidateHeader();
}

void TTreeHeader::MouseMove(Point p) {
  if (Tracking()) {
    SetColumnWidth(tracking_column_, p.x - ColumnLeft(tracking_column_));
    return;
  }
  TColumnIndex c = ColumnAtX(p.x);
  if (p.y < 0 || p.y >= kHeight) c = NoColumn;
  if (c != hot_column_) {
    hot_column_ = c;
    if (tree_.Host()) tree_.Host()->InvalidateHeader();
  }
  hot_timer_running_ = true;
}

void TTreeHeader::MouseUp(TMouseButton button, Point p, TShiftState shift) {
  if (button == TMouseButton::mbLeft && (Tracking() || drag_press_)) {
    tracking_column_ = NoColumn;
    drag_press_ = false;
    return;
  }
  TColumnIndex under = ColumnAtX(p.x);
  if (under != NoColumn && !Column(under).Options.Has(coAllowClick)) under = NoColumn;
  if (button == TMouseButton::mbLeft) {
    clicked_column_ = (under != NoColumn && under == pressed_column_) ? under : NoColumn;
  } else {
    clicked_column_ = under;
  }
  TTreeHeaderHitInfo hit{clicked_column_, button, shift};
  if (tree_.OnHeaderClick) tree_.OnHeaderClick(*this, hit);
  if (button == TMouseButton::mbLeft) pressed_column_ = NoColumn;
  if (tree_.Host()) tree_.Host()->InvalidateHeader();
  if (button == TMouseButton::mbRight) {
    TPopupMenu menu = tree_.AskPopupMenu(nullptr, clicked_column_, p);
    if (menu && tree_.Host()) tree_.Host()->ShowPopup(menu, {p.x, p.y - kHeight});
  }
}

void TTreeHeader::CancelTracking() { tracking_column_ = NoColumn; }

void TTreeHeader::ReleaseOutside() {
  tracking_column_ = NoColumn;
  drag_press_ = false;
  pressed_column_ = NoColumn;
  if (tree_.Host()) tree_.Host()->InvalidateHeader();
}

void TTreeHeader::HotTimerFired(std::optional<Point> mouse) {
  if (!hot_timer_running_) return;
  bool outside = !mouse.has_value();
  bool off_pressed = false;
  if (mouse && pressed_column_ != NoColumn) off_pressed = ColumnAtX(mouse->x) != pressed_column_;
  if (!outside && !off_pressed) return;
  hot_column_ = NoColumn;
  clicked_column_ = NoColumn;
  pressed_column_ = NoColumn;
  hot_timer_running_ = false;
  if (tree_.Host()) tree_.Host()->InvalidateHeader();
}

void TTreeHeader::AutoFitTimerFired() {
  if (!AutoFitAnimating()) return;
  ++anim_step_;
  const TColumnIndex c = anim_column_;
  if (anim_step_ >= kAutoFitSteps) anim_column_ = NoColumn;
  SetColumnWidth(c, anim_from_ + (anim_to_ - anim_from_) * anim_step_ / kAutoFitSteps);
}

void TTreeHeader::FinishAutoFit() {
  if (!AutoFitAnimating()) return;
  anim_step_ = kAutoFitSteps - 1;
  AutoFitTimerFired();
}

int TTreeHeader::AutoFitWidth(TColumnIndex c) {
  int best = 0;
  for (PTreeNode n = tree_.FirstNode(); n; n = tree_.NextNode(n)) best = std::max(best, tree_.CellContentWidth(n, c));
  return best + 1;  // the vertical grid line
}

}  // namespace netscry
