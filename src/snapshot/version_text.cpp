#include "snapshot/version_text.h"

#include <algorithm>
#include <cstdio>

namespace netscry {
namespace {

// Node parts start on 32-bit boundaries counted from the start of the block.
std::size_t Align4(std::size_t offset) { return offset + (4 - offset % 4) % 4; }

char FoldAscii(char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; }

}  // namespace

std::optional<std::string> TranslationKey(std::span<const std::uint8_t> t) {
  if (t.size() < 4) return std::nullopt;
  char key[9];
  std::snprintf(key, sizeof key, "%.2X%.2X%.2X%.2X", unsigned(t[1]), unsigned(t[0]), unsigned(t[3]), unsigned(t[2]));
  return std::string(key, 8);
}

VersionBlock::VersionBlock(std::span<const std::uint8_t> block) : block_(block) {
  // Where the wide layout has its type word (0 or 1), the 16-bit one has the first character of
  // its key ("VS_VERSION_INFO").
  wide_ = !(block_.size() > 4 && block_[4] >= 0x20);
}

std::optional<VersionNode> VersionBlock::NodeAt(std::size_t begin, std::size_t parent_end) const {
  const std::size_t header = wide_ ? 6 : 4;
  if (parent_end > block_.size() || begin > parent_end || parent_end - begin < header) return std::nullopt;
  auto word = [this](std::size_t at) { return std::size_t(block_[at] | (block_[at + 1] << 8)); };
  const std::size_t length = word(begin);
  // A node shorter than its own header would make the walk stand still.
  if (length < header) return std::nullopt;
  VersionNode node;
  node.begin = begin;
  node.end = begin + std::min(length, parent_end - begin);
  node.value_length = word(begin + 2);
  node.text = wide_ && word(begin + 4) == 1;
  // The key runs to its NUL; a key without one takes the rest of the node.
  std::size_t key_end = node.end;
  const std::size_t unit = wide_ ? 2 : 1;
  for (std::size_t at = KeyBegin(begin); node.end - at >= unit; at += unit) {
    if (block_[at] == 0 && (!wide_ || block_[at + 1] == 0)) {
      key_end = at + unit;
      break;
    }
  }
  node.value = std::min(Align4(key_end), node.end);
  return node;
}

std::size_t VersionBlock::ChildrenBegin(const VersionNode& node) const {
  const std::size_t value_bytes = node.value_length * (node.text ? 2 : 1);
  if (node.end - node.value <= value_bytes) return node.end;
  return std::min(Align4(node.value + value_bytes), node.end);
}

bool VersionBlock::KeyIs(const VersionNode& node, std::string_view name) const {
  const std::size_t unit = wide_ ? 2 : 1;
  std::size_t at = KeyBegin(node.begin);
  for (char wanted : name) {
    if (node.end - at < unit || at >= node.value) return false;
    const unsigned code = wide_ ? unsigned(block_[at] | (block_[at + 1] << 8)) : block_[at];
    if (code == 0 || code >= 0x80 || FoldAscii(char(code)) != FoldAscii(wanted)) return false;
    at += unit;
  }
  // The key ends here: with its NUL, or with the node.
  if (node.end - at < unit) return true;
  return block_[at] == 0 && (!wide_ || block_[at + 1] == 0);
}

std::optional<VersionNode> VersionBlock::Find(std::string_view path) const {
  std::optional<VersionNode> node = NodeAt(0, block_.size());
  while (node && !path.empty()) {
    const std::size_t separator = path.find('\\');
    const std::string_view key = path.substr(0, separator);
    path = separator == std::string_view::npos ? std::string_view() : path.substr(separator + 1);
    if (key.empty()) continue;
    std::optional<VersionNode> found;
    for (std::size_t at = ChildrenBegin(*node); at < node->end;) {
      const std::optional<VersionNode> child = NodeAt(at, node->end);
      if (!child) break;
      if (KeyIs(*child, key)) {
        found = child;
        break;
      }
      at = Align4(child->end);
    }
    node = found;
  }
  return node;
}

std::span<const std::uint8_t> VersionBlock::BinaryValue(const VersionNode& node) const {
  if (node.end > block_.size() || node.value > node.end) return {};
  return block_.subspan(node.value, std::min(node.value_length, node.end - node.value));
}

std::string VersionBlock::Text(const VersionNode& node, const WideToAnsi& to_ansi) const {
  if (node.end > block_.size() || node.value > node.end) return {};
  if (!wide_) {
    std::size_t n = 0;
    while (node.value + n < node.end && block_[node.value + n] != 0) ++n;
    return std::string(reinterpret_cast<const char*>(block_.data() + node.value), n);
  }
  std::u16string text;
  for (std::size_t at = node.value; node.end - at >= 2; at += 2) {
    const auto unit = char16_t(block_[at] | (block_[at + 1] << 8));
    if (unit == 0) break;
    text.push_back(unit);
  }
  return text.empty() ? std::string() : to_ansi(text);
}

bool ReadVersionText(std::span<const std::uint8_t> block, const WideToAnsi& to_ansi, std::string& description,
                     std::string& company) {
  description.clear();
  company.clear();
  const VersionBlock version(block);
  const std::optional<VersionNode> translation = version.Find("\\VarFileInfo\\Translation");
  if (!translation) return false;
  const std::optional<std::string> key = TranslationKey(version.BinaryValue(*translation));
  if (!key) return false;
  const std::string prefix = "\\StringFileInfo\\" + *key + "\\";
  const std::optional<VersionNode> desc = version.Find(prefix + "FileDescription");
  if (!desc) return false;
  description = version.Text(*desc, to_ansi);
  if (const std::optional<VersionNode> comp = version.Find(prefix + "CompanyName")) company = version.Text(*comp, to_ansi);
  return true;
}

}  // namespace netscry
