#pragma once
// A platform for the tests that end processes: nothing is ended, revealed or shown; each request
// is recorded instead. A derived platform says which processes open and what they run from.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "procinfo/process_actions.h"

namespace netscry::testing {

class RecordingProcessActions : public ProcessActions {
 public:
  std::vector<std::uint32_t> ended;
  std::vector<std::string> revealed, properties;

  void RevealFile(const std::string& path) override { revealed.push_back(path); }
  void ShowFileProperties(const std::string& path) override { properties.push_back(path); }

 protected:
  // The file the opened process `pid` runs from.
  virtual std::string ImageOf(std::uint32_t pid) = 0;

  // `pid` opened: ending it is recorded in `ended`.
  OpenedProcess Opened(std::uint32_t pid) {
    return {OpenToEndResult::kOpened, std::make_unique<Process>(*this, pid)};
  }

 private:
  class Process : public ProcessToEnd {
   public:
    Process(RecordingProcessActions& owner, std::uint32_t pid) : owner_(owner), pid_(pid) {}
    std::string ImagePath() override { return owner_.ImageOf(pid_); }
    std::optional<std::uint64_t> CreationTime() override { return std::nullopt; }
    bool HasExited() override { return false; }
    bool Terminate() override {
      owner_.ended.push_back(pid_);
      return true;
    }

   private:
    RecordingProcessActions& owner_;
    std::uint32_t pid_;
  };
};

inline std::string SystemDirectory() {
  char dir[MAX_PATH] = {};
  GetSystemDirectoryA(dir, MAX_PATH);
  return dir;
}

// A key press as the keyboard queues it for `target` (down, then up).
inline void PostKey(HWND target, WPARAM key) {
  PostMessageA(target, WM_KEYDOWN, key, 1);
  PostMessageA(target, WM_KEYUP, key, LPARAM(0xC0000001u));
}

}  // namespace netscry::testing
