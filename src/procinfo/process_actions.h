#pragma once
// What the process details dialog and the row commands ask of the platform about a process
// and its executable. The platform's own implementation is in process_actions_win32.h; tests
// record the calls instead of ending processes or opening shell windows.
#include <cstdint>
#include <string>
#include <string_view>

namespace netscry {

class ProcessActions {
 public:
  virtual ~ProcessActions() = default;
  // Opens the process with the right to end it (the handle not inheritable) and ends it with
  // exit code 0. False only when the process could not be opened; whether ending it worked is
  // not examined.
  virtual bool EndProcess(std::uint32_t pid) = 0;
  // Opens the file manager with the file selected. The result is not examined.
  virtual void RevealFile(const std::string& path) = 0;
  // Opens the file's property sheet. The result is not examined.
  virtual void ShowFileProperties(const std::string& path) = 0;
};

// The details dialog's end-process button on the PID label's text: true when the process was
// told to end, false when its ID could not be read or the process could not be opened.
bool EndProcessOfPidCaption(std::string_view pid_caption, ProcessActions& actions);

}  // namespace netscry
