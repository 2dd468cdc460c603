#include "controls/tree_list.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace netscry {

TStringTreeList::TStringTreeList() : header_(*this) { root_.is_root = true; }

TStringTreeList::~TStringTreeList() {
  host_ = nullptr;  // the window may already be gone
  Clear();
}

// --- The user area -------------------------------------------------------------------------------

void TStringTreeList::CheckRecordType(const NodeRecordType* type) const {
  if (record_type_ != type) throw std::logic_error("Row record type mismatch.");
}

void* TStringTreeList::RowRecord(PTreeNode node) {
  if (node_data_size_ <= 0) throw std::logic_error("NodeDataSize not initialized.");
  if (!node || node->is_root) return nullptr;
  // Reads made by the comparison during a sort cannot change the order being built.
  if (!sorting_) MarkDirty(node);
  return node->data;
}

const void* TStringTreeList::ReadRowRecord(PTreeNode node) const {
  if (node_data_size_ <= 0) throw std::logic_error("NodeDataSize not initialized.");
  if (!node || node->is_root) return nullptr;
  return node->data;
}

void TStringTreeList::SetNodeDataSize(int size) {
  if (size == node_data_size_) return;
  node_data_size_ = size;
  RemakeRows();
}

void TStringTreeList::SetNodeRecordType(const NodeRecordType* type) {
  if (type == record_type_) return;
  // Rows made for the old type must be unmade by it.
  const std::size_t count = rows_.Size();
  Clear();
  record_type_ = type;
  AddFreshRows(count);
}

void TStringTreeList::RemakeRows() {
  const std::size_t count = rows_.Size();
  if (count == 0) return;
  Clear();
  AddFreshRows(count);
}

void TStringTreeList::AddFreshRows(std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) {
    TreeNode* n = MakeNode();
    rows_.PushBack(n);
    MarkDirty(n);
  }
  order_known_ = false;
  ClampOffsets();
}

namespace {

// A node and its user area share one allocation: the area follows the node, aligned for its
// object. The layout depends only on whether there is an area and on its alignment, which stay
// fixed while any row exists.
struct NodeBlock {
  std::size_t align;   // of the whole block
  std::size_t offset;  // of the user area
};

NodeBlock BlockFor(std::size_t data_align) {
  const std::size_t offset = (sizeof(TreeNode) + data_align - 1) / data_align * data_align;
  return {std::max(alignof(TreeNode), data_align), offset};
}

}  // namespace

std::size_t TStringTreeList::DataAlign() const {
  return record_type_ ? record_type_->align : alignof(std::max_align_t);
}

TreeNode* TStringTreeList::MakeNode() {
  const bool has_data = node_data_size_ > 0;
  const std::size_t data_size =
      !has_data ? 0 : record_type_ ? record_type_->size : std::size_t(node_data_size_);
  const NodeBlock block = has_data ? BlockFor(DataAlign()) : NodeBlock{alignof(TreeNode), sizeof(TreeNode)};
  void* raw = ::operator new(block.offset + data_size, std::align_val_t(block.align));
  auto* n = ::new (raw) TreeNode();
  if (has_data) {
    n->data = static_cast<char*>(raw) + block.offset;
    if (record_type_) {
      try {
        record_type_->construct(n->data);
      } catch (...) {
        n->~TreeNode();
        ::operator delete(raw, std::align_val_t(block.align));
        throw;
      }
    } else {
      std::memset(n->data, 0, data_size);
    }
  }
  ++uninitialized_;
  return n;
}

void TStringTreeList::DestroyNode(TreeNode* node, bool raise_free) {
  if (raise_free && node->initialized && OnFreeNode) OnFreeNode(*this, node);
  // A free handler that took the record for writing queued the row for the next sort.
  UnmarkDirty(node);
  if (!node->initialized) --uninitialized_;
  // The object was made with the type in force when the node was made; it only changes after
  // every row has been destroyed.
  std::size_t align = alignof(TreeNode);
  if (node->data) {
    if (record_type_) record_type_->destroy(node->data);
    align = BlockFor(DataAlign()).align;
  }
  node->~TreeNode();
  ::operator delete(static_cast<void*>(node), std::align_val_t(align));
}

// --- Rows ------------------------------------------------------------------------------------------

void TStringTreeList::MarkDirty(TreeNode* node) {
  if (node->dirty) return;
  node->dirty = true;
  node->dirty_slot = std::uint32_t(dirty_.size());
  dirty_.push_back(node);
}

void TStringTreeList::UnmarkDirty(TreeNode* node) {
  if (!node->dirty) return;
  TreeNode* last = dirty_.back();
  dirty_[node->dirty_slot] = last;
  last->dirty_slot = node->dirty_slot;
  dirty_.pop_back();
  node->dirty = false;
}

PTreeNode TStringTreeList::AppendNode() { return InsertNode(nullptr); }

PTreeNode TStringTreeList::InsertNode(PTreeNode before) {
  TreeNode* n = MakeNode();
  if (before && !before->is_root && before == rows_.First())
    rows_.PushFront(n);
  else if (before && !before->is_root)
    rows_.InsertBefore(before, n);
  else
    rows_.PushBack(n);
  MarkDirty(n);
  // Only the scroll range changes: the columns, and so the auto-sized width, stay as they are.
  ClampOffsets();
  AutoSortIfDue();
  InvalidateRows();
  return n;
}

void TStringTreeList::RemoveNode(PTreeNode node) {
  if (!node || node->is_root) return;
  if (focused_ == node) focused_ = nullptr;
  if (selected_ == node) selected_ = nullptr;
  if (last_hit_ == node) last_hit_ = nullptr;
  UnmarkDirty(node);
  rows_.Erase(node);
  DestroyNode(node, true);
  ClampOffsets();
  InvalidateRows();
}

void TStringTreeList::Clear() {
  focused_ = selected_ = last_hit_ = nullptr;
  std::vector<TreeNode*> all = rows_.ToVector();
  rows_.Clear();
  dirty_.clear();
  for (TreeNode* n : all) n->dirty = false;
  for (TreeNode* n : all) DestroyNode(n, true);
  uninitialized_ = 0;
  order_known_ = false;
  offset_x_ = offset_y_ = 0;
  InvalidateRows();
}

PTreeNode TStringTreeList::FirstNode() {
  TreeNode* n = rows_.First();
  if (n && !n->initialized) {
    n->initialized = true;
    --uninitialized_;
  }
  return n;
}

PTreeNode TStringTreeList::NextNode(PTreeNode node) const {
  if (!node || node->is_root) return nullptr;
  return RowSequence::Next(node);
}

PTreeNode TStringTreeList::PrevNode(PTreeNode node) const {
  if (!node || node->is_root) return nullptr;
  return RowSequence::Prev(node);
}

int TStringTreeList::TotalNodeCount() {
  InitializeAll();
  return RowCount();
}

int TStringTreeList::NodeIndex(PTreeNode node) const {
  if (!node || node->is_root) return -1;
  return int(RowSequence::IndexOf(node));
}

PTreeNode TStringTreeList::NodeAtIndex(int index) const {
  if (index < 0) return nullptr;
  return rows_.At(std::size_t(index));
}

void TStringTreeList::InitializeAll() {
  // Rows are made dirty and stay so until a sort, which initializes them all: the rows not yet
  // initialized are among the dirty ones.
  if (uninitialized_ == 0) return;
  for (TreeNode* n : dirty_) n->initialized = true;
  uninitialized_ = 0;
}

// --- Selection and focus ---------------------------------------------------------------------------

void TStringTreeList::ApplyFocusColumnForSelect() {
  if (focus_column_ != NoColumn && header_.IsVisible(focus_column_)) return;
  TColumnIndex main = header_.MainColumn();
  if (header_.IsVisible(main) && header_.Column(main).Options.Has(coAllowFocus)) {
    focus_column_ = main;
    return;
  }
  for (TColumnIndex c : header_.VisibleColumns()) {
    if (header_.Column(c).Options.Has(coAllowFocus)) {
      focus_column_ = c;
      return;
    }
  }
}

void TStringTreeList::SelectNode(PTreeNode node, bool select) {
  if (!node || node->is_root) return;
  if (select) {
    selected_ = node;
    ApplyFocusColumnForSelect();
  } else if (selected_ == node) {
    selected_ = nullptr;
  }
  InvalidateRows();
}

void TStringTreeList::ClearSelection() {
  selected_ = nullptr;
  InvalidateRows();
}

void TStringTreeList::FocusNode(PTreeNode node, bool scroll_into_view) {
  if (node && node->is_root) node = nullptr;
  focused_ = node;
  if (node && focus_column_ == NoColumn) focus_column_ = header_.MainColumn();
  if (node && scroll_into_view) ScrollIntoView(node);
  InvalidateRows();
}

// --- Sorting ---------------------------------------------------------------------------------------

int TStringTreeList::Compare(TreeNode* a, TreeNode* b, TColumnIndex column) {
  int result = 0;
  if (OnCompareNodes) OnCompareNodes(*this, a, b, column, result);
  return result;
}

void TStringTreeList::AutoSortIfDue() {
  if (!AutoSort || update_count_ != 0 || header_.SortColumn() < NoColumn) return;
  DoSort(header_.SortColumn(), header_.SortDirection());
  // The rows on screen are in the old order until they are painted again: a header click would
  // otherwise leave each shown row over another process than the one a click there acts on.
  InvalidateRows();
}

void TStringTreeList::SortOnHeaderChange() { AutoSortIfDue(); }

void TStringTreeList::EndUpdate() {
  if (update_count_ == 0) return;
  if (--update_count_ == 0) AutoSortIfDue();
}

void TStringTreeList::SortList(TColumnIndex column, TSortDirection direction) {
  if (column < NoColumn) return;
  DoSort(column, direction);
  InvalidateRows();
}

void TStringTreeList::DoSort(TColumnIndex column, TSortDirection direction) {
  InitializeAll();
  if (rows_.Size() < 2) {
    for (TreeNode* n : dirty_) n->dirty = false;
    dirty_.clear();
    order_known_ = true;
    sorted_column_ = column;
    sorted_direction_ = direction;
    return;
  }
  sorting_ = true;
  try {
    // Re-placing k changed rows costs about k·log n comparisons; beyond a quarter of the rows a
    // whole sort is as cheap.
    if (order_known_ && sorted_column_ == column && sorted_direction_ == direction &&
        dirty_.size() <= rows_.Size() / 4)
      IncrementalSort(column, direction);
    else
      FullSort(column, direction);
  } catch (...) {
    sorting_ = false;
    order_known_ = false;
    throw;
  }
  sorting_ = false;
  for (TreeNode* n : dirty_) n->dirty = false;
  dirty_.clear();
  order_known_ = true;
  sorted_column_ = column;
  sorted_direction_ = direction;
}

namespace {

// The stable top-down merge sort: the first n div 2 rows, then the rest, then a merge that takes
// the second head only when it must come strictly first.
template <class T, class Cmp>
void MergeSortRange(std::vector<T>& v, std::vector<T>& tmp, std::size_t lo, std::size_t n, bool descending,
                    Cmp& cmp) {
  if (n < 2) return;
  std::size_t half = n / 2;
  MergeSortRange(v, tmp, lo, half, descending, cmp);
  MergeSortRange(v, tmp, lo + half, n - half, descending, cmp);
  // Halves already in order, as when the rows were sorted before: the merge would take the whole
  // first half first (the comparison is an ordering), so there is nothing to move.
  const int boundary = cmp(v[lo + half - 1], v[lo + half]);
  if (descending ? boundary >= 0 : boundary <= 0) return;
  std::size_t a = lo, a_end = lo + half, b = lo + half, b_end = lo + n, out = lo;
  while (a < a_end && b < b_end) {
    int r = cmp(v[a], v[b]);
    bool take_b = descending ? r < 0 : r > 0;
    tmp[out++] = take_b ? v[b++] : v[a++];
  }
  while (a < a_end) tmp[out++] = v[a++];
  while (b < b_end) tmp[out++] = v[b++];
  std::copy(tmp.begin() + std::ptrdiff_t(lo), tmp.begin() + std::ptrdiff_t(lo + n),
            v.begin() + std::ptrdiff_t(lo));
}

}  // namespace

void TStringTreeList::FullSort(TColumnIndex column, TSortDirection direction) {
  // Rows already in order, as after a fill that appended them so, stay as they are; the walk
  // stops at the first row out of order.
  const bool descending = direction == sdDescending;
  bool in_order = true;
  for (TreeNode *a = rows_.First(), *b = a ? RowSequence::Next(a) : nullptr; b && in_order;
       a = b, b = RowSequence::Next(b)) {
    const int r = Compare(a, b, column);
    in_order = descending ? r >= 0 : r <= 0;
  }
  if (in_order) return;
  std::vector<TreeNode*> v = rows_.ToVector();
  std::vector<TreeNode*> tmp(v.size());
  auto cmp = [&](TreeNode* a, TreeNode* b) { return Compare(a, b, column); };
  MergeSortRange(v, tmp, 0, v.size(), descending, cmp);
  rows_.Assign(v);
}

void TStringTreeList::IncrementalSort(TColumnIndex column, TSortDirection direction) {
  // The stable sort's result is the order by key and then by present position. The clean rows
  // are already in that order among themselves, so each changed row only needs its place among
  // them: after the clean rows with a smaller key, and among equal keys by present position.
  if (dirty_.empty()) return;
  const bool descending = direction == sdDescending;
  struct Moved {
    TreeNode* node;
    std::size_t present;   // position before this sort
    std::size_t clean_before;  // clean rows before it at present
  };
  std::vector<Moved> moved;
  moved.reserve(dirty_.size());
  for (TreeNode* n : dirty_) moved.push_back({n, RowSequence::IndexOf(n), 0});
  std::sort(moved.begin(), moved.end(), [](const Moved& a, const Moved& b) { return a.present < b.present; });
  for (std::size_t i = 0; i < moved.size(); ++i) moved[i].clean_before = moved[i].present - i;
  for (const Moved& m : moved) rows_.Erase(m.node);
  // A comparison that throws must not lose rows: only comparisons can throw, and they all come
  // before any row is put back, so then every taken row goes back, at the end.
  try {
    // The changed rows among themselves, by the same merge sort (they are in present order).
    {
      std::vector<Moved> tmp(moved.size());
      auto cmp = [&](const Moved& a, const Moved& b) { return Compare(a.node, b.node, column); };
      MergeSortRange(moved, tmp, 0, moved.size(), descending, cmp);
    }

    // Places among the clean rows, found before any row is put back.
    std::vector<std::size_t> place(moved.size());
    for (std::size_t i = 0; i < moved.size(); ++i) {
      const Moved& m = moved[i];
      place[i] = rows_.PartitionPoint([&](TreeNode* c, std::size_t j) {
        // Does clean row c (clean position j) come before m? Ask in present order, earlier row
        // first, as the merge sort would.
        bool c_earlier = j < m.clean_before;
        int r = c_earlier ? Compare(c, m.node, column) : -Compare(m.node, c, column);
        if (r == 0) return c_earlier;
        return descending ? r > 0 : r < 0;
      });
    }
    for (std::size_t i = 0; i < moved.size(); ++i) rows_.InsertAt(place[i] + i, moved[i].node);
  } catch (...) {
    for (const Moved& m : moved) rows_.PushBack(m.node);
    throw;
  }
}

// --- Geometry and scrolling ------------------------------------------------------------------------

void TStringTreeList::InvalidateRows() {
  if (host_) host_->InvalidateRows();
}

void TStringTreeList::ColumnsChanged() {
  header_.ApplyAutoSize();
  ClampOffsets();
}

void TStringTreeList::SetClientSize(int width, int height) {
  client_width_ = std::max(0, width);
  client_height_ = std::max(0, height);
  header_.ApplyAutoSize();
  ClampOffsets();
  InvalidateRows();
}

void TStringTreeList::ClampOffsets() {
  int max_x = std::max(0, ContentWidth() - client_width_);
  int max_y = std::max(0, ContentHeight() - client_height_);
  int x = std::clamp(offset_x_, 0, max_x);
  int y = std::clamp(offset_y_, 0, max_y);
  bool changed = x != offset_x_ || y != offset_y_;
  offset_x_ = x;
  offset_y_ = y;
  if (host_) host_->ScrollChanged();
  if (changed) {
    InvalidateRows();
    if (host_) host_->InvalidateHeader();
  }
}

void TStringTreeList::SetOffsets(int x, int y) {
  offset_x_ = x;
  offset_y_ = y;
  ClampOffsets();
  InvalidateRows();
  if (host_) host_->InvalidateHeader();
}

int TStringTreeList::RowsPerPage() const { return std::max(1, client_height_ / DefaultNodeHeight); }

PTreeNode TStringTreeList::NodeAtY(int y) const {
  int content_y = y + offset_y_;
  if (y < 0 || content_y < 0) return nullptr;
  return NodeAtIndex(content_y / DefaultNodeHeight);
}

Rect TStringTreeList::RowRect(PTreeNode node) const {
  int index = NodeIndex(node);
  if (index < 0) return {};
  int top = index * DefaultNodeHeight - offset_y_;
  return {-offset_x_, top, ContentWidth() - offset_x_, top + DefaultNodeHeight};
}

Rect TStringTreeList::CellRect(PTreeNode node, TColumnIndex column) const {
  Rect row = RowRect(node);
  if (row.IsEmpty() || !header_.IsVisible(column)) return {};
  int left = header_.ColumnLeft(column);
  return {left, row.top, left + header_.Column(column).Width, row.bottom};
}

void TStringTreeList::ScrollIntoView(PTreeNode node) {
  int index = NodeIndex(node);
  if (index < 0) return;
  int top = index * DefaultNodeHeight;
  int bottom = top + DefaultNodeHeight;
  int y = offset_y_;
  if (top < y)
    y = top;
  else if (bottom > y + client_height_)
    y = bottom - client_height_;
  int x = offset_x_;
  if (header_.IsVisible(focus_column_)) {
    int left = header_.ColumnContentLeft(focus_column_);
    int right = left + header_.Column(focus_column_).Width;
    if (left < x)
      x = left;
    else if (right > x + client_width_)
      x = std::min(left, right - client_width_);
  }
  if (x != offset_x_ || y != offset_y_) SetOffsets(x, y);
}

void TStringTreeList::SetFocused(bool focused) {
  if (focused == focused_window_) return;
  focused_window_ = focused;
  InvalidateRows();
}

Size TStringTreeList::MeasureText(std::string_view text) const {
  return host_ ? host_->CellTextExtent(text) : Size{};
}

std::string TStringTreeList::CellText(PTreeNode node, TColumnIndex column) {
  std::string text;
  if (!node || node->is_root) return text;
  if (!node->initialized) {
    node->initialized = true;
    --uninitialized_;
  }
  if (OnGetText) OnGetText(*this, node, column, TTreeTextType::ttNormal, text);
  return text;
}

int TStringTreeList::StateImageIndex(PTreeNode node, TColumnIndex column) {
  int index = -1;
  bool ghosted = false;
  if (!state_images_ || !node || node->is_root) return -1;
  if (OnGetImageIndex) OnGetImageIndex(*this, node, TTreeImageKind::ikState, column, ghosted, index);
  return index;
}

int TStringTreeList::CellContentWidth(PTreeNode node, TColumnIndex column) {
  int w = Margin + 2 * TextMargin;
  if (StateImageIndex(node, column) >= 0) w += kStateImageWidth + kStateImageGap;
  return w + MeasureText(CellText(node, column)).cx;
}

TPopupMenu TStringTreeList::AskPopupMenu(PTreeNode node, TColumnIndex column, Point p) {
  TPopupMenu menu = nullptr;
  bool ask_parent = true;
  if (OnGetPopupMenu) OnGetPopupMenu(*this, node, column, p, ask_parent, menu);
  return menu;
}

}  // namespace netscry
