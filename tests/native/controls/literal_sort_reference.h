#pragma once
// The row order taken literally: a linked list of rows that is sorted in full by a top-down merge
// sort (first n div 2 rows, then the rest; the second head is taken only when it must come
// strictly first) after every append and every change of sort column or direction. The tests
// and the benchmark compare the list control's cleverer sorting with it.
#include <functional>
#include <memory>
#include <vector>

namespace netscry::test {

struct LiteralRow {
  int id;
  LiteralRow* next = nullptr;
};

class LiteralSortedList {
 public:
  // cmp(a_id, b_id, column) like OnCompareNodes.
  using Compare = std::function<int(int, int, int)>;
  explicit LiteralSortedList(Compare cmp) : cmp_(std::move(cmp)) {}

  int sort_column = 1;
  bool descending = false;
  bool auto_sort = true;

  void Append(int id) {
    rows_.push_back(std::make_unique<LiteralRow>(LiteralRow{id}));
    LiteralRow** tail = &head_;
    while (*tail) tail = &(*tail)->next;
    *tail = rows_.back().get();
    if (auto_sort) Sort(sort_column, descending);
  }
  void Remove(int id) {
    for (LiteralRow** p = &head_; *p; p = &(*p)->next)
      if ((*p)->id == id) {
        *p = (*p)->next;
        return;
      }
  }
  void SetSortColumn(int c) {
    if (c == sort_column) return;
    sort_column = c;
    if (auto_sort) Sort(sort_column, descending);
  }
  void SetDescending(bool d) {
    if (d == descending) return;
    descending = d;
    if (auto_sort) Sort(sort_column, descending);
  }
  void Sort(int column, bool desc) {
    int n = 0;
    for (LiteralRow* r = head_; r; r = r->next) ++n;
    head_ = SortChain(head_, n, column, desc);
  }
  std::vector<int> Order() const {
    std::vector<int> v;
    for (LiteralRow* r = head_; r; r = r->next) v.push_back(r->id);
    return v;
  }

 private:
  LiteralRow* SortChain(LiteralRow* chain, int n, int column, bool desc) {
    if (n < 2) {
      if (chain) chain->next = nullptr;
      return chain;
    }
    int half = n / 2;
    LiteralRow* second = chain;
    for (int i = 0; i < half; ++i) second = second->next;
    LiteralRow* a = SortChain(chain, half, column, desc);
    LiteralRow* b = SortChain(second, n - half, column, desc);
    LiteralRow* head = nullptr;
    LiteralRow** out = &head;
    while (a && b) {
      int r = cmp_(a->id, b->id, column);
      bool take_b = desc ? r < 0 : r > 0;
      LiteralRow*& from = take_b ? b : a;
      *out = from;
      out = &from->next;
      from = from->next;
    }
    *out = a ? a : b;
    return head;
  }

  Compare cmp_;
  std::vector<std::unique_ptr<LiteralRow>> rows_;
  LiteralRow* head_ = nullptr;
};

}  // namespace netscry::test
