// Ending the process a row or the details dialog shows, and nothing else: the checks on an opened
// process (still running, same executable, created before the row's snapshot), the details
// dialog's end button over them, and the file manager's parameters.
#include "procinfo/process_actions.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace netscry {
namespace {

// A process as the fake platform holds it.
struct FakeProcessState {
  std::string image;
  std::optional<std::uint64_t> created;
  bool exited = false;
  bool terminate_fails = false;
};

class FakeProcess : public ProcessToEnd {
 public:
  FakeProcess(std::uint32_t pid, FakeProcessState state, std::vector<std::uint32_t>& ended)
      : pid_(pid), state_(std::move(state)), ended_(ended) {}
  std::string ImagePath() override { return state_.image; }
  std::optional<std::uint64_t> CreationTime() override { return state_.created; }
  bool HasExited() override { return state_.exited; }
  bool Terminate() override {
    if (state_.terminate_fails) return false;
    ended_.push_back(pid_);
    return true;
  }

 private:
  std::uint32_t pid_;
  FakeProcessState state_;
  std::vector<std::uint32_t>& ended_;
};

// ASCII letters compared without case, as a platform that ignores case does for these paths.
bool SameIgnoringAsciiCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    auto up = [](char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; };
    if (up(a[i]) != up(b[i])) return false;
  }
  return true;
}

class FakeActions : public ProcessActions {
 public:
  std::map<std::uint32_t, FakeProcessState> processes;
  bool refuse = false;
  std::vector<std::uint32_t> ended;
  OpenedProcess OpenToEnd(std::uint32_t pid) override {
    if (refuse) return {OpenToEndResult::kRefused, nullptr};
    auto it = processes.find(pid);
    if (it == processes.end()) return {OpenToEndResult::kGone, nullptr};
    return {OpenToEndResult::kOpened, std::make_unique<FakeProcess>(pid, it->second, ended)};
  }
  bool SamePath(const std::string& a, const std::string& b) override { return SameIgnoringAsciiCase(a, b); }
  void RevealFile(const std::string&) override {}
  void ShowFileProperties(const std::string&) override {}
};

TEST(ShownProcess, OnlyTheProcessTheRowShows) {
  constexpr std::uint64_t kSnapshot = 1000;
  struct Case {
    const char* name;
    FakeProcessState process;
    const char* shown_path;
    std::optional<std::uint64_t> shown_at;
    bool shown;
  };
  const Case cases[] = {
      {"same path, created before the snapshot", {"C:\\Tools\\a.exe", 900}, "C:\\Tools\\a.exe", kSnapshot, true},
      {"created at the snapshot's time", {"C:\\Tools\\a.exe", 1000}, "C:\\Tools\\a.exe", kSnapshot, true},
      {"path in another case", {"c:\\tools\\A.EXE", 900}, "C:\\Tools\\a.exe", kSnapshot, true},
      {"another program under the ID", {"C:\\Windows\\System32\\x.exe", 900}, "C:\\a.exe", kSnapshot, false},
      {"same program started again after the snapshot", {"C:\\Tools\\a.exe", 1001}, "C:\\Tools\\a.exe", kSnapshot,
       false},
      {"no creation time from the platform", {"C:\\Tools\\a.exe", std::nullopt}, "C:\\Tools\\a.exe", kSnapshot, true},
      {"snapshot time unknown", {"C:\\Tools\\a.exe", 5000}, "C:\\Tools\\a.exe", std::nullopt, true},
      {"path cannot be read", {"", 900}, "C:\\Tools\\a.exe", kSnapshot, false},
      {"row without a path", {"C:\\Tools\\a.exe", 900}, "", kSnapshot, false},
      {"a longer path with the row's as its start", {"C:\\Tools\\a.exe.bak", 900}, "C:\\Tools\\a.exe", kSnapshot,
       false},
      {"already exited", {"C:\\Tools\\a.exe", 900, true}, "C:\\Tools\\a.exe", kSnapshot, false},
  };
  for (const Case& c : cases) {
    std::vector<std::uint32_t> ended;
    FakeProcess process(100, c.process, ended);
    const std::optional<std::string> path =
        ShownProcessPath(process, c.shown_path, c.shown_at, &SameIgnoringAsciiCase);
    EXPECT_EQ(path.has_value(), c.shown) << c.name;
    // The path handed on is the process's own, not the row's.
    if (path) {
      EXPECT_EQ(*path, c.process.image) << c.name;
    }
    EXPECT_TRUE(ended.empty()) << c.name;
  }
}

TEST(DetailsEndProcess, EndsTheLabelsProcessOnlyWhenItIsTheOneShown) {
  FakeActions actions;
  actions.processes[4321] = {"C:\\Tools\\a.exe", 10};
  actions.processes[77] = {"C:\\Windows\\System32\\x.exe", 10};
  actions.processes[78] = {"C:\\Tools\\b.exe", 10, false, true};
  EXPECT_TRUE(EndProcessOfPidCaption("PID:4321", "C:\\Tools\\a.exe", actions));
  EXPECT_EQ(actions.ended, std::vector<std::uint32_t>{4321u});

  // Nothing that reads as a process ID reaches the platform.
  EXPECT_FALSE(EndProcessOfPidCaption("PID:", "C:\\Tools\\a.exe", actions));
  EXPECT_FALSE(EndProcessOfPidCaption("PID:x1", "C:\\Tools\\a.exe", actions));
  // The ID now names another program, no process, or one that will not end.
  EXPECT_FALSE(EndProcessOfPidCaption("PID:77", "C:\\Tools\\a.exe", actions));
  EXPECT_FALSE(EndProcessOfPidCaption("PID:5", "C:\\Tools\\a.exe", actions));
  EXPECT_FALSE(EndProcessOfPidCaption("PID:78", "C:\\Tools\\b.exe", actions));
  actions.refuse = true;
  EXPECT_FALSE(EndProcessOfPidCaption("PID:4321", "C:\\Tools\\a.exe", actions));
  EXPECT_EQ(actions.ended, std::vector<std::uint32_t>{4321u});
}

TEST(RevealFile, TheSelectedPathIsQuoted) {
  EXPECT_STREQ(kRevealProgram, "explorer.exe ");
  struct Case {
    const char* path;
    const char* parameters;
  };
  const Case cases[] = {
      {"C:\\a.exe", "/select, \"C:\\a.exe\""},
      // A comma would end the path for the file manager, a blank split it.
      {"C:\\Tools\\a,b\\x.exe", "/select, \"C:\\Tools\\a,b\\x.exe\""},
      {"C:\\Program Files\\My App\\x.exe", "/select, \"C:\\Program Files\\My App\\x.exe\""},
      {"C:\\a, b\\c d,e.exe", "/select, \"C:\\a, b\\c d,e.exe\""},
      // Code page 936 text passes byte for byte (浏览器).
      {"C:\\\xE4\xAF\xC0\xC0\xC6\xF7\\x.exe", "/select, \"C:\\\xE4\xAF\xC0\xC0\xC6\xF7\\x.exe\""},
  };
  for (const Case& c : cases) EXPECT_EQ(RevealParameters(c.path), c.parameters) << c.path;
}

}  // namespace
}  // namespace netscry
