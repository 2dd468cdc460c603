#pragma once
// The loaded skin of a window and the compressed package it comes from.
//
// For the frame code, what each class holds:
// - TskCompressedStoredSkin: the compressed package exactly as a window carries it (a zlib
//   stream), with its informational names. DecompressTo inflates it; ImportSkinFolder and
//   ImportSkinFile fill it from a skin folder or a packed .skn file.
// - TskSkinData: one loaded skin. The five frame pictures (Picture, InActivePicture, Mask,
//   RollUpPicture, RollUpMask; an absent one is an empty SkinBitmap, test IsEmpty()), the further
//   pictures ActivePictures (indexed by the descriptions' "activepictureindex"/"pictureindex";
//   check the index against ActivePictures.size() before use), the frame geometry FormInfo
//   ([FORMINFO], already adjusted), PopupWindow and HintWindow, and the owned description lists
//   Areas, Objects (frame objects: captions, caption buttons, ...) and Controls, in description
//   order. Use dynamic_cast on Objects[i] (e.g. to TskDataSkinStdButton, TskDataSkinCaption) or
//   compare KindName(). Masks are SkinBitmaps whose black pixels (kBlack) belong to the window.
//   Everything stays valid until the next LoadStoredSkin/ClearAll; frame code learns of those
//   through the notifications WM_SKINCHANGING (before anything is cleared), WM_SKINCHANGED and
//   WM_SKINCHANGED2 (after a successful load), sent through a SkinFormsNotifier.
// - TskSkinFormInfo, TskDataSkin* (skin_descriptions.h): the description classes.
// - SkinBitmap (skin_bmp.h): a Bitmap32 plus the bit depth it was stored with.
#include <cstdint>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "skin/skin_bmp.h"
#include "skin/skin_descriptions.h"
#include "skin/skin_error.h"

namespace netscry {

// Window messages that a TskSkinData sends to the forms (first parameter: the TskSkinData,
// second: 1000).
enum : std::uint32_t {
  WM_SKINCHANGING = 1225,        // start of a load, before anything is cleared
  WM_SKINCHANGED = 1226,         // after a successful load
  WM_SKINCHANGED2 = 1227,        // right after WM_SKINCHANGED
  WM_SKINSTRINGSCHANGED = 1274,  // after ResourceStrData was assigned
};
constexpr std::int32_t kSkinNotifyParam = 1000;

class TskSkinData;

// Delivers a TskSkinData's notifications. The window glue implements it by sending the message
// synchronously to the owner form first and then to every other form in the application's form
// order; tests record the calls.
class SkinFormsNotifier {
 public:
  virtual ~SkinFormsNotifier() = default;
  virtual void NotifyForms(TskSkinData& sender, std::uint32_t message, std::int32_t param) = 0;
};

class TskCompressedStoredSkin {
 public:
  std::string Description;  // free text, unused by the engine

  const std::string& FileName() const { return file_name_; }
  const std::string& CompressedFileName() const { return compressed_file_name_; }
  // Store only the file name part of a path (after the last "\" or "/").
  void SetFileName(std::string_view path);
  void SetCompressedFileName(std::string_view path);

  bool IsEmpty() const { return compressed_.empty(); }
  // The compressed package (a zlib stream).
  const std::vector<std::uint8_t>& CompressedData() const { return compressed_; }
  // Replaces the compressed package with the given bytes (the "CompressedData" property).
  void ReadCompressedData(std::span<const std::uint8_t> bytes) { compressed_.assign(bytes.begin(), bytes.end()); }
  std::vector<std::uint8_t> WriteCompressedData() const { return compressed_; }

  // Inflates the whole compressed package from its start and appends the output to target.
  // Throws SkinError ("compression error", or the size bound) for a corrupt stream.
  void DecompressTo(std::vector<std::uint8_t>& target) const;

  // Packs a skin folder: parses the description file; unless it holds [VERSION], [PICTURES],
  // [FORMINFO], [SKINOBJECTS] and [SKINCONTROLS], returns false without changes. Then builds a
  // version 2 package from the BMP files that [PICTURES] names (beside the description file)
  // and the description's lines, and deflates it into the compressed package. A named BMP file
  // that cannot be read or is no valid image makes it return false with error set, the
  // compressed package emptied.
  bool ImportSkinFolder(const std::string& description_path, std::string* error = nullptr);
  // The same with a chosen package version (2 or 3; 3 leaves out the rolled-up pictures).
  bool ImportSkinFolderAs(const std::string& description_path, int version, std::string* error = nullptr);
  // Reads a compressed skin file: empties the package, reads the version and, when it is ≤ 3,
  // the byte count and that many bytes. Returns false (package left empty) when the file
  // cannot be read, the version is above 3 or the count does not fit the file.
  bool ImportSkinFile(const std::string& path);
  // The same from the bytes of a compressed skin file already in memory (e.g. a resource).
  bool ImportSkinFileBytes(std::span<const std::uint8_t> file);

  // The version the package was last imported with (informational; the package says its own).
  int ImportedVersion() const { return imported_version_; }

 private:
  std::string file_name_;
  std::string compressed_file_name_;
  std::vector<std::uint8_t> compressed_;
  int imported_version_ = 0;
};

// Replacement texts for the frame objects' default hints and menu captions (entries such as
// "MI_CLOSECAPTION"); neither window assigns one.
class TskResourceStrData {
 public:
  std::map<std::string, std::string> Strings;
  int CharSet = 1;  // the platform's DEFAULT_CHARSET
  // The entry, or an empty string.
  std::string GetResStr(const std::string& name) const;
};

enum class SkinLoadOutcome {
  NothingToLoad,       // the stored skin was empty: nothing changed, nothing sent
  Loaded,              // WM_SKINCHANGED and WM_SKINCHANGED2 were sent
  UnsupportedVersion,  // version outside 0…3: the skin is left empty, no completion message
  Failed,              // corrupt package or description: the skin is left empty, error says why
};

struct SkinLoadResult {
  SkinLoadOutcome outcome = SkinLoadOutcome::NothingToLoad;
  std::string error;  // set for Failed
  bool ok() const { return outcome == SkinLoadOutcome::Loaded; }
};

class TskSkinData {
 public:
  explicit TskSkinData(SkinFormsNotifier* notifier = nullptr) : notifier_(notifier) {}
  ~TskSkinData();
  TskSkinData(const TskSkinData&) = delete;
  TskSkinData& operator=(const TskSkinData&) = delete;

  void SetNotifier(SkinFormsNotifier* notifier) { notifier_ = notifier; }

  // Stores the reference and, when not null, loads it at once.
  SkinLoadResult SetCompressedStoredSkin(TskCompressedStoredSkin* stored);
  TskCompressedStoredSkin* CompressedStoredSkin() const { return stored_; }
  // Stores the reference and sends WM_SKINSTRINGSCHANGED.
  void SetResourceStrData(TskResourceStrData* data);
  TskResourceStrData* ResourceStrData() const { return resource_str_data_; }
  // Call when the referenced components go away: only the references are cleared.
  void StoredSkinDestroyed() { stored_ = nullptr; }
  void ResourceStrDataDestroyed() { resource_str_data_ = nullptr; }

  // The load sequence: nothing when stored is empty; else Empty, WM_SKINCHANGING, ClearAll,
  // inflate, read the package and the description, clear Empty, WM_SKINCHANGED, WM_SKINCHANGED2.
  // Every failure leaves the skin cleared and Empty and is reported in the result, never thrown.
  SkinLoadResult LoadStoredSkin(const TskCompressedStoredSkin& stored);
  // Reads an already inflated package into this skin, without notifications; the skin must be
  // cleared first. Throws SkinError. Returns false for a version outside 0…3. (Used by
  // LoadStoredSkin and by the fuzz targets.)
  bool ReadPackage(std::span<const std::uint8_t> package);
  // Reads the description text (everything of a load after the pictures) into a cleared skin;
  // the lists are appended to. Throws SkinError.
  void ReadDescription(std::string_view text);

  void ClearSkinObjects();
  void ClearAll();
  void NotifyForms(std::uint32_t message);

  int FindAreaIndex(std::string_view name) const;
  int FindObjectIndex(std::string_view name) const;
  int FindControlIndex(std::string_view name) const;

  // The picture at a description's picture index, or nullptr when the index is out of range.
  const SkinBitmap* ActivePicture(int index) const;

  bool Empty = true;
  int Version = 0;  // format version of the loaded package

  SkinBitmap Picture, InActivePicture, Mask, RollUpPicture, RollUpMask;
  std::vector<std::unique_ptr<SkinBitmap>> ActivePictures;

  // [PICTURES] names.
  std::string PictureName, MaskName, RollUpPictureName, RollUpMaskName;
  std::vector<std::string> ActivePictureNames;
  // [VERSION] texts.
  std::string SkinName, SkinAuthor, AuthorEmail, AuthorURL, SkinComments;

  TskSkinFormInfo FormInfo;
  TskDataSkinPopupWindow PopupWindow;
  TskDataSkinHintWindow HintWindow;

  std::vector<std::unique_ptr<TskDataSkinArea>> Areas;
  std::vector<std::unique_ptr<TskDataSkinObject>> Objects;
  std::vector<std::unique_ptr<TskDataSkinControl>> Controls;

 private:
  SkinFormsNotifier* notifier_ = nullptr;
  TskCompressedStoredSkin* stored_ = nullptr;
  TskResourceStrData* resource_str_data_ = nullptr;
};

}  // namespace netscry
