// The row order tree against a plain vector: random insertions anywhere (by position and in
// front of a row), removals, whole replacements; after each step the order, positions, sizes
// and links must agree.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <memory>
#include <random>
#include <vector>

#include "controls/row_sequence.h"

namespace netscry {
namespace {

// Sizes, parent links and the heap order of priorities, checked node by node.
std::size_t CheckSubtree(const TreeNode* t, const TreeNode* parent) {
  if (!t) return 0;
  EXPECT_EQ(t->parent, parent);
  if (parent) {
    EXPECT_GE(parent->priority, t->priority);
  }
  const std::size_t size = 1 + CheckSubtree(t->left, t) + CheckSubtree(t->right, t);
  EXPECT_EQ(t->size, size);
  return size;
}

void ExpectSame(const RowSequence& seq, const std::vector<TreeNode*>& model) {
  ASSERT_EQ(seq.ToVector(), model);
  ASSERT_EQ(seq.Size(), model.size());
  for (std::size_t i = 0; i < model.size(); ++i) {
    ASSERT_EQ(RowSequence::IndexOf(model[i]), i);
    ASSERT_EQ(seq.At(i), model[i]);
  }
  EXPECT_EQ(seq.At(model.size()), nullptr);
  const TreeNode* root = model.empty() ? nullptr : model.front();
  while (root && root->parent) root = root->parent;
  EXPECT_EQ(CheckSubtree(root, nullptr), model.size());
}

TEST(RowSequence, RandomEditsKeepTheOrderAndTheTree) {
  for (unsigned seed = 1; seed <= 20; ++seed) {
    std::mt19937 rng(seed);
    std::vector<std::unique_ptr<TreeNode>> pool;
    std::vector<TreeNode*> model;
    RowSequence seq;
    for (int step = 0; step < 400; ++step) {
      const auto op = rng() % 10;
      if (op < 3 || model.empty()) {
        pool.push_back(std::make_unique<TreeNode>());
        seq.PushBack(pool.back().get());
        model.push_back(pool.back().get());
      } else if (op < 6) {
        pool.push_back(std::make_unique<TreeNode>());
        const std::size_t i = rng() % (model.size() + 1);  // the front, the middle and the end
        if (i < model.size() && rng() % 2)
          seq.InsertBefore(model[i], pool.back().get());
        else
          seq.InsertAt(i, pool.back().get());
        model.insert(model.begin() + std::ptrdiff_t(i), pool.back().get());
      } else if (op < 9) {
        const std::size_t i = rng() % model.size();
        seq.Erase(model[i]);
        model.erase(model.begin() + std::ptrdiff_t(i));
      } else {
        std::shuffle(model.begin(), model.end(), rng);
        seq.Assign(model);
      }
      ExpectSame(seq, model);
      if (::testing::Test::HasFatalFailure()) {
        ADD_FAILURE() << "seed " << seed << " step " << step;
        return;
      }
    }
  }
}

TEST(RowSequence, ErasingTheLastRowLeavesAnEmptySequenceThatTakesRowsAgain) {
  TreeNode a, b;
  RowSequence seq;
  seq.InsertAt(0, &a);
  seq.Erase(&a);
  EXPECT_TRUE(seq.Empty());
  EXPECT_EQ(seq.First(), nullptr);
  seq.InsertAt(0, &b);
  seq.InsertAt(0, &a);
  ExpectSame(seq, {&a, &b});
}

}  // namespace
}  // namespace netscry
