#pragma once
// The two skins the program carries: the light Windows-7-like glass of the main window and the
// darker Vista-like glass of the details dialog. Each skin is a folder: a description text and
// its BMP files.
#include <cstdint>
#include <string>
#include <vector>

namespace skinart {

struct SkinFile {
  std::string name;                 // file name inside the skin folder
  std::vector<std::uint8_t> bytes;  // complete file contents
};

struct SkinFolder {
  std::string folder;          // folder name under the output directory
  std::string description;     // name of the description file
  std::vector<SkinFile> files; // description text first, then the pictures
};

SkinFolder BuildMainSkin();
SkinFolder BuildDialogSkin();

}  // namespace skinart
