// Mouse, keyboard, wheel and incremental search in the rows area.
#include <algorithm>

#include "controls/tree_list.h"

namespace netscry {

void TStringTreeList::MoveFocusTo(PTreeNode node) {
  if (!node) return;
  focused_ = node;
  selected_ = node;
  if (focus_column_ == NoColumn) focus_column_ = header_.MainColumn();
  ScrollIntoView(node);
  InvalidateRows();
}

void TStringTreeList::MouseDown(TMouseButton button, Point p, TShiftState /*shift*/, bool double_click) {
  if (button == TMouseButton::mbMiddle) return;
  if (!focused_window_ && host_) host_->TakeFocus();
  if (double_click && button == TMouseButton::mbLeft) {
    // The first press of the pair already selected; this one only reports the double click
    // (the control's own double-click action toggles rows with children: there are none).
    if (OnDblClick) OnDblClick(*this);
    return;
  }
  PTreeNode node = NodeAtY(p.y);
  if (!node) {
    press_column_ = NoColumn;
    return;
  }
  TColumnIndex column = header_.ColumnAtX(p.x);
  header_.SetClickedColumn(column);
  // A press outside the searched column sends the search to the main column, never to the
  // clicked column itself.
  if (column != focus_column_) focus_column_ = header_.MainColumn();
  press_column_ = column;
  MoveFocusTo(node);
}

void TStringTreeList::MouseUp(TMouseButton button, Point p, TShiftState shift) {
  if (button == TMouseButton::mbMiddle) return;
  TColumnIndex column = header_.ColumnAtX(p.x);
  if (press_column_ != NoColumn && column == press_column_ && OnColumnClick) {
    click_button_ = button;
    OnColumnClick(*this, press_column_, shift);
  }
  if (button == TMouseButton::mbRight) {
    PTreeNode node = NodeAtY(p.y);
    ShowPopupFor(node, node ? column : NoColumn, p);
  }
}

void TStringTreeList::ShowPopupFor(PTreeNode node, TColumnIndex column, Point p) {
  TPopupMenu menu = AskPopupMenu(node, column, p);
  if (menu && host_) host_->ShowPopup(menu, p);
}

void TStringTreeList::MouseWheel(int delta, TShiftState shift, int wheel_lines) {
  int step = (wheel_lines < 0 || shift.Ctrl) ? client_height_ : wheel_lines * DefaultNodeHeight;
  int pixels = delta * step / 120;
  bool horizontal = shift.Shift || ContentHeight() <= client_height_;
  if (horizontal)
    ScrollBy(-pixels, 0);
  else
    ScrollBy(0, -pixels);
}

Point TStringTreeList::ContextMenuPoint() {
  if (!focused_) return {0, 0};
  Rect row = RowRect(focused_);
  int y = row.top + DefaultNodeHeight / 2;
  if (!header_.IsValidColumn(focus_column_)) return {0, y};
  int extent = std::min(CellContentWidth(focused_, focus_column_), header_.Column(focus_column_).Width);
  return {header_.ColumnLeft(focus_column_) + extent / 2, y};
}

bool TStringTreeList::KeyDown(TListKey key, TShiftState shift) {
  const int count = RowCount();
  auto index_of_focus = [&] { return focused_ ? NodeIndex(focused_) : -1; };
  switch (key) {
    case TListKey::Up:
    case TListKey::Down: {
      bool down = key == TListKey::Down;
      if (shift.Ctrl) {
        ScrollBy(0, down ? DefaultNodeHeight : -DefaultNodeHeight);
        return true;
      }
      if (count == 0) return true;
      if (focus_column_ == NoColumn) focus_column_ = header_.MainColumn();
      int i = index_of_focus();
      int target = i < 0 ? 0 : std::clamp(i + (down ? 1 : -1), 0, count - 1);
      MoveFocusTo(NodeAtIndex(target));
      return true;
    }
    case TListKey::PageUp:
    case TListKey::PageDown: {
      bool down = key == TListKey::PageDown;
      if (shift.Ctrl) {
        ScrollBy(0, down ? client_height_ : -client_height_);
        return true;
      }
      if (count == 0) return true;
      int i = index_of_focus();
      int page = RowsPerPage();
      int target = i < 0 ? 0 : std::clamp(i + (down ? page : -page), 0, count - 1);
      MoveFocusTo(NodeAtIndex(target));
      return true;
    }
    case TListKey::Home:
    case TListKey::End:
      if (count == 0) return true;
      MoveFocusTo(NodeAtIndex(key == TListKey::Home ? 0 : count - 1));
      return true;
    case TListKey::Left:
    case TListKey::Right: {
      if (!shift.Ctrl) return true;
      std::vector<TColumnIndex> visible = header_.VisibleColumns();
      if (visible.empty()) return true;
      int step = header_.VisibleWidth() / int(visible.size());
      ScrollBy(key == TListKey::Right ? step : -step, 0);
      return true;
    }
    case TListKey::Apps:
      ShowPopupFor(focused_, focus_column_, ContextMenuPoint());
      return true;
    case TListKey::Escape:
      if (!header_.Tracking()) return false;
      header_.CancelTracking();
      return true;
    case TListKey::Other:
      return false;
  }
  return false;
}

// --- Incremental search ----------------------------------------------------------------------------

bool TStringTreeList::RowMatches(PTreeNode node, const std::string& text) {
  std::string cell = CellText(node, focus_column_);
  return cell.size() >= text.size() && cell.compare(0, text.size(), text) == 0;
}

PTreeNode TStringTreeList::SearchStep(PTreeNode node, bool backward) const {
  if (backward) {
    PTreeNode p = PrevNode(node);
    return p ? p : rows_.Last();
  }
  PTreeNode n = NextNode(node);
  return n ? n : rows_.First();
}

void TStringTreeList::SearchTimerFired() {
  search_deadline_.reset();
  search_prefix_.clear();
  search_char_lengths_.clear();
  last_hit_ = nullptr;
}

void TStringTreeList::KeyChar(std::string_view ch, std::int64_t now_ms) {
  if (ch.empty()) return;
  // The timer fires at its deadline; a key that comes later finds the search already ended.
  if (search_deadline_ && now_ms >= *search_deadline_) SearchTimerFired();
  search_deadline_.reset();
  const bool backspace = ch == "\b";
  if (!(backspace && search_prefix_.empty())) {
    PTreeNode s = focused_;
    const bool new_search = search_prefix_.empty();
    const bool repeat = !backspace && search_char_lengths_.size() == 1 && ch == search_prefix_ && s &&
                        !RowMatches(s, search_prefix_ + std::string(ch));
    std::string t;
    std::vector<std::size_t> t_lengths = search_char_lengths_;
    if (repeat) {
      t = search_prefix_;
    } else if (backspace) {
      search_prefix_.resize(search_prefix_.size() - search_char_lengths_.back());
      search_char_lengths_.pop_back();
      t = search_prefix_;
      t_lengths = search_char_lengths_;
    } else {
      t = search_prefix_ + std::string(ch);
      t_lengths.push_back(ch.size());
    }
    PTreeNode r;
    if (new_search || !s || repeat || backspace)
      r = s ? SearchStep(s, backspace) : (backspace ? rows_.Last() : rows_.First());
    else
      r = s;
    PTreeNode hit = nullptr;
    if (r) {
      PTreeNode stop = s ? s : r;
      PTreeNode run = r;
      do {
        if (RowMatches(run, t)) {
          hit = run;
          break;
        }
        run = SearchStep(run, backspace);
      } while (run != stop);
    }
    if (hit) {
      ClearSelection();
      search_prefix_ = t;
      search_char_lengths_ = t_lengths;
      last_hit_ = hit;
      FocusNode(hit);
      SelectNode(hit, true);
    } else if (s && !RowMatches(s, t) && host_) {
      host_->Beep();
    }
  }
  search_deadline_ = now_ms + IncrementalSearchTimeout;
}

}  // namespace netscry
