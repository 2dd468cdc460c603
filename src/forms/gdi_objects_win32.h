#pragma once
// Fonts and brushes for the components. Fonts are shared: every component holding the same font
// description holds the same handle, which is deleted when the last holder lets go.
#include <windows.h>

#include <memory>

#include "base/canvas.h"
#include "base/color.h"
#include "forms/colors.h"

namespace netscry::forms {

struct FontDesc {
  FontAttrs attrs;
  int charset = DEFAULT_CHARSET;
  friend bool operator==(const FontDesc&, const FontDesc&) = default;
};

class SharedFont {
 public:
  // The shared font for a description; a null handle when the system refuses it.
  static std::shared_ptr<SharedFont> Get(const FontDesc& desc);
  ~SharedFont();
  SharedFont(const SharedFont&) = delete;
  SharedFont& operator=(const SharedFont&) = delete;
  HFONT Handle() const { return font_; }
  const FontDesc& Desc() const { return desc_; }
  // How many distinct fonts are alive (for tests of the cache).
  static int LiveCount();

 private:
  SharedFont(const FontDesc& desc, HFONT font) : desc_(desc), font_(font) {}
  FontDesc desc_;
  HFONT font_;
};

// The platform colour of a colour value (system colours resolved).
COLORREF ResolveColor(Color color);

// A solid brush of one colour, made when first asked for and remade when the colour changes.
class SolidBrush {
 public:
  SolidBrush() = default;
  ~SolidBrush() { Release(); }
  SolidBrush(const SolidBrush&) = delete;
  SolidBrush& operator=(const SolidBrush&) = delete;
  HBRUSH Get(Color color);
  void Release();

 private:
  HBRUSH brush_ = nullptr;
  COLORREF color_ = 0;
};

}  // namespace netscry::forms
