// skinpack: packs a skin folder into a compressed skin file (.skn), the form a window carries.
//
//   skinpack [--version 2|3] <skin folder | description file> <out.skn>
//
// Laying out a skin folder (what the carried skins use, version 3):
//   <folder>/skin.ini   the description, INI text (ASCII or CP936), CR LF or LF line ends,
//                       beginning with [VERSION]. It must hold the sections [VERSION],
//                       [PICTURES], [FORMINFO], [SKINOBJECTS] and [SKINCONTROLS] (an empty
//                       [SKINCONTROLS] with count=0 is fine), else nothing is packed.
//   [PICTURES] names the BMP files beside skin.ini:
//       picture=frame.bmp              active frame
//       inactivepicture=frame_inactive.bmp
//       mask=mask.bmp                  1-bit shape mask: black pixels belong to the window
//       activepicturescount=N          the further pictures, packed in this order; the
//       0=buttons.bmp ... N-1=...      descriptions' "activepictureindex" i means key i here
//   Leave "rolluppicture" and "rollupmask" out (or empty): then the folder packs to version 3
//   (picture, inactive picture, mask). Naming either of them packs version 2 (all five
//   pictures); --version forces one or the other.
//   Every BMP must be a plain Windows bitmap: 40-byte info header, no compression, 1/4/8/16/24/32
//   bits, the colour table right after the header and the pixels right after the table
//   (netscry::EncodeBmp in skin/skin_bmp.h writes exactly that; image tools writing V4/V5
//   headers do not).
//
// The output file is: int32 version, int32 byte count n, n bytes of zlib stream (level 9) of the
// package. After writing, the tool loads the result the way a window does and prints what it
// found; any failure exits with a non-zero status.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "skin/skin_data.h"
#include "skin/skin_package.h"

namespace {

int Usage() {
  std::fprintf(stderr,
               "usage: skinpack [--version 2|3] <skin folder | description file> <out.skn>\n"
               "  A folder is packed from its skin.ini; without --version the package is\n"
               "  version 3 unless [PICTURES] names rolluppicture or rollupmask (version 2).\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace netscry;
  std::vector<std::string> args(argv + 1, argv + argc);
  int version = 0;  // 0 = choose from the description
  std::vector<std::string> paths;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--version" && i + 1 < args.size()) {
      const std::string& v = args[++i];
      if (v != "2" && v != "3") return Usage();
      version = v[0] - '0';
    } else if (args[i] == "-h" || args[i] == "--help") {
      Usage();
      return 0;
    } else if (!args[i].empty() && args[i][0] == '-') {
      return Usage();
    } else {
      paths.push_back(args[i]);
    }
  }
  if (paths.size() != 2) return Usage();

  std::string description = paths[0];
  std::error_code ec;
  if (std::filesystem::is_directory(description, ec)) {
    description = (std::filesystem::path(description) / "skin.ini").string();
  }
  if (version == 0) {
    std::vector<std::uint8_t> raw;
    if (!ReadSkinFile(description, raw)) {
      std::fprintf(stderr, "skinpack: cannot read %s\n", description.c_str());
      return 1;
    }
    const SkinIni ini(std::string(raw.begin(), raw.end()));
    const bool rollup = !ini.ReadString("PICTURES", "rolluppicture", "").empty() ||
                        !ini.ReadString("PICTURES", "rollupmask", "").empty();
    version = rollup ? 2 : 3;
  }

  TskCompressedStoredSkin stored;
  std::string error;
  if (!stored.ImportSkinFolderAs(description, version, &error)) {
    std::fprintf(stderr, "skinpack: %s\n", error.c_str());
    return 1;
  }
  const std::vector<std::uint8_t> file = BuildCompressedSkinFile(version, stored.CompressedData());
  if (!WriteSkinFile(paths[1], file)) {
    std::fprintf(stderr, "skinpack: cannot write %s\n", paths[1].c_str());
    return 1;
  }

  // Read it back the way a window does.
  TskCompressedStoredSkin reread;
  if (!reread.ImportSkinFile(paths[1])) {
    std::fprintf(stderr, "skinpack: %s does not read back\n", paths[1].c_str());
    return 1;
  }
  TskSkinData data;
  const SkinLoadResult result = data.LoadStoredSkin(reread);
  if (!result.ok()) {
    std::fprintf(stderr, "skinpack: the packed skin does not load: %s\n",
                 result.error.empty() ? "unsupported version" : result.error.c_str());
    return 1;
  }
  std::printf("%s: version %d, %zu bytes; picture %dx%d/%d, inactive %dx%d/%d, mask %dx%d/%d; "
              "%zu further bitmaps, %zu areas, %zu objects, %zu controls\n",
              paths[1].c_str(), data.Version, file.size(), data.Picture.Width(), data.Picture.Height(),
              data.Picture.BitCount(), data.InActivePicture.Width(), data.InActivePicture.Height(),
              data.InActivePicture.BitCount(), data.Mask.Width(), data.Mask.Height(), data.Mask.BitCount(),
              data.ActivePictures.size(), data.Areas.size(), data.Objects.size(), data.Controls.size());
  return 0;
}
