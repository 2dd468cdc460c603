// skinart: writes the two carried skin folders (description text and BMP files).
// Usage: skinart <output directory>   (normally resources/skins)
// The output is the same bytes on every run, so the committed folders can be checked against it.
#include <cstdio>
#include <filesystem>
#include <string>

#include "bmp_writer.h"
#include "skins.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: skinart <output directory>\n");
    return 2;
  }
  const std::filesystem::path out = argv[1];
  for (const skinart::SkinFolder& skin : {skinart::BuildMainSkin(), skinart::BuildDialogSkin()}) {
    const std::filesystem::path dir = out / skin.folder;
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    if (ec) {
      std::fprintf(stderr, "skinart: cannot create %s\n", dir.string().c_str());
      return 1;
    }
    for (const skinart::SkinFile& file : skin.files) {
      std::string error;
      if (!skinart::WriteFile((dir / file.name).string(), file.bytes, error)) {
        std::fprintf(stderr, "skinart: %s\n", error.c_str());
        return 1;
      }
    }
    std::printf("%s: %zu files\n", dir.string().c_str(), skin.files.size());
  }
  return 0;
}
