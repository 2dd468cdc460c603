#pragma once
// The list's header: the columns, their geometry, the sort column and direction, and the
// header's mouse handling (resizing, auto-fit, clicks, hot tracking) and painting.
#include <optional>
#include <string>
#include <vector>

#include "base/canvas.h"
#include "controls/tree_host.h"
#include "controls/tree_types.h"

namespace netscry {

class TStringTreeList;

struct TTreeColumn {
  std::string Text;  // caption, ANSI text
  int Width = 50;
  int MinWidth = 10;
  int MaxWidth = 10000;
  TAlignment Alignment = TAlignment::taLeftJustify;
  netscry::Color Color = kWhite;
  TColumnOptions Options{coAllowClick, coEnabled, coParentBidiMode, coParentColor, coResizable,
                         coShowDropMark, coVisible, coAllowFocus};
};

enum class HeaderCursor { Arrow, HorizontalSplit };

class TTreeHeader {
 public:
  static constexpr int kHeight = 20;
  static constexpr int kGlyphWidth = 9;
  static constexpr int kGlyphGap = 4;
  static constexpr int kHotTimerMs = 50;
  // Auto-fit reaches its width in a few quick steps rather than in one jump.
  static constexpr int kAutoFitSteps = 6;
  static constexpr int kAutoFitTimerMs = 15;

  explicit TTreeHeader(TStringTreeList& tree) : tree_(tree) {}
  TTreeHeader(const TTreeHeader&) = delete;
  TTreeHeader& operator=(const TTreeHeader&) = delete;

  // Columns. Position equals the column number: no column can be moved.
  TColumnIndex AddColumn(const TTreeColumn& column);
  int ColumnCount() const { return int(columns_.size()); }
  const TTreeColumn& Column(TColumnIndex c) const { return columns_.at(std::size_t(c)); }
  bool IsValidColumn(TColumnIndex c) const { return c >= 0 && c < ColumnCount(); }
  bool IsVisible(TColumnIndex c) const { return IsValidColumn(c) && Column(c).Options.Has(coVisible); }
  void SetColumnOptions(TColumnIndex c, TColumnOptions options);
  // Clamped to MinWidth … MaxWidth.
  void SetColumnWidth(TColumnIndex c, int width);
  void SetColumnText(TColumnIndex c, const std::string& text);
  void SetColumnColor(TColumnIndex c, Color color);
  void SetColumnLimits(TColumnIndex c, int min_width, int max_width);
  void SetColumnAlignment(TColumnIndex c, TAlignment a);

  int AutoSizeIndex() const { return auto_size_index_; }
  TColumnIndex MainColumn() const { return 0; }
  FontAttrs Font{"MS Sans Serif", 13};
  bool HotTrack = true;
  bool ShowSortGlyphs = true;

  // Sort state; the setters sort the list (when auto-sorting and no batch is open).
  TColumnIndex SortColumn() const { return sort_column_; }
  void SetSortColumn(TColumnIndex c);
  TSortDirection SortDirection() const { return sort_direction_; }
  void SetSortDirection(TSortDirection d);

  TColumnIndex ClickedColumn() const { return clicked_column_; }
  TColumnIndex PressedColumn() const { return pressed_column_; }
  TColumnIndex HotColumn() const { return hot_column_; }
  // A row press in the list records its column here too.
  void SetClickedColumn(TColumnIndex c) { clicked_column_ = c; }

  // Geometry, x in the window's coordinates (scrolled with the rows).
  std::vector<TColumnIndex> VisibleColumns() const;  // by position
  TColumnIndex LastPositionColumn() const { return ColumnCount() - 1; }
  int ColumnContentLeft(TColumnIndex c) const;        // unscrolled
  int ColumnLeft(TColumnIndex c) const;               // scrolled
  int VisibleWidth() const;                           // sum of the visible columns' widths
  TColumnIndex ColumnAtX(int x) const;                // visible column under x, or NoColumn
  TColumnIndex ResizeZoneAt(int x) const;
  HeaderCursor CursorAt(Point p) const;
  void ApplyAutoSize();

  // Mouse in the header (header coordinates: y 0 … kHeight − 1).
  void MouseDown(TMouseButton button, Point p, TShiftState shift, bool double_click);
  void MouseMove(Point p);
  void MouseUp(TMouseButton button, Point p, TShiftState shift);
  void CancelTracking();  // Escape
  // A left press on an item ended outside the header: no click.
  void ReleaseOutside();
  bool Tracking() const { return tracking_column_ != NoColumn; }
  TColumnIndex TrackingColumn() const { return tracking_column_; }
  bool HotTimerRunning() const { return hot_timer_running_; }
  // The 50 ms timer fired; mouse is the cursor in header coordinates when it is over the header.
  void HotTimerFired(std::optional<Point> mouse);

  // Width that auto-fit (double-click in the resize zone) gives a column, before clamping.
  int AutoFitWidth(TColumnIndex c);
  // The animated auto-fit resize: while it runs, the glue fires the step timer every
  // kAutoFitTimerMs; the last step lands on the target. Any new press finishes it at once.
  bool AutoFitAnimating() const { return anim_column_ != NoColumn; }
  void AutoFitTimerFired();
  void FinishAutoFit();

  void Paint(Canvas& canvas, int width, const HeaderTheme* theme) const;

 private:
  friend class TStringTreeList;
  void ColumnsChanged();
  void PaintItem(Canvas& canvas, TColumnIndex c, const Rect& r, const HeaderTheme* theme) const;

  TStringTreeList& tree_;
  std::vector<TTreeColumn> columns_;
  int auto_size_index_ = 0;
  TColumnIndex sort_column_ = 1;
  TSortDirection sort_direction_ = sdAscending;
  TColumnIndex clicked_column_ = NoColumn;
  TColumnIndex pressed_column_ = NoColumn;
  TColumnIndex hot_column_ = NoColumn;
  TColumnIndex tracking_column_ = NoColumn;
  // The left button that started a width drag is still down (also after Escape ended the drag):
  // its release is no click.
  bool drag_press_ = false;
  bool hot_timer_running_ = false;
  TColumnIndex anim_column_ = NoColumn;
  int anim_from_ = 0;
  int anim_to_ = 0;
  int anim_step_ = 0;
};

}  // namespace netscry
