#pragma once
// The value types of a skin description and the visitor through which every description class
// lists its keys once, for reading and for writing back.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "base/canvas.h"  // FontAttrs
#include "base/color.h"
#include "base/geometry.h"

namespace netscry {

// Horizontal text alignment. Written as "taleftjustify", "tarightjustify", "tacenter".
enum class SkinAlignment : int { Left = 0, Right = 1, Center = 2 };

// How a frame object cross-fades between its normal and hot image.
enum class SkinMorphKind : int { Default = 0, Gradient, LeftGradient, RightGradient, LeftSlide, RightSlide, Push };

// The effect that turns the active frame into the inactive one.
enum class SkinEffect : int { Brightness = 0, Darkness, Grayscale, Noise, SplitBlur, Invert };

// What a caption button or animation does when clicked.
enum class SkinCommand : int { Close = 0, Maximize, Minimize, SysMenu, Default, RollUp, MinimizeToTray };

// Orientation keywords of gauges and frame strips.
enum class SkinOrientation : int { Horizontal = 0, Vertical = 1 };

// The three kinds of a frame regulator.
enum class SkinRegulatorKind : int { Round = 0, Horizontal = 1, Vertical = 2 };

// The default face name of every skin font, "宋体" (CP936 bytes in memory).
extern const char* const kSkinDefaultFontName;
constexpr int kSkinDefaultFontHeight = 14;

// A font of the description: face name, height and style; the colour is kept apart.
FontAttrs DefaultSkinFont();

// Every description class names its keys by calling these, one call per key, base class keys
// first. SkinKeyReader fills the fields from a parsed description (missing → default) and
// SkinKeyWriter writes them back in the same syntax, so reading and writing cannot drift apart.
class SkinKeyVisitor {
 public:
  virtual ~SkinKeyVisitor() = default;
  virtual void Text(const char* key, std::string& value, const char* def = "") = 0;
  virtual void Integer(const char* key, int& value, int def = 0) = 0;
  virtual void Colour(const char* key, Color& value, Color def = 0) = 0;
  // True only for exactly 1.
  virtual void Flag(const char* key, bool& value) = 0;
  virtual void PointValue(const char* key, Point& value) = 0;
  virtual void RectValue(const char* key, Rect& value) = 0;
  // "fsbold", "fsitalic", "fsunderline", "fsstrikeout" anywhere in the text (case-sensitive).
  virtual void FontStyle(const char* key, FontAttrs& font) = 0;
  // A keyword out of names (names[i] reads as i, compared case-sensitively); a missing key
  // yields def, any other text other.
  virtual void Choice(const char* key, int& value, std::initializer_list<const char*> names, int def,
                      int other) = 0;
  // List "x": key x + "count", then keys "0" … count − 1.
  virtual void List(const char* key, std::vector<std::string>& value) = 0;
  // Lines "x": key x + "linecount", then keys x + "line0", x + "line1", …
  virtual void Lines(const char* key, std::vector<std::string>& value) = 0;

  // Helpers built on the above.
  void PictureIndex(const char* key, int& value) { Integer(key, value, -1); }
  // prefix + "name" (default "宋体"), prefix + "height" (default 14), prefix + "style".
  void Font(const std::string& prefix, FontAttrs& font);
  void Alignment(const char* key, SkinAlignment& value);
  void MorphKind(const char* key, SkinMorphKind& value);
  void Effect(const char* key, SkinEffect& value);
  void Command(const char* key, SkinCommand& value);
  // keyword of def_name (e.g. "gkhorizontal") → horizontal, any other → vertical.
  void Orientation(const char* key, SkinOrientation& value, const char* horizontal_name,
                   const char* vertical_name);
  void RegulatorKind(const char* key, SkinRegulatorKind& value);
};

}  // namespace netscry
