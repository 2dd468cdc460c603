#pragma once
// Writes a Bitmap32 as an 8-bit RGB PNG file: screenshots and composed pictures that a person
// looks at after a test run.
#include <cstdint>
#include <string>
#include <vector>

#include "base/bitmap32.h"

namespace netscry {

std::vector<std::uint8_t> EncodePng(const Bitmap32& picture);
// False when the file cannot be written.
bool WritePng(const Bitmap32& picture, const std::string& path);

}  // namespace netscry
