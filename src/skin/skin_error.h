#pragma once
// The one error type of the skin reader. Readers throw it internally; TskSkinData::LoadStoredSkin
// catches it, leaves the skin empty and hands the message back to its caller.
#include <stdexcept>
#include <string>

namespace netscry {

class SkinError : public std::runtime_error {
 public:
  explicit SkinError(const std::string& message) : std::runtime_error(message) {}
};

// Messages, worded like the messages of the framework the skins were first made for.
inline constexpr const char* kSkinCompressionError = "compression error";   // corrupt zlib stream
inline constexpr const char* kSkinCompressingError = "error";               // deflate failed
inline constexpr const char* kSkinInvalidBitmap = "Bitmap image is not valid";
inline constexpr const char* kSkinStreamReadError = "Stream read error";    // package ends early
inline constexpr const char* kSkinTooLarge = "compression error: skin package larger than 64 MiB";
inline constexpr const char* kSkinPicturesTooLarge = "skin pictures larger than 32 M pixels in all";

}  // namespace netscry
