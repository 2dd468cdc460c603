#pragma once
// What the process details dialog shows of a row, and the process ID its end-process button
// reads back from the PID label.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "connlist/row_record.h"

namespace netscry {

struct ProcInfoCaptions {
  std::string exe;      // LabExe: the image name
  std::string exe_des;  // LabExeDes: the file description and two blanks
  std::string pid;      // LabPID: "PID:" and the process ID, no blank between
  std::string comp;     // Labcomp: the company and one blank
  std::string path;     // EPath: the full path
  friend bool operator==(const ProcInfoCaptions&, const ProcInfoCaptions&) = default;
};

inline constexpr std::string_view kPidCaptionPrefix = "PID:";

ProcInfoCaptions ProcInfoCaptionsOf(const TMyRec& row);

// A process ID held as decimal text: digits only, at most the largest 32-bit value. Anything
// else (empty, signs, blanks, too large) is no process ID.
std::optional<std::uint32_t> ParseProcessID(std::string_view text);

// The process ID after the first four characters of the PID label ("PID:1234" gives 1234).
std::optional<std::uint32_t> ProcessIDOfPidCaption(std::string_view caption);

}  // namespace netscry
