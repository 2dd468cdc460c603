#include "skin/skin_values.h"

#include <climits>

namespace netscry {

const char* const kSkinDefaultFontName = "宋体";

FontAttrs DefaultSkinFont() {
  FontAttrs f;
  f.name = kSkinDefaultFontName;
  f.height = kSkinDefaultFontHeight;
  f.cell_height = true;
  return f;
}

namespace {
// -v, kept in range: the heights come from outside data.
int Negated(int v) { return v == INT_MIN ? INT_MAX : -v; }
}  // namespace

void SkinKeyVisitor::Font(const std::string& prefix, FontAttrs& font) {
  Text((prefix + "name").c_str(), font.name, kSkinDefaultFontName);
  // The description holds the platform's font height: positive for the character cell,
  // negative for the character alone.
  int height = font.cell_height ? font.height : Negated(font.height);
  Integer((prefix + "height").c_str(), height, kSkinDefaultFontHeight);
  font.cell_height = height > 0;
  font.height = height > 0 ? height : Negated(height);
  FontStyle((prefix + "style").c_str(), font);
}

namespace {
template <typename E>
void VisitChoice(SkinKeyVisitor& v, const char* key, E& value, std::initializer_list<const char*> names,
                 E def, E other) {
  int i = static_cast<int>(value);
  v.Choice(key, i, names, static_cast<int>(def), static_cast<int>(other));
  value = static_cast<E>(i);
}
}  // namespace

void SkinKeyVisitor::Alignment(const char* key, SkinAlignment& value) {
  VisitChoice(*this, key, value, {"taleftjustify", "tarightjustify", "tacenter"}, SkinAlignment::Center,
              SkinAlignment::Right);
}

void SkinKeyVisitor::MorphKind(const char* key, SkinMorphKind& value) {
  VisitChoice(*this, key, value,
              {"mkdefault", "mkgradient", "mkleftgradient", "mkrightgradient", "mkleftslide", "mkrightslide",
               "mkpush"},
              SkinMorphKind::Default, SkinMorphKind::Default);
}

void SkinKeyVisitor::Effect(const char* key, SkinEffect& value) {
  VisitChoice(*this, key, value,
              {"iebrightness", "iedarkness", "iegrayscale", "ienoise", "iesplitblur", "ieinvert"},
              SkinEffect::Brightness, SkinEffect::Grayscale);
}

void SkinKeyVisitor::Command(const char* key, SkinCommand& value) {
  VisitChoice(*this, key, value,
              {"cmclose", "cmmaximize", "cmminimize", "cmsysmenu", "cmdefault", "cmrollup", "cmminimizetotray"},
              SkinCommand::Default, SkinCommand::MinimizeToTray);
}

void SkinKeyVisitor::Orientation(const char* key, SkinOrientation& value, const char* horizontal_name,
                                 const char* vertical_name) {
  VisitChoice(*this, key, value, {horizontal_name, vertical_name}, SkinOrientation::Horizontal,
              SkinOrientation::Vertical);
}

void SkinKeyVisitor::RegulatorKind(const char* key, SkinRegulatorKind& value) {
  VisitChoice(*this, key, value, {"rkround", "rkhorizontal", "rkvertical"}, SkinRegulatorKind::Round,
              SkinRegulatorKind::Vertical);
}

}  // namespace netscry
