#pragma once
// What the clipboard holds, as another program would paste it: its CF_TEXT and CF_UNICODETEXT
// blocks up to their first NUL; empty when the clipboard or the format is not there.
#include <windows.h>

#include <string>

namespace netscry::testing {

template <typename Char>
std::basic_string<Char> ClipboardBlock(UINT format) {
  std::basic_string<Char> text;
  if (!OpenClipboard(nullptr)) return text;
  if (HANDLE h = GetClipboardData(format)) {
    if (const Char* p = static_cast<const Char*>(GlobalLock(h))) {
      text = p;
      GlobalUnlock(h);
    }
  }
  CloseClipboard();
  return text;
}

inline std::string ClipboardText() { return ClipboardBlock<char>(CF_TEXT); }
inline std::wstring ClipboardUnicodeText() { return ClipboardBlock<wchar_t>(CF_UNICODETEXT); }

}  // namespace netscry::testing
