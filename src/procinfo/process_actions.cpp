#include "procinfo/process_actions.h"

#include "procinfo/procinfo_text.h"

namespace netscry {

bool EndProcessOfPidCaption(std::string_view pid_caption, ProcessActions& actions) {
  const auto pid = ProcessIDOfPidCaption(pid_caption);
  return pid && actions.EndProcess(*pid);
}

}  // namespace netscry
