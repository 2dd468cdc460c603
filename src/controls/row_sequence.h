#pragma once
// The rows of the list in display order, kept as an order-statistic treap threaded through the
// nodes themselves: positions, insertion, removal and "the row at index i" all cost O(log n), so a
// list of tens of thousands of rows can be re-sorted after each append without moving everything.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "controls/tree_types.h"

namespace netscry {

struct TreeNode {
  // Links of the order treap (internal to the row sequence).
  TreeNode* parent = nullptr;
  TreeNode* left = nullptr;
  TreeNode* right = nullptr;
  std::uint32_t priority = 0;
  std::uint32_t size = 1;

  bool initialized = false;
  bool is_root = false;
  // The row's record may have changed since the list was last sorted.
  bool dirty = false;
  std::uint32_t dirty_slot = 0;
  // The user area: one record object (or raw zero-filled bytes), or null without a size.
  void* data = nullptr;
};

class RowSequence {
 public:
  RowSequence() = default;
  RowSequence(const RowSequence&) = delete;
  RowSequence& operator=(const RowSequence&) = delete;

  std::size_t Size() const { return root_ ? root_->size : 0; }
  bool Empty() const { return root_ == nullptr; }

  TreeNode* First() const;
  TreeNode* Last() const;
  static TreeNode* Next(const TreeNode* n);
  static TreeNode* Prev(const TreeNode* n);
  // The node at position i (0-based); null when out of range.
  TreeNode* At(std::size_t i) const;
  // Position of a node that belongs to this sequence.
  static std::size_t IndexOf(const TreeNode* n);

  void PushBack(TreeNode* n);
  void PushFront(TreeNode* n);
  void InsertAt(std::size_t i, TreeNode* n);
  // n right in front of `before`, a node of this sequence.
  void InsertBefore(TreeNode* before, TreeNode* n);
  void Erase(TreeNode* n);
  // Replaces the whole order by the given one (all nodes already or newly in the sequence).
  void Assign(const std::vector<TreeNode*>& order);
  std::vector<TreeNode*> ToVector() const;
  void Clear() { root_ = nullptr; }

  // Number of leading nodes for which before(node, index) holds; before must hold for a prefix of
  // the sequence and fail for the rest. Visits O(log n) nodes.
  template <class Pred>
  std::size_t PartitionPoint(Pred before) const {
    std::size_t base = 0;
    TreeNode* t = root_;
    while (t) {
      std::size_t here = base + SizeOf(t->left);
      if (before(t, here)) {
        base = here + 1;
        t = t->right;
      } else {
        t = t->left;
      }
    }
    return base;
  }

 private:
  static std::uint32_t SizeOf(const TreeNode* t) { return t ? t->size : 0; }
  static void Pull(TreeNode* t);
  static TreeNode* Merge(TreeNode* a, TreeNode* b);
  static void Split(TreeNode* t, std::size_t k, TreeNode*& a, TreeNode*& b);
  // Adds n at the end reached by following `outward` links (right: the back, left: the front).
  void PushAtEnd(TreeNode* n, TreeNode* TreeNode::*outward, TreeNode* TreeNode::*inward);
  // Puts n in its parent's place, keeping the order.
  void RotateUp(TreeNode* n);
  std::uint32_t NextPriority();

  TreeNode* root_ = nullptr;
  std::uint32_t rng_ = 0x9E3779B9u;
};

}  // namespace netscry
