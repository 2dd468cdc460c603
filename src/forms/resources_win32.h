#pragma once
// Data the program carries in its own resources (skin packages, pictures).
#include <windows.h>

#include <cstdint>
#include <span>

namespace netscry::forms {

// The bytes of an RCDATA resource of the program's module, valid for the life of the module;
// empty when the resource is missing or empty.
std::span<const std::uint8_t> ResourceBytes(const char* name);

}  // namespace netscry::forms
