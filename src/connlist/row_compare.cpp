#include "connlist/row_compare.h"

#include "connlist/text_compare.h"

namespace netscry {

RecField SortField(int column) {
  const ConnColumnInfo* info = ConnColumn(column);
  return info ? info->sort_by : nullptr;
}

namespace {

// Rows share many keys (image names, states); equal texts need no walk byte by byte.
int CompareField(const FieldText& a, const FieldText& b) { return a == b ? 0 : CompareAnsiTextNoCase(a, b); }

}  // namespace

int CompareConnRows(const TMyRec& a, const TMyRec& b, int column) {
  RecField field = SortField(column);
  return field ? CompareField(a.*field, b.*field) : 0;
}

void VTSCompareNodes(TStringTreeList& Sender, PTreeNode Node1, PTreeNode Node2, TColumnIndex Column,
                     int& Result) {
  RecField field = SortField(Column);
  if (!field) return;
  const TMyRec* a = Sender.ReadRowRecordAs<TMyRec>(Node1);
  const TMyRec* b = Sender.ReadRowRecordAs<TMyRec>(Node2);
  if (!a || !b) return;
  Result = CompareField(a->*field, b->*field);
}

void VTSHeaderClick(TTreeHeader& Sender, const TTreeHeaderHitInfo& /*HitInfo*/) {
  const TColumnIndex c = Sender.ClickedColumn();
  if (c == kColManage) return;
  Sender.SetSortColumn(c);
  Sender.SetSortDirection(Sender.SortDirection() == sdAscending ? sdDescending : sdAscending);
}

void BindRowSorting(TStringTreeList& VTS) {
  VTS.OnCompareNodes = VTSCompareNodes;
  VTS.OnHeaderClick = VTSHeaderClick;
}

}  // namespace netscry
