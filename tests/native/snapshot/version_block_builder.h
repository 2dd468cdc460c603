#pragma once
// Builds version resource blocks in the layout of 32-bit and 64-bit programs, for tests and for
// the fuzzer's seeds: each node is wLength, wValueLength, wType, a UTF-16 key with its NUL,
// padding to 4 bytes, the value, padding, the children.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace netscry::testing {

struct VersionNodeSpec {
  std::u16string key;
  bool text = true;                  // wType 1; a binary value otherwise
  std::u16string text_value;         // text nodes: the value's characters
  bool terminated = true;            // text nodes: a NUL after the characters
  std::vector<std::uint8_t> bytes;   // binary nodes: the value's bytes
  std::optional<std::uint16_t> stated_length;  // wValueLength; by default what the value holds
  std::vector<VersionNodeSpec> children;
};

inline void PutWord(std::vector<std::uint8_t>& out, std::size_t at, std::size_t v) {
  out[at] = std::uint8_t(v & 0xFF);
  out[at + 1] = std::uint8_t((v >> 8) & 0xFF);
}

inline void PadTo4(std::vector<std::uint8_t>& out) {
  while (out.size() % 4) out.push_back(0);
}

inline void AppendNode(std::vector<std::uint8_t>& out, const VersionNodeSpec& n) {
  PadTo4(out);
  const std::size_t begin = out.size();
  out.resize(begin + 6);
  auto unit = [&out](char16_t c) {
    out.push_back(std::uint8_t(c & 0xFF));
    out.push_back(std::uint8_t(c >> 8));
  };
  for (char16_t c : n.key) unit(c);
  unit(0);
  PadTo4(out);
  std::size_t value_length = 0;
  if (n.text) {
    // A node without a value (a group) has no NUL either: its children follow the key.
    for (char16_t c : n.text_value) unit(c);
    if (n.terminated && !n.text_value.empty()) unit(0);
    value_length = n.text_value.empty() ? 0 : n.text_value.size() + (n.terminated ? 1 : 0);
  } else {
    out.insert(out.end(), n.bytes.begin(), n.bytes.end());
    value_length = n.bytes.size();
  }
  for (const VersionNodeSpec& child : n.children) AppendNode(out, child);
  PutWord(out, begin, out.size() - begin);
  PutWord(out, begin + 2, n.stated_length.value_or(std::uint16_t(value_length)));
  PutWord(out, begin + 4, n.text ? 1 : 0);
}

inline std::vector<std::uint8_t> BuildVersionBlock(const VersionNodeSpec& root) {
  std::vector<std::uint8_t> out;
  AppendNode(out, root);
  return out;
}

inline VersionNodeSpec TextValue(std::u16string key, std::u16string value) {
  VersionNodeSpec n;
  n.key = std::move(key);
  n.text_value = std::move(value);
  return n;
}

inline VersionNodeSpec Group(std::u16string key, std::vector<VersionNodeSpec> children) {
  VersionNodeSpec n;
  n.key = std::move(key);
  n.children = std::move(children);
  return n;
}

// The translation table: each pair is a language and a code page.
inline VersionNodeSpec TranslationTable(std::vector<std::pair<std::uint16_t, std::uint16_t>> pairs) {
  VersionNodeSpec var;
  var.key = u"Translation";
  var.text = false;
  for (auto [language, code_page] : pairs) {
    for (std::uint16_t w : {language, code_page}) {
      var.bytes.push_back(std::uint8_t(w & 0xFF));
      var.bytes.push_back(std::uint8_t(w >> 8));
    }
  }
  return Group(u"VarFileInfo", {var});
}

// A whole block: the fixed file information (52 bytes, here zero but its signature), then the
// children given.
inline std::vector<std::uint8_t> VersionInfo(std::vector<VersionNodeSpec> children) {
  VersionNodeSpec root;
  root.key = u"VS_VERSION_INFO";
  root.text = false;
  root.bytes.assign(52, 0);
  root.bytes[0] = 0xBD;
  root.bytes[1] = 0x04;
  root.bytes[2] = 0xEF;
  root.bytes[3] = 0xFE;
  root.children = std::move(children);
  return BuildVersionBlock(root);
}

}  // namespace netscry::testing
