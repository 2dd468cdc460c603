#include "base/field_text.h"

#include <limits>
#include <new>
#include <ostream>
#include <stdexcept>

namespace netscry {

void FieldText::Init(std::string_view text) {
  if (text.size() <= kInPlace) {
    char in_place[sizeof bytes_] = {};
    if (!text.empty()) std::memcpy(in_place, text.data(), text.size());
    in_place[kInPlace] = char(kInPlace - text.size());
    std::memcpy(bytes_, in_place, sizeof bytes_);
    return;
  }
  if (text.size() >= std::numeric_limits<std::uint32_t>::max()) throw std::length_error("Text too long.");
  void* raw = ::operator new(sizeof(HeapBlock) + text.size() + 1);
  auto* block = ::new (raw) HeapBlock{1};
  char* chars = HeapText(block);
  std::memcpy(chars, text.data(), text.size());
  chars[text.size()] = '\0';
  const std::uint32_t size = std::uint32_t(text.size());
  std::memset(bytes_, 0, sizeof bytes_);
  std::memcpy(bytes_, &block, sizeof block);
  std::memcpy(bytes_ + 8, &size, sizeof size);
  bytes_[kInPlace] = kHeapTag;
}

void FieldText::Free(HeapBlock* block) noexcept {
  block->~HeapBlock();
  ::operator delete(static_cast<void*>(block));
}

std::ostream& operator<<(std::ostream& out, const FieldText& text) { return out << text.view(); }

}  // namespace netscry
