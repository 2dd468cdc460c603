// Packages: the layout of each version, the load sequence and its notifications, corrupt input,
// the compressed skin file and packing a skin folder.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>

#include "skin/skin_data.h"
#include "skin/skin_error.h"
#include "skin/skin_package.h"
#include "skin_test_util.h"

namespace netscry {
namespace {

using skintest::MarkedBmp;
using skintest::MaskBmp;
using skintest::PartsWithAll;
using skintest::Put32;
using skintest::RecordingNotifier;
using skintest::StoredFromPackage;

const char* const kDescription =
    "[VERSION]\r\nskinname=Tiny\r\nskinauthor=me\r\n"
    "[PICTURES]\r\npicture=frame.bmp\r\nmask=mask.bmp\r\nactivepicturescount=2\r\n0=a.bmp\r\n1=b.bmp\r\n"
    "[FORMINFO]\r\nlefttoppoint=3,4\r\nrighttoppoint=16,4\r\nleftbottompoint=3,8\r\nrightbottompoint=16,8\r\n"
    "clientrect=3,4,17,9\r\ncaptionrect=1,0,19,3\r\n"
    "[SKINOBJECTS]\r\ncount=2\r\n0=close:stdbutton\r\n1=cap:caption\r\n"
    "[SKINCONTROLS]\r\ncount=0\r\n"
    "[close]\r\ncommand=cmclose\r\nskinrect=15,0,19,3\r\nactivepictureindex=1\r\n"
    "[cap]\r\ndefaultcaption=1\r\nfontname=Arial\r\n";

const std::vector<std::uint32_t> kLoadedMessages{WM_SKINCHANGING, WM_SKINCHANGED, WM_SKINCHANGED2};

TEST(SkinPackage, EachVersionHoldsItsOwnPictures) {
  struct Case {
    int version;
    bool inactive, rollup;
  };
  for (Case c : {Case{0, false, false}, Case{1, false, true}, Case{2, true, true}, Case{3, true, false}}) {
    SkinPackageParts parts = PartsWithAll(c.version, kDescription);
    parts.active_pictures = {MarkedBmp(2, 2, 50), MarkedBmp(3, 3, 51)};
    RecordingNotifier notes;
    TskSkinData data(&notes);
    auto stored = StoredFromPackage(BuildSkinPackage(parts));
    SkinLoadResult r = data.LoadStoredSkin(stored);
    ASSERT_TRUE(r.ok()) << c.version << ": " << r.error;
    EXPECT_FALSE(data.Empty);
    EXPECT_EQ(data.Version, c.version);
    EXPECT_EQ(data.Picture.Width(), 20) << c.version;
    EXPECT_EQ(data.Mask.Width(), 22) << c.version;
    EXPECT_EQ(data.Mask.BitCount(), 1) << c.version;
    EXPECT_EQ(data.Mask.Pixel(0, 0), kWhite);
    EXPECT_EQ(data.Mask.Pixel(1, 0), kBlack);
    EXPECT_EQ(data.InActivePicture.IsEmpty(), !c.inactive) << c.version;
    if (c.inactive) {
      EXPECT_EQ(data.InActivePicture.Width(), 21);
    }
    EXPECT_EQ(data.RollUpPicture.IsEmpty(), !c.rollup) << c.version;
    EXPECT_EQ(data.RollUpMask.IsEmpty(), !c.rollup) << c.version;
    if (c.rollup) {
      EXPECT_EQ(data.RollUpMask.Width(), 24);
    }
    ASSERT_EQ(data.ActivePictures.size(), 2u);
    EXPECT_EQ(data.ActivePictures[1]->Pixel(2, 1), Rgb(51, 2, 1));
    EXPECT_EQ(data.SkinName, "Tiny");
    EXPECT_EQ(data.Objects.size(), 2u);
    EXPECT_EQ(notes.Messages(), kLoadedMessages);
  }
}

TEST(SkinPackage, FifteenFurtherBitmapsKeepTheirOrder) {
  SkinPackageParts parts = PartsWithAll(3, kDescription);
  for (int i = 0; i < 15; ++i) parts.active_pictures.push_back(MarkedBmp(1 + i, 2, std::uint8_t(100 + i), i == 7 ? 8 : 24));
  parts.active_pictures.push_back(MaskBmp(9, 9));
  TskSkinData data;
  ASSERT_TRUE(data.LoadStoredSkin(StoredFromPackage(BuildSkinPackage(parts))).ok());
  ASSERT_EQ(data.ActivePictures.size(), 16u);
  for (int i = 0; i < 15; ++i) {
    EXPECT_EQ(data.ActivePictures[std::size_t(i)]->Width(), 1 + i);
    EXPECT_EQ(data.ActivePictures[std::size_t(i)]->Pixel(0, 1), Rgb(std::uint8_t(100 + i), 0, 1));
  }
  EXPECT_EQ(data.ActivePictures[7]->BitCount(), 8);
  EXPECT_EQ(data.ActivePictures[15]->BitCount(), 1);
  EXPECT_EQ(data.ActivePicture(15), data.ActivePictures[15].get());
  EXPECT_EQ(data.ActivePicture(16), nullptr);
  EXPECT_EQ(data.ActivePicture(-1), nullptr);
  EXPECT_EQ(data.ActivePictureNames, (std::vector<std::string>{"a.bmp", "b.bmp"}));
}

TEST(SkinPackage, EmptyFlagsAndAZeroCountLeadStraightToTheNextItem) {
  // Version 3 with every picture absent: five bytes of flags would be wrong, three are right.
  SkinPackageParts parts;
  parts.version = 3;
  parts.description = "[VERSION]\r\nskinname=bare\r\n";
  const auto package = BuildSkinPackage(parts);
  ASSERT_EQ(package.size(), 4u + 3u + 4u + parts.description.size());
  TskSkinData data;
  ASSERT_TRUE(data.LoadStoredSkin(StoredFromPackage(package)).ok());
  EXPECT_TRUE(data.Picture.IsEmpty());
  EXPECT_TRUE(data.InActivePicture.IsEmpty());
  EXPECT_TRUE(data.Mask.IsEmpty());
  EXPECT_TRUE(data.ActivePictures.empty());
  EXPECT_EQ(data.SkinName, "bare");  // the description starts right after the count

  // A present picture between two absent ones.
  parts.inactive_picture = MarkedBmp(6, 6, 3);
  TskSkinData data2;
  ASSERT_TRUE(data2.LoadStoredSkin(StoredFromPackage(BuildSkinPackage(parts))).ok());
  EXPECT_TRUE(data2.Picture.IsEmpty());
  EXPECT_EQ(data2.InActivePicture.Width(), 6);
  EXPECT_TRUE(data2.Mask.IsEmpty());
}

TEST(SkinPackage, VersionsOutsideZeroToThreeLeaveTheSkinEmptyAfterChangingOnly) {
  for (std::int32_t version : {4, 1000, -1}) {
    std::vector<std::uint8_t> package;
    AppendInt32(package, version);
    package.push_back(1);
    package.push_back(1);
    AppendInt32(package, 0);
    RecordingNotifier notes;
    TskSkinData data(&notes);
    // A loaded skin first, so that the failed load visibly clears it.
    ASSERT_TRUE(data.LoadStoredSkin(StoredFromPackage(BuildSkinPackage(PartsWithAll(3, kDescription)))).ok());
    notes.calls.clear();
    SkinLoadResult r = data.LoadStoredSkin(StoredFromPackage(package));
    EXPECT_EQ(r.outcome, SkinLoadOutcome::UnsupportedVersion) << version;
    EXPECT_TRUE(data.Empty);
    EXPECT_TRUE(data.Picture.IsEmpty());
    EXPECT_TRUE(data.Objects.empty());
    EXPECT_EQ(notes.Messages(), std::vector<std::uint32_t>{WM_SKINCHANGING}) << version;
  }
}

TEST(SkinPackage, NotificationsCarryTheSenderAndThousand) {
  RecordingNotifier notes;
  TskSkinData data(&notes);
  TskCompressedStoredSkin stored = StoredFromPackage(BuildSkinPackage(PartsWithAll(2, kDescription)));
  EXPECT_TRUE(data.SetCompressedStoredSkin(&stored).ok());
  EXPECT_EQ(data.CompressedStoredSkin(), &stored);
  ASSERT_EQ(notes.calls.size(), 3u);
  for (const auto& call : notes.calls) {
    EXPECT_EQ(call.sender, &data);
    EXPECT_EQ(call.param, 1000);
  }
  EXPECT_EQ(notes.Messages(), kLoadedMessages);

  notes.calls.clear();
  TskResourceStrData texts;
  texts.Strings["MI_CLOSECAPTION"] = "Close";
  data.SetResourceStrData(&texts);
  EXPECT_EQ(notes.Messages(), std::vector<std::uint32_t>{WM_SKINSTRINGSCHANGED});
  EXPECT_EQ(data.ResourceStrData()->GetResStr("MI_CLOSECAPTION"), "Close");
  EXPECT_EQ(data.ResourceStrData()->GetResStr("MI_MAXCAPTION"), "");

  // Dropping the referenced stored skin keeps what was loaded.
  data.StoredSkinDestroyed();
  EXPECT_EQ(data.CompressedStoredSkin(), nullptr);
  EXPECT_FALSE(data.Empty);
  EXPECT_EQ(data.Objects.size(), 2u);
}

TEST(SkinPackage, AnEmptyStoredSkinChangesNothing) {
  RecordingNotifier notes;
  TskSkinData data(&notes);
  ASSERT_TRUE(data.LoadStoredSkin(StoredFromPackage(BuildSkinPackage(PartsWithAll(3, kDescription)))).ok());
  notes.calls.clear();
  TskCompressedStoredSkin empty;
  EXPECT_TRUE(empty.IsEmpty());
  EXPECT_EQ(data.LoadStoredSkin(empty).outcome, SkinLoadOutcome::NothingToLoad);
  EXPECT_TRUE(notes.calls.empty());
  EXPECT_FALSE(data.Empty);
  EXPECT_EQ(data.Objects.size(), 2u);
}

TEST(SkinPackage, LoadingTheSameSkinTwiceGivesTheSameSkin) {
  TskCompressedStoredSkin stored = StoredFromPackage(BuildSkinPackage(PartsWithAll(3, kDescription)));
  TskSkinData data;
  ASSERT_TRUE(data.LoadStoredSkin(stored).ok());
  const TskSkinFormInfo first_geometry = data.FormInfo;
  const Bitmap32 first_picture = data.Picture;
  const std::size_t objects = data.Objects.size();
  const std::size_t pictures = data.ActivePictures.size();
  ASSERT_TRUE(data.LoadStoredSkin(stored).ok());  // frees the first load's objects (ASan would tell)
  EXPECT_EQ(data.Objects.size(), objects);
  EXPECT_EQ(data.ActivePictures.size(), pictures);
  EXPECT_EQ(data.ActivePictureNames.size(), 2u);
  EXPECT_EQ(static_cast<const Bitmap32&>(data.Picture), first_picture);
  EXPECT_EQ(data.FormInfo.ClientRect, first_geometry.ClientRect);
  EXPECT_EQ(data.FormInfo.CaptionRect, first_geometry.CaptionRect);
  EXPECT_EQ(data.FormInfo.MaskRectArea, first_geometry.MaskRectArea);
  EXPECT_EQ(data.FindObjectIndex("cap"), 1);
}

TEST(SkinPackage, ClearAllEmptiesEverything) {
  TskSkinData data;
  ASSERT_TRUE(data.LoadStoredSkin(StoredFromPackage(BuildSkinPackage(PartsWithAll(2, kDescription)))).ok());
  data.ClearAll();
  EXPECT_TRUE(data.Empty);
  EXPECT_TRUE(data.Picture.IsEmpty() && data.InActivePicture.IsEmpty() && data.Mask.IsEmpty() &&
              data.RollUpPicture.IsEmpty() && data.RollUpMask.IsEmpty());
  EXPECT_TRUE(data.ActivePictures.empty() && data.Objects.empty() && data.Controls.empty() && data.Areas.empty());
  EXPECT_TRUE(data.PictureName.empty() && data.MaskName.empty() && data.ActivePictureNames.empty());
}

// Every corrupt package ends the load with the skin empty, only WM_SKINCHANGING sent and an error.
void ExpectFailedLoad(const TskCompressedStoredSkin& stored, const std::string& expected_error, const char* what) {
  RecordingNotifier notes;
  TskSkinData data(&notes);
  SkinLoadResult r = data.LoadStoredSkin(stored);
  EXPECT_EQ(r.outcome, SkinLoadOutcome::Failed) << what;
  EXPECT_EQ(r.error, expected_error) << what;
  EXPECT_TRUE(data.Empty) << what;
  EXPECT_TRUE(data.Picture.IsEmpty() && data.Mask.IsEmpty()) << what;
  EXPECT_TRUE(data.ActivePictures.empty() && data.Objects.empty()) << what;
  EXPECT_EQ(notes.Messages(), std::vector<std::uint32_t>{WM_SKINCHANGING}) << what;
}

TEST(SkinPackage, CorruptPackagesFailCleanly) {
  SkinPackageParts parts = PartsWithAll(3, kDescription);
  parts.active_pictures = {MarkedBmp(4, 4, 1)};
  const std::vector<std::uint8_t> good = BuildSkinPackage(parts);
  const std::size_t picture_at = 5;  // version, flag
  const std::size_t picture_size = parts.picture.size();
  const std::size_t count_at = 4 + 1 + picture_size + 1 + parts.inactive_picture.size() + 1 + parts.mask.size();

  struct Case {
    const char* what;
    std::function<void(std::vector<std::uint8_t>&)> change;
    const char* error;
  };
  const Case cases[] = {
      {"nothing at all", [](auto& b) { b.clear(); }, kSkinStreamReadError},
      {"half a version", [](auto& b) { b.resize(2); }, kSkinStreamReadError},
      {"no first flag", [](auto& b) { b.resize(4); }, kSkinStreamReadError},
      {"picture cut in its header", [&](auto& b) { b.resize(picture_at + 20); }, kSkinInvalidBitmap},
      {"picture cut in its rows", [&](auto& b) { b.resize(picture_at + picture_size - 1); }, kSkinInvalidBitmap},
      {"count cut", [&](auto& b) { b.resize(count_at + 2); }, kSkinStreamReadError},
      {"count promising more bitmaps", [&](auto& b) { Put32(b, count_at, 2); }, kSkinInvalidBitmap},
      {"count of two billion", [&](auto& b) { Put32(b, count_at, 0x7FFFFFFF); }, kSkinInvalidBitmap},
      {"picture height beyond the data", [&](auto& b) { Put32(b, picture_at + 22, 5000); }, kSkinInvalidBitmap},
      {"absurd picture width", [&](auto& b) { Put32(b, picture_at + 18, 0x40000000); }, kSkinInvalidBitmap},
      {"absurd bit count", [&](auto& b) { b[picture_at + 28] = 0xFF; }, kSkinInvalidBitmap},
      {"absurd colour table", [&](auto& b) { Put32(b, picture_at + 46, 0x10000000); }, kSkinInvalidBitmap},
      {"picture without its BM", [&](auto& b) { b[picture_at] = 'X'; }, kSkinInvalidBitmap},
      {"rectangle of three fields",
       [](auto& b) {
         const std::string bad = "[FORMINFO]\r\niconrect=1,2,3\r\n";
         b.insert(b.end(), bad.begin(), bad.end());
       },
       "'' is not a valid integer value"},
  };
  for (const Case& c : cases) {
    std::vector<std::uint8_t> bytes = good;
    c.change(bytes);
    ExpectFailedLoad(StoredFromPackage(bytes), c.error, c.what);
  }
  // A negative count reads no bitmaps; the rest is description text.
  std::vector<std::uint8_t> negative = good;
  Put32(negative, count_at, 0xFFFFFFFFu);
  TskSkinData data;
  EXPECT_TRUE(data.LoadStoredSkin(StoredFromPackage(negative)).ok());
  EXPECT_TRUE(data.ActivePictures.empty());
}

TEST(SkinPackage, PicturesDecodingPastTheirBoundAreRefused) {
  // 1-bit pictures of 16 M pixels each: 2 MiB stored apiece, 64 MiB decoded apiece.
  const std::vector<std::uint8_t> big = MaskBmp(4096, 4096);
  SkinPackageParts parts = PartsWithAll(3, kDescription);
  parts.active_pictures = {big, big};  // up to the bound, with the frame pictures a little past it
  ExpectFailedLoad(StoredFromPackage(BuildSkinPackage(parts)), kSkinPicturesTooLarge, "past the bound");
  parts.active_pictures = {big};
  TskSkinData data;
  EXPECT_TRUE(data.LoadStoredSkin(StoredFromPackage(BuildSkinPackage(parts))).ok());
  EXPECT_EQ(data.ActivePictures.size(), 1u);
}

TEST(SkinPackage, CorruptZlibStreamsAreCompressionErrors) {
  const std::vector<std::uint8_t> zlib = DeflateSkinStream(BuildSkinPackage(PartsWithAll(3, kDescription)));
  ASSERT_GE(zlib.size(), 8u);
  EXPECT_EQ(zlib[0], 0x78);
  EXPECT_EQ(zlib[1], 0xDA);  // level 9
  struct Case {
    const char* what;
    std::function<void(std::vector<std::uint8_t>&)> change;
  };
  const Case cases[] = {
      {"truncated stream", [](auto& b) { b.resize(b.size() / 2); }},
      {"missing checksum", [](auto& b) { b.resize(b.size() - 4); }},
      {"bad header", [](auto& b) { b[0] = 0x12; }},
      {"flipped data byte", [](auto& b) { b[b.size() / 2] ^= 0xFF; }},
      {"wrong checksum", [](auto& b) { b.back() ^= 1; }},
      {"one byte", [](auto& b) { b.resize(1); }},
  };
  for (const Case& c : cases) {
    std::vector<std::uint8_t> bytes = zlib;
    c.change(bytes);
    TskCompressedStoredSkin stored;
    stored.ReadCompressedData(bytes);
    ExpectFailedLoad(stored, kSkinCompressionError, c.what);
  }
}

TEST(SkinPackage, AStreamInflatingPastTheBoundIsRefused) {
  // 65 MiB of zeros deflate to some 65 KiB: a small package that would fill the memory.
  std::vector<std::uint8_t> bomb(kSkinMaxInflatedSize + (std::size_t(1) << 20), 0);
  AppendInt32(bomb, 0);  // keep a version in front so that only the size is wrong
  TskCompressedStoredSkin stored;
  stored.ReadCompressedData(DeflateSkinStream(bomb));
  EXPECT_LT(stored.CompressedData().size(), std::size_t(1) << 20);
  ExpectFailedLoad(stored, kSkinTooLarge, "bomb");

  // Exactly at the bound is still a package.
  std::vector<std::uint8_t> out;
  const std::vector<std::uint8_t> small(1000, 7);
  EXPECT_THROW(InflateSkinStream(DeflateSkinStream(small), out, 999), SkinError);
  out.clear();
  InflateSkinStream(DeflateSkinStream(small), out, 1000);
  EXPECT_EQ(out, small);
}

TEST(SkinPackage, DecompressToAppendsToTheTarget) {
  const std::vector<std::uint8_t> package = BuildSkinPackage(PartsWithAll(0, kDescription));
  TskCompressedStoredSkin stored = StoredFromPackage(package);
  std::vector<std::uint8_t> target{1, 2, 3};
  stored.DecompressTo(target);
  ASSERT_EQ(target.size(), 3 + package.size());
  EXPECT_TRUE(std::equal(package.begin(), package.end(), target.begin() + 3));
}

// A scratch folder removed at the end of the test.
class TempFolder {
 public:
  TempFolder() {
    path_ = std::filesystem::temp_directory_path() / ("skintest-" + std::to_string(::getpid()) + "-" +
                                                       std::to_string(counter_++));
    std::filesystem::create_directories(path_);
  }
  ~TempFolder() { std::filesystem::remove_all(path_); }
  std::string File(const std::string& name) const { return (path_ / name).string(); }
  void Write(const std::string& name, const std::vector<std::uint8_t>& bytes) const {
    ASSERT_TRUE(WriteSkinFile(File(name), bytes));
  }
  void Write(const std::string& name, const std::string& text) const {
    Write(name, std::vector<std::uint8_t>(text.begin(), text.end()));
  }

 private:
  static inline int counter_ = 0;
  std::filesystem::path path_;
};

TEST(SkinPackage, ImportSkinFileTakesTheZlibStreamAsItIs) {
  TempFolder dir;
  const std::vector<std::uint8_t> zlib = DeflateSkinStream(BuildSkinPackage(PartsWithAll(3, kDescription)));
  dir.Write("good.skn", BuildCompressedSkinFile(3, zlib));
  TskCompressedStoredSkin stored;
  ASSERT_TRUE(stored.ImportSkinFile(dir.File("good.skn")));
  EXPECT_EQ(stored.CompressedData(), zlib);
  EXPECT_EQ(stored.CompressedFileName(), "good.skn");
  TskSkinData data;
  EXPECT_TRUE(data.LoadStoredSkin(stored).ok());

  std::vector<std::uint8_t> too_long = BuildCompressedSkinFile(3, zlib);
  too_long[4] = std::uint8_t(too_long[4] + 1);
  std::vector<std::uint8_t> negative = BuildCompressedSkinFile(3, zlib);
  negative[7] = 0x80;
  const struct {
    const char* name;
    std::vector<std::uint8_t> bytes;
  } bad[] = {
      {"v4.skn", BuildCompressedSkinFile(4, zlib)},
      {"long.skn", too_long},
      {"negative.skn", negative},
      {"short.skn", {3, 0, 0, 0, 1}},
      {"empty.skn", {}},
  };
  for (const auto& b : bad) {
    dir.Write(b.name, b.bytes);
    ASSERT_TRUE(stored.ImportSkinFile(dir.File("good.skn")));
    EXPECT_FALSE(stored.ImportSkinFile(dir.File(b.name))) << b.name;
    EXPECT_TRUE(stored.IsEmpty()) << b.name;
  }
  EXPECT_FALSE(stored.ImportSkinFile(dir.File("missing.skn")));
  // The same reading from bytes in memory, as a window takes its skin from a resource.
  ASSERT_TRUE(stored.ImportSkinFileBytes(BuildCompressedSkinFile(3, zlib)));
  EXPECT_EQ(stored.CompressedData(), zlib);
  for (const auto& b : bad) {
    EXPECT_FALSE(stored.ImportSkinFileBytes(b.bytes)) << b.name;
    EXPECT_TRUE(stored.IsEmpty()) << b.name;
  }
}

TEST(SkinPackage, ImportSkinFolderPacksVersionTwoFromTheNamedFiles) {
  TempFolder dir;
  const std::string description =
      "[VERSION]\nskinname=Folder\n[PICTURES]\npicture=frame.bmp\ninactivepicture=frame2.bmp\nmask=mask.bmp\n"
      "rolluppicture=\nactivepicturescount=2\n0=b0.bmp\n1=b1.bmp\n"
      "[FORMINFO]\nclientrect=1,1,5,5\n[SKINOBJECTS]\ncount=0\n[SKINCONTROLS]\ncount=0\n";
  dir.Write("skin.ini", description);
  std::vector<std::uint8_t> frame = MarkedBmp(8, 6, 1);
  const std::size_t frame_size = frame.size();
  frame.insert(frame.end(), 10, 0xEE);  // trailing bytes of a file are not part of the image
  dir.Write("frame.bmp", frame);
  dir.Write("frame2.bmp", MarkedBmp(8, 6, 2));
  dir.Write("mask.bmp", MaskBmp(8, 6));
  dir.Write("b0.bmp", MarkedBmp(3, 3, 10));
  dir.Write("b1.bmp", MaskBmp(5, 2));

  TskCompressedStoredSkin stored;
  std::string error;
  ASSERT_TRUE(stored.ImportSkinFolder(dir.File("skin.ini"), &error)) << error;
  EXPECT_EQ(stored.FileName(), "skin.ini");
  std::vector<std::uint8_t> package;
  stored.DecompressTo(package);
  SkinByteReader r(package);
  EXPECT_EQ(r.ReadInt32(), 2);
  EXPECT_EQ(r.ReadByte(), 0);  // picture present
  r.Skip(frame_size);
  TskSkinData data;
  ASSERT_TRUE(data.LoadStoredSkin(stored).ok());
  EXPECT_EQ(data.Version, 2);
  EXPECT_EQ(data.Picture.Pixel(7, 5), Rgb(1, 7, 5));
  EXPECT_EQ(data.InActivePicture.Pixel(7, 5), Rgb(2, 7, 5));
  EXPECT_TRUE(data.RollUpPicture.IsEmpty());
  EXPECT_TRUE(data.RollUpMask.IsEmpty());
  ASSERT_EQ(data.ActivePictures.size(), 2u);
  EXPECT_EQ(data.ActivePictures[1]->BitCount(), 1);
  EXPECT_EQ(data.SkinName, "Folder");
  // The description was written with CR LF line ends.
  const std::string text(package.end() - std::ptrdiff_t(description.size() + 16), package.end());
  EXPECT_NE(text.find("[SKINCONTROLS]\r\ncount=0\r\n"), std::string::npos);

  // Version 3 leaves the rolled-up records out.
  TskCompressedStoredSkin v3;
  ASSERT_TRUE(v3.ImportSkinFolderAs(dir.File("skin.ini"), 3, &error)) << error;
  TskSkinData data3;
  ASSERT_TRUE(data3.LoadStoredSkin(v3).ok());
  EXPECT_EQ(data3.Version, 3);
  EXPECT_EQ(data3.InActivePicture.Width(), 8);
  EXPECT_LT(v3.CompressedData().size(), stored.CompressedData().size() + 64);
}

TEST(SkinPackage, ImportSkinFolderRefusesIncompleteFolders) {
  TempFolder dir;
  dir.Write("frame.bmp", MarkedBmp(8, 6, 1));
  dir.Write("broken.bmp", std::string("BM not really"));
  const std::string sections = "[VERSION]\n[FORMINFO]\n[SKINOBJECTS]\n[SKINCONTROLS]\n";
  dir.Write("nopictures.ini", sections);
  dir.Write("missingfile.ini", sections + "[PICTURES]\npicture=nothere.bmp\n");
  dir.Write("brokenfile.ini", sections + "[PICTURES]\nactivepicturescount=1\n0=broken.bmp\n");
  dir.Write("good.ini", sections + "[PICTURES]\npicture=frame.bmp\n");

  TskCompressedStoredSkin stored;
  std::string error;
  ASSERT_TRUE(stored.ImportSkinFolder(dir.File("good.ini"), &error)) << error;
  const std::vector<std::uint8_t> before = stored.CompressedData();
  // A missing section stops without changes.
  EXPECT_FALSE(stored.ImportSkinFolder(dir.File("nopictures.ini"), &error));
  EXPECT_NE(error.find("PICTURES"), std::string::npos);
  EXPECT_EQ(stored.CompressedData(), before);
  EXPECT_FALSE(stored.ImportSkinFolder(dir.File("nothere.ini"), &error));
  EXPECT_EQ(stored.CompressedData(), before);
  // A named picture that is missing or no bitmap fails and leaves the package empty.
  EXPECT_FALSE(stored.ImportSkinFolder(dir.File("missingfile.ini"), &error));
  EXPECT_NE(error.find("nothere.bmp"), std::string::npos);
  EXPECT_TRUE(stored.IsEmpty());
  EXPECT_FALSE(stored.ImportSkinFolder(dir.File("brokenfile.ini"), &error));
  EXPECT_NE(error.find(kSkinInvalidBitmap), std::string::npos);
  EXPECT_TRUE(stored.IsEmpty());
}

TEST(SkinPackage, FileNamesKeepOnlyTheNamePart) {
  TskCompressedStoredSkin s;
  s.SetFileName("C:\\skins\\win7\\skin.ini");
  s.SetCompressedFileName("/res/默认win7.skn");
  EXPECT_EQ(s.FileName(), "skin.ini");
  EXPECT_EQ(s.CompressedFileName(), "默认win7.skn");
}

}  // namespace
}  // namespace netscry
