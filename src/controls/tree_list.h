#pragma once
// The connection list control's model: a flat, virtual, multi-column list whose rows are nodes
// carrying a user area, with automatic sorting, selection and focus, keyboard and mouse handling,
// incremental search, scrolling, hit testing, painting through a Canvas and tooltip decisions.
// Time is an input: the window glue runs the timers and reports when they fire.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "base/canvas.h"
#include "controls/node_record.h"
#include "controls/row_sequence.h"
#include "controls/tree_header.h"
#include "controls/tree_host.h"
#include "controls/tree_types.h"

namespace netscry {

struct TreeTooltip {
  Rect text_rect;    // the rectangle the cell's full text occupies (rows-area coordinates)
  Rect window_rect;  // where the tooltip window goes (rows-area coordinates)
  std::string text;
  PTreeNode node = nullptr;
  TColumnIndex column = NoColumn;
};

class TStringTreeList {
 public:
  static constexpr int DefaultNodeHeight = 22;
  static constexpr int Margin = 4;
  static constexpr int TextMargin = 4;
  static constexpr int IncrementalSearchTimeout = 200;
  static constexpr int kStateImageWidth = 16;
  static constexpr int kStateImageGap = 2;

  TStringTreeList();
  ~TStringTreeList();
  TStringTreeList(const TStringTreeList&) = delete;
  TStringTreeList& operator=(const TStringTreeList&) = delete;

  // Callbacks. Output parameters arrive preset (empty text, image -1, result 0, no menu).
  std::function<void(TStringTreeList& Sender, PTreeNode Node, TColumnIndex Column,
                     TTreeTextType TextType, std::string& CellText)>
      OnGetText;
  std::function<void(TStringTreeList& Sender, PTreeNode Node, TTreeImageKind Kind,
                     TColumnIndex Column, bool& Ghosted, int& ImageIndex)>
      OnGetImageIndex;
  std::function<void(TStringTreeList& Sender, PTreeNode Node1, PTreeNode Node2,
                     TColumnIndex Column, int& Result)>
      OnCompareNodes;
  std::function<void(TStringTreeList& Sender, PTreeNode Node)> OnFreeNode;
  std::function<void(TStringTreeList& Sender, Canvas& TargetCanvas, PTreeNode Node,
                     TColumnIndex Column, const Rect& CellRect)>
      OnAfterCellPaint;
  std::function<void(TTreeHeader& Sender, const TTreeHeaderHitInfo& HitInfo)> OnHeaderClick;
  std::function<void(TTreeHeader& Sender, const TTreeHeaderHitInfo& HitInfo)> OnHeaderDblClick;
  std::function<void(TStringTreeList& Sender, TColumnIndex Column, TShiftState Shift)> OnColumnClick;
  std::function<void(TStringTreeList& Sender, PTreeNode Node, TColumnIndex Column, Point P,
                     bool& AskParent, TPopupMenu& PopupMenu)>
      OnGetPopupMenu;
  std::function<void(TStringTreeList& Sender)> OnDblClick;

  void SetHost(TreeListHost* host) { host_ = host; }
  TTreeHeader& Header() { return header_; }
  const TTreeHeader& Header() const { return header_; }
  TTreeColors Colors;
  FontAttrs Font{"Arial", 11};
  bool AutoSort = true;  // toAutoSort

  // --- The user area -------------------------------------------------------------------------
  // The nominal size of each row's user area. Setting the value it has does nothing; setting
  // another value while rows exist deletes every row and makes as many new, empty rows.
  int NodeDataSize() const { return node_data_size_; }
  void SetNodeDataSize(int size);
  // The object each row holds (null: NodeDataSize zero-filled bytes). Changing it while rows
  // exist remakes the rows like a size change.
  void SetNodeRecordType(const NodeRecordType* type);
  const NodeRecordType* NodeRecordTypeInUse() const { return record_type_; }
  // The row's user area, or null for no row or the root. Throws std::logic_error
  // ("NodeDataSize not initialized.") while NodeDataSize is not positive. Taking the record this
  // way tells the list that the row may change: its order is checked again at the next sort.
  // Change a record only through a pointer taken after the last sort.
  void* RowRecord(PTreeNode node);
  // Reading only; does not mark the row.
  const void* ReadRowRecord(PTreeNode node) const;
  template <class T>
  T* RowRecordAs(PTreeNode node) {
    CheckRecordType(NodeRecordTypeOf<T>());
    return static_cast<T*>(RowRecord(node));
  }
  template <class T>
  const T* ReadRowRecordAs(PTreeNode node) const {
    CheckRecordType(NodeRecordTypeOf<T>());
    return static_cast<const T*>(ReadRowRecord(node));
  }

  // --- Rows ------------------------------------------------------------------------------------
  PTreeNode RootNode() { return &root_; }
  PTreeNode AppendNode();
  // A new row in front of `before` (a row of this list; null or the root: at the end). Like
  // AppendNode, the list then sorts when it sorts on append.
  PTreeNode InsertNode(PTreeNode before);
  void RemoveNode(PTreeNode node);
  void Clear();
  PTreeNode FirstNode();
  PTreeNode LastNode() const { return rows_.Last(); }
  PTreeNode NextNode(PTreeNode node) const;
  PTreeNode PrevNode(PTreeNode node) const;
  int TotalNodeCount();
  int RowCount() const { return int(rows_.Size()); }
  int NodeIndex(PTreeNode node) const;  // -1 for no row or the root
  PTreeNode NodeAtIndex(int index) const;
  bool IsInitialized(PTreeNode node) const { return node && node->initialized; }

  int SelectedNodeCount() const { return selected_ ? 1 : 0; }
  bool Selected(PTreeNode node) const { return node && node == selected_; }
  PTreeNode SelectedRow() const { return selected_; }
  void SelectNode(PTreeNode node, bool select);
  void ClearSelection();
  // Focuses the row and, unless told not to, scrolls it into view.
  void FocusNode(PTreeNode node, bool scroll_into_view = true);
  PTreeNode FocusedRow() const { return focused_; }
  TColumnIndex FocusColumn() const { return focus_column_; }

  void SortList(TColumnIndex column, TSortDirection direction);
  void BeginUpdate() { ++update_count_; }
  void EndUpdate();
  int UpdateCount() const { return update_count_; }

  void SetStateImages(const StateImageSource* images) { state_images_ = images; InvalidateRows(); }
  const StateImageSource* StateImages() const { return state_images_; }

  // --- Focus, geometry, scrolling (rows-area client coordinates) --------------------------------
  void SetFocused(bool focused);
  bool Focused() const { return focused_window_; }
  void SetClientSize(int width, int height);
  int ClientWidth() const { return client_width_; }
  int ClientHeight() const { return client_height_; }
  int OffsetX() const { return offset_x_; }
  int OffsetY() const { return offset_y_; }
  int ContentHeight() const { return RowCount() * DefaultNodeHeight; }
  int ContentWidth() const { return header_.VisibleWidth(); }
  void SetOffsets(int x, int y);  // clamped to the scroll ranges
  void ScrollBy(int dx, int dy) { SetOffsets(offset_x_ + dx, offset_y_ + dy); }
  void ScrollIntoView(PTreeNode node);
  PTreeNode NodeAtY(int y) const;
  Rect RowRect(PTreeNode node) const;
  Rect CellRect(PTreeNode node, TColumnIndex column) const;  // including its grid lines
  int RowsPerPage() const;

  // --- Input ---------------------------------------------------------------------------------
  void MouseDown(TMouseButton button, Point p, TShiftState shift, bool double_click);
  void MouseUp(TMouseButton button, Point p, TShiftState shift);
  // delta in wheel units (120 a notch); wheel_lines is the platform's setting, < 0 for pages.
  void MouseWheel(int delta, TShiftState shift, int wheel_lines);
  // Returns false for keys the list does not handle (Tab leaves the list).
  bool KeyDown(TListKey key, TShiftState shift);
  // One typed character (one or two bytes of ANSI text; "\b" for Backspace) at time now_ms.
  void KeyChar(std::string_view ch, std::int64_t now_ms);
  bool SearchTimerRunning() const { return search_deadline_.has_value(); }
  std::optional<std::int64_t> SearchTimerDeadline() const { return search_deadline_; }
  void SearchTimerFired();
  const std::string& SearchPrefix() const { return search_prefix_; }
  PTreeNode LastHitRow() const { return last_hit_; }
  // The button whose release reports a column click (valid inside OnColumnClick).
  TMouseButton ClickButton() const { return click_button_; }

  // --- Painting and tooltips -----------------------------------------------------------------
  // Paints every visible row meeting update (rows-area coordinates) through strips, and the
  // area below the last row directly into below.
  void PaintRows(RowStripSink& strips, Canvas& below, const Rect& update);
  // Paints one row into a strip canvas whose origin is the row's top-left corner on screen.
  void PaintRow(Canvas& strip, PTreeNode node);
  // Where the text of a cell goes: the text after shortening and the rectangle it is drawn in.
  struct CellTextLayout {
    Rect cell;          // without grid lines
    int content_left;   // after Margin and the state image
    int image_index;    // -1 without image
    std::string full_text;
    std::string shown_text;  // "" when nothing fits
    bool shortened;
    int text_x;          // left of the shown text
    int full_width;      // width of the full text
    Rect full_text_rect; // full text plus TextMargin on both sides, unclipped
  };
  CellTextLayout LayoutCell(PTreeNode node, TColumnIndex column, int row_top);
  std::optional<TreeTooltip> TooltipAt(Point p, bool app_active, bool captured);
  // Where a tooltip goes on a desktop of one or more monitors (their work areas, in screen
  // coordinates, as tip is): on the monitor that shows most of it (the nearest one when none
  // does), moved left or up as far as needed to stay inside that monitor's work area.
  static Rect PlaceTooltip(const Rect& tip, const std::vector<Rect>& work_areas);
  // The shortening of text for a box width: the text itself when it fits, otherwise the longest
  // character prefix (at most length − 1 characters) whose width plus "..." fits, followed by
  // "...", or empty when "..." alone does not fit.
  static std::string ShortenText(std::string_view text, int width,
                                 const std::function<int(std::string_view)>& measure);

  // Texts and images through the callbacks (presets applied).
  std::string CellText(PTreeNode node, TColumnIndex column);
  int StateImageIndex(PTreeNode node, TColumnIndex column);
  // Width the cell's content takes: Margin, the state image if any, the whole text and
  // TextMargin on both sides.
  int CellContentWidth(PTreeNode node, TColumnIndex column);

  // Called by the header.
  void SortOnHeaderChange();
  void ColumnsChanged();
  TreeListHost* Host() const { return host_; }
  Size MeasureText(std::string_view text) const;
  TPopupMenu AskPopupMenu(PTreeNode node, TColumnIndex column, Point p);

 private:
  TreeNode* MakeNode();
  std::size_t DataAlign() const;  // of the user area
  void DestroyNode(TreeNode* node, bool raise_free);
  void RemakeRows();
  // Appends count empty rows (records made for the current type) after a Clear.
  void AddFreshRows(std::size_t count);
  void MarkDirty(TreeNode* node);
  void UnmarkDirty(TreeNode* node);
  void InitializeAll();
  void AutoSortIfDue();
  void DoSort(TColumnIndex column, TSortDirection direction);
  void FullSort(TColumnIndex column, TSortDirection direction);
  void IncrementalSort(TColumnIndex column, TSortDirection direction);
  int Compare(TreeNode* a, TreeNode* b, TColumnIndex column);
  void CheckRecordType(const NodeRecordType* type) const;
  void InvalidateRows();
  void ApplyFocusColumnForSelect();
  void MoveFocusTo(PTreeNode node);
  bool RowMatches(PTreeNode node, const std::string& text);
  PTreeNode SearchStep(PTreeNode node, bool backward) const;
  void ClampOffsets();
  void ShowPopupFor(PTreeNode node, TColumnIndex column, Point p);
  Point ContextMenuPoint();

  TTreeHeader header_;
  TreeListHost* host_ = nullptr;
  const StateImageSource* state_images_ = nullptr;
  TreeNode root_;
  RowSequence rows_;
  int node_data_size_ = 0;
  const NodeRecordType* record_type_ = nullptr;

  PTreeNode focused_ = nullptr;
  PTreeNode selected_ = nullptr;
  TColumnIndex focus_column_ = NoColumn;
  int update_count_ = 0;
  std::size_t uninitialized_ = 0;

  // Sort bookkeeping: the rows not marked dirty are in order by (sorted_column_, sorted_direction_).
  std::vector<TreeNode*> dirty_;
  bool order_known_ = false;
  TColumnIndex sorted_column_ = NoColumn;
  TSortDirection sorted_direction_ = sdAscending;
  bool sorting_ = false;

  bool focused_window_ = false;
  int client_width_ = 0;
  int client_height_ = 0;
  int offset_x_ = 0;
  int offset_y_ = 0;

  // Column of the last press on a row; NoColumn after a press beside the rows.
  TColumnIndex press_column_ = NoColumn;
  TMouseButton click_button_ = TMouseButton::mbLeft;

  // Incremental search.
  std::string search_prefix_;
  std::vector<std::size_t> search_char_lengths_;
  PTreeNode last_hit_ = nullptr;
  std::optional<std::int64_t> search_deadline_;

  std::optional<Rect> last_tooltip_rect_;
};

}  // namespace netscry
