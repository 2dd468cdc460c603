#include "mainwindow/refresh_gate.h"

#include <gtest/gtest.h>

#include <string>

namespace netscry {
namespace {

// A script of requests ('r') and finishes ('f'), with what each answers ('1' start, '0' not),
// and the gate's state after it.
TEST(RefreshGate, ScriptsOfRequestsAndFinishes) {
  struct Case {
    const char* steps;
    const char* answers;
    bool busy_after;
  };
  const Case cases[] = {
      {"", "", false},
      {"r", "1", true},
      {"rf", "10", false},
      {"rr", "10", true},               // the second request waits
      {"rrf", "101", true},             // ... and starts when the first is done
      {"rrff", "1010", false},
      {"rrrrf", "10001", true},         // three requests while one runs: one more read
      {"rrrrff", "100010", false},      // ... and no third
      {"rrrrfrf", "1000101", true},     // a request during the follow-up read waits for it
      {"f", "0", false},                // a stray finish starts nothing
      {"rfff", "1000", false},
      {"rfr", "101", true},             // idle again: the next request starts at once
  };
  for (const Case& c : cases) {
    RefreshGate gate;
    std::string answers;
    for (const char* s = c.steps; *s; ++s) answers += (*s == 'r' ? gate.Request() : gate.Finish()) ? '1' : '0';
    EXPECT_EQ(answers, c.answers) << c.steps;
    EXPECT_EQ(gate.Busy(), c.busy_after) << c.steps;
  }
}

TEST(RefreshGate, PendingIsClearedWhenTheFollowUpStarts) {
  RefreshGate gate;
  ASSERT_TRUE(gate.Request());
  EXPECT_FALSE(gate.Pending());
  EXPECT_FALSE(gate.Request());
  EXPECT_TRUE(gate.Pending());
  EXPECT_TRUE(gate.Finish());
  EXPECT_FALSE(gate.Pending());
  EXPECT_TRUE(gate.Busy());
}

}  // namespace
}  // namespace netscry
