#include "skin/skin_data.h"

#include <new>

#include "skin/skin_package.h"

namespace netscry {

namespace {

std::string FileNamePart(std::string_view path) {
  const std::size_t slash = path.find_last_of("\\/");
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string FolderPart(const std::string& path) {
  const std::size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// Reads a BMP file for packing: it must decode, and only the bytes of the image itself are
// kept, with the file header's size field set to that length.
bool LoadBmpForPackage(const std::string& path, std::vector<std::uint8_t>& out, std::string& error) {
  std::vector<std::uint8_t> bytes;
  if (!ReadSkinFile(path, bytes)) {
    error = "cannot read " + path;
    return false;
  }
  std::size_t consumed = 0;
  try {
    DecodeBmp(bytes, consumed);
  } catch (const SkinError& e) {
    error = path + ": " + e.what();
    return false;
  }
  bytes.resize(consumed);
  for (int i = 0; i < 4; ++i) bytes[std::size_t(2 + i)] = std::uint8_t((consumed >> (8 * i)) & 0xFF);
  out = std::move(bytes);
  return true;
}

void SetError(std::string* error, const std::string& text) {
  if (error != nullptr) *error = text;
}

}  // namespace

// ---- TskCompressedStoredSkin ----

void TskCompressedStoredSkin::SetFileName(std::string_view path) { file_name_ = FileNamePart(path); }

void TskCompressedStoredSkin::SetCompressedFileName(std::string_view path) {
  compressed_file_name_ = FileNamePart(path);
}

void TskCompressedStoredSkin::DecompressTo(std::vector<std::uint8_t>& target) const {
  InflateSkinStream(compressed_, target);
}

bool TskCompressedStoredSkin::ImportSkinFolder(const std::string& description_path, std::string* error) {
  return ImportSkinFolderAs(description_path, 2, error);
}

bool TskCompressedStoredSkin::ImportSkinFolderAs(const std::string& description_path, int version,
                                                 std::string* error) {
  if (version != 2 && version != 3) {
    SetError(error, "a skin folder packs to version 2 or 3 only");
    return false;
  }
  std::vector<std::uint8_t> raw;
  if (!ReadSkinFile(description_path, raw)) {
    SetError(error, "cannot read " + description_path);
    return false;
  }
  const std::string text(raw.begin(), raw.end());
  const SkinIni ini(text);
  for (const char* section : {"VERSION", "PICTURES", "FORMINFO", "SKINOBJECTS", "SKINCONTROLS"}) {
    if (!ini.HasSection(section)) {
      SetError(error, std::string("the description has no [") + section + "] section");
      return false;
    }
  }
  compressed_.clear();

  const std::string folder = FolderPart(description_path);
  SkinPackageParts parts;
  parts.version = version;
  struct Named {
    const char* key;
    std::vector<std::uint8_t>* target;
  };
  const Named pictures[] = {{"picture", &parts.picture},
                            {"inactivepicture", &parts.inactive_picture},
                            {"mask", &parts.mask},
                            {"rolluppicture", &parts.rollup_picture},
                            {"rollupmask", &parts.rollup_mask}};
  std::string why;
  for (const Named& p : pictures) {
    const std::string name = ini.ReadString("PICTURES", p.key, "");
    if (name.empty()) continue;
    if (!LoadBmpForPackage(folder + name, *p.target, why)) {
      SetError(error, why);
      return false;
    }
  }
  std::vector<std::string> names;
  SkinKeyReader(ini, "PICTURES").List("activepictures", names);
  for (const std::string& name : names) {
    std::vector<std::uint8_t> bmp;
    if (!LoadBmpForPackage(folder + name, bmp, why)) {
      SetError(error, why);
      return false;
    }
    parts.active_pictures.push_back(std::move(bmp));
  }
  for (const std::string& line : SplitSkinLines(text)) parts.description += line + "\r\n";

  try {
    compressed_ = DeflateSkinStream(BuildSkinPackage(parts));
  } catch (const SkinError& e) {
    SetError(error, e.what());
    return false;
  }
  file_name_ = FileNamePart(description_path);
  imported_version_ = version;
  return true;
}

bool TskCompressedStoredSkin::ImportSkinFile(const std::string& path) {
  compressed_.clear();
  std::vector<std::uint8_t> bytes;
  if (!ReadSkinFile(path, bytes) || !ImportSkinFileBytes(bytes)) return false;
  compressed_file_name_ = FileNamePart(path);
  return true;
}

bool TskCompressedStoredSkin::ImportSkinFileBytes(std::span<const std::uint8_t> file) {
  compressed_.clear();
  try {
    SkinByteReader r(file);
    const std::int32_t version = r.ReadInt32();
    if (version < 0 || version > 3) return false;
    const std::int32_t count = r.ReadInt32();
    if (count < 0 || std::size_t(count) > r.Remaining()) return false;
    compressed_.assign(r.Rest().begin(), r.Rest().begin() + count);
    imported_version_ = version;
  } catch (const SkinError&) {
    return false;
  }
  return true;
}

// ---- TskResourceStrData ----

std::string TskResourceStrData::GetResStr(const std::string& name) const {
  auto it = Strings.find(name);
  return it == Strings.end() ? std::string() : it->second;
}

// ---- TskSkinData ----

TskSkinData::~TskSkinData() {
  Empty = true;
  ClearAll();
}

SkinLoadResult TskSkinData::SetCompressedStoredSkin(TskCompressedStoredSkin* stored) {
  stored_ = stored;
  if (stored == nullptr) return {};
  return LoadStoredSkin(*stored);
}

void TskSkinData::SetResourceStrData(TskResourceStrData* data) {
  resource_str_data_ = data;
  NotifyForms(WM_SKINSTRINGSCHANGED);
}

void TskSkinData::NotifyForms(std::uint32_t message) {
  if (notifier_ != nullptr) notifier_->NotifyForms(*this, message, kSkinNotifyParam);
}

SkinLoadResult TskSkinData::LoadStoredSkin(const TskCompressedStoredSkin& stored) {
  if (stored.IsEmpty()) return {};
  Empty = true;
  NotifyForms(WM_SKINCHANGING);
  ClearAll();
  SkinLoadResult result;
  try {
    std::vector<std::uint8_t> package;
    stored.DecompressTo(package);
    if (!ReadPackage(package)) {
      ClearAll();
      result.outcome = SkinLoadOutcome::UnsupportedVersion;
      return result;
    }
  } catch (const SkinError& e) {
    result.error = e.what();
  } catch (const std::bad_alloc&) {
    result.error = "out of memory";
  }
  if (!result.error.empty()) {
    ClearAll();
    result.outcome = SkinLoadOutcome::Failed;
    return result;
  }
  Empty = false;
  NotifyForms(WM_SKINCHANGED);
  NotifyForms(WM_SKINCHANGED2);
  result.outcome = SkinLoadOutcome::Loaded;
  return result;
}

namespace {
// Objects and controls: "i=section:kind" entries, created and read in entry order; an entry
// without a colon or of an unknown kind creates nothing.
template <typename Created>
void ReadListedSections(const SkinIni& ini, const char* list_section,
                        std::unique_ptr<Created> (*create)(std::string_view, std::string),
                        std::vector<std::unique_ptr<Created>>& list) {
  std::vector<std::string> entries;
  SkinKeyReader(ini, list_section).List("", entries);
  for (const std::string& entry : entries) {
    const std::size_t colon = entry.find(':');
    if (colon == std::string::npos) continue;
    if (auto created = create(std::string_view(entry).substr(colon + 1), entry.substr(0, colon))) {
      list.push_back(std::move(created));
      list.back()->LoadFromIni(ini);
    }
  }
}

// The inflated package is bounded, but a 1-bit picture decodes to 32 times its stored size; the
// decoded pixels of one package are bounded too, so a hostile package cannot claim gigabytes.
constexpr std::int64_t kMaxPackagePixels = std::int64_t(32) << 20;

class PictureReader {
 public:
  explicit PictureReader(SkinByteReader& r) : r_(r) {}

  SkinBitmap Next() {
    std::size_t consumed = 0;
    SkinBitmap bmp = DecodeBmp(r_.Rest(), consumed);
    r_.Skip(consumed);
    pixels_ += std::int64_t(bmp.Width()) * bmp.Height();
    if (pixels_ > kMaxPackagePixels) throw SkinError(kSkinPicturesTooLarge);
    return bmp;
  }

  // A picture record: a flag byte (0 = present), then the picture.
  void Record(SkinBitmap& target) { target = r_.ReadByte() != 0 ? SkinBitmap() : Next(); }

 private:
  SkinByteReader& r_;
  std::int64_t pixels_ = 0;
};
}  // namespace

bool TskSkinData::ReadPackage(std::span<const std::uint8_t> package) {
  SkinByteReader r(package);
  const std::int32_t version = r.ReadInt32();
  if (version < 0 || version > 3) return false;
  Version = version;
  PictureReader pictures(r);
  pictures.Record(Picture);
  if (version == 2 || version == 3) pictures.Record(InActivePicture);
  pictures.Record(Mask);
  if (version == 1 || version == 2) {
    pictures.Record(RollUpPicture);
    pictures.Record(RollUpMask);
  }
  const std::int32_t count = r.ReadInt32();
  // No reservation from the count: every bitmap must be present, so a false count fails on the
  // data, not on memory.
  for (std::int32_t i = 0; i < count; ++i) ActivePictures.push_back(std::make_unique<SkinBitmap>(pictures.Next()));
  const auto rest = r.Rest();
  ReadDescription(std::string_view(reinterpret_cast<const char*>(rest.data()), rest.size()));
  return true;
}

void TskSkinData::ReadDescription(std::string_view text) {
  const SkinIni ini(text);

  SkinKeyReader version(ini, "VERSION");
  version.Text("skinname", SkinName);
  version.Text("skinauthor", SkinAuthor);
  version.Text("authoremail", AuthorEmail);
  version.Text("authorurl", AuthorURL);
  version.Text("skincomments", SkinComments);

  SkinKeyReader pictures(ini, "PICTURES");
  pictures.Text("picture", PictureName);
  pictures.Text("mask", MaskName);
  pictures.Text("rolluppicture", RollUpPictureName);
  pictures.Text("rollupmask", RollUpMaskName);
  pictures.List("activepictures", ActivePictureNames);

  LoadSkinSection(FormInfo, ini, TskSkinFormInfo::kSection);
  AdjustSkinFormInfo(FormInfo, !MaskName.empty());

  PopupWindow.LoadFromIni(ini);
  HintWindow.LoadFromIni(ini);

  // Areas: "i=name:left,top,right,bottom".
  std::vector<std::string> entries;
  SkinKeyReader areas(ini, "SKINAREAS");
  areas.List("", entries);
  for (const std::string& entry : entries) {
    auto area = std::make_unique<TskDataSkinArea>();
    const std::size_t colon = entry.find(':');
    if (colon != std::string::npos) {
      area->IDName = entry.substr(0, colon);
      area->AreaRect = ParseSkinRect(std::string_view(entry).substr(colon + 1));
    }
    Areas.push_back(std::move(area));
  }

  ReadListedSections(ini, "SKINOBJECTS", CreateSkinObject, Objects);
  ReadListedSections(ini, "SKINCONTROLS", CreateSkinControl, Controls);
}

void TskSkinData::ClearSkinObjects() {
  Areas.clear();
  Objects.clear();
  Controls.clear();
  ActivePictures.clear();
  ActivePictureNames.clear();
  PopupWindow.WindowPictureIndex = -1;
  HintWindow.WindowPictureIndex = -1;
}

void TskSkinData::ClearAll() {
  ClearSkinObjects();
  Picture = SkinBitmap();
  InActivePicture = SkinBitmap();
  Mask = SkinBitmap();
  RollUpPicture = SkinBitmap();
  RollUpMask = SkinBitmap();
  PictureName.clear();
  MaskName.clear();
  RollUpPictureName.clear();
  RollUpMaskName.clear();
  SkinName.clear();
  SkinAuthor.clear();
  AuthorEmail.clear();
  AuthorURL.clear();
  SkinComments.clear();
  FormInfo = TskSkinFormInfo();
  Version = 0;
  Empty = true;
}

namespace {
template <typename List>
int FindByName(const List& list, std::string_view name) {
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (list[i]->IDName == name) return static_cast<int>(i);
  }
  return -1;
}
}  // namespace

int TskSkinData::FindAreaIndex(std::string_view name) const { return FindByName(Areas, name); }
int TskSkinData::FindObjectIndex(std::string_view name) const { return FindByName(Objects, name); }
int TskSkinData::FindControlIndex(std::string_view name) const { return FindByName(Controls, name); }

const SkinBitmap* TskSkinData::ActivePicture(int index) const {
  if (index < 0 || std::size_t(index) >= ActivePictures.size()) return nullptr;
  return ActivePictures[std::size_t(index)].get();
}

}  // namespace netscry
