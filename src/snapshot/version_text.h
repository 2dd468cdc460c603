#pragma once
// Reading the file description and company out of a version resource block, as
// GetFileVersionInfoA hands it over. The block comes from a file anyone could have written: the
// walk follows its length fields, and every length and offset is checked against the node that
// holds it (and so against the block) before a byte is read.
//
// Two layouts exist. The one of every 32-bit and 64-bit program: each node is
//   wLength, wValueLength, wType (16 bits each), a UTF-16 key with its NUL, padding to 4 bytes,
//   the value (wValueLength characters when wType is 1, else bytes), padding, the children;
// the older 16-bit one has no wType and narrow keys and values.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace netscry {

// The string-table key of the first translation entry (16-bit language, 16-bit code page, both
// little-endian): four upper-case hex digits each, e.g. 0804 and 04B0 give "080404B0".
// nullopt when the entry is shorter than four bytes.
std::optional<std::string> TranslationKey(std::span<const std::uint8_t> translation);

// Turns a UTF-16 value of the block into the system's ANSI code page.
using WideToAnsi = std::function<std::string(std::u16string_view)>;

// One node found in a block: offsets into the block, end exclusive, all within the block.
struct VersionNode {
  std::size_t begin = 0, end = 0;  // the whole node, as far as its parent holds it
  std::size_t value = 0;           // where the value starts (≤ end)
  std::size_t value_length = 0;    // the value's length as the node states it (characters or bytes)
  bool text = false;               // wType 1 in the wide layout
};

class VersionBlock {
 public:
  explicit VersionBlock(std::span<const std::uint8_t> block);

  // Whether nodes have UTF-16 keys and values (the layout of every 32-bit and 64-bit program).
  bool Wide() const { return wide_; }

  // The node at a path of keys such as "\\StringFileInfo\\080404B0\\CompanyName", keys compared
  // without regard to ASCII case, the first matching child taken at each level. The root is
  // "\\". nullopt when a key is missing or the block holds no node.
  std::optional<VersionNode> Find(std::string_view path) const;

  // The bytes of a binary value: as many as the node states, cut at the node's end.
  std::span<const std::uint8_t> BinaryValue(const VersionNode& node) const;

  // The text of a string value: up to its terminating zero, never past the node's end (so
  // never past the block). The length the node states is not trusted to cut the text: tools
  // write it in characters or in bytes, and a smaller one would cut a text in half.
  std::string Text(const VersionNode& node, const WideToAnsi& to_ansi) const;

 private:
  std::optional<VersionNode> NodeAt(std::size_t begin, std::size_t parent_end) const;
  std::size_t ChildrenBegin(const VersionNode& node) const;
  bool KeyIs(const VersionNode& node, std::string_view name) const;
  std::size_t KeyBegin(std::size_t node_begin) const { return node_begin + (wide_ ? 6 : 4); }

  std::span<const std::uint8_t> block_;
  bool wide_ = true;
};

// The description and company of the block's first translation. Both stay empty when there is
// no translation table, when its first entry is shorter than four bytes, or when that
// translation has no "FileDescription" (then its "CompanyName" is not read either). Returns
// whether the description was found.
bool ReadVersionText(std::span<const std::uint8_t> block, const WideToAnsi& to_ansi, std::string& description,
                     std::string& company);

}  // namespace netscry
