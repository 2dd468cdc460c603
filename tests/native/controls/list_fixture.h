#pragma once
// A list configured the way the main window configures its connection list, with a small record
// of our own, a recording host and a predictable text measure (7 pixels a byte, 13 high).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/bitmap_canvas.h"
#include "connlist/text_compare.h"
#include "controls/tree_list.h"

namespace netscry::test {

struct Rec {
  std::string name;   // column 1 (and searched there)
  std::string pid;    // column 0
  std::string proto;  // column 3
  std::string port;   // column 5
  int id = 0;
};

struct RecordingHost : TreeListHost {
  int beeps = 0;
  int focus_requests = 0;
  int row_invalidations = 0;
  std::vector<std::pair<TPopupMenu, Point>> popups;
  TStringTreeList* list = nullptr;
  void InvalidateRows() override { ++row_invalidations; }
  void Beep() override { ++beeps; }
  void TakeFocus() override {
    ++focus_requests;
    if (list) list->SetFocused(true);
  }
  void ShowPopup(TPopupMenu menu, Point p) override { popups.push_back({menu, p}); }
  Size CellTextExtent(std::string_view text) override { return {int(text.size()) * 7, 13}; }
};

// Column layout of the connection list: 14 columns, 0 hidden, 1 and 3–9 visible, 10–12 hidden
// until the file details are switched on, 13 hidden; column 9 fixed at 40 and centred.
inline void AddConnectionColumns(TTreeHeader& h) {
  const int widths[14] = {60, 120, 60, 40, 90, 60, 90, 60, 70, 40, 200, 150, 120, 50};
  for (int c = 0; c < 14; ++c) {
    TTreeColumn col;
    col.Text = "c" + std::to_string(c);
    col.Width = widths[c];
    col.Options = TColumnOptions::FromValue(2293);
    if (c == 0) col.Options = col.Options.Without(coParentColor).Without(coVisible);
    if (c == 2 || c >= 10) col.Options = col.Options.Without(coVisible);
    if (c == 0) col.Color = 15532031;
    if (c == 9) {
      col.MinWidth = col.MaxWidth = 40;
      col.Alignment = TAlignment::taCenter;
    }
    h.AddColumn(col);
  }
}

class ListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host.list = &list;
    list.SetHost(&host);
    AddConnectionColumns(list.Header());
    list.SetClientSize(746, 22 * 10);
    list.SetNodeRecordType(NodeRecordTypeOf<Rec>());
    list.SetNodeDataSize(48);
    list.OnGetText = [](TStringTreeList& s, PTreeNode n, TColumnIndex c, TTreeTextType, std::string& text) {
      const Rec* r = s.ReadRowRecordAs<Rec>(n);
      if (!r) return;
      if (c == 0) text = r->pid;
      if (c == 1) text = r->name;
      if (c == 3) text = r->proto;
      if (c == 5) text = r->port;
    };
    list.OnCompareNodes = [this](TStringTreeList& s, PTreeNode a, PTreeNode b, TColumnIndex c, int& result) {
      ++compares;
      const Rec* ra = s.ReadRowRecordAs<Rec>(a);
      const Rec* rb = s.ReadRowRecordAs<Rec>(b);
      if (!ra || !rb) return;
      if (c == 1) result = CompareAnsiTextNoCase(ra->name, rb->name);
      if (c == 3) result = CompareAnsiTextNoCase(ra->proto, rb->proto);
      if (c == 5) result = CompareAnsiTextNoCase(ra->port, rb->port);
    };
  }

  // Appends a row the way the fill does: append (which sorts), then fill the record.
  PTreeNode Add(const std::string& name, int id, const std::string& pid = "", const std::string& port = "") {
    PTreeNode n = list.AppendNode();
    Rec* r = list.RowRecordAs<Rec>(n);
    r->name = name;
    r->id = id;
    r->pid = pid;
    r->port = port;
    return n;
  }

  std::vector<int> Ids() {
    std::vector<int> ids;
    for (PTreeNode n = list.FirstNode(); n; n = list.NextNode(n)) ids.push_back(list.ReadRowRecordAs<Rec>(n)->id);
    return ids;
  }

  PTreeNode ById(int id) {
    for (PTreeNode n = list.FirstNode(); n; n = list.NextNode(n))
      if (list.ReadRowRecordAs<Rec>(n)->id == id) return n;
    return nullptr;
  }

  const Rec& R(PTreeNode n) { return *list.ReadRowRecordAs<Rec>(n); }

  RecordingHost host;
  TStringTreeList list;
  int compares = 0;
};

}  // namespace netscry::test
