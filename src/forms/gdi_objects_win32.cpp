#include "forms/gdi_objects_win32.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace netscry::forms {
namespace {

struct CacheEntry {
  FontDesc desc;
  std::weak_ptr<SharedFont> font;
};

std::vector<CacheEntry>& Cache() {
  static std::vector<CacheEntry> cache;
  return cache;
}

int g_live_fonts = 0;

}  // namespace

std::shared_ptr<SharedFont> SharedFont::Get(const FontDesc& desc) {
  auto& cache = Cache();
  for (auto it = cache.begin(); it != cache.end();) {
    if (it->font.expired()) {
      it = cache.erase(it);
      continue;
    }
    if (it->desc == desc) return it->font.lock();
    ++it;
  }
  LOGFONTA lf{};
  lf.lfHeight = -desc.attrs.height;  // character height, not cell height
  lf.lfWeight = desc.attrs.bold ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = desc.attrs.italic ? 1 : 0;
  lf.lfUnderline = desc.attrs.underline ? 1 : 0;
  lf.lfStrikeOut = desc.attrs.strikeout ? 1 : 0;
  lf.lfCharSet = BYTE(desc.charset);
  lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
  lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  lf.lfQuality = DEFAULT_QUALITY;
  lf.lfPitchAndFamily = DEFAULT_PITCH;
  const std::size_t n = std::min(desc.attrs.name.size(), sizeof(lf.lfFaceName) - 1);
  std::memcpy(lf.lfFaceName, desc.attrs.name.data(), n);
  HFONT font = CreateFontIndirectA(&lf);
  std::shared_ptr<SharedFont> shared(new SharedFont(desc, font));
  if (font) ++g_live_fonts;
  cache.push_back({desc, shared});
  return shared;
}

SharedFont::~SharedFont() {
  if (font_) {
    DeleteObject(font_);
    --g_live_fonts;
  }
}

int SharedFont::LiveCount() { return g_live_fonts; }

COLORREF ResolveColor(Color color) {
  if (IsSystemColor(color)) return GetSysColor(SystemColorIndex(color));
  return COLORREF(color & 0x00FFFFFFu);
}

HBRUSH SolidBrush::Get(Color color) {
  const COLORREF c = ResolveColor(color);
  if (brush_ && c == color_) return brush_;
  Release();
  brush_ = CreateSolidBrush(c);
  color_ = c;
  return brush_;
}

void SolidBrush::Release() {
  if (brush_) DeleteObject(brush_);
  brush_ = nullptr;
}

}  // namespace netscry::forms
