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
  // The whole record is copied, so every plain field comes along; then each text gets blocks of
  // the copy's own.
  for (const File_Rec& r : recs) {
    File_Rec& c = out.emplace_back(r);
    for (FieldText File_Rec::*text : kFileRecTexts) c.*text = copy(r.*text);
  }
  return out;
}

}  // namespace netscry
