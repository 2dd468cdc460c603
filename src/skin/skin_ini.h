#pragma once
// The skin description held in memory as INI text, the readers of its value syntaxes, and a
// writer that produces the same syntax.
//
// Rules: lines end at CR LF, a lone CR or a lone LF; each line is trimmed of blanks and control
// characters (bytes up to 0x20); empty lines and lines starting with ";" are skipped; "[name]"
// opens a section; other lines inside a section are entries, split at the first "=" into a
// trimmed name and a trimmed value; a line without "=" is ignored, and so are lines before the
// first section. Section and key names match case-insensitively (ASCII);
// the first matching key wins, and a section that appears twice continues the first one.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "skin/skin_values.h"

namespace netscry {

// Lists ("activepictures", "count" of the object sections) and lines are read up to this many
// entries; a larger count in outside data would only make the reader allocate or loop for nothing.
constexpr int kSkinMaxListCount = 65536;
// All lists and lines read from one parsed description together hold at most this many items:
// many objects naming one section with a long list would otherwise multiply its cost. A
// description that asks for more is refused (SkinError); real skins hold a few hundred.
constexpr std::size_t kSkinMaxListItemsTotal = std::size_t(1) << 18;

class SkinIni {
 public:
  SkinIni() = default;
  explicit SkinIni(std::string_view text) { Parse(text); }

  // Replaces the content with the parsed text.
  void Parse(std::string_view text);

  bool HasSection(std::string_view section) const;
  // The raw value, or nothing when the section or key is missing.
  std::optional<std::string> Find(std::string_view section, std::string_view key) const;

  std::string ReadString(std::string_view section, std::string_view key, std::string_view def) const;
  int ReadInteger(std::string_view section, std::string_view key, int def) const;
  std::vector<std::string> SectionNames() const;

  // The values of keys item_prefix + "0" … item_prefix + (count − 1), count being the integer
  // key count_key (bounded by kSkinMaxListCount; missing keys give ""). Counts the items against
  // kSkinMaxListItemsTotal and throws SkinError once the total is exceeded.
  std::vector<std::string> ReadCountedList(std::string_view section, std::string_view count_key,
                                           std::string_view item_prefix) const;

 private:
  struct Section {
    std::string name;
    std::unordered_map<std::string, std::string> values;  // lower-case key → first value
  };
  const Section* FindSection(std::string_view section) const;

  std::vector<Section> sections_;
  std::unordered_map<std::string, std::size_t> section_index_;  // lower-case name → section
  mutable std::size_t list_items_read_ = 0;
};

// Splits text into lines at CR LF, lone CR or lone LF (no empty last line for a final break).
std::vector<std::string> SplitSkinLines(std::string_view text);
// Trims bytes up to 0x20 at both ends.
std::string_view TrimSkinText(std::string_view text);

// ---- Value syntaxes ----
// Decimal with an optional sign, or hexadecimal after "$", "0x" or "0X" (up to 8 digits, read
// as a 32-bit pattern). Anything else, including overflow, gives nothing.
std::optional<int> ParseSkinInteger(std::string_view text);
// Point and rectangle fields keep only their digits ("-5" reads as 5, blanks are harmless).
// A field without any digit, or more fields than the value has, throws SkinError (a conversion
// error that aborts the load). An empty value (nothing after "=") reads as the default 0,0 / 0,0,0,0.
Point ParseSkinPoint(std::string_view text);
Rect ParseSkinRect(std::string_view text);
void ParseSkinFontStyle(std::string_view text, FontAttrs& font);
std::string FormatSkinFontStyle(const FontAttrs& font);

// Reads the keys of one section of a parsed description.
class SkinKeyReader : public SkinKeyVisitor {
 public:
  SkinKeyReader(const SkinIni& ini, std::string section) : ini_(ini), section_(std::move(section)) {}

  void Text(const char* key, std::string& value, const char* def = "") override;
  void Integer(const char* key, int& value, int def = 0) override;
  void Colour(const char* key, Color& value, Color def = 0) override;
  void Flag(const char* key, bool& value) override;
  void PointValue(const char* key, Point& value) override;
  void RectValue(const char* key, Rect& value) override;
  void FontStyle(const char* key, FontAttrs& font) override;
  void Choice(const char* key, int& value, std::initializer_list<const char*> names, int def,
              int other) override;
  void List(const char* key, std::vector<std::string>& value) override;
  void Lines(const char* key, std::vector<std::string>& value) override;

 private:
  const SkinIni& ini_;
  std::string section_;
};

// Collects INI text: sections in the order first written, keys in the order written (a key
// written again replaces its value).
class SkinIniWriter {
 public:
  void Write(std::string_view section, std::string_view key, std::string_view value);
  // CR LF line ends, a blank line between sections.
  std::string Text() const;

 private:
  struct Section {
    std::string name;
    std::vector<std::pair<std::string, std::string>> entries;
  };
  std::vector<Section> sections_;
};

// Writes the keys of one section back in the syntax SkinKeyReader reads.
class SkinKeyWriter : public SkinKeyVisitor {
 public:
  SkinKeyWriter(SkinIniWriter& out, std::string section) : out_(out), section_(std::move(section)) {}

  void Text(const char* key, std::string& value, const char* def = "") override;
  void Integer(const char* key, int& value, int def = 0) override;
  void Colour(const char* key, Color& value, Color def = 0) override;
  void Flag(const char* key, bool& value) override;
  void PointValue(const char* key, Point& value) override;
  void RectValue(const char* key, Rect& value) override;
  void FontStyle(const char* key, FontAttrs& font) override;
  void Choice(const char* key, int& value, std::initializer_list<const char*> names, int def,
              int other) override;
  void List(const char* key, std::vector<std::string>& value) override;
  void Lines(const char* key, std::vector<std::string>& value) override;

 private:
  SkinIniWriter& out_;
  std::string section_;
};

}  // namespace netscry
