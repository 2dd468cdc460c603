#pragma once
#include <string_view>

namespace netscry {

// Orders two ANSI texts ignoring the case of ASCII letters, byte by byte: a text's end counts as
// a 0 byte; at the first position where the bytes differ, a to z are folded to A to Z, and if
// they still differ the result is the first byte minus the second (both unsigned). Other bytes,
// lead and trail bytes of double-byte characters among them, compare by value, so numbers sort as
// text and Chinese texts by their code-page bytes.
int CompareAnsiTextNoCase(std::string_view a, std::string_view b);

}  // namespace netscry
