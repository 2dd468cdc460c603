#include "skin/skin_ini.h"

#include <cstdint>
#include <limits>

#include "skin/skin_error.h"

namespace netscry {

namespace {

std::string LowerAscii(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
  }
  return out;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Splits a point or rectangle value into its digit-only fields.
std::vector<std::string> DigitFields(std::string_view text) {
  std::vector<std::string> fields(1);
  for (char c : text) {
    if (c == ',') {
      fields.emplace_back();
    } else if (IsDigit(c)) {
      fields.back().push_back(c);
    }
  }
  return fields;
}

int FieldToInt(const std::string& field) {
  // Only digits are kept, so a field is a plain non-negative decimal number.
  auto v = ParseSkinInteger(field);
  if (field.empty() || !v) throw SkinError("'" + field + "' is not a valid integer value");
  return *v;
}

std::vector<int> ParseFields(std::string_view text, std::size_t count, const char* what) {
  std::vector<std::string> fields = DigitFields(text);
  if (fields.size() > count) {
    throw SkinError("'" + std::string(text) + "' is not a valid " + what);
  }
  std::vector<int> values;
  for (std::size_t i = 0; i < count; ++i) {
    values.push_back(FieldToInt(i < fields.size() ? fields[i] : std::string()));
  }
  return values;
}

}  // namespace

std::string_view TrimSkinText(std::string_view text) {
  std::size_t b = 0;
  std::size_t e = text.size();
  while (b < e && static_cast<unsigned char>(text[b]) <= 0x20) ++b;
  while (e > b && static_cast<unsigned char>(text[e - 1]) <= 0x20) --e;
  return text.substr(b, e - b);
}

std::vector<std::string> SplitSkinLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  std::size_t i = 0;
  while (i < text.size()) {
    char c = text[i];
    if (c == '\r' || c == '\n') {
      lines.emplace_back(text.substr(start, i - start));
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      ++i;
      start = i;
    } else {
      ++i;
    }
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}

std::optional<int> ParseSkinInteger(std::string_view text) {
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  bool hex = false;
  if (i < text.size() && text[i] == '$') {
    hex = true;
    ++i;
  } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    hex = true;
    i += 2;
  }
  if (i >= text.size()) return std::nullopt;
  std::uint64_t v = 0;
  for (; i < text.size(); ++i) {
    if (hex) {
      int d = HexValue(text[i]);
      if (d < 0) return std::nullopt;
      v = v * 16 + std::uint64_t(d);
      if (v > 0xFFFFFFFFull) return std::nullopt;
    } else {
      if (!IsDigit(text[i])) return std::nullopt;
      v = v * 10 + std::uint64_t(text[i] - '0');
      if (v > 0x80000000ull) return std::nullopt;
    }
  }
  if (hex) {
    // A hexadecimal value is a 32-bit pattern: $FFFFFFFF is -1.
    std::uint32_t bits = static_cast<std::uint32_t>(v);
    if (negative) bits = 0u - bits;
    return static_cast<int>(static_cast<std::int32_t>(bits));
  }
  if (negative) return static_cast<int>(-static_cast<std::int64_t>(v));
  if (v > 0x7FFFFFFFull) return std::nullopt;
  return static_cast<int>(v);
}

Point ParseSkinPoint(std::string_view text) {
  text = TrimSkinText(text);
  if (text.empty()) return {};
  std::vector<int> f = ParseFields(text, 2, "point");
  return {f[0], f[1]};
}

Rect ParseSkinRect(std::string_view text) {
  text = TrimSkinText(text);
  if (text.empty()) return {};
  std::vector<int> f = ParseFields(text, 4, "rectangle");
  return {f[0], f[1], f[2], f[3]};
}

void ParseSkinFontStyle(std::string_view text, FontAttrs& font) {
  font.bold = text.find("fsbold") != std::string_view::npos;
  font.italic = text.find("fsitalic") != std::string_view::npos;
  font.underline = text.find("fsunderline") != std::string_view::npos;
  font.strikeout = text.find("fsstrikeout") != std::string_view::npos;
}

std::string FormatSkinFontStyle(const FontAttrs& font) {
  std::string out;
  auto add = [&out](bool on, const char* name) {
    if (!on) return;
    if (!out.empty()) out += ',';
    out += name;
  };
  add(font.bold, "fsbold");
  add(font.italic, "fsitalic");
  add(font.underline, "fsunderline");
  add(font.strikeout, "fsstrikeout");
  return out;
}

// ---- SkinIni ----

void SkinIni::Parse(std::string_view text) {
  sections_.clear();
  section_index_.clear();
  list_items_read_ = 0;
  Section* current = nullptr;
  for (const std::string& raw : SplitSkinLines(text)) {
    std::string_view line = TrimSkinText(raw);
    if (line.empty() || line.front() == ';') continue;
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
      std::string name(TrimSkinText(line.substr(1, line.size() - 2)));
      std::string key = LowerAscii(name);
      auto it = section_index_.find(key);
      if (it == section_index_.end()) {
        it = section_index_.emplace(key, sections_.size()).first;
        sections_.push_back(Section{name, {}});
      }
      current = &sections_[it->second];
      continue;
    }
    const std::size_t eq = line.find('=');
    if (current == nullptr || eq == std::string_view::npos) continue;
    current->values.emplace(LowerAscii(TrimSkinText(line.substr(0, eq))),
                            std::string(TrimSkinText(line.substr(eq + 1))));
  }
}

const SkinIni::Section* SkinIni::FindSection(std::string_view section) const {
  auto it = section_index_.find(LowerAscii(section));
  return it == section_index_.end() ? nullptr : &sections_[it->second];
}

bool SkinIni::HasSection(std::string_view section) const { return FindSection(section) != nullptr; }

std::optional<std::string> SkinIni::Find(std::string_view section, std::string_view key) const {
  const Section* s = FindSection(section);
  if (s == nullptr) return std::nullopt;
  auto it = s->values.find(LowerAscii(key));
  if (it == s->values.end()) return std::nullopt;
  return it->second;
}

std::string SkinIni::ReadString(std::string_view section, std::string_view key, std::string_view def) const {
  auto v = Find(section, key);
  return v ? *v : std::string(def);
}

int SkinIni::ReadInteger(std::string_view section, std::string_view key, int def) const {
  auto v = Find(section, key);
  if (!v) return def;
  auto n = ParseSkinInteger(*v);
  return n ? *n : def;
}

std::vector<std::string> SkinIni::ReadCountedList(std::string_view section, std::string_view count_key,
                                                  std::string_view item_prefix) const {
  int count = ReadInteger(section, count_key, 0);
  if (count > kSkinMaxListCount) count = kSkinMaxListCount;
  if (count <= 0) return {};
  list_items_read_ += std::size_t(count);
  if (list_items_read_ > kSkinMaxListItemsTotal) throw SkinError("skin description lists too long");
  std::vector<std::string> out(static_cast<std::size_t>(count));
  const Section* s = FindSection(section);
  if (s == nullptr) return out;
  std::string key = LowerAscii(item_prefix);
  const std::size_t prefix_size = key.size();
  for (int i = 0; i < count; ++i) {
    key.resize(prefix_size);
    key += std::to_string(i);
    auto it = s->values.find(key);
    if (it != s->values.end()) out[std::size_t(i)] = it->second;
  }
  return out;
}

std::vector<std::string> SkinIni::SectionNames() const {
  std::vector<std::string> names;
  for (const Section& s : sections_) names.push_back(s.name);
  return names;
}

// ---- SkinKeyReader ----

void SkinKeyReader::Text(const char* key, std::string& value, const char* def) {
  value = ini_.ReadString(section_, key, def);
}

void SkinKeyReader::Integer(const char* key, int& value, int def) { value = ini_.ReadInteger(section_, key, def); }

void SkinKeyReader::Colour(const char* key, Color& value, Color def) {
  value = static_cast<Color>(ini_.ReadInteger(section_, key, static_cast<int>(def)));
}

void SkinKeyReader::Flag(const char* key, bool& value) { value = ini_.ReadInteger(section_, key, 0) == 1; }

void SkinKeyReader::PointValue(const char* key, Point& value) {
  auto v = ini_.Find(section_, key);
  value = v ? ParseSkinPoint(*v) : Point{};
}

void SkinKeyReader::RectValue(const char* key, Rect& value) {
  auto v = ini_.Find(section_, key);
  value = v ? ParseSkinRect(*v) : Rect{};
}

void SkinKeyReader::FontStyle(const char* key, FontAttrs& font) {
  ParseSkinFontStyle(ini_.ReadString(section_, key, ""), font);
}

void SkinKeyReader::Choice(const char* key, int& value, std::initializer_list<const char*> names, int def,
                           int other) {
  auto v = ini_.Find(section_, key);
  if (!v) {
    value = def;
    return;
  }
  int i = 0;
  for (const char* name : names) {
    if (*v == name) {
      value = i;
      return;
    }
    ++i;
  }
  value = other;
}


void SkinKeyReader::List(const char* key, std::vector<std::string>& value) {
  value = ini_.ReadCountedList(section_, std::string(key) + "count", "");
}

void SkinKeyReader::Lines(const char* key, std::vector<std::string>& value) {
  value = ini_.ReadCountedList(section_, std::string(key) + "linecount", std::string(key) + "line");
}

// ---- SkinIniWriter ----

void SkinIniWriter::Write(std::string_view section, std::string_view key, std::string_view value) {
  Section* s = nullptr;
  for (Section& candidate : sections_) {
    if (LowerAscii(candidate.name) == LowerAscii(section)) {
      s = &candidate;
      break;
    }
  }
  if (s == nullptr) {
    sections_.push_back(Section{std::string(section), {}});
    s = &sections_.back();
  }
  for (auto& entry : s->entries) {
    if (LowerAscii(entry.first) == LowerAscii(key)) {
      entry.second = std::string(value);
      return;
    }
  }
  s->entries.emplace_back(std::string(key), std::string(value));
}

std::string SkinIniWriter::Text() const {
  std::string out;
  for (std::size_t i = 0; i < sections_.size(); ++i) {
    if (i > 0) out += "\r\n";
    out += "[" + sections_[i].name + "]\r\n";
    for (const auto& [k, v] : sections_[i].entries) out += k + "=" + v + "\r\n";
  }
  return out;
}

// ---- SkinKeyWriter ----

void SkinKeyWriter::Text(const char* key, std::string& value, const char*) { out_.Write(section_, key, value); }

void SkinKeyWriter::Integer(const char* key, int& value, int) { out_.Write(section_, key, std::to_string(value)); }

void SkinKeyWriter::Colour(const char* key, Color& value, Color) {
  // Decimal of the 32-bit pattern, so that system colour values read back unchanged.
  out_.Write(section_, key, std::to_string(static_cast<std::int32_t>(value)));
}

void SkinKeyWriter::Flag(const char* key, bool& value) { out_.Write(section_, key, value ? "1" : "0"); }

void SkinKeyWriter::PointValue(const char* key, Point& value) {
  out_.Write(section_, key, std::to_string(value.x) + "," + std::to_string(value.y));
}

void SkinKeyWriter::RectValue(const char* key, Rect& value) {
  out_.Write(section_, key,
             std::to_string(value.left) + "," + std::to_string(value.top) + "," + std::to_string(value.right) + "," +
                 std::to_string(value.bottom));
}

void SkinKeyWriter::FontStyle(const char* key, FontAttrs& font) { out_.Write(section_, key, FormatSkinFontStyle(font)); }

void SkinKeyWriter::Choice(const char* key, int& value, std::initializer_list<const char*> names, int, int other) {
  int index = (value >= 0 && std::size_t(value) < names.size()) ? value : other;
  if (index < 0 || std::size_t(index) >= names.size()) index = 0;
  out_.Write(section_, key, names.begin()[index]);
}

void SkinKeyWriter::List(const char* key, std::vector<std::string>& value) {
  out_.Write(section_, std::string(key) + "count", std::to_string(value.size()));
  for (std::size_t i = 0; i < value.size(); ++i) out_.Write(section_, std::to_string(i), value[i]);
}

void SkinKeyWriter::Lines(const char* key, std::vector<std::string>& value) {
  out_.Write(section_, std::string(key) + "linecount", std::to_string(value.size()));
  for (std::size_t i = 0; i < value.size(); ++i) {
    out_.Write(section_, std::string(key) + "line" + std::to_string(i), value[i]);
  }
}

}  // namespace netscry
