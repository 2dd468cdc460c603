// glyphart: writes the button glyphs, the manage column glyph and the program icon.
// Usage: glyphart <resources directory> [<preview directory>]
// The output is the same bytes on every run, so the committed files can be checked against it.
// With a preview directory it also writes enlarged PNG pictures for a person to look at.
#include <cstdio>
#include <filesystem>
#include <string>

#include "base/png_writer.h"
#include "glyph_art.h"

namespace {

bool WriteBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
  std::error_code ec;
  std::filesystem::create_directories(path.parent_path(), ec);
  std::FILE* f = std::fopen(path.string().c_str(), "wb");
  if (!f) return false;
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && ok;
}

netscry::Bitmap32 Enlarged(const netscry::Bitmap32& b, int k) {
  netscry::Bitmap32 out(b.Width() * k, b.Height() * k);
  for (int y = 0; y < out.Height(); ++y) {
    for (int x = 0; x < out.Width(); ++x) out.SetPixel(x, y, b.Pixel(x / k, y / k));
  }
  return out;
}

netscry::Bitmap32 OnGrey(const glyphart::RgbaImage& img) {
  netscry::Bitmap32 out(img.rgb.Width(), img.rgb.Height());
  for (int y = 0; y < out.Height(); ++y) {
    for (int x = 0; x < out.Width(); ++x) {
      const int a = img.Alpha(x, y);
      const netscry::Color c = img.rgb.Pixel(x, y);
      auto mix = [a](int v) { return std::uint8_t((v * a + 200 * (255 - a) + 127) / 255); };
      out.SetPixel(x, y, netscry::Rgb(mix(netscry::RedOf(c)), mix(netscry::GreenOf(c)), mix(netscry::BlueOf(c))));
    }
  }
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 && argc != 3) {
    std::fprintf(stderr, "usage: glyphart <resources directory> [<preview directory>]\n");
    return 2;
  }
  const std::filesystem::path out = argv[1];
  for (const glyphart::ArtFile& f : glyphart::BuildGlyphArt()) {
    if (!WriteBytes(out / f.path, f.bytes)) {
      std::fprintf(stderr, "glyphart: cannot write %s\n", (out / f.path).string().c_str());
      return 1;
    }
    std::printf("%s\n", (out / f.path).string().c_str());
  }
  if (argc == 3) {
    const std::filesystem::path pv = argv[2];
    std::error_code ec;
    std::filesystem::create_directories(pv, ec);
    using glyphart::ButtonGlyph;
    const std::pair<ButtonGlyph, const char*> glyphs[] = {{ButtonGlyph::kHelp, "BTNHelp"},
                                                          {ButtonGlyph::kUpdate, "BTNUpdate"},
                                                          {ButtonGlyph::kHomePage, "BTNHomePage"},
                                                          {ButtonGlyph::kRefresh, "BTNRefresh"},
                                                          {ButtonGlyph::kEndPro, "BTNEndPro"}};
    for (const auto& [g, name] : glyphs) {
      netscry::WritePng(Enlarged(glyphart::ButtonGlyphPicture(g), 8), (pv / (std::string(name) + ".png")).string());
    }
    netscry::WritePng(Enlarged(OnGrey(glyphart::ManageGlyphPicture()), 8), (pv / "manage.png").string());
    for (int s : {16, 32, 48}) {
      netscry::WritePng(Enlarged(OnGrey(glyphart::ProgramIconPicture(s)), 384 / s / 2),
                        (pv / ("icon" + std::to_string(s) + ".png")).string());
    }
  }
  return 0;
}
