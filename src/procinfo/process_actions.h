#pragma once
// What the process details dialog and the row commands ask of the platform about a process
// and its executable. The platform's own implementation is in process_actions_win32.h; tests
// record the calls instead of ending processes or opening shell windows.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace netscry {

// A process opened to be ended: what the platform says about it, and the end itself. The
// process ID cannot name another process while this is held.
class ProcessToEnd {
 public:
  virtual ~ProcessToEnd() = default;
  // The path of its executable; empty when it cannot be read.
  virtual std::string ImagePath() = 0;
  // When it was created, in the system's file time (100-nanosecond steps since 1601, UTC);
  // nothing where the platform does not say.
  virtual std::optional<std::uint64_t> CreationTime() = 0;
  // Whether it has already ended.
  virtual bool HasExited() = 0;
  // Ends it with exit code 0; false when the platform reports that it could not.
  virtual bool Terminate() = 0;
};

enum class OpenToEndResult {
  kOpened,   // process is set
  kGone,     // no process has that ID (any more)
  kRefused,  // it exists, but the rights to end it and read its path were refused
};

struct OpenedProcess {
  OpenToEndResult result = OpenToEndResult::kGone;
  std::unique_ptr<ProcessToEnd> process;
};

class ProcessActions {
 public:
  virtual ~ProcessActions() = default;
  // Opens the process with the rights to end it and to read its path (the handle not
  // inheritable).
  virtual OpenedProcess OpenToEnd(std::uint32_t pid) = 0;
  // Whether two paths name the same file, compared as the platform compares file names
  // (without regard to case).
  virtual bool SamePath(const std::string& a, const std::string& b) = 0;
  // Opens the file manager with the file selected. The result is not examined.
  virtual void RevealFile(const std::string& path) = 0;
  // Opens the file's property sheet. The result is not examined.
  virtual void ShowFileProperties(const std::string& path) = 0;
};

// Whether an opened process is the one a row or dialog shows: still running, its executable at
// the shown path, and (where both times are known) created no later than the snapshot the row
// came from. A process ID is reused as soon as its process has gone; the path and the creation
// time tell a newcomer from the process that was shown.
// Returns the process's own path when it is the one shown, nothing when it is not. same_path
// compares two paths as the platform compares file names.
using SamePathFn = std::function<bool(const std::string&, const std::string&)>;
std::optional<std::string> ShownProcessPath(ProcessToEnd& process, const std::string& shown_path,
                                            std::optional<std::uint64_t> shown_at, const SamePathFn& same_path);

// The file manager and the parameters that open it with a file selected: "explorer.exe " (with
// its blank) and "/select, " followed by the path in quotes. Folder names may hold commas and
// blanks, which would otherwise end the path early.
inline constexpr const char* kRevealProgram = "explorer.exe ";
std::string RevealParameters(std::string_view path);

// The details dialog's end-process button on the PID label's text and the path it shows: true
// when that process was ended; false when its ID could not be read, the process could not be
// opened, is no longer the one shown, or could not be ended.
bool EndProcessOfPidCaption(std::string_view pid_caption, const std::string& shown_path, ProcessActions& actions);

}  // namespace netscry
