#include "controls/row_sequence.h"

namespace netscry {

TreeNode* RowSequence::First() const {
  TreeNode* t = root_;
  while (t && t->left) t = t->left;
  return t;
}

TreeNode* RowSequence::Last() const {
  TreeNode* t = root_;
  while (t && t->right) t = t->right;
  return t;
}

TreeNode* RowSequence::Next(const TreeNode* n) {
  if (n->right) {
    TreeNode* t = n->right;
    while (t->left) t = t->left;
    return t;
  }
  while (n->parent && n->parent->right == n) n = n->parent;
  return n->parent;
}

TreeNode* RowSequence::Prev(const TreeNode* n) {
  if (n->left) {
    TreeNode* t = n->left;
    while (t->right) t = t->right;
    return t;
  }
  while (n->parent && n->parent->left == n) n = n->parent;
  return n->parent;
}

TreeNode* RowSequence::At(std::size_t i) const {
  TreeNode* t = root_;
  while (t) {
    std::size_t l = SizeOf(t->left);
    if (i < l) {
      t = t->left;
    } else if (i == l) {
      return t;
    } else {
      i -= l + 1;
      t = t->right;
    }
  }
  return nullptr;
}

std::size_t RowSequence::IndexOf(const TreeNode* n) {
  std::size_t i = SizeOf(n->left);
  while (n->parent) {
    if (n->parent->right == n) i += SizeOf(n->parent->left) + 1;
    n = n->parent;
  }
  return i;
}

void RowSequence::Pull(TreeNode* t) {
  t->size = 1 + SizeOf(t->left) + SizeOf(t->right);
  if (t->left) t->left->parent = t;
  if (t->right) t->right->parent = t;
}

TreeNode* RowSequence::Merge(TreeNode* a, TreeNode* b) {
  if (!a) return b;
  if (!b) return a;
  if (a->priority > b->priority) {
    a->right = Merge(a->right, b);
    Pull(a);
    return a;
  }
  b->left = Merge(a, b->left);
  Pull(b);
  return b;
}

void RowSequence::Split(TreeNode* t, std::size_t k, TreeNode*& a, TreeNode*& b) {
  if (!t) {
    a = b = nullptr;
    return;
  }
  if (SizeOf(t->left) >= k) {
    TreeNode* l = nullptr;
    Split(t->left, k, a, l);
    t->left = l;
    Pull(t);
    b = t;
  } else {
    TreeNode* r = nullptr;
    Split(t->right, k - SizeOf(t->left) - 1, r, b);
    t->right = r;
    Pull(t);
    a = t;
  }
}

std::uint32_t RowSequence::NextPriority() {
  // xorshift32: deterministic, so runs are repeatable.
  rng_ ^= rng_ << 13;
  rng_ ^= rng_ >> 17;
  rng_ ^= rng_ << 5;
  return rng_;
}

void RowSequence::PushBack(TreeNode* n) { PushAtEnd(n, &TreeNode::right, &TreeNode::left); }

void RowSequence::PushFront(TreeNode* n) { PushAtEnd(n, &TreeNode::left, &TreeNode::right); }

void RowSequence::PushAtEnd(TreeNode* n, TreeNode* TreeNode::*outward, TreeNode* TreeNode::*inward) {
  // The same tree as inserting at that end by splitting and merging, without either: n goes down
  // the spine on that side past the nodes of higher priority, takes the rest of the spine as its
  // inner subtree, and every node it passes gains one descendant.
  n->left = n->right = n->parent = nullptr;
  n->size = 1;
  n->priority = NextPriority();
  TreeNode* parent = nullptr;
  TreeNode* t = root_;
  while (t && t->priority > n->priority) {
    ++t->size;
    parent = t;
    t = t->*outward;
  }
  n->*inward = t;
  if (t) {
    t->parent = n;
    n->size += t->size;
  }
  n->parent = parent;
  if (parent)
    parent->*outward = n;
  else
    root_ = n;
}

void RowSequence::InsertAt(std::size_t i, TreeNode* n) {
  // The treap's shape follows from the order and the priorities alone: n goes down the path to
  // position i past the nodes of higher priority (each gains a descendant), and the subtree it
  // stops at is split around it.
  n->left = n->right = n->parent = nullptr;
  n->size = 1;
  n->priority = NextPriority();
  TreeNode* parent = nullptr;
  bool on_left = false;
  TreeNode* t = root_;
  while (t && t->priority > n->priority) {
    ++t->size;
    parent = t;
    const std::size_t l = SizeOf(t->left);
    on_left = i <= l;
    if (on_left) {
      t = t->left;
    } else {
      i -= l + 1;
      t = t->right;
    }
  }
  Split(t, i, n->left, n->right);
  Pull(n);
  n->parent = parent;
  if (!parent)
    root_ = n;
  else if (on_left)
    parent->left = n;
  else
    parent->right = n;
}

void RowSequence::InsertBefore(TreeNode* before, TreeNode* n) {
  // As a leaf right in front of `before` (its left child, or the right child of the row before
  // it), then up past parents of lower priority. Only the path above the leaf is visited: rows
  // put in one after another stay close together in memory and in the tree.
  n->left = n->right = nullptr;
  n->size = 1;
  n->priority = NextPriority();
  TreeNode* parent = before;
  if (before->left) {
    parent = before->left;
    while (parent->right) parent = parent->right;
    parent->right = n;
  } else {
    before->left = n;
  }
  n->parent = parent;
  for (TreeNode* p = parent; p; p = p->parent) ++p->size;
  while (n->parent && n->parent->priority <= n->priority) RotateUp(n);
}

void RowSequence::RotateUp(TreeNode* n) {
  TreeNode* p = n->parent;
  TreeNode* g = p->parent;
  if (p->left == n) {
    p->left = n->right;
    if (p->left) p->left->parent = p;
    n->right = p;
  } else {
    p->right = n->left;
    if (p->right) p->right->parent = p;
    n->left = p;
  }
  p->parent = n;
  n->parent = g;
  if (!g)
    root_ = n;
  else if (g->left == p)
    g->left = n;
  else
    g->right = n;
  n->size = p->size;
  p->size = 1 + SizeOf(p->left) + SizeOf(p->right);
}

void RowSequence::Erase(TreeNode* n) {
  // n's subtrees joined take its place; every ancestor loses one descendant.
  TreeNode* joined = Merge(n->left, n->right);
  TreeNode* parent = n->parent;
  if (joined) joined->parent = parent;
  if (!parent)
    root_ = joined;
  else if (parent->left == n)
    parent->left = joined;
  else
    parent->right = joined;
  for (TreeNode* p = parent; p; p = p->parent) --p->size;
  n->left = n->right = n->parent = nullptr;
  n->size = 1;
}

void RowSequence::Assign(const std::vector<TreeNode*>& order) {
  // A Cartesian tree over the new order with the nodes' own random priorities: the same shape a
  // treap would have, built in linear time.
  std::vector<TreeNode*> stack;
  stack.reserve(64);
  for (TreeNode* n : order) {
    if (n->priority == 0) n->priority = NextPriority();
    n->left = n->right = n->parent = nullptr;
    TreeNode* last = nullptr;
    while (!stack.empty() && stack.back()->priority < n->priority) {
      last = stack.back();
      stack.pop_back();
    }
    n->left = last;
    if (!stack.empty()) stack.back()->right = n;
    stack.push_back(n);
  }
  root_ = stack.empty() ? nullptr : stack.front();
  if (!root_) return;
  root_->parent = nullptr;
  // Sizes and parent links bottom-up (children before parents).
  std::vector<TreeNode*> post;
  post.reserve(order.size());
  std::vector<TreeNode*> work{root_};
  while (!work.empty()) {
    TreeNode* t = work.back();
    work.pop_back();
    post.push_back(t);
    if (t->left) work.push_back(t->left);
    if (t->right) work.push_back(t->right);
  }
  for (auto it = post.rbegin(); it != post.rend(); ++it) Pull(*it);
}

std::vector<TreeNode*> RowSequence::ToVector() const {
  std::vector<TreeNode*> v;
  v.reserve(Size());
  for (TreeNode* t = First(); t; t = Next(t)) v.push_back(t);
  return v;
}

}  // namespace netscry
