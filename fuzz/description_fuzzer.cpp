// libFuzzer target: the skin description parser (INI text, value syntaxes, description classes)
// and the writer that puts every object back as text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "skin/skin_data.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace netscry;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  TskSkinData skin;
  try {
    skin.ReadDescription(text);
  } catch (const SkinError&) {
    return 0;
  }
  if (skin.Objects.size() > std::size_t(kSkinMaxListCount) || skin.Controls.size() > std::size_t(kSkinMaxListCount)) {
    std::abort();
  }
  // Writing back must not fail, and what it writes must parse again.
  SkinIniWriter out;
  skin.PopupWindow.SaveToIni(out);
  skin.HintWindow.SaveToIni(out);
  for (auto& object : skin.Objects) object->SaveToIni(out);
  for (auto& control : skin.Controls) control->SaveToIni(out);
  SkinIni reparsed(out.Text());
  (void)reparsed.SectionNames();
  return 0;
}
