#pragma once
// The text of one field of a snapshot entry or a list row. Tens of thousands of entries and rows
// hold ten or twelve texts each, and taking a snapshot, filling the list and merging are bound by
// the memory those touch. Nearly every text is a few characters (addresses, ports, IDs, state
// names) and lives in place: up to 15 characters. The longer ones are a program's path,
// description and company, the same for every endpoint of a process; they live in one heap
// block that copies share, so copying an entry's or a row's texts never allocates for them.
// Half the size of std::string, read like a string (data, size, c_str, comparisons,
// std::string_view), always terminated by a zero and never changed in place.
// Copies count their shared block without locking, since snapshots and rows are made and copied
// on the user-interface thread only: a text that goes to another thread goes as str().
#include <cstdint>
#include <cstring>
#include <iosfwd>
#include <string>
#include <string_view>

namespace netscry {

class FieldText {
 public:
  static constexpr std::size_t kInPlace = 15;

  FieldText() noexcept { SetEmpty(); }
  FieldText(std::string_view text) { Init(text); }  // NOLINT: a field takes any text
  FieldText(const char* text) : FieldText(std::string_view(text)) {}
  FieldText(const std::string& text) : FieldText(std::string_view(text)) {}
  FieldText(const FieldText& other) {
    if (other.OnHeap() && other.Block()->refs == kMaxRefs) {
      Init(other.view());  // the count is full: this copy gets a block of its own
      return;
    }
    std::memcpy(bytes_, other.bytes_, sizeof bytes_);
    if (OnHeap()) ++Block()->refs;
  }
  FieldText(FieldText&& other) noexcept {
    std::memcpy(bytes_, other.bytes_, sizeof bytes_);
    other.SetEmpty();
  }
  ~FieldText() { Release(); }

  FieldText& operator=(const FieldText& other) {
    FieldText copy(other);
    Swap(copy);
    return *this;
  }
  FieldText& operator=(FieldText&& other) noexcept {
    FieldText taken(std::move(other));
    Swap(taken);
    return *this;
  }
  FieldText& operator=(std::string_view text) {
    FieldText made(text);
    Swap(made);
    return *this;
  }
  FieldText& operator=(const char* text) { return *this = std::string_view(text); }
  FieldText& operator=(const std::string& text) { return *this = std::string_view(text); }

  const char* data() const noexcept { return OnHeap() ? HeapText(Block()) : bytes_; }
  const char* c_str() const noexcept { return data(); }
  std::size_t size() const noexcept { return OnHeap() ? HeapSize() : kInPlace - std::size_t(bytes_[kInPlace]); }
  std::size_t length() const noexcept { return size(); }
  bool empty() const noexcept { return size() == 0; }
  std::string_view view() const noexcept { return {data(), size()}; }
  operator std::string_view() const noexcept { return view(); }  // NOLINT: reads as a string
  std::string str() const { return std::string(view()); }

  // Empties the text and lets go of a heap block.
  void clear() noexcept {
    Release();
    SetEmpty();
  }
  void Swap(FieldText& other) noexcept {
    char t[sizeof bytes_];
    std::memcpy(t, bytes_, sizeof t);
    std::memcpy(bytes_, other.bytes_, sizeof t);
    std::memcpy(other.bytes_, t, sizeof t);
  }
  // Whether two texts share one heap block (for tests).
  bool SharesBlockWith(const FieldText& other) const noexcept {
    return OnHeap() && other.OnHeap() && Block() == other.Block();
  }

  friend bool operator==(const FieldText& a, const FieldText& b) noexcept { return a.view() == b.view(); }
  friend bool operator==(const FieldText& a, std::string_view b) noexcept { return a.view() == b; }
  friend bool operator==(const FieldText& a, const std::string& b) noexcept { return a.view() == std::string_view(b); }
  friend bool operator==(const FieldText& a, const char* b) noexcept { return a.view() == std::string_view(b); }

 private:
  // The characters and a zero follow the count in the same allocation.
  struct HeapBlock {
    std::uint32_t refs;  // the texts that share the block
  };
  static char* HeapText(HeapBlock* block) noexcept { return reinterpret_cast<char*>(block) + sizeof(HeapBlock); }
  // Byte 15 tells the two forms apart: 15 - size in place (so a text of 15 characters ends with
  // the zero there), kHeapTag on the heap, where bytes 0-7 hold the block and 8-11 the size.
  static constexpr char kHeapTag = char(0x80);
  static constexpr std::uint32_t kMaxRefs = 0xFFFFFFFFu;

  bool OnHeap() const noexcept { return bytes_[kInPlace] == kHeapTag; }
  HeapBlock* Block() const noexcept {
    HeapBlock* b;
    std::memcpy(&b, bytes_, sizeof b);
    return b;
  }
  std::size_t HeapSize() const noexcept {
    std::uint32_t n;
    std::memcpy(&n, bytes_ + 8, sizeof n);
    return n;
  }
  void SetEmpty() noexcept {
    std::memset(bytes_, 0, sizeof bytes_);
    bytes_[kInPlace] = char(kInPlace);
  }
  void Release() noexcept {
    if (OnHeap() && --Block()->refs == 0) Free(Block());
  }
  // Writes the text into bytes_, whose old contents are not looked at (nor released).
  void Init(std::string_view text);
  static void Free(HeapBlock* block) noexcept;

  alignas(8) char bytes_[16];
};

std::ostream& operator<<(std::ostream& out, const FieldText& text);

}  // namespace netscry
