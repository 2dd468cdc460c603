#include "skins.h"

#include <algorithm>
#include <initializer_list>

#include "bmp_writer.h"
#include "frame_painter.h"
#include "widgets.h"

namespace skinart {

using netscry::Rgb;

namespace {

// Lines joined with CR LF, as skin descriptions are stored.
std::string Text(std::initializer_list<const char*> lines) {
  std::string out;
  for (const char* line : lines) {
    out += line;
    out += "\r\n";
  }
  return out;
}

void AddPicture(SkinFolder& folder, const std::string& name, const Bitmap32& bmp, BmpDepth depth) {
  folder.files.push_back({name, EncodeBmp(bmp, depth)});
}

// Copies rows [y0, y1) of src to dst starting at row dy, columns [x0, x1) to the same columns.
void CopyArea(const Bitmap32& src, int x0, int y0, int x1, int y1, Bitmap32& dst, int dx, int dy) {
  for (int y = y0; y < y1; ++y) {
    for (int x = x0; x < x1; ++x) dst.SetPixel(dx + x - x0, dy + y - y0, src.Pixel(x, y));
  }
}

struct ButtonSlot {
  int x, width;
  Glyph glyph;
  bool is_close;
  Radii radii;
  bool join_left;
};

// The caption button picture: the normal images at their places in the frame (rows top..top+h),
// the hot, pressed and inactive images in the three bands below, each band h rows lower; the
// restore images of the maximise button at restore_x in the first three bands.
Bitmap32 CaptionButtonPicture(const Bitmap32& frame, const Bitmap32& inactive_frame, int top, int h,
                              int height, const std::vector<ButtonSlot>& slots, int restore_x,
                              int maximize_x, const Theme& theme) {
  Bitmap32 pic(frame.Width(), height, Rgb(255, 255, 255));
  // Every band starts as the frame behind the buttons, so rounded corners blend into it.
  CopyArea(frame, 0, 0, frame.Width(), top + h + 3, pic, 0, 0);
  for (int band = 1; band < 4; ++band) {
    const Bitmap32& src = band == 3 ? inactive_frame : frame;
    // Left of column 100 the picture keeps the frame (the icon button's place).
    CopyArea(src, 100, top, frame.Width(), top + h, pic, 100, top + band * h);
  }
  const ButtonState states[4] = {ButtonState::Normal, ButtonState::Hot, ButtonState::Down, ButtonState::Inactive};
  for (int band = 0; band < 4; ++band) {
    for (const ButtonSlot& s : slots) {
      CaptionButton(pic, s.x, top + band * h, s.width, h, s.glyph, s.is_close, states[band], theme, s.radii,
                    s.join_left);
    }
  }
  for (int band = 0; band < 3; ++band) {
    CopyArea(frame, maximize_x, top, maximize_x + 25, top + h, pic, restore_x, top + band * h);
    CaptionButton(pic, restore_x, top + band * h, 25, h, Glyph::Restore, false, states[band], theme, Radii{}, true);
  }
  return pic;
}

// A soft white glow 40 x 18 at (x, y) of pic, composited over the frame's rows from frame_top
// on (column 60 stands for the plain glass behind the caption text): 10 columns fading in, 20
// full, 10 fading out.
void CaptionGlow(Bitmap32& pic, int x, int y, const Bitmap32& frame, int frame_top, double strength) {
  for (int j = 0; j < 18; ++j) {
    const double v = (j - 8.5) / 9.0;
    const double vertical = std::max(0.0, 1.0 - v * v) * std::max(0.0, 1.0 - v * v);
    for (int i = 0; i < 40; ++i) {
      const double edge = i < 10 ? (i + 0.5) / 10.0 : i >= 30 ? (39.5 - i) / 10.0 : 1.0;
      const double a = strength * vertical * edge * edge * (3 - 2 * edge);
      pic.SetPixel(x + i, y + j, Mix(frame.Pixel(60, frame_top + j), Rgb(240, 246, 252), a));
    }
  }
}

void AddControlPictures(SkinFolder& folder, const Theme& t, bool full) {
  AddPicture(folder, "menu.bmp", MenuWindowPicture(t), BmpDepth::k24);
  AddPicture(folder, "menuitem.bmp", MenuItemPicture(t), BmpDepth::k24);
  AddPicture(folder, "hint.bmp", HintPicture(t), BmpDepth::k24);
  AddPicture(folder, "button.bmp", PushButtonPicture(t), BmpDepth::k24);
  AddPicture(folder, "checkradio.bmp", CheckRadioPicture(t), BmpDepth::k24);
  AddPicture(folder, "scrollbar.bmp", ScrollBarPicture(t), BmpDepth::k24);
  if (!full) return;
  AddPicture(folder, "edit.bmp", EditPicture(t), BmpDepth::k24);
  AddPicture(folder, "gauge.bmp", GaugePicture(t), BmpDepth::k24);
  AddPicture(folder, "trackbar.bmp", TrackBarPicture(t), BmpDepth::k24);
  AddPicture(folder, "tab.bmp", TabPicture(t), BmpDepth::k24);
  AddPicture(folder, "combobox.bmp", ComboBoxPicture(t), BmpDepth::k24);
  AddPicture(folder, "panel.bmp", PanelPicture(t), BmpDepth::k24);
  AddPicture(folder, "sysmenulayer.bmp", GlowLayerPicture(), BmpDepth::k8Grey);
  AddPicture(folder, "sysmenulayermask.bmp", GlowLayerMask(), BmpDepth::k1);
}

// Sections shared by both descriptions: the popup menu, the hint window, the menu item and the
// controls drawn from the control pictures (indexes 1 to 6, and 7 to 12 in the full skin).
std::string CommonSections(bool full) {
  std::string s = Text({
      "[POPUPWINDOW]",
      "windowpictureindex=1",
      "maskpictureindex=-1",
      "lefttoppoint=30,3",
      "righttoppoint=61,3",
      "leftbottompoint=30,61",
      "rightbottompoint=61,61",
      "leftstretch=1",
      "rightstretch=1",
      "topstretch=1",
      "bottomstretch=1",
      "itemsrect=3,3,61,61",
      "scrollmarkercolor=0",
      "scrollmarkeractivecolor=13395456",
      "cursorindex=-1",
      "stretcheffect=0",
      "",
      "[HINTWINDOW]",
      "windowpictureindex=3",
      "maskpictureindex=-1",
      "lefttoppoint=4,4",
      "righttoppoint=44,4",
      "leftbottompoint=4,28",
      "rightbottompoint=44,28",
      "leftstretch=1",
      "rightstretch=1",
      "topstretch=1",
      "bottomstretch=1",
      "clientrect=4,4,44,28",
      "fontname=Arial",
      "fontheight=13",
      "fontstyle=",
      "fontcolor=5592405",
      "",
      "[menuitem]",
      "hint=",
      "rollup=0",
      "activepictureindex=2",
      "skinrectinapicture=1",
      "cursorindex=-1",
      "skinrect=0,0,120,22",
      "activeskinrect=0,22,120,44",
      "inactiveskinrect=0,0,0,0",
      "morphing=0",
      "morphkind=mkdefault",
      "itemleftoffset=28",
      "itemrightoffset=4",
      "dividerrect=0,44,120,48",
      "dividerleftoffset=28",
      "dividerrightoffset=2",
      "textrect=32,0,116,22",
      "fontname=Arial",
      "fontheight=13",
      "fontstyle=",
      "fontcolor=0",
      "activefontcolor=0",
      "unenabledfontcolor=9211020",
      "",
      "[button]",
      "pictureindex=4",
      "maskpictureindex=-1",
      "cursorindex=-1",
      "skinrect=0,0,75,23",
      "lefttoppoint=3,3",
      "righttoppoint=72,3",
      "leftbottompoint=3,20",
      "rightbottompoint=72,20",
      "clientrect=3,3,72,20",
      "leftstretch=1",
      "rightstretch=1",
      "topstretch=1",
      "bottomstretch=1",
      "fontname=Arial",
      "fontheight=13",
      "fontstyle=",
      "fontcolor=0",
      "activefontcolor=0",
      "disabledfontcolor=9211020",
      "downfontcolor=0",
      "morphing=1",
      "morphkind=mkdefault",
      "activeskinrect=0,23,75,46",
      "downskinrect=0,46,75,69",
      "disabledskinrect=0,69,75,92",
      "",
      "[checkbox]",
      "pictureindex=5",
      "maskpictureindex=-1",
      "cursorindex=-1",
      "skinrect=0,0,13,13",
      "lefttoppoint=0,0",
      "righttoppoint=13,0",
      "leftbottompoint=0,13",
      "rightbottompoint=13,13",
      "clientrect=0,0,13,13",
      "fontname=Arial",
      "fontheight=13",
      "fontstyle=",
      "fontcolor=0",
      "activefontcolor=0",
      "unenabledfontcolor=9211020",
      "framefontcolor=0",
      "morphing=0",
      "morphkind=mkdefault",
      "activeskinrect=0,0,0,0",
      "checkimagearea=0,0,13,13",
      "textarea=17,0,100,13",
      "checkimagerect=13,0,26,13",
      "uncheckimagerect=0,0,13,13",
      "activecheckimagerect=39,0,52,13",
      "activeuncheckimagerect=26,0,39,13",
      "unenabledcheckimagerect=65,0,78,13",
      "unenableduncheckimagerect=52,0,65,13",
      "",
      "[radiobox]",
      "pictureindex=5",
      "maskpictureindex=-1",
      "cursorindex=-1",
      "skinrect=0,13,13,26",
      "lefttoppoint=0,0",
      "righttoppoint=13,0",
      "leftbottompoint=0,13",
      "rightbottompoint=13,13",
      "clientrect=0,0,13,13",
      "fontname=Arial",
      "fontheight=13",
      "fontstyle=",
      "fontcolor=0",
      "activefontcolor=0",
      "unenabledfontcolor=9211020",
      "framefontcolor=0",
      "morphing=0",
      "morphkind=mkdefault",
      "activeskinrect=0,0,0,0",
      "checkimagearea=0,0,13,13",
      "textarea=17,0,100,13",
      "checkimagerect=13,13,26,26",
      "uncheckimagerect=0,13,13,26",
      "activecheckimagerect=39,13,52,26",
      "activeuncheckimagerect=26,13,39,26",
      "unenabledcheckimagerect=65,13,78,26",
      "unenableduncheckimagerect=52,13,65,26",
      "",
      "[vscrollbar]",
      "pictureindex=6",
      "maskpictureindex=-1",
      "cursorindex=-1",
      "skinrect=51,0,68,51",
      "lefttoppoint=0,0",
      "righttoppoint=17,0",
      "leftbottompoint=0,51",
      "rightbottompoint=17,51",
      "clientrect=0,0,17,51",
      "trackarea=0,17,17,34",
      "upbuttonrect=0,0,17,17",
      "activeupbuttonrect=17,0,34,17",
      "downupbuttonrect=34,0,51,17",
      "downbuttonrect=0,17,17,34",
      "activedownbuttonrect=17,17,34,34",
      "downdownbuttonrect=34,17,51,34",
      "thumbrect=0,34,17,51",
      "activethumbrect=17,34,34,51",
      "downthumbrect=34,34,51,51",
      "thumboffset1=3",
      "thumboffset2=3",
      "thumbtransparent=0",
      "thumbtransparentcolor=0",
      "glyphrect=68,5,75,12",
      "activeglyphrect=68,5,75,12",
      "downglyphrect=68,5,75,12",
      "",
  });
  if (full) {
    s += Text({
        "[edit]",
        "pictureindex=7",
        "maskpictureindex=-1",
        "cursorindex=-1",
        "skinrect=0,0,60,21",
        "lefttoppoint=2,2",
        "righttoppoint=58,2",
        "leftbottompoint=2,19",
        "rightbottompoint=58,19",
        "clientrect=2,2,58,19",
        "activeskinrect=0,21,60,42",
        "fontname=Arial",
        "fontheight=13",
        "fontstyle=",
        "fontcolor=0",
        "disabledfontcolor=9211020",
        "activefontcolor=0",
        "buttonrect=0,0,0,0",
        "activebuttonrect=0,0,0,0",
        "downbuttonrect=0,0,0,0",
        "unenabledbuttonrect=0,0,0,0",
        "",
        "[gauge]",
        "pictureindex=8",
        "maskpictureindex=-1",
        "cursorindex=-1",
        "skinrect=0,0,100,14",
        "lefttoppoint=3,3",
        "righttoppoint=97,3",
        "leftbottompoint=3,11",
        "rightbottompoint=97,11",
        "clientrect=2,2,98,12",
        "progressarea=1,1,99,13",
        "progressrect=0,14,100,28",
        "beginoffset=2",
        "endoffset=2",
        "vertical=0",
        "fontname=Arial",
        "fontheight=12",
        "fontstyle=fsbold",
        "fontcolor=0",
        "progresstransparent=0",
        "progresstransparentcolor=0",
        "",
        "[trackbar]",
        "pictureindex=9",
        "maskpictureindex=-1",
        "cursorindex=-1",
        "skinrect=0,0,100,20",
        "lefttoppoint=4,0",
        "righttoppoint=96,0",
        "leftbottompoint=4,20",
        "rightbottompoint=96,20",
        "clientrect=4,0,96,20",
        "trackarea=5,0,95,20",
        "buttonrect=0,20,11,40",
        "activebuttonrect=11,20,22,40",
        "vertical=0",
        "buttontransparent=0",
        "buttontransparentcolor=0",
        "",
        "[tab]",
        "pictureindex=10",
        "maskpictureindex=-1",
        "cursorindex=-1",
        "skinrect=180,0,240,60",
        "tabrect=0,0,60,24",
        "activetabrect=120,0,180,24",
        "focustabrect=120,0,180,24",
        "mouseintabrect=60,0,120,24",
        "clientrect=1,1,59,59",
        "bgpictureindex=-1",
        "lefttoppoint=1,1",
        "righttoppoint=59,1",
        "leftbottompoint=1,59",
        "rightbottompoint=59,59",
        "tableftoffset=3",
        "tabrightoffset=3",
        "tabsbgrect=0,0,0,0",
        "fontname=Arial",
        "fontheight=13",
        "fontstyle=",
        "fontcolor=0",
        "activefontcolor=0",
        "focusfontcolor=0",
        "mouseinfontcolor=0",
        "updown=",
        "",
        "[combobox]",
        "pictureindex=11",
        "maskpictureindex=-1",
        "cursorindex=-1",
        "skinrect=0,0,100,21",
        "lefttoppoint=2,2",
        "righttoppoint=98,2",
        "leftbottompoint=2,19",
        "rightbottompoint=98,19",
        "clientrect=2,2,98,19",
        "itemrect=0,0,0,0",
        "focusitemrect=0,0,0,0",
        "itemleftoffset=0",
        "itemrightoffset=0",
        "itemtextrect=3,2,80,19",
        "fontname=Arial",
        "fontheight=13",
        "fontstyle=",
        "fontcolor=0",
        "focusfontcolor=16777215",
        "listboxname=",
        "buttonrect=100,1,117,20",
        "activebuttonrect=117,1,134,20",
        "downbuttonrect=134,1,151,20",
        "unenabledbuttonrect=100,1,117,20",
        "",
        "[panel]",
        "pictureindex=12",
        "maskpictureindex=-1",
        "cursorindex=-1",
        "skinrect=0,0,64,64",
        "lefttoppoint=4,10",
        "righttoppoint=60,10",
        "leftbottompoint=4,60",
        "rightbottompoint=60,60",
        "clientrect=4,10,60,60",
        "bgpictureindex=-1",
        "captionrect=8,0,56,13",
        "alignment=taleftjustify",
        "fontname=Arial",
        "fontheight=13",
        "fontstyle=",
        "fontcolor=0",
        "checkimagerect=0,0,0,0",
        "uncheckimagerect=0,0,0,0",
        "",
    });
  }
  s += full ? Text({
                  "[SKINCONTROLS]",
                  "count=11",
                  "0=button:button",
                  "1=checkbox:checkradio",
                  "2=radiobox:checkradio",
                  "3=vscrollbar:scrollbar",
                  "4=edit:edit",
                  "5=gauge:gauge",
                  "6=trackbar:trackbar",
                  "7=tab:tab",
                  "8=combobox:combobox",
                  "9=panel:panel",
                  "10=menubutton:menubutton",
                  "",
                  "[menubutton]",
                  "pictureindex=4",
                  "maskpictureindex=-1",
                  "cursorindex=-1",
                  "skinrect=0,0,75,23",
                  "lefttoppoint=3,3",
                  "righttoppoint=72,3",
                  "leftbottompoint=3,20",
                  "rightbottompoint=72,20",
                  "clientrect=3,3,72,20",
                  "fontname=Arial",
                  "fontheight=13",
                  "fontstyle=",
                  "fontcolor=0",
                  "activefontcolor=0",
                  "disabledfontcolor=9211020",
                  "downfontcolor=0",
                  "morphing=1",
                  "morphkind=mkdefault",
                  "activeskinrect=0,23,75,46",
                  "downskinrect=0,46,75,69",
                  "disabledskinrect=0,69,75,92",
                  "trackbuttonrect=58,3,72,20",
              })
              : Text({
                    "[SKINCONTROLS]",
                    "count=4",
                    "0=button:button",
                    "1=checkbox:checkradio",
                    "2=radiobox:checkradio",
                    "3=vscrollbar:scrollbar",
                });
  return s;
}

}  // namespace

SkinFolder BuildMainSkin() {
  FrameStyle active;
  active.width = 704;
  active.height = 292;
  active.radius = 7;
  active.client = {8, 28, 696, 284};
  active.caption_bottom = 26;
  active.glass = {{0.0, Rgb(188, 212, 241)}, {0.09, Rgb(160, 191, 229)}, {1.0, Rgb(150, 183, 224)}};
  active.top_gloss = 0.5;
  active.streaks = {{110, 26, 0.26}, {150, 8, 0.22}, {300, 38, 0.2}, {352, 10, 0.24}, {470, 22, 0.16}};
  active.slant = 1.6;
  active.streak_left = 24;
  active.streak_right = 560;
  active.outer = Rgb(58, 78, 106);
  active.outer_alpha = 0.95;
  active.inner_light = Rgb(255, 255, 255);
  active.inner_light_alpha = 0.6;
  active.edge_dark = Rgb(112, 132, 160);
  active.edge_light = Rgb(255, 255, 255);
  active.edge_light_alpha = 0.55;
  active.client_fill = Rgb(240, 240, 240);

  FrameStyle inactive = active;
  inactive.glass = {{0.0, Rgb(230, 237, 246)}, {0.09, Rgb(218, 228, 240)}, {1.0, Rgb(213, 224, 237)}};
  inactive.top_gloss = 0.3;
  for (Streak& s : inactive.streaks) s.alpha *= 0.6;
  inactive.outer = Rgb(126, 142, 166);
  inactive.edge_dark = Rgb(152, 166, 186);

  const Bitmap32 frame = PaintFrame(active);
  const Bitmap32 inactive_frame = PaintFrame(inactive);

  Theme t{};
  const Color plain[4][4] = {
      {Rgb(238, 244, 251), Rgb(208, 221, 238), Rgb(178, 198, 224), Rgb(204, 222, 244)},
      {Rgb(224, 241, 255), Rgb(166, 212, 248), Rgb(76, 156, 228), Rgb(118, 200, 250)},
      {Rgb(152, 180, 214), Rgb(98, 134, 186), Rgb(42, 86, 150), Rgb(70, 118, 178)},
      {Rgb(242, 245, 250), Rgb(228, 234, 242), Rgb(214, 223, 235), Rgb(226, 233, 243)}};
  const Color close[4][4] = {
      {Rgb(238, 176, 166), Rgb(216, 116, 100), Rgb(192, 56, 38), Rgb(214, 98, 72)},
      {Rgb(255, 196, 176), Rgb(246, 126, 100), Rgb(222, 44, 18), Rgb(250, 116, 56)},
      {Rgb(204, 114, 104), Rgb(172, 62, 50), Rgb(130, 22, 12), Rgb(164, 52, 30)},
      {Rgb(242, 245, 250), Rgb(228, 234, 242), Rgb(214, 223, 235), Rgb(226, 233, 243)}};
  for (int s = 0; s < 4; ++s) {
    for (int i = 0; i < 4; ++i) {
      t.plain[s][i] = plain[s][i];
      t.close[s][i] = close[s][i];
    }
  }
  const Color outline[4] = {Rgb(62, 82, 112), Rgb(40, 70, 112), Rgb(30, 50, 90), Rgb(146, 160, 180)};
  const Color glyph_outline[4] = {Rgb(52, 62, 84), Rgb(34, 58, 100), Rgb(22, 38, 76), Rgb(150, 162, 178)};
  for (int s = 0; s < 4; ++s) {
    t.button_outline[s] = outline[s];
    t.glyph_outline[s] = glyph_outline[s];
    t.glyph_fill[s] = s == 3 ? Rgb(250, 251, 253) : Rgb(255, 255, 255);
  }
  t.face_top = Rgb(242, 242, 242);
  t.face_bottom = Rgb(207, 207, 207);
  t.face_border = Rgb(112, 112, 112);
  t.hot_top = Rgb(234, 246, 253);
  t.hot_bottom = Rgb(167, 217, 245);
  t.hot_border = Rgb(60, 127, 177);
  t.down_top = Rgb(194, 228, 246);
  t.down_bottom = Rgb(104, 179, 219);
  t.accent = Rgb(6, 176, 37);
  t.text_dark = Rgb(64, 64, 64);
  t.menu_bg = Rgb(245, 246, 247);
  t.menu_border = Rgb(151, 151, 151);
  t.menu_hot_top = Rgb(234, 243, 253);
  t.menu_hot_bottom = Rgb(216, 232, 250);
  t.menu_hot_border = Rgb(174, 207, 247);

  // Minimise, maximise, close: one group hanging from the top edge, rounded at its lower ends.
  const std::vector<ButtonSlot> slots = {
      {604, 25, Glyph::Minimize, false, Radii{0, 0, 0, 4}, false},
      {629, 25, Glyph::Maximize, false, Radii{}, true},
      {654, 43, Glyph::Close, true, Radii{0, 0, 4, 0}, true},
  };
  const Bitmap32 buttons = CaptionButtonPicture(frame, inactive_frame, 1, 18, 76, slots, 500, 629, t);

  SkinFolder folder{"win7", "skin.ini", {}};
  folder.files.push_back({"skin.ini", {}});
  AddPicture(folder, "frame.bmp", frame, BmpDepth::k24);
  AddPicture(folder, "inactiveframe.bmp", inactive_frame, BmpDepth::k24);
  AddPicture(folder, "mask.bmp", PaintMask(active), BmpDepth::k1);
  AddPicture(folder, "active.BMP", buttons, BmpDepth::k24);
  AddControlPictures(folder, t, true);

  std::string d = Text({
      "[VERSION]",
      "ver=3",
      "skinname=默认win7",
      "skinauthor=Netscry",
      "authoremail=",
      "authorurl=",
      "skincomments=浅色玻璃窗框",
      "",
      "[PICTURES]",
      "picture=frame.bmp",
      "inactivepicture=inactiveframe.bmp",
      "mask=mask.bmp",
      "rolluppicture=",
      "rollupmask=",
      "activepicturescount=15",
      "0=active.BMP",
      "1=menu.bmp",
      "2=menuitem.bmp",
      "3=hint.bmp",
      "4=button.bmp",
      "5=checkradio.bmp",
      "6=scrollbar.bmp",
      "7=edit.bmp",
      "8=gauge.bmp",
      "9=trackbar.bmp",
      "10=tab.bmp",
      "11=combobox.bmp",
      "12=panel.bmp",
      "13=sysmenulayer.bmp",
      "14=sysmenulayermask.bmp",
      "",
      "[FORMINFO]",
      "lefttoppoint=8,28",
      "righttoppoint=695,28",
      "leftbottompoint=8,283",
      "rightbottompoint=695,283",
      "clientrect=8,28,696,284",
      "bgpictureindex=-1",
      "mdibgpictureindex=-1",
      "leftstretch=1",
      "rightstretch=1",
      "topstretch=1",
      "bottomstretch=1",
      "stretcheffect=0",
      "stretchtype=0",
      "mdibgstretcheffect=0",
      "mdibgstretchtype=0",
      "buttonsrect=0,0,0,0",
      "captionrect=7,1,697,25",
      "buttonsoffset=0",
      "buttonsinleft=0",
      "maskrectarea=7,3,697,284",
      "hittestlefttoppoint=6,7",
      "hittestrighttoppoint=696,6",
      "hittestleftbottompoint=8,282",
      "hittestrightbottompoint=694,283",
      "rollupleftpoint=0,0",
      "rolluprightpoint=0,0",
      "mainmenurect=0,0,0,0",
      "iconrect=7,5,23,21",
      "mainmenupopupup=0",
      "borderwidth=7",
      "cursorindex=-1",
      "formminwidth=0",
      "mditabstransparent=0",
      "mainmenubartransparent=0",
      "autorenderinginactiveimage=0",
      "inactiveeffect=iebrightness",
      "",
      "[SKINCOLORS]",
      "btnface=15790320",
      "btntext=0",
      "window=16777215",
      "windowtext=0",
      "highlight=16750899",
      "highlighttext=16777215",
      "",
      "[SKINAREAS]",
      "count=2",
      "0=captionarea:7,1,697,25",
      "1=clientarea:8,28,696,284",
      "",
      "[SKINOBJECTS]",
      "count=6",
      "0=caption:caption",
      "1=closebutton:stdbutton",
      "2=maximizebutton:stdbutton",
      "3=minimizebutton:stdbutton",
      "4=sysmenubutton:stdbutton",
      "5=menuitem:menuitem",
      "",
      "[caption]",
      "hint=",
      "rollup=0",
      "activepictureindex=-1",
      "skinrectinapicture=0",
      "cursorindex=-1",
      "skinrect=23,5,604,24",
      "activeskinrect=0,0,0,0",
      "inactiveskinrect=0,0,0,0",
      "morphing=0",
      "morphkind=mkdefault",
      "defaultcaption=1",
      "textrect=4,0,577,19",
      "fontname=Arial",
      "fontheight=14",
      "fontstyle=fsbold",
      "fontcolor=9864820",
      "activefontcolor=0",
      "alignment=taleftjustify",
      "shadow=0",
      "shadowcolor=16777215",
      "activeshadowcolor=16777215",
      "framerect=0,0,0,0",
      "activeframerect=0,0,0,0",
      "frametextrect=0,0,0,0",
      "frameleftoffset=0",
      "framerightoffset=0",
      "light=0",
      "gloweffect=0",
      "",
      "[closebutton]",
      "hint=关闭",
      "rollup=0",
      "activepictureindex=0",
      "skinrectinapicture=1",
      "cursorindex=-1",
      "skinrect=654,1,697,18",
      "activeskinrect=654,19,697,36",
      "inactiveskinrect=654,55,697,72",
      "morphing=1",
      "morphkind=mkdefault",
      "downrect=654,37,697,54",
      "disableskinrsect=0,0,0,0",
      "groupindex=-1",
      "command=cmclose",
      "restorerect=0,0,0,0",
      "restoreactiverect=0,0,0,0",
      "restoredownrect=0,0,0,0",
      "",
      "[maximizebutton]",
      "hint=最大化",
      "rollup=0",
      "activepictureindex=0",
      "skinrectinapicture=1",
      "cursorindex=-1",
      "skinrect=629,1,654,18",
      "activeskinrect=629,19,654,36",
      "inactiveskinrect=629,55,654,72",
      "morphing=1",
      "morphkind=mkdefault",
      "downrect=629,37,654,54",
      "disableskinrsect=0,0,0,0",
      "groupindex=-1",
      "command=cmmaximize",
      "restorerect=500,1,525,18",
      "restoreactiverect=500,19,525,36",
      "restoredownrect=500,37,525,54",
      "",
      "[minimizebutton]",
      "hint=最小化",
      "rollup=0",
      "activepictureindex=0",
      "skinrectinapicture=1",
      "cursorindex=-1",
      "skinrect=604,1,629,18",
      "activeskinrect=604,19,629,36",
      "inactiveskinrect=604,55,629,72",
      "morphing=1",
      "morphkind=mkdefault",
      "downrect=604,37,629,54",
      "disableskinrsect=0,0,0,0",
      "groupindex=-1",
      "command=cmminimize",
      "restorerect=0,0,0,0",
      "restoreactiverect=0,0,0,0",
      "restoredownrect=0,0,0,0",
      "",
      "[sysmenubutton]",
      "hint=系统菜单",
      "rollup=0",
      "activepictureindex=0",
      "skinrectinapicture=1",
      "cursorindex=-1",
      "skinrect=7,5,23,21",
      "activeskinrect=0,0,0,0",
      "inactiveskinrect=0,0,0,0",
      "morphing=0",
      "morphkind=mkdefault",
      "downrect=0,0,0,0",
      "disableskinrsect=0,0,0,0",
      "groupindex=-1",
      "command=cmsysmenu",
      "restorerect=0,0,0,0",
      "restoreactiverect=0,0,0,0",
      "restoredownrect=0,0,0,0",
      "",
  });
  d += CommonSections(true);
  folder.files[0].bytes.assign(d.begin(), d.end());
  return folder;
}

SkinFolder BuildDialogSkin() {
  FrameStyle active;
  active.width = 378;
  active.height = 169;
  active.radius = 6;
  active.client = {5, 26, 373, 164};
  active.caption_bottom = 24;
  active.glass = {{0.0, Rgb(128, 146, 170)}, {0.14, Rgb(96, 114, 140)}, {0.3, Rgb(82, 98, 122)}, {1.0, Rgb(74, 88, 110)}};
  active.top_gloss = 0.3;
  // Reflections only right of the caption text, whose glow is drawn over plain glass.
  active.streaks = {{196, 18, 0.26}, {224, 5, 0.24}, {270, 26, 0.18}, {304, 6, 0.22}};
  active.slant = 1.8;
  active.streak_left = 150;
  active.streak_right = 336;
  active.outer = Rgb(18, 22, 30);
  active.outer_alpha = 0.95;
  active.inner_light = Rgb(200, 214, 232);
  active.inner_light_alpha = 0.55;
  active.edge_dark = Rgb(30, 36, 46);
  active.edge_light = Rgb(190, 204, 222);
  active.edge_light_alpha = 0.45;
  active.client_fill = Rgb(240, 240, 240);

  FrameStyle inactive = active;
  inactive.glass = {{0.0, Rgb(168, 176, 188)}, {0.14, Rgb(146, 154, 166)}, {0.3, Rgb(136, 144, 156)}, {1.0, Rgb(128, 136, 148)}};
  inactive.top_gloss = 0.25;
  for (Streak& s : inactive.streaks) s.alpha *= 0.5;
  inactive.outer = Rgb(70, 76, 86);
  inactive.edge_dark = Rgb(80, 88, 100);

  const Bitmap32 frame = PaintFrame(active);
  const Bitmap32 inactive_frame = PaintFrame(inactive);

  Theme t{};
  const Color plain[4][4] = {
      {Rgb(160, 172, 188), Rgb(112, 126, 146), Rgb(66, 78, 98), Rgb(96, 110, 132)},
      {Rgb(176, 218, 246), Rgb(96, 172, 230), Rgb(22, 110, 190), Rgb(64, 170, 236)},
      {Rgb(74, 110, 160), Rgb(42, 80, 130), Rgb(14, 44, 90), Rgb(30, 70, 120)},
      {Rgb(176, 182, 190), Rgb(148, 156, 166), Rgb(126, 134, 146), Rgb(142, 150, 160)}};
  const Color close[4][4] = {
      {Rgb(228, 156, 144), Rgb(204, 94, 78), Rgb(164, 32, 16), Rgb(194, 72, 50)},
      {Rgb(255, 184, 162), Rgb(242, 114, 88), Rgb(214, 32, 10), Rgb(255, 112, 50)},
      {Rgb(192, 102, 92), Rgb(152, 46, 36), Rgb(110, 10, 4), Rgb(140, 36, 20)},
      {Rgb(176, 182, 190), Rgb(148, 156, 166), Rgb(126, 134, 146), Rgb(142, 150, 160)}};
  for (int s = 0; s < 4; ++s) {
    for (int i = 0; i < 4; ++i) {
      t.plain[s][i] = plain[s][i];
      t.close[s][i] = close[s][i];
    }
  }
  const Color outline[4] = {Rgb(16, 20, 28), Rgb(12, 30, 60), Rgb(8, 20, 44), Rgb(64, 70, 80)};
  const Color glyph_outline[4] = {Rgb(20, 24, 32), Rgb(16, 34, 70), Rgb(10, 22, 48), Rgb(80, 86, 96)};
  for (int s = 0; s < 4; ++s) {
    t.button_outline[s] = outline[s];
    t.glyph_outline[s] = glyph_outline[s];
    t.glyph_fill[s] = s == 3 ? Rgb(226, 230, 236) : Rgb(255, 255, 255);
  }
  t.face_top = Rgb(242, 242, 242);
  t.face_bottom = Rgb(204, 206, 210);
  t.face_border = Rgb(96, 100, 108);
  t.hot_top = Rgb(232, 244, 252);
  t.hot_bottom = Rgb(160, 208, 240);
  t.hot_border = Rgb(44, 98, 150);
  t.down_top = Rgb(186, 220, 242);
  t.down_bottom = Rgb(94, 166, 212);
  t.accent = Rgb(40, 120, 200);
  t.text_dark = Rgb(48, 52, 60);
  t.menu_bg = Rgb(246, 247, 249);
  t.menu_border = Rgb(120, 126, 136);
  t.menu_hot_top = Rgb(230, 240, 252);
  t.menu_hot_bottom = Rgb(206, 224, 248);
  t.menu_hot_border = Rgb(150, 186, 232);

  // Minimise and maximise exist for completeness (the dialog hides them); close stands alone,
  // rounded at its lower corners, 5 pixels from its neighbours.
  const std::vector<ButtonSlot> slots = {
      {284, 25, Glyph::Minimize, false, Radii{0, 0, 3, 3}, false},
      {314, 25, Glyph::Maximize, false, Radii{0, 0, 3, 3}, false},
      {344, 28, Glyph::Close, true, Radii{0, 0, 3, 3}, false},
  };
  Bitmap32 buttons = CaptionButtonPicture(frame, inactive_frame, 6, 15, 106, slots, 200, 314, t);
  // The caption text's glow, as on Vista's glass: drawn behind the text and widened to it. Rows
  // 70 … 87 for the active window, 88 … 105 for the inactive one, each over its own frame.
  CaptionGlow(buttons, 0, 70, frame, 6, 0.9);
  CaptionGlow(buttons, 0, 88, inactive_frame, 6, 0.5);

  SkinFolder folder{"vista", "skin.ini", {}};
  folder.files.push_back({"skin.ini", {}});
  AddPicture(folder, "frame.bmp", frame, BmpDepth::k24);
  AddPicture(folder, "inactiveframe.bmp", inactive_frame, BmpDepth::k24);
  AddPicture(folder, "mask.bmp", PaintMask(active), BmpDepth::k1);
  AddPicture(folder, "active.bmp", buttons, BmpDepth::k24);
  AddControlPictures(folder, t, false);

  std::string d = Text({
      "[VERSION]",
      "ver=3",
      "skinname=Vista世界",
      "skinauthor=Netscry",
      "authoremail=",
      "authorurl=",
      "skincomments=深色玻璃窗框",
      "",
      "[PICTURES]",
      "picture=frame.bmp",
      "inactivepicture=inactiveframe.bmp",
      "mask=mask.bmp",
      "rolluppicture=",
      "rollupmask=",
      "activepicturescount=7",
      "0=active.bmp",
      "1=menu.bmp",
      "2=menuitem.bmp",
      "3=hint.bmp",
      "4=button.bmp",
      "5=checkradio.bmp",
      "6=scrollbar.bmp",
      "",
      "[FORMINFO]",
      "lefttoppoint=5,26",
      "righttoppoint=372,26",
      "leftbottompoint=5,163",
      "rightbottompoint=372,163",
      "clientrect=5,26,373,164",
      "bgpictureindex=-1",
      "mdibgpictureindex=-1",
      "leftstretch=1",
      "rightstretch=1",
      "topstretch=1",
      "bottomstretch=1",
      "stretcheffect=0",
      "stretchtype=0",
      "buttonsrect=0,0,0,0",
      "captionrect=5,6,372,21",
      "buttonsoffset=5",
      "buttonsinleft=0",
      "maskrectarea=5,4,373,164",
      "hittestlefttoppoint=4,6",
      "hittestrighttoppoint=373,5",
      "hittestleftbottompoint=5,163",
      "hittestrightbottompoint=372,164",
      "rollupleftpoint=0,0",
      "rolluprightpoint=0,0",
      "mainmenurect=0,0,0,0",
      "iconrect=5,5,21,21",
      "mainmenupopupup=0",
      "borderwidth=5",
      "cursorindex=-1",
      "formminwidth=0",
      "autorenderinginactiveimage=0",
      "inactiveeffect=iebrightness",
      "",
      "[SKINCOLORS]",
      "btnface=15790320",
      "btntext=0",
      "window=16777215",
      "windowtext=0",
      "",
      "[SKINAREAS]",
      "count=2",
      "0=captionarea:5,6,372,21",
      "1=clientarea:5,26,373,164",
      "",
      "[SKINOBJECTS]",
      "count=6",
      "0=caption:caption",
      "1=closebutton:stdbutton",
      "2=maximizebutton:stdbutton",
      "3=minimizebutton:stdbutton",
      "4=sysmenubutton:stdbutton",
      "5=menuitem:menuitem",
      "",
      "[caption]",
      "hint=",
      "rollup=0",
      "activepictureindex=0",
      "skinrectinapicture=0",
      "cursorindex=-1",
      "skinrect=21,6,284,21",
      "activeskinrect=0,0,0,0",
      "inactiveskinrect=0,0,0,0",
      "morphing=0",
      "morphkind=mkdefault",
      "defaultcaption=1",
      "textrect=0,0,263,15",
      "fontname=Arial",
      "fontheight=14",
      "fontstyle=fsbold",
      "fontcolor=8750469",
      "activefontcolor=0",
      "alignment=taleftjustify",
      "shadow=0",
      "shadowcolor=16777215",
      "activeshadowcolor=16777215",
      "framerect=0,88,40,106",
      "activeframerect=0,70,40,88",
      "frametextrect=10,1,30,15",
      "frameleftoffset=10",
      "framerightoffset=10",
      "vistagloweffect=0",
      "reflectioneffect=0",
      "",
      "[closebutton]",
      "hint=关闭",
      "rollup=0",
      "activepictureindex=0",
      "skinrectinapicture=1",
      "cursorindex=-1",
      "skinrect=344,6,372,21",
      "activeskinrect=344,21,372,36",
      "inactiveskinrect=344,51,372,66",
      "morphing=1",
      "morphkind=mkdefault",
      "downrect=344,36,372,51",
      "disableskinrsect=0,0,0,0",
      "groupindex=-1",
      "command=cmclose",
      "restorerect=0,0,0,0",
      "restoreactiverect=0,0,0,0",
      "restoredownrect=0,0,0,0",
      "",
      "[maximizebutton]",
      "hint=最大化",
      "rollup=0",
      "activepictureindex=0",
      "skinrectinapicture=1",
      "cursorindex=-1",
      "skinrect=314,6,339,21",
      "activeskinrect=314,21,339,36",
      "inactiveskinrect=314,51,339,66",
      "morphing=1",
      "morphkind=mkdefault",
      "downrect=314,36,339,51",
      "disableskinrsect=0,0,0,0",
      "groupindex=-1",
      "command=cmmaximize",
      "restorerect=200,6,225,21",
      "restoreactiverect=200,21,225,36",
      "restoredownrect=200,36,225,51",
      "",
      "[minimizebutton]",
      "hint=最小化",
      "rollup=0",
      "activepictureindex=0",
      "skinrectinapicture=1",
      "cursorindex=-1",
      "skinrect=284,6,309,21",
      "activeskinrect=284,21,309,36",
      "inactiveskinrect=284,51,309,66",
      "morphing=1",
      "morphkind=mkdefault",
      "downrect=284,36,309,51",
      "disableskinrsect=0,0,0,0",
      "groupindex=-1",
      "command=cmminimize",
      "restorerect=0,0,0,0",
      "restoreactiverect=0,0,0,0",
      "restoredownrect=0,0,0,0",
      "",
      "[sysmenubutton]",
      "hint=系统菜单",
      "rollup=0",
      "activepictureindex=0",
      "skinrectinapicture=1",
      "cursorindex=-1",
      "skinrect=5,5,21,21",
      "activeskinrect=0,0,0,0",
      "inactiveskinrect=0,0,0,0",
      "morphing=0",
      "morphkind=mkdefault",
      "downrect=0,0,0,0",
      "disableskinrsect=0,0,0,0",
      "groupindex=-1",
      "command=cmsysmenu",
      "restorerect=0,0,0,0",
      "restoreactiverect=0,0,0,0",
      "restoredownrect=0,0,0,0",
      "",
  });
  d += CommonSections(false);
  folder.files[0].bytes.assign(d.begin(), d.end());
  return folder;
}

}  // namespace skinart
