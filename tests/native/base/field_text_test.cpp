#include "base/field_text.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <sstream>
#include <string>
#include <utility>

namespace netscry {
namespace {

// Lengths around the boundary between texts kept in place and texts on the heap.
const std::size_t kLengths[] = {0, 1, 14, 15, 16, 17, 200};

std::string TextOfLength(std::size_t n) {
  std::string s;
  for (std::size_t i = 0; i < n; ++i) s += char('a' + i % 26);
  return s;
}

bool InPlace(const FieldText& t) {
  const char* object = reinterpret_cast<const char*>(&t);
  return t.data() >= object && t.data() < object + sizeof t;
}

TEST(FieldText, HoldsEveryLengthTerminated) {
  for (std::size_t n : kLengths) {
    const std::string s = TextOfLength(n);
    const FieldText t(s);
    EXPECT_EQ(t.size(), n);
    EXPECT_EQ(t.empty(), n == 0);
    EXPECT_EQ(t.view(), s);
    EXPECT_EQ(std::strlen(t.c_str()), n) << n;
    EXPECT_EQ(InPlace(t), n <= FieldText::kInPlace) << n;
    EXPECT_EQ(t.str(), s);
  }
  EXPECT_EQ(sizeof(FieldText), 16u);
}

TEST(FieldText, KeepsZeroBytesAndComparesExactly) {
  const std::string with_zero("a\0b", 3);
  const FieldText t(with_zero);
  EXPECT_EQ(t.size(), 3u);
  EXPECT_TRUE(t == with_zero);
  EXPECT_FALSE(t == "a");
  EXPECT_TRUE(FieldText("TCP") == "TCP");
  EXPECT_TRUE("TCP" == FieldText("TCP"));
  EXPECT_TRUE(FieldText("TCP") != std::string_view("TCp"));
  EXPECT_TRUE(FieldText(TextOfLength(40)) == FieldText(TextOfLength(40)));
  EXPECT_FALSE(FieldText(TextOfLength(40)) == FieldText(TextOfLength(41)));
  std::ostringstream out;
  out << FieldText("udp");
  EXPECT_EQ(out.str(), "udp");
}

TEST(FieldText, CopiesShareTheBlockAndOutliveEachOther) {
  const std::string long_text = TextOfLength(64);
  auto original = std::make_unique<FieldText>(long_text);
  FieldText copy(*original);
  FieldText assigned;
  assigned = *original;
  EXPECT_TRUE(copy.SharesBlockWith(*original));
  EXPECT_TRUE(assigned.SharesBlockWith(*original));
  original.reset();  // the block stays for the other two
  EXPECT_EQ(copy.view(), long_text);
  copy = "short";  // and for the last one
  EXPECT_EQ(assigned.view(), long_text);
  EXPECT_EQ(copy.view(), "short");
  // In-place texts never share.
  const FieldText small("ab");
  const FieldText small_copy(small);
  EXPECT_FALSE(small_copy.SharesBlockWith(small));
  EXPECT_EQ(small_copy.view(), "ab");
}

TEST(FieldText, AssigningFromItselfOrAPartOfItself) {
  for (std::size_t n : kLengths) {
    const std::string s = TextOfLength(n);
    FieldText t(s);
    t = t;
    EXPECT_EQ(t.view(), s) << n;
    t = t.view();
    EXPECT_EQ(t.view(), s) << n;
    if (n == 0) continue;
    t = t.view().substr(1);
    EXPECT_EQ(t.view(), s.substr(1)) << n;
    FieldText moved_into(s);
    moved_into = std::move(moved_into);
    EXPECT_EQ(moved_into.view(), s) << n;
  }
}

TEST(FieldText, MovingAndClearingLetGo) {
  for (std::size_t n : kLengths) {
    const std::string s = TextOfLength(n);
    FieldText from(s);
    FieldText to(std::move(from));
    EXPECT_EQ(to.view(), s);
    EXPECT_TRUE(from.empty());  // NOLINT: moved-from state is defined as empty
    FieldText other("x");
    other = std::move(to);
    EXPECT_EQ(other.view(), s);
    EXPECT_TRUE(to.empty());  // NOLINT
    const FieldText keep(other);
    other.clear();
    EXPECT_TRUE(other.empty());
    EXPECT_FALSE(other.SharesBlockWith(keep));
    EXPECT_EQ(keep.view(), s);
  }
}

}  // namespace
}  // namespace netscry
