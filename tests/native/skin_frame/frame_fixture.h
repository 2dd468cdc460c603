#pragma once
// Skins built in memory for the frame tests, a recording host, and the carried skins loaded from
// the repository.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "base/bitmap_canvas.h"
#include "skin/frame/skin_frame.h"
#include "skin/skin_data.h"

namespace netscry::testing_frame {

// The [FORMINFO] of the main window's skin, as its description holds it.
inline TskSkinFormInfo MainFormInfo() {
  TskSkinFormInfo f;
  f.LTPoint = {8, 28};
  f.RTPoint = {695, 28};
  f.LBPoint = {8, 283};
  f.RBPoint = {695, 283};
  f.ClientRect = {8, 28, 696, 284};
  f.LeftStretch = f.RightStretch = f.TopStretch = f.BottomStretch = true;
  f.CaptionRect = {7, 1, 697, 25};
  f.ButtonsOffset = 0;
  f.MaskRectArea = {7, 3, 697, 284};
  f.HitTestLTPoint = {6, 7};
  f.HitTestRTPoint = {696, 6};
  f.HitTestLBPoint = {8, 282};
  f.HitTestRBPoint = {694, 283};
  f.BorderWidth = 7;
  return f;
}

inline SkinBitmap Picture(int w, int h, Color fill, int bits = 24) { return SkinBitmap(Bitmap32(w, h, fill), bits); }

template <typename T>
T& AddObject(TskSkinData& skin, const std::string& name) {
  auto object = std::make_unique<T>(name);
  T& ref = *object;
  skin.Objects.push_back(std::move(object));
  return ref;
}

// A caption button whose images sit in picture 0: normal at skinrect, hot 20 rows lower,
// pressed 40 rows lower.
inline TskDataSkinStdButton& AddButton(TskSkinData& skin, const std::string& name, SkinCommand command, Rect skin_rect) {
  auto& b = AddObject<TskDataSkinStdButton>(skin, name);
  b.Command = command;
  b.ActivePictureIndex = 0;
  b.SkinRectInAPicture = true;
  b.SkinRect = skin_rect;
  b.ActiveSkinRect = skin_rect.Offset(0, 20);
  b.DownRect = skin_rect.Offset(0, 40);
  b.Morphing = true;
  return b;
}

// The main window's skin in memory: a 704 × 292 grey frame, an all-black mask (the whole picture
// belongs to the window), picture 0 with the button images, the four caption buttons and the
// caption with the main window's layout values.
inline void BuildMainSkin(TskSkinData& skin) {
  skin.Empty = false;
  skin.Version = 3;
  skin.Picture = Picture(704, 292, Rgb(200, 210, 220));
  skin.InActivePicture = Picture(704, 292, Rgb(230, 230, 230));
  skin.Mask = Picture(704, 292, kBlack, 1);
  skin.MaskName = "mask.bmp";
  skin.FormInfo = MainFormInfo();
  auto buttons = std::make_unique<SkinBitmap>(Bitmap32(704, 80, Rgb(10, 20, 30)), 24);
  // Hot images white, pressed images red, normal images stay (10, 20, 30).
  for (int y = 20; y < 40; ++y) {
    for (int x = 0; x < 704; ++x) buttons->SetPixel(x, y, kWhite);
  }
  for (int y = 40; y < 60; ++y) {
    for (int x = 0; x < 704; ++x) buttons->SetPixel(x, y, Rgb(255, 0, 0));
  }
  skin.ActivePictures.push_back(std::move(buttons));
  auto& caption = AddObject<TskDataSkinCaption>(skin, "caption");
  caption.SkinRect = {23, 5, 604, 24};
  caption.TextRect = {4, 0, 577, 19};
  caption.Font.name = "Arial";
  caption.Font.height = 14;
  caption.Font.bold = true;
  caption.FontColor = 9864820;
  caption.ActiveFontColor = 0;
  caption.Alignment = SkinAlignment::Left;
  caption.DefaultCaption = true;
  AddButton(skin, "closebutton", SkinCommand::Close, {654, 1, 697, 18});
  auto& max = AddButton(skin, "maximizebutton", SkinCommand::Maximize, {629, 1, 654, 18});
  max.RestoreRect = {500, 1, 525, 18};
  max.RestoreActiveRect = {500, 21, 525, 38};
  max.RestoreDownRect = {500, 41, 525, 58};
  AddButton(skin, "minimizebutton", SkinCommand::Minimize, {604, 1, 629, 18});
  auto& sys = AddButton(skin, "sysmenubutton", SkinCommand::SysMenu, {7, 5, 23, 21});
  sys.Morphing = false;
  sys.ActiveSkinRect = {};
}

// Records what the frame asks of its window.
class FakeHost : public SkinFrameHost {
 public:
  bool active = true;
  std::string caption = "Netscry";
  Bitmap32 icon = Bitmap32(16, 16, Rgb(0, 128, 0));
  std::vector<int> repaints;
  int morph_timer_starts = 0, morph_timer_stops = 0;
  int closes = 0, app_minimizes = 0, relayouts = 0;
  bool captured = false;
  bool main_form = false;
  Rect bounds{100, 100, 862, 569};
  MonitorInfo monitor{{0, 0, 1024, 768}, {0, 0, 1024, 738}, true};
  std::vector<Rect> parked;

  bool IsFormActive() override { return active; }
  std::string CaptionText() override { return caption; }
  const Bitmap32* SmallIcon(std::optional<Color>* transparent) override {
    *transparent = std::nullopt;
    return &icon;
  }
  void RepaintObject(int index) override { repaints.push_back(index); }
  void SetTimer(FrameTimer timer, bool running) override {
    if (timer == FrameTimer::Morph) (running ? morph_timer_starts : morph_timer_stops)++;
  }
  void SetCapture(bool c) override { captured = c; }
  void CloseForm() override { ++closes; }
  void MinimizeApplication() override { ++app_minimizes; }
  bool IsMainForm() override { return main_form; }
  Rect WindowBounds() override { return bounds; }
  void SetWindowBounds(const Rect& r) override { bounds = r; }
  MonitorInfo Monitor() override { return monitor; }
  std::vector<Rect> ParkedForms() override { return parked; }
  void Relayout() override { ++relayouts; }
  Size SmallIconSize() override { return {16, 16}; }
  Size CaptionButtonSize() override { return {18, 18}; }
  void MinimizeToTray() override {}
  bool OpenSystemMenu(Point) override { return false; }
  bool ActivateCustomObject(const std::string&) override { return false; }
  PlainFrameColors PlainColors() override { return {}; }
  void ObjectEvent(FrameObjectEvent, const std::string&, const Rect&) override {}
};

// The carried skin folders and packages.
std::string SkinsDir();
// Loads a packed .skn file (name in UTF-8) into skin; fails the test on any error.
void LoadCarriedSkin(const std::string& utf8_file_name, TskSkinData& skin);
const std::string& MainSkinFile();
const std::string& DialogSkinFile();

enum class CarriedWindow { Main, Dialog };

// A frame wearing one of the carried skins, set up as the program sets up that window: the main
// window sizeable, with its icon, minimise and maximise; the details dialog of fixed size, with
// its icon and close alone. The skin is applied; the frame is not sized yet.
struct CarriedFrame {
  explicit CarriedFrame(CarriedWindow window);

  FakeHost host;
  TskSkinData skin;
  TskSkinFrame frame{host};
};

}  // namespace netscry::testing_frame
