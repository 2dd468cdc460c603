#include "frame_fixture.h"

namespace netscry::testing_frame {

std::string SkinsDir() { return NETSCRY_SKINS_DIR; }

const std::string& MainSkinFile() {
  // The file names are UTF-8 on disk, whatever the code page of the program's own strings.
  static const std::string name = reinterpret_cast<const char*>(u8"默认win7.skn");
  return name;
}

const std::string& DialogSkinFile() {
  static const std::string name = reinterpret_cast<const char*>(u8"Vista世界.skn");
  return name;
}

void LoadCarriedSkin(const std::string& utf8_file_name, TskSkinData& skin) {
  TskCompressedStoredSkin stored;
  ASSERT_TRUE(stored.ImportSkinFile(SkinsDir() + "/" + utf8_file_name)) << utf8_file_name;
  const SkinLoadResult result = skin.LoadStoredSkin(stored);
  ASSERT_TRUE(result.ok()) << result.error;
}

CarriedFrame::CarriedFrame(CarriedWindow window) {
  const bool main = window == CarriedWindow::Main;
  LoadCarriedSkin(main ? MainSkinFile() : DialogSkinFile(), skin);
  frame.BorderIcons = main ? biSystemMenu | biMinimize | biMaximize : biSystemMenu;
  frame.ShowIcon = true;
  if (!main) frame.Sizeable = false;
  frame.SetSkinData(&skin);
}

}  // namespace netscry::testing_frame
