#pragma once
// Reading values out of a version resource block. The block is outside data: every length the
// platform reports is checked before anything is read.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace netscry {

// The string-table key of the first translation entry (16-bit language, 16-bit code page, both
// little-endian): four upper-case hex digits each, e.g. 0804 and 04B0 give "080404B0".
// nullopt when the entry is shorter than four bytes.
std::optional<std::string> TranslationKey(std::span<const std::uint8_t> translation);

// The text of a string value of `length` characters (the count may or may not include the NUL),
// up to the first NUL.
std::string VersionValueText(const char* value, std::size_t length);

}  // namespace netscry
