#pragma once
// How two connection rows compare, and what the list's header and manage column do when clicked.
// The main window binds both to its list with BindRowSorting.
#include "connlist/columns.h"
#include "connlist/row_record.h"
#include "controls/tree_list.h"

namespace netscry {

// The field a column sorts by (its `sort_by` in kConnColumns); nullptr for the columns that sort
// by nothing and every number outside the table (such columns compare nothing, so sorting by them
// keeps the order).
RecField SortField(int column);

// Negative: a before b in ascending order; 0 when the column compares nothing or the texts are
// equal ignoring the case of ASCII letters (CompareAnsiTextNoCase).
int CompareConnRows(const TMyRec& a, const TMyRec& b, int column);

// The list's comparison callback. Result arrives preset to 0 and stays so for a node without a
// record (none, or the root) and for columns that compare nothing.
void VTSCompareNodes(TStringTreeList& Sender, PTreeNode Node1, PTreeNode Node2, TColumnIndex Column,
                     int& Result);

// The header's click callback: the header's ClickedColumn c decides, the hit information is not
// looked at. Column 9 (manage) does nothing. Otherwise the sort column becomes c (-1: unsorted from
// then on) and then the sort direction is reversed; the list sorts after each change itself.
void VTSHeaderClick(TTreeHeader& Sender, const TTreeHeaderHitInfo& HitInfo);

// VTS.OnCompareNodes := VTSCompareNodes and VTS.OnHeaderClick := VTSHeaderClick, bound as plain
// functions: FillList recognises this comparison and then fills in one sort (list_merge.h).
void BindRowSorting(TStringTreeList& VTS);

}  // namespace netscry
