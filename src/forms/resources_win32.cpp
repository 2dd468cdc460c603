#include "forms/resources_win32.h"

namespace netscry::forms {

std::span<const std::uint8_t> ResourceBytes(const char* name) {
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC res = FindResourceA(module, name, MAKEINTRESOURCEA(10));  // RT_RCDATA
  if (!res) return {};
  HGLOBAL data = LoadResource(module, res);
  const DWORD size = SizeofResource(module, res);
  const void* bytes = data ? LockResource(data) : nullptr;
  if (!bytes || size == 0) return {};
  return {static_cast<const std::uint8_t*>(bytes), size};
}

}  // namespace netscry::forms
