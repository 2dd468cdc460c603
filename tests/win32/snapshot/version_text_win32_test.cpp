// The version texts read by our own walk of the block agree with what the platform's
// VerQueryValueA finds in real files (the text taken up to its NUL, not cut at the length
// VerQueryValueA reports).
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "helper_process.h"
#include "snapshot/process_identity_win32.h"
#include "snapshot/version_text.h"

namespace netscry {
namespace {

struct Texts {
  std::string description, company;
  friend bool operator==(const Texts&, const Texts&) = default;
};

std::ostream& operator<<(std::ostream& os, const Texts& t) { return os << "{" << t.description << " | " << t.company << "}"; }

// The platform's reading: the first translation's values, each up to its NUL within the block.
std::optional<Texts> PlatformTexts(const std::string& path) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
  if (size == 0) return std::nullopt;
  std::vector<char> block(size, '\0');
  if (!GetFileVersionInfoA(path.c_str(), 0, size, block.data())) return std::nullopt;
  auto text = [&](const std::string& name) -> std::optional<std::string> {
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(block.data(), name.c_str(), &value, &length) || !value) return std::nullopt;
    const char* p = static_cast<const char*>(value);
    const char* end = block.data() + block.size();
    if (p < block.data() || p >= end) return std::nullopt;
    std::size_t n = 0;
    while (p + n < end && p[n] != '\0') ++n;
    return std::string(p, n);
  };
  void* translation = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", &translation, &length) || length < 4)
    return Texts{};
  const auto* t = static_cast<const std::uint8_t*>(translation);
  const std::string prefix = "\\StringFileInfo\\" + *TranslationKey(std::span(t, 4)) + "\\";
  const std::optional<std::string> description = text(prefix + "FileDescription");
  if (!description) return Texts{};
  return Texts{*description, text(prefix + "CompanyName").value_or("")};
}

TEST(VersionTextOnRealFiles, AgreesWithThePlatformsReading) {
  char system_dir[MAX_PATH] = {};
  GetSystemDirectoryA(system_dir, MAX_PATH);
  std::vector<std::string> files = {testing::WinePath(NETSCRY_SOCKET_HELPER)};
  for (const char* name : {"kernel32.dll", "user32.dll", "gdi32.dll", "comctl32.dll", "shell32.dll", "ole32.dll",
                           "version.dll", "iphlpapi.dll", "notepad.exe", "services.exe", "winver.exe"}) {
    files.push_back(std::string(system_dir) + "\\" + name);
  }
  int with_description = 0;
  for (const std::string& path : files) {
    Texts ours;
    GetFileVersionText(path, ours.description, ours.company);
    const std::optional<Texts> platform = PlatformTexts(path);
    EXPECT_EQ(ours, platform.value_or(Texts{})) << path;
    if (!ours.description.empty()) ++with_description;
  }
  // Not a comparison of empty texts alone: the helper and several system files have them.
  EXPECT_GE(with_description, 3);

  Texts helper;
  GetFileVersionText(files[0], helper.description, helper.company);
  EXPECT_EQ(helper, (Texts{"网络端点测试助手", "网擎测试工作室"}));
}

}  // namespace
}  // namespace netscry
