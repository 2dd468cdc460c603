// Writes the seed corpus of the fuzz targets: small packages of every version and a few
// descriptions. Run once from the repository root: build/fuzz/make_seeds fuzz/corpus
#include <string>

#include "skin/skin_bmp.h"
#include "skin/skin_package.h"

int main(int argc, char** argv) {
  using namespace netscry;
  if (argc != 2) return 2;
  const std::string root = argv[1];
  const std::string description =
      "[VERSION]\r\nskinname=seed\r\n[PICTURES]\r\npicture=f.bmp\r\nmask=m.bmp\r\nactivepicturescount=1\r\n0=a.bmp\r\n"
      "[FORMINFO]\r\nlefttoppoint=2,3\r\nrightbottompoint=5,6\r\nclientrect=2,3,6,7\r\ncaptionrect=0,0,8,3\r\n"
      "maskrectarea=1,1,7,7\r\nhittestlefttoppoint=0,1\r\n"
      "[SKINAREAS]\r\ncount=1\r\n0=a:1,2,3,4\r\n"
      "[SKINOBJECTS]\r\ncount=2\r\n0=close:stdbutton\r\n1=cap:caption\r\n"
      "[SKINCONTROLS]\r\ncount=1\r\n0=lb:listbox\r\n"
      "[close]\r\ncommand=cmclose\r\nskinrect=5,0,8,3\r\nactivepictureindex=0\r\nactiveskinrect=0,0,3,3\r\n"
      "[cap]\r\ndefaultcaption=1\r\nfontstyle=fsbold\r\nalignment=taleftjustify\r\ntextrect=0,0,5,3\r\n"
      "[lb]\r\nitemrect=0,0,4,4\r\nfontname=Arial\r\n";
  Bitmap32 frame(8, 8, Rgb(10, 20, 30));
  Bitmap32 mask(8, 8, kBlack);
  mask.SetPixel(0, 0, kWhite);
  Bitmap32 small(3, 3, Rgb(200, 0, 0));
  small.SetPixel(1, 1, Rgb(0, 0, 200));
  bool ok = true;
  for (int version = 0; version <= 3; ++version) {
    SkinPackageParts parts;
    parts.version = version;
    parts.picture = EncodeBmp(frame, 24);
    parts.inactive_picture = EncodeBmp(frame, 32);
    parts.mask = EncodeBmp(mask, 1);
    parts.rollup_picture = EncodeBmp(small, 8);
    parts.rollup_mask = EncodeBmp(mask, 1);
    parts.active_pictures = {EncodeBmp(small, 8)};
    parts.description = description;
    const auto package = BuildSkinPackage(parts);
    ok &= WriteSkinFile(root + "/package/v" + std::to_string(version) + ".pkg", package);
    if (version == 3) ok &= WriteSkinFile(root + "/package/v3.zlib", DeflateSkinStream(package));
  }
  SkinPackageParts bare;
  bare.version = 3;
  ok &= WriteSkinFile(root + "/package/bare.pkg", BuildSkinPackage(bare));
  ok &= WriteSkinFile(root + "/description/full.ini",
                      std::vector<std::uint8_t>(description.begin(), description.end()));
  const std::string odd =
      "; odd but valid\nstray\n[ Version ]\nSkinName = x\n[FORMINFO]\nClientRect=-1, 2 ,3,4\nbuttonsoffset=$10\n"
      "[SKINOBJECTS]\ncount=3\n0=nocolon\n1=g:gauge\n2=l:bitlabel\n[g]\nkind=gkvertical\n"
      "[l]\nsymbolslinecount=2\nsymbolsline0=ab\nsymbolsline1=cd\n[POPUPWINDOW]\nwindowpictureindex=0\n";
  ok &= WriteSkinFile(root + "/description/odd.ini", std::vector<std::uint8_t>(odd.begin(), odd.end()));
  return ok ? 0 : 1;
}
