// skinframe_preview: loads a skin folder the way the program loads its packages, composes the
// frame at a window size through the frame engine and writes it as a BMP, with the window shape
// cut out against a desktop colour. When ImageMagick's convert is available, it also writes a
// PNG with the caption text rendered at the place the engine chose.
// Usage: skinframe_preview <skin.ini> <width> <height> <active 0|1> <hover object or -> <main|dialog> <out.bmp>
//        [caption text file (UTF-8) for the PNG] [caption text in the skin's code page]
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "base/bitmap_canvas.h"
#include "skin/frame/skin_frame.h"
#include "skin/skin_bmp.h"
#include "skin/skin_data.h"

namespace {

using namespace netscry;

// A small globe on a transparent key colour, standing in for the program icon.
Bitmap32 PreviewIcon() {
  const Color key = Rgb(255, 0, 255);
  Bitmap32 icon(16, 16, key);
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) {
      const int dx = 2 * x - 15, dy = 2 * y - 15;
      const int d = dx * dx + dy * dy;
      if (d > 15 * 15) continue;
      const int shade = 255 - (dx + dy + 30) * 2;
      Color c = Rgb(std::uint8_t(40 + shade / 8), std::uint8_t(110 + shade / 5), std::uint8_t(std::min(255, 150 + shade / 3)));
      if (x == 7 || y == 7 || d > 13 * 13 || (dx * dx) * 3 / 2 + dy * dy / 4 == 40) c = Rgb(20, 60, 120);
      if ((d < 13 * 13) && (y == 3 || y == 11)) c = Rgb(200, 230, 255);
      icon.SetPixel(x, y, c);
    }
  }
  return icon;
}

class PreviewHost : public SkinFrameHost {
 public:
  bool active = true;
  std::string caption;
  Bitmap32 icon = PreviewIcon();
  bool IsFormActive() override { return active; }
  std::string CaptionText() override { return caption; }
  const Bitmap32* SmallIcon(std::optional<Color>* transparent) override {
    *transparent = Rgb(255, 0, 255);
    return &icon;
  }
  // A picture has no window behind it: nothing moves, repaints live or closes.
  Size SmallIconSize() override { return {16, 16}; }
  Size CaptionButtonSize() override { return {18, 18}; }
  void RepaintObject(int) override {}
  void SetTimer(FrameTimer, bool) override {}
  void SetCapture(bool) override {}
  void CloseForm() override {}
  void MinimizeApplication() override {}
  void MinimizeToTray() override {}
  bool OpenSystemMenu(Point) override { return false; }
  bool ActivateCustomObject(const std::string&) override { return false; }
  bool IsMainForm() override { return false; }
  Rect WindowBounds() override { return {}; }
  void SetWindowBounds(const Rect&) override {}
  MonitorInfo Monitor() override { return {}; }
  std::vector<Rect> ParkedForms() override { return {}; }
  void Relayout() override {}
  PlainFrameColors PlainColors() override { return {}; }
  void ObjectEvent(FrameObjectEvent, const std::string&, const Rect&) override {}
};

// Measures text about as wide as the PNG's font draws it: 7 pixels for a single-byte
// character, 13 for a double-byte one.
class PreviewCanvas : public BitmapCanvas {
 public:
  explicit PreviewCanvas(Bitmap32& target) : BitmapCanvas(target, 7, 14) {}
  Size TextExtent(std::string_view text) override {
    int width = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
      if (static_cast<unsigned char>(text[i]) >= 0x81 && i + 1 < text.size()) {
        width += 13;
        ++i;
      } else {
        width += 7;
      }
    }
    return {width, text.empty() ? 0 : 14};
  }
};

bool WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && ok;
}

std::string Hex(Color c) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "#%02X%02X%02X", RedOf(c), GreenOf(c), BlueOf(c));
  return buf;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 8) {
    std::fprintf(stderr, "usage: skinframe_preview <skin.ini> <width> <height> <active> <hover|-> <main|dialog> <out.bmp> [utf8 caption file] [caption]\n");
    return 2;
  }
  const std::string ini = argv[1];
  const int width = std::atoi(argv[2]), height = std::atoi(argv[3]);
  PreviewHost host;
  host.active = std::atoi(argv[4]) != 0;
  const std::string hover = argv[5];
  // The main window has the minimise and maximise buttons; the dialog only its icon and close.
  const bool dialog = std::string(argv[6]) == "dialog";
  const std::string out = argv[7];
  const std::string utf8_caption_file = argc > 8 ? argv[8] : "";
  host.caption = argc > 9 ? argv[9] : "Netscry";

  // "-" instead of a description: the plain frame of a window without a skin.
  const bool plain = ini == "-";
  TskCompressedStoredSkin stored;
  std::string error;
  TskSkinData skin;
  if (!plain) {
    if (!stored.ImportSkinFolderAs(ini, 3, &error)) {
      std::fprintf(stderr, "skinframe_preview: cannot pack %s: %s\n", ini.c_str(), error.c_str());
      return 1;
    }
    const SkinLoadResult loaded = skin.LoadStoredSkin(stored);
    if (!loaded.ok()) {
      std::fprintf(stderr, "skinframe_preview: cannot load %s: %s\n", ini.c_str(), loaded.error.c_str());
      return 1;
    }
  }
  TskSkinFrame frame(host);
  frame.BorderIcons = dialog ? TskBorderIcons(biSystemMenu) : biSystemMenu | biMinimize | biMaximize;
  frame.Sizeable = !dialog;
  frame.ShowIcon = true;
  frame.SetSkinData(plain ? nullptr : &skin);
  frame.SetSize(width, height);
  if (hover != "-") {
    for (std::size_t i = 0; i < frame.LiveObjects().size(); ++i) {
      TskActiveSkinObject& o = *frame.LiveObjects()[i];
      if (o.IDName == hover) {
        const Rect r = o.ObjectRect;
        frame.UpdateHover({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
        while (frame.MorphTimerTick()) {
        }
      }
    }
  }
  std::vector<BitmapCanvas::TextRun> runs;
  FrameStrips strips;
  const auto canvas_for = [&](Bitmap32& bmp) -> std::unique_ptr<Canvas> { return std::make_unique<PreviewCanvas>(bmp); };
  const bool drawn = plain ? frame.ComposePlainFrame(strips, canvas_for) : frame.ComposeFrame(strips, canvas_for);
  if (!drawn) {
    std::fprintf(stderr, "skinframe_preview: nothing drawn at %dx%d\n", width, height);
    return 1;
  }
  // The caption text was recorded by the top strip's canvas; compose again to get at it.
  if (plain) {
    struct Recorder : PreviewCanvas {
      Recorder(Bitmap32& b, std::vector<TextRun>* out) : PreviewCanvas(b), out_(out) {}
      void TextOut(int x, int y, std::string_view t, Color c, const Rect& clip) override {
        out_->push_back({x, y, std::string(t), c, clip, Font()});
      }
      std::vector<TextRun>* out_;
    };
    FrameStrips again;
    frame.ComposePlainFrame(again, [&](Bitmap32& bmp) -> std::unique_ptr<Canvas> { return std::make_unique<Recorder>(bmp, &runs); });
  } else {
    Bitmap32 top_copy = strips.top;
    PreviewCanvas recorder(top_copy);
    if (TskSkinCaptionObject* caption = frame.CaptionObject()) caption->Draw(recorder, true, {0, 0});
    runs = recorder.TextRuns();
  }

  const Color desktop = Rgb(58, 110, 165);
  Bitmap32 picture = AssembleStrips(strips, width, height, Rgb(240, 240, 240));
  // Everything outside the window shape shows the desktop.
  if (const auto shape = frame.UpdateShape()) {
    Bitmap32 shaped(width, height, desktop);
    for (const Rect& r : *shape) {
      for (int y = r.top; y < r.bottom; ++y) {
        for (int x = r.left; x < r.right; ++x) shaped.SetPixel(x, y, picture.Pixel(x, y));
      }
    }
    picture = shaped;
  }
  if (!WriteBytes(out, EncodeBmp(picture, 24))) {
    std::fprintf(stderr, "skinframe_preview: cannot write %s\n", out.c_str());
    return 1;
  }
  std::printf("%s: %dx%d, %zu caption run(s)\n", out.c_str(), width, height, runs.size());
  if (utf8_caption_file.empty() || runs.empty() || std::system("command -v convert >/dev/null 2>&1") != 0) return 0;
  // The PNG: the caption text drawn where the engine put it, in a font close to bold Arial.
  const BitmapCanvas::TextRun& run = runs.front();
  std::ifstream text_file(utf8_caption_file, std::ios::binary);
  std::string utf8_text((std::istreambuf_iterator<char>(text_file)), std::istreambuf_iterator<char>());
  // The engine may have shortened the text: keep as many characters, then its "...".
  if (run.text.size() >= 3 && run.text.compare(run.text.size() - 3, 3, "...") == 0) {
    std::size_t keep_bytes = run.text.size() - 3, ansi = 0, utf8 = 0;
    while (ansi < keep_bytes && utf8 < utf8_text.size()) {
      const auto a = static_cast<unsigned char>(run.text[ansi]);
      ansi += a >= 0x81 ? 2 : 1;
      const auto u = static_cast<unsigned char>(utf8_text[utf8]);
      utf8 += u >= 0xF0 ? 4 : u >= 0xE0 ? 3 : u >= 0xC0 ? 2 : 1;
    }
    utf8_text = utf8_text.substr(0, utf8) + "...";
  }
  std::string quoted;
  for (char c : utf8_text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  std::ostringstream cmd;
  const std::string png = out.substr(0, out.size() - 4) + ".png";
  cmd << "convert '" << out << "' -font /usr/share/fonts/truetype/wqy/wqy-microhei.ttc -pointsize 12"
      << " -fill '" << Hex(run.color) << "' -stroke '" << Hex(run.color) << "' -strokewidth 0.35"
      << " -annotate +" << run.x << "+" << (run.y + (plain ? 10 : 12)) << " '" << quoted << "' -strip -define png:exclude-chunks=date,time '" << png << "'";
  if (std::system(cmd.str().c_str()) != 0) {
    std::fprintf(stderr, "skinframe_preview: convert failed\n");
    return 1;
  }
  std::printf("%s\n", png.c_str());
  return 0;
}
