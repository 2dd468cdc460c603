#pragma once
// Helpers for narrow text in the system's ANSI code page.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace netscry {

// The characters of a fixed-size character field up to its first NUL, at most max_len of them
// (a field filled to the brim has no NUL).
inline std::string TextOfField(const char* field, std::size_t max_len) {
  std::size_t n = 0;
  while (n < max_len && field[n] != '\0') ++n;
  return std::string(field, n);
}

// Which bytes of a code page start a two-byte character. Text is walked by characters with the
// system code page's table, so that a trail byte (which can be 0x5C, "\\") is never taken for a
// character of its own, and a single-byte code page such as 1252 walks every byte alone.
class LeadBytes {
 public:
  // A single-byte code page: no lead bytes.
  constexpr LeadBytes() = default;

  // From the platform's table of lead-byte ranges: pairs of first and last byte, ended by a
  // pair of zeros or by the end of the table.
  static LeadBytes FromRanges(std::span<const std::uint8_t> ranges) {
    LeadBytes t;
    for (std::size_t i = 0; i + 1 < ranges.size(); i += 2) {
      if (ranges[i] == 0 && ranges[i + 1] == 0) break;
      for (unsigned b = ranges[i]; b <= ranges[i + 1]; ++b) t.lead_[b] = true;
    }
    return t;
  }
  // Code page 936 (Simplified Chinese), the one the interface texts are written in.
  static LeadBytes CodePage936() {
    static constexpr std::uint8_t kRanges[] = {0x81, 0xFE, 0, 0};
    return FromRanges(kRanges);
  }

  bool IsLead(unsigned char byte) const { return lead_[byte]; }
  friend bool operator==(const LeadBytes&, const LeadBytes&) = default;

 private:
  std::array<bool, 256> lead_{};
};

// The lead bytes of the system's ANSI code page (on Windows read once from the platform; in the
// native build, where there is none, code page 936).
const LeadBytes& SystemLeadBytes();

// The length in bytes of the character that starts at s[i]: 2 for a lead byte followed by
// another byte, else 1 (a lead byte at the very end stands alone).
inline std::size_t AnsiCharLength(std::string_view s, std::size_t i, const LeadBytes& lead = SystemLeadBytes()) {
  return (lead.IsLead(static_cast<unsigned char>(s[i])) && i + 1 < s.size()) ? 2 : 1;
}

// Offsets where characters start, followed by the length of s. Shortening and searching cut
// only there, never a character in half.
inline std::vector<std::size_t> AnsiCharStarts(std::string_view s, const LeadBytes& lead = SystemLeadBytes()) {
  std::vector<std::size_t> starts;
  for (std::size_t i = 0; i < s.size(); i += AnsiCharLength(s, i, lead)) starts.push_back(i);
  starts.push_back(s.size());
  return starts;
}

}  // namespace netscry
