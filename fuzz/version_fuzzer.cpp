// libFuzzer target: the version-resource reader. The input is a version block as
// GetFileVersionInfoA hands it over (of any file that owns a socket): the walk by the nodes'
// length fields, the translation table and the lookup of the first translation's texts.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>

#include "snapshot/version_text.h"

namespace {

// A stand-in for the conversion to the system code page that keeps every unit, so that a text
// longer than the block could hold shows.
std::string Units(std::u16string_view text) {
  std::string out;
  for (char16_t c : text) {
    out += char(c & 0xFF);
    out += char(c >> 8);
  }
  return out;
}

void CheckNode(std::span<const std::uint8_t> block, const netscry::VersionBlock& version,
               const std::optional<netscry::VersionNode>& node) {
  if (!node) return;
  if (!(node->begin <= node->value && node->value <= node->end && node->end <= block.size())) std::abort();
  const std::span<const std::uint8_t> value = version.BinaryValue(*node);
  if (value.size() > block.size() || (!value.empty() && (value.data() < block.data() ||
                                                         value.data() + value.size() > block.data() + block.size())))
    std::abort();
  // A text is never longer than the node holds after its value's start.
  const std::string text = version.Text(*node, Units);
  if (text.size() > node->end - node->value) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace netscry;
  const std::span<const std::uint8_t> block(data, size);
  std::string description = "x", company = "y";
  const bool found = ReadVersionText(block, Units, description, company);
  if (!found && (!description.empty() || !company.empty())) std::abort();
  if (description.size() > size || company.size() > size) std::abort();

  const VersionBlock version(block);
  for (const char* path : {"\\", "\\VarFileInfo\\Translation", "\\StringFileInfo", "\\VarFileInfo"}) {
    CheckNode(block, version, version.Find(path));
  }
  if (const auto translation = version.Find("\\VarFileInfo\\Translation")) {
    if (const auto key = TranslationKey(version.BinaryValue(*translation))) {
      for (const char* name : {"FileDescription", "CompanyName", "FileVersion"}) {
        CheckNode(block, version, version.Find("\\StringFileInfo\\" + *key + "\\" + name));
      }
    }
  }
  return 0;
}
