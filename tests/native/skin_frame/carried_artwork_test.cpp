// The committed skin folders and packages are exactly what the artwork generator makes.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "frame_fixture.h"
#include "skins.h"

namespace netscry {
namespace {

using namespace testing_frame;

std::vector<std::uint8_t> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(CarriedArtwork, GeneratorIsDeterministicAndMatchesTheCommittedFolders) {
  const skinart::SkinFolder main_skin = skinart::BuildMainSkin(), dialog_skin = skinart::BuildDialogSkin();
  for (const skinart::SkinFolder* made : {&main_skin, &dialog_skin}) {
    const skinart::SkinFolder again = made->folder == "win7" ? skinart::BuildMainSkin() : skinart::BuildDialogSkin();
    ASSERT_EQ(made->files.size(), again.files.size());
    for (std::size_t i = 0; i < made->files.size(); ++i) {
      const skinart::SkinFile& f = made->files[i];
      EXPECT_EQ(f.bytes, again.files[i].bytes) << f.name;
      EXPECT_EQ(ReadFile(SkinsDir() + "/" + made->folder + "/" + f.name), f.bytes)
          << made->folder << "/" << f.name << " differs from the generator: run tools/skinart/regenerate.sh";
    }
  }
}

TEST(CarriedArtwork, PackagesHoldTheirFolders) {
  for (const auto& [file, folder] : {std::pair{MainSkinFile(), std::string("win7")},
                                     std::pair{DialogSkinFile(), std::string("vista")}}) {
    TskCompressedStoredSkin packed, from_folder;
    ASSERT_TRUE(packed.ImportSkinFile(SkinsDir() + "/" + file));
    std::string error;
    ASSERT_TRUE(from_folder.ImportSkinFolderAs(SkinsDir() + "/" + folder + "/skin.ini", 3, &error)) << error;
    std::vector<std::uint8_t> a, b;
    packed.DecompressTo(a);
    from_folder.DecompressTo(b);
    EXPECT_EQ(a, b) << folder << ": the .skn is stale, run tools/skinart/regenerate.sh";
  }
}

}  // namespace
}  // namespace netscry
