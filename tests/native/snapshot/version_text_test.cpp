#include "snapshot/version_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "version_block_builder.h"

namespace netscry {
namespace {

using testing::BuildVersionBlock;
using testing::Group;
using testing::TextValue;
using testing::TranslationTable;
using testing::VersionInfo;
using testing::VersionNodeSpec;

// The tests' stand-in for the system code page: UTF-8, so that every character survives and a
// text cut anywhere shows.
std::string Utf8(std::u16string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    std::uint32_t c = text[i];
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size()) c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
    if (c < 0x80) {
      out += char(c);
    } else if (c < 0x800) {
      out += char(0xC0 | (c >> 6));
      out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += char(0xE0 | (c >> 12));
      out += char(0x80 | ((c >> 6) & 0x3F));
      out += char(0x80 | (c & 0x3F));
    } else {
      out += char(0xF0 | (c >> 18));
      out += char(0x80 | ((c >> 12) & 0x3F));
      out += char(0x80 | ((c >> 6) & 0x3F));
      out += char(0x80 | (c & 0x3F));
    }
  }
  return out;
}

struct Texts {
  bool found = false;
  std::string description, company;
  friend bool operator==(const Texts&, const Texts&) = default;
};

std::ostream& operator<<(std::ostream& os, const Texts& t) {
  return os << "{found " << t.found << ", \"" << t.description << "\", \"" << t.company << "\"}";
}

// Reads from a copy exactly as long as the block, so that a read past its end is a sanitizer
// report and not a quiet read of the test's own memory.
Texts Read(const std::vector<std::uint8_t>& block) {
  const std::vector<std::uint8_t> exact(block);
  Texts t;
  t.description = "stale";
  t.company = "stale";
  t.found = ReadVersionText(exact, Utf8, t.description, t.company);
  return t;
}

Texts Found(std::u16string description, std::u16string company) { return {true, Utf8(description), Utf8(company)}; }

VersionNodeSpec Strings(std::u16string table_key, std::vector<VersionNodeSpec> values) {
  return Group(u"StringFileInfo", {Group(std::move(table_key), std::move(values))});
}

VersionNodeSpec WithStatedLength(VersionNodeSpec n, std::uint16_t length) {
  n.stated_length = length;
  return n;
}

TEST(TranslationKey, LanguageThenCodePageInUpperCaseHex) {
  struct Case {
    std::vector<std::uint8_t> entry;
    std::optional<std::string> key;
  };
  const Case cases[] = {
      {{0x04, 0x08, 0xB0, 0x04}, "080404B0"},
      {{0x09, 0x04, 0xE4, 0x04}, "040904E4"},
      {{0x00, 0x00, 0x00, 0x00}, "00000000"},
      {{0x04, 0x08, 0xB0, 0x04, 0x09, 0x04, 0xE4, 0x04}, "080404B0"},  // only the first entry counts
      {{0x04, 0x08, 0xB0}, std::nullopt},                             // too short: a failed lookup
      {{}, std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(TranslationKey(c.entry), c.key);
}

// The stated value length is what VerQueryValueA reports: characters on Windows, bytes of the
// ANSI copy under Wine, and whatever the resource tool wrote. The text is the value up to its
// NUL, within its node.
TEST(ReadVersionText, TheTextRunsToItsNulWhateverLengthIsStated) {
  const std::u16string chinese = u"网络端点测试助手", latin = u"Network Endpoint Helper";
  struct Case {
    const char* name;
    std::vector<std::uint8_t> block;
    Texts expected;
  };
  const Case cases[] = {
      {"stated length smaller than a Chinese text",
       VersionInfo({Strings(u"080404B0", {WithStatedLength(TextValue(u"FileDescription", chinese), 4),
                                          WithStatedLength(TextValue(u"CompanyName", u"网擎测试工作室"), 1)}),
                    TranslationTable({{0x0804, 1200}})}),
       Found(chinese, u"网擎测试工作室")},
      {"stated length smaller than a Latin text",
       VersionInfo({Strings(u"040904B0", {WithStatedLength(TextValue(u"FileDescription", latin), 7),
                                          WithStatedLength(TextValue(u"CompanyName", u"Acme"), 0)}),
                    TranslationTable({{0x0409, 1200}})}),
       Found(latin, u"Acme")},
      {"stated length larger than the text",
       VersionInfo({Strings(u"040904B0", {WithStatedLength(TextValue(u"FileDescription", u"Tool"), 40),
                                          WithStatedLength(TextValue(u"CompanyName", u"Acme"), 0xFFFF)}),
                    TranslationTable({{0x0409, 1200}})}),
       Found(u"Tool", u"Acme")},
      {"an empty value is empty, not the next node's bytes",
       VersionInfo({Strings(u"040904B0", {TextValue(u"FileDescription", u""), TextValue(u"CompanyName", u"Acme")}),
                    TranslationTable({{0x0409, 1200}})}),
       Found(u"", u"Acme")},
  };
  for (const Case& c : cases) EXPECT_EQ(Read(c.block), c.expected) << c.name;
}

TEST(ReadVersionText, AValueWithoutNulStopsAtTheEndOfTheBlock) {
  // The company is the block's very last node and its text has no NUL: the text is everything up
  // to the block's end and nothing after it (the read is of an exact-size copy).
  VersionNodeSpec company = TextValue(u"CompanyName", u"网擎测试");
  company.terminated = false;
  company.stated_length = 200;
  const std::vector<std::uint8_t> block = VersionInfo(
      {TranslationTable({{0x0804, 1200}}), Strings(u"080404B0", {TextValue(u"FileDescription", u"助手"), company})});
  EXPECT_EQ(Read(block), Found(u"助手", u"网擎测试"));

  // A block that ends in the middle of a character: the half character is not taken.
  std::vector<std::uint8_t> odd = block;
  odd.pop_back();
  EXPECT_EQ(Read(odd), Found(u"助手", u"网擎测"));

  // A description without NUL whose node ends before the block does: the text ends with its node.
  VersionNodeSpec description = TextValue(u"FileDescription", u"Tool");
  description.terminated = false;
  const std::vector<std::uint8_t> inner = VersionInfo(
      {TranslationTable({{0x0409, 1200}}), Strings(u"040904B0", {description, TextValue(u"CompanyName", u"Acme")})});
  EXPECT_EQ(Read(inner), Found(u"Tool", u"Acme"));
}

TEST(ReadVersionText, WhichTranslationAndWhichValues) {
  struct Case {
    const char* name;
    std::vector<std::uint8_t> block;
    Texts expected;
  };
  const Case cases[] = {
      {"a company but no description in the first translation gives both empty",
       VersionInfo({Strings(u"080404B0", {TextValue(u"CompanyName", u"网擎测试工作室")}),
                    TranslationTable({{0x0804, 1200}})}),
       {}},
      {"only the first translation is read, even when another one has the values",
       VersionInfo({Group(u"StringFileInfo",
                          {Group(u"040904B0", {TextValue(u"FileDescription", u"English")}),
                           Group(u"080404B0", {TextValue(u"CompanyName", u"only a company")})}),
                    TranslationTable({{0x0804, 1200}, {0x0409, 1200}})}),
       {}},
      {"no translation table", VersionInfo({Strings(u"040904B0", {TextValue(u"FileDescription", u"Tool")})}), {}},
      {"a translation table shorter than one entry",
       [] {
         VersionNodeSpec var = TranslationTable({{0x0409, 1200}});
         var.children[0].bytes.resize(3);
         return VersionInfo({Strings(u"040904B0", {TextValue(u"FileDescription", u"Tool")}), var});
       }(),
       {}},
      {"keys compare without regard to case",
       VersionInfo({Group(u"stringfileinfo", {Group(u"080404b0", {TextValue(u"filedescription", u"助手"),
                                                                   TextValue(u"COMPANYNAME", u"网擎")})}),
                    Group(u"VARFILEINFO", {TranslationTable({{0x0804, 1200}}).children[0]})}),
       Found(u"助手", u"网擎")},
      {"a key that only starts like the wanted one does not match",
       VersionInfo({Strings(u"040904B0", {TextValue(u"FileDescriptionX", u"no"), TextValue(u"FileDescription", u"yes")}),
                    TranslationTable({{0x0409, 1200}})}),
       Found(u"yes", u"")},
      {"the company only: nothing",
       VersionInfo({TranslationTable({{0x0409, 1252}}), Strings(u"040904E4", {TextValue(u"CompanyName", u"Acme")})}),
       {}},
  };
  for (const Case& c : cases) EXPECT_EQ(Read(c.block), c.expected) << c.name;
}

TEST(ReadVersionText, TheSixteenBitLayoutHasNarrowKeysAndTexts) {
  // wLength, wValueLength, key bytes with NUL, padding to 4, the value, children.
  auto node = [](std::string key, std::vector<std::uint8_t> value, std::vector<std::vector<std::uint8_t>> children) {
    std::vector<std::uint8_t> out(4);
    out.insert(out.end(), key.begin(), key.end());
    out.push_back(0);
    while (out.size() % 4) out.push_back(0);
    out.insert(out.end(), value.begin(), value.end());
    for (const auto& child : children) {
      while (out.size() % 4) out.push_back(0);
      out.insert(out.end(), child.begin(), child.end());
    }
    testing::PutWord(out, 0, out.size());
    testing::PutWord(out, 2, value.size());
    return out;
  };
  auto text = [](std::string s) { return std::vector<std::uint8_t>(s.begin(), s.end() + 1); };
  const std::vector<std::uint8_t> block = node(
      "VS_VERSION_INFO", std::vector<std::uint8_t>(52, 0),
      {node("StringFileInfo", {}, {node("040904E4", {}, {node("FileDescription", text("Old tool"), {}),
                                                         node("CompanyName", text("Old firm"), {})})}),
       node("VarFileInfo", {}, {node("Translation", {0x09, 0x04, 0xE4, 0x04}, {})})});
  ASSERT_FALSE(VersionBlock(block).Wide());
  EXPECT_EQ(Read(block), (Texts{true, "Old tool", "Old firm"}));
}

TEST(ReadVersionText, EveryCutOfABlockReadsInsideIt) {
  const std::vector<std::uint8_t> block =
      VersionInfo({Strings(u"080404B0", {TextValue(u"CompanyName", u"网擎测试工作室"), TextValue(u"FileDescription", u"网络端点测试助手")}),
                   TranslationTable({{0x0804, 1200}})});
  ASSERT_EQ(Read(block), Found(u"网络端点测试助手", u"网擎测试工作室"));
  for (std::size_t n = 0; n < block.size(); ++n) {
    const Texts t = Read(std::vector<std::uint8_t>(block.begin(), block.begin() + std::ptrdiff_t(n)));
    // The translation table comes last, so a cut block has none: nothing is found.
    EXPECT_EQ(t, Texts{}) << n;
  }
  // Lengths that claim more than the block holds are cut at the block's end.
  std::vector<std::uint8_t> lying = block;
  testing::PutWord(lying, 0, 0xFFFF);
  EXPECT_EQ(Read(lying), Found(u"网络端点测试助手", u"网擎测试工作室"));
  // A node length of zero ends the walk instead of standing still.
  std::vector<std::uint8_t> zero = VersionInfo({Group(u"Empty", {}), TranslationTable({{0x0804, 1200}})});
  const std::size_t empty_node = 40 + 52;  // header and "VS_VERSION_INFO" with NUL and padding, fixed info
  ASSERT_EQ(zero[empty_node + 6], 'E');
  testing::PutWord(zero, empty_node, 0);
  EXPECT_FALSE(VersionBlock(zero).Find("\\VarFileInfo\\Translation"));
}

}  // namespace
}  // namespace netscry
