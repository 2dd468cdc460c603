#include "mainwindow/snapshot_handover.h"

#include <unordered_map>

namespace netscry {

FileRecArray UnsharedCopy(const FileRecArray& recs) {
  // Keyed by the original block's text address: equal addresses are one shared block.
  std::unordered_map<const char*, FieldText> made;
  auto copy = [&made](const FieldText& text) -> FieldText {
    if (text.size() <= FieldText::kInPlace) return FieldText(text.view());
    auto [it, added] = made.try_emplace(text.data());
    if (added) it->second = FieldText(text.view());
    return it->second;
  };
  FileRecArray out;
  out.reserve(recs.size());
  for (const File_Rec& r : recs) {
    File_Rec c;
    c.State = r.State;
    c.IPv6 = r.IPv6;
    c.LocalIP = copy(r.LocalIP);
    c.LocalPort = copy(r.LocalPort);
    c.RemoteIP = copy(r.RemoteIP);
    c.RemotePort = copy(r.RemotePort);
    c.ProcessID = copy(r.ProcessID);
    c.ProcessName = copy(r.ProcessName);
    c.FilePath = copy(r.FilePath);
    c.FileDesc = copy(r.FileDesc);
    c.Company = copy(r.Company);
    c.Mark = copy(r.Mark);
    out.push_back(std::move(c));
  }
  return out;
}

}  // namespace netscry
