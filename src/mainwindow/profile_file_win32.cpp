#include "mainwindow/profile_file_win32.h"

#include <windows.h>

#include <vector>

namespace netscry {

std::string PrivateProfileFile::ReadString(const std::string& section, const std::string& key) {
  std::vector<char> buf(256);
  for (;;) {
    const DWORD got =
        GetPrivateProfileStringA(section.c_str(), key.c_str(), "", buf.data(), DWORD(buf.size()), path_.c_str());
    if (std::size_t(got) + 1 < buf.size()) return std::string(buf.data(), got);
    // The value filled the buffer and may have been cut, and a cut digit string could pass for
    // another number: read it again with more room, up to 1 MiB; beyond that, no value.
    if (buf.size() >= (std::size_t(1) << 20)) return {};
    buf.resize(buf.size() * 4);
  }
}

bool PrivateProfileFile::WriteString(const std::string& section, const std::string& key, const std::string& value) {
  return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), path_.c_str()) != FALSE;
}

void PrivateProfileFile::Flush() { WritePrivateProfileStringA(nullptr, nullptr, nullptr, path_.c_str()); }

}  // namespace netscry
