#include "skins.h"

#include <algorithm>
#include <cstdlib>
#include <initializer_list>
#include <string>

#include "base/bitmap_canvas.h"
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

struct ButtonSlot {
  int x, width;
  Glyph glyph;
  bool is_close;
  Radii radii;
  bool join_left;
};

// The maximise button's restore images are this wide in every skin.
constexpr int kRestoreWidth = 25;

// Where picture 0 keeps the caption buttons.
struct ButtonPictureLayout {
  int top;           // first row of the normal images
  int band;          // rows from one band of images to the next
  int image_height;  // rows of each image the description names
  int height;        // rows of the whole picture
  int restore_x;     // the maximise button's restore images
  std::vector<ButtonSlot> slots;
};

const ButtonSlot& SlotOf(const ButtonPictureLayout& layout, Glyph glyph) {
  for (const ButtonSlot& s : layout.slots) {
    if (s.glyph == glyph) return s;
  }
  std::abort();  // every skin lays out minimise, maximise and close
}

// The caption button picture: the normal images at their places in the frame (rows top..top+h),
// the hot, pressed and inactive images in the three bands below, each band h rows lower; the
// restore images of the maximise button at restore_x in the first three bands.
Bitmap32 CaptionButtonPicture(const Bitmap32& frame, const Bitmap32& inactive_frame,
                              const ButtonPictureLayout& layout, const Theme& theme) {
  const int top = layout.top;
  const int h = layout.band;
  Bitmap32 pic(frame.Width(), layout.height, Rgb(255, 255, 255));
  netscry::BitmapCanvas canvas(pic);
  // Every band starts as the frame behind the buttons, so rounded corners blend into it.
  canvas.DrawBitmap(frame, {0, 0, frame.Width(), top + h + 3}, 0, 0);
  for (int band = 1; band < 4; ++band) {
    const Bitmap32& src = band == 3 ? inactive_frame : frame;
    // Left of column 100 the picture keeps the frame (the icon button's place).
    canvas.DrawBitmap(src, {100, top, frame.Width(), top + h}, 100, top + band * h);
  }
  const ButtonState states[4] = {ButtonState::Normal, ButtonState::Hot, ButtonState::Down, ButtonState::Inactive};
  for (int band = 0; band < 4; ++band) {
    for (const ButtonSlot& s : layout.slots) {
      CaptionButton(pic, s.x, top + band * h, s.width, h, s.glyph, s.is_close, states[band], theme, s.radii,
                    s.join_left);
    }
  }
  const int maximize_x = SlotOf(layout, Glyph::Maximize).x;
  for (int band = 0; band < 3; ++band) {
    canvas.DrawBitmap(frame, {maximize_x, top, maximize_x + kRestoreWidth, top + h}, layout.restore_x, top + band * h);
    CaptionButton(pic, layout.restore_x, top + band * h, kRestoreWidth, h, Glyph::Restore, false, states[band],
                  theme, Radii{}, true);
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


// "key=value" lines of the description.
std::string Key(const char* key, const std::string& value) { return std::string(key) + "=" + value + "\r\n"; }
std::string Key(const char* key, int value) { return Key(key, std::to_string(value)); }
std::string Key(const char* key, netscry::Point p) {
  return Key(key, std::to_string(p.x) + "," + std::to_string(p.y));
}
std::string Coords(const netscry::Rect& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom);
}
std::string Key(const char* key, const netscry::Rect& r) { return Key(key, Coords(r)); }

// How the frame differs when the window is inactive.
struct InactiveLook {
  std::vector<Stop> glass;
  double top_gloss;
  double streak_fade;  // the reflections' opacity is scaled by this
  Color outer, edge_dark;
};

FrameStyle InactiveStyle(const FrameStyle& active, const InactiveLook& look) {
  FrameStyle inactive = active;
  inactive.glass = look.glass;
  inactive.top_gloss = look.top_gloss;
  for (Streak& s : inactive.streaks) s.alpha *= look.streak_fade;
  inactive.outer = look.outer;
  inactive.edge_dark = look.edge_dark;
  return inactive;
}

// The measures of [FORMINFO] beside the client rectangle, which comes from the frame.
struct FormMeasures {
  netscry::Rect caption;
  int buttons_offset;
  netscry::Rect mask_area;
  netscry::Point hit_left_top, hit_right_top, hit_left_bottom, hit_right_bottom;
  netscry::Rect icon;  // also the system menu button
  int border_width;
};

// The caption object. A caption with a glow draws it from picture 0, where the generator paints
// it at glow (inactive) and active_glow, glow_strength and active_glow_strength strong.
struct CaptionLook {
  int picture_index;
  netscry::Rect skin, text;
  int font_color;
  netscry::Rect glow, active_glow, glow_text;
  int glow_left_offset, glow_right_offset;
  double glow_strength, active_glow_strength;
  std::string effects;  // the closing lines, which name this skin's own effects
};

// Everything one carried skin is made of.
struct SkinRecipe {
  const char* folder;
  const char* name;
  const char* comments;
  const char* button_file;  // picture 0
  bool full;                // the main window's skin: every control picture and the MDI keys
  FrameStyle active;
  InactiveLook inactive;
  Theme theme;
  ButtonPictureLayout buttons;
  FormMeasures form;
  CaptionLook caption;
};

std::string VersionSection(const SkinRecipe& recipe) {
  return Text({"[VERSION]", "ver=3"}) + Key("skinname", recipe.name) +
         Text({"skinauthor=Netscry", "authoremail=", "authorurl="}) + Key("skincomments", recipe.comments) + "\r\n";
}

// The frame pictures, then the numbered pictures in package order.
std::string PicturesSection(const SkinFolder& folder, std::size_t first_numbered) {
  std::string s = Text({"[PICTURES]", "picture=frame.bmp", "inactivepicture=inactiveframe.bmp", "mask=mask.bmp",
                        "rolluppicture=", "rollupmask="});
  s += Key("activepicturescount", static_cast<int>(folder.files.size() - first_numbered));
  for (std::size_t i = first_numbered; i < folder.files.size(); ++i) {
    s += Key(std::to_string(i - first_numbered).c_str(), folder.files[i].name);
  }
  return s + "\r\n";
}

std::string FormSection(const netscry::Rect& client, const FormMeasures& m, bool full) {
  std::string s = Text({"[FORMINFO]"});
  s += Key("lefttoppoint", netscry::Point{client.left, client.top});
  s += Key("righttoppoint", netscry::Point{client.right - 1, client.top});
  s += Key("leftbottompoint", netscry::Point{client.left, client.bottom - 1});
  s += Key("rightbottompoint", netscry::Point{client.right - 1, client.bottom - 1});
  s += Key("clientrect", client);
  s += Text({"bgpictureindex=-1", "mdibgpictureindex=-1", "leftstretch=1", "rightstretch=1", "topstretch=1",
             "bottomstretch=1", "stretcheffect=0", "stretchtype=0"});
  if (full) s += Text({"mdibgstretcheffect=0", "mdibgstretchtype=0"});
  s += Text({"buttonsrect=0,0,0,0"});
  s += Key("captionrect", m.caption);
  s += Key("buttonsoffset", m.buttons_offset);
  s += Text({"buttonsinleft=0"});
  s += Key("maskrectarea", m.mask_area);
  s += Key("hittestlefttoppoint", m.hit_left_top);
  s += Key("hittestrighttoppoint", m.hit_right_top);
  s += Key("hittestleftbottompoint", m.hit_left_bottom);
  s += Key("hittestrightbottompoint", m.hit_right_bottom);
  s += Text({"rollupleftpoint=0,0", "rolluprightpoint=0,0", "mainmenurect=0,0,0,0"});
  s += Key("iconrect", m.icon);
  s += Text({"mainmenupopupup=0"});
  s += Key("borderwidth", m.border_width);
  s += Text({"cursorindex=-1", "formminwidth=0"});
  if (full) s += Text({"mditabstransparent=0", "mainmenubartransparent=0"});
  s += Text({"autorenderinginactiveimage=0", "inactiveeffect=iebrightness", ""});
  return s;
}

std::string ColorsAreasObjectsSections(const netscry::Rect& client, const FormMeasures& m, bool full) {
  std::string s = Text({"[SKINCOLORS]", "btnface=15790320", "btntext=0", "window=16777215", "windowtext=0"});
  if (full) s += Text({"highlight=16750899", "highlighttext=16777215"});
  s += Text({"", "[SKINAREAS]", "count=2"});
  s += "0=captionarea:" + Coords(m.caption) + "\r\n";
  s += "1=clientarea:" + Coords(client) + "\r\n";
  s += Text({"",
             "[SKINOBJECTS]",
             "count=6",
             "0=caption:caption",
             "1=closebutton:stdbutton",
             "2=maximizebutton:stdbutton",
             "3=minimizebutton:stdbutton",
             "4=sysmenubutton:stdbutton",
             "5=menuitem:menuitem",
             ""});
  return s;
}

std::string CaptionSection(const CaptionLook& c) {
  std::string s = Text({"[caption]", "hint=", "rollup=0"});
  s += Key("activepictureindex", c.picture_index);
  s += Text({"skinrectinapicture=0", "cursorindex=-1"});
  s += Key("skinrect", c.skin);
  s += Text({"activeskinrect=0,0,0,0", "inactiveskinrect=0,0,0,0", "morphing=0", "morphkind=mkdefault",
             "defaultcaption=1"});
  s += Key("textrect", c.text);
  s += Text({"fontname=Arial", "fontheight=14", "fontstyle=fsbold"});
  s += Key("fontcolor", c.font_color);
  s += Text({"activefontcolor=0", "alignment=taleftjustify", "shadow=0", "shadowcolor=16777215",
             "activeshadowcolor=16777215"});
  s += Key("framerect", c.glow);
  s += Key("activeframerect", c.active_glow);
  s += Key("frametextrect", c.glow_text);
  s += Key("frameleftoffset", c.glow_left_offset);
  s += Key("framerightoffset", c.glow_right_offset);
  return s + c.effects + "\r\n";
}

// A caption button object. image is its normal image in picture 0, the hot, pressed and inactive
// images one, two and three bands lower; band 0: the object has no images of its own.
std::string ButtonSection(const char* section, const char* hint, const char* command, const netscry::Rect& image,
                          int band, const netscry::Rect& restore) {
  const netscry::Rect none{};
  const auto in_band = [&](const netscry::Rect& r, int n) { return band > 0 && !r.IsEmpty() ? r.Offset(0, n * band) : none; };
  std::string s = "[" + std::string(section) + "]\r\n";
  s += Key("hint", hint);
  s += Text({"rollup=0", "activepictureindex=0", "skinrectinapicture=1", "cursorindex=-1"});
  s += Key("skinrect", image);
  s += Key("activeskinrect", in_band(image, 1));
  s += Key("inactiveskinrect", in_band(image, 3));
  s += Key("morphing", band > 0 ? 1 : 0);
  s += Text({"morphkind=mkdefault"});
  s += Key("downrect", in_band(image, 2));
  s += Text({"disableskinrsect=0,0,0,0", "groupindex=-1"});
  s += Key("command", command);
  s += Key("restorerect", restore);
  s += Key("restoreactiverect", in_band(restore, 1));
  s += Key("restoredownrect", in_band(restore, 2));
  return s + "\r\n";
}

std::string ButtonSections(const ButtonPictureLayout& layout, const netscry::Rect& icon) {
  const auto image = [&](Glyph glyph) {
    const ButtonSlot& slot = SlotOf(layout, glyph);
    return netscry::Rect{slot.x, layout.top, slot.x + slot.width, layout.top + layout.image_height};
  };
  const netscry::Rect restore{layout.restore_x, layout.top, layout.restore_x + kRestoreWidth,
                              layout.top + layout.image_height};
  return ButtonSection("closebutton", "关闭", "cmclose", image(Glyph::Close), layout.band, {}) +
         ButtonSection("maximizebutton", "最大化", "cmmaximize", image(Glyph::Maximize), layout.band, restore) +
         ButtonSection("minimizebutton", "最小化", "cmminimize", image(Glyph::Minimize), layout.band, {}) +
         ButtonSection("sysmenubutton", "系统菜单", "cmsysmenu", icon, 0, {});
}

SkinFolder BuildSkin(const SkinRecipe& recipe) {
  const FrameStyle inactive = InactiveStyle(recipe.active, recipe.inactive);
  const Bitmap32 frame = PaintFrame(recipe.active);
  const Bitmap32 inactive_frame = PaintFrame(inactive);
  Bitmap32 buttons = CaptionButtonPicture(frame, inactive_frame, recipe.buttons, recipe.theme);
  // A caption glow sits behind the text, each over its own frame.
  const CaptionLook& caption = recipe.caption;
  if (!caption.active_glow.IsEmpty()) {
    CaptionGlow(buttons, caption.active_glow.left, caption.active_glow.top, frame, recipe.buttons.top,
                caption.active_glow_strength);
  }
  if (!caption.glow.IsEmpty()) {
    CaptionGlow(buttons, caption.glow.left, caption.glow.top, inactive_frame, recipe.buttons.top,
                caption.glow_strength);
  }

  SkinFolder folder{recipe.folder, "skin.ini", {}};
  folder.files.push_back({"skin.ini", {}});
  AddPicture(folder, "frame.bmp", frame, BmpDepth::k24);
  AddPicture(folder, "inactiveframe.bmp", inactive_frame, BmpDepth::k24);
  AddPicture(folder, "mask.bmp", PaintMask(recipe.active), BmpDepth::k1);
  const std::size_t first_numbered = folder.files.size();
  AddPicture(folder, recipe.button_file, buttons, BmpDepth::k24);
  AddControlPictures(folder, recipe.theme, recipe.full);

  const std::string d = VersionSection(recipe) + PicturesSection(folder, first_numbered) +
                        FormSection(recipe.active.client, recipe.form, recipe.full) +
                        ColorsAreasObjectsSections(recipe.active.client, recipe.form, recipe.full) + CaptionSection(caption) +
                        ButtonSections(recipe.buttons, recipe.form.icon) + CommonSections(recipe.full);
  folder.files[0].bytes.assign(d.begin(), d.end());
  return folder;
}

// The light glass of the main window: rounded top corners, the minimise / maximise / close group
// hanging from the top edge.
SkinRecipe MainRecipe() {
  return SkinRecipe{
      .folder = "win7",
      .name = "默认win7",
      .comments = "浅色玻璃窗框",
      .button_file = "active.BMP",
      .full = true,
      .active =
          {
              .width = 704,
              .height = 292,
              .radius = 7,
              .client = {8, 28, 696, 284},
              .caption_bottom = 26,
              .glass = {{0.0, Rgb(188, 212, 241)}, {0.09, Rgb(160, 191, 229)}, {1.0, Rgb(150, 183, 224)}},
              .top_gloss = 0.5,
              .streaks = {{110, 26, 0.26}, {150, 8, 0.22}, {300, 38, 0.2}, {352, 10, 0.24}, {470, 22, 0.16}},
              .slant = 1.6,
              .streak_left = 24,
              .streak_right = 560,
              .outer = Rgb(58, 78, 106),
              .outer_alpha = 0.95,
              .inner_light = Rgb(255, 255, 255),
              .inner_light_alpha = 0.6,
              .edge_dark = Rgb(112, 132, 160),
              .edge_light = Rgb(255, 255, 255),
              .edge_light_alpha = 0.55,
              .client_fill = Rgb(240, 240, 240),
          },
      .inactive =
          {
              .glass = {{0.0, Rgb(230, 237, 246)}, {0.09, Rgb(218, 228, 240)}, {1.0, Rgb(213, 224, 237)}},
              .top_gloss = 0.3,
              .streak_fade = 0.6,
              .outer = Rgb(126, 142, 166),
              .edge_dark = Rgb(152, 166, 186),
          },
      .theme =
          {
              .plain = {{Rgb(238, 244, 251), Rgb(208, 221, 238), Rgb(178, 198, 224), Rgb(204, 222, 244)},
                        {Rgb(224, 241, 255), Rgb(166, 212, 248), Rgb(76, 156, 228), Rgb(118, 200, 250)},
                        {Rgb(152, 180, 214), Rgb(98, 134, 186), Rgb(42, 86, 150), Rgb(70, 118, 178)},
                        {Rgb(242, 245, 250), Rgb(228, 234, 242), Rgb(214, 223, 235), Rgb(226, 233, 243)}},
              .close = {{Rgb(238, 176, 166), Rgb(216, 116, 100), Rgb(192, 56, 38), Rgb(214, 98, 72)},
                        {Rgb(255, 196, 176), Rgb(246, 126, 100), Rgb(222, 44, 18), Rgb(250, 116, 56)},
                        {Rgb(204, 114, 104), Rgb(172, 62, 50), Rgb(130, 22, 12), Rgb(164, 52, 30)},
                        {Rgb(242, 245, 250), Rgb(228, 234, 242), Rgb(214, 223, 235), Rgb(226, 233, 243)}},
              .button_outline = {Rgb(62, 82, 112), Rgb(40, 70, 112), Rgb(30, 50, 90), Rgb(146, 160, 180)},
              .glyph_outline = {Rgb(52, 62, 84), Rgb(34, 58, 100), Rgb(22, 38, 76), Rgb(150, 162, 178)},
              .glyph_fill = {Rgb(255, 255, 255), Rgb(255, 255, 255), Rgb(255, 255, 255), Rgb(250, 251, 253)},
              .face_top = Rgb(242, 242, 242),
              .face_bottom = Rgb(207, 207, 207),
              .face_border = Rgb(112, 112, 112),
              .hot_top = Rgb(234, 246, 253),
              .hot_bottom = Rgb(167, 217, 245),
              .hot_border = Rgb(60, 127, 177),
              .down_top = Rgb(194, 228, 246),
              .down_bottom = Rgb(104, 179, 219),
              .accent = Rgb(6, 176, 37),
              .text_dark = Rgb(64, 64, 64),
              .menu_bg = Rgb(245, 246, 247),
              .menu_border = Rgb(151, 151, 151),
              .menu_hot_top = Rgb(234, 243, 253),
              .menu_hot_bottom = Rgb(216, 232, 250),
              .menu_hot_border = Rgb(174, 207, 247),
          },
      // Minimise, maximise, close: one group hanging from the top edge, rounded at its lower ends.
      .buttons =
          {
              .top = 1,
              .band = 18,
              .image_height = 17,
              .height = 76,
              .restore_x = 500,
              .slots =
                  {
                      {604, 25, Glyph::Minimize, false, Radii{0, 0, 0, 4}, false},
                      {629, 25, Glyph::Maximize, false, Radii{}, true},
                      {654, 43, Glyph::Close, true, Radii{0, 0, 4, 0}, true},
                  },
          },
      .form =
          {
              .caption = {7, 1, 697, 25},
              .buttons_offset = 0,
              .mask_area = {7, 3, 697, 284},
              .hit_left_top = {6, 7},
              .hit_right_top = {696, 6},
              .hit_left_bottom = {8, 282},
              .hit_right_bottom = {694, 283},
              .icon = {7, 5, 23, 21},
              .border_width = 7,
          },
      .caption =
          {
              .picture_index = -1,
              .skin = {23, 5, 604, 24},
              .text = {4, 0, 577, 19},
              .font_color = 9864820,
              .glow = {},
              .active_glow = {},
              .glow_text = {},
              .glow_left_offset = 0,
              .glow_right_offset = 0,
              .glow_strength = 0,
              .active_glow_strength = 0,
              .effects = Text({"light=0", "gloweffect=0"}),
          },
  };
}

// The darker glass of the details dialog, with reflections and a soft glow behind the caption
// text.
SkinRecipe DialogRecipe() {
  return SkinRecipe{
      .folder = "vista",
      .name = "Vista世界",
      .comments = "深色玻璃窗框",
      .button_file = "active.bmp",
      .full = false,
      .active =
          {
              .width = 378,
              .height = 169,
              .radius = 6,
              .client = {5, 26, 373, 164},
              .caption_bottom = 24,
              .glass = {{0.0, Rgb(128, 146, 170)},
                        {0.14, Rgb(96, 114, 140)},
                        {0.3, Rgb(82, 98, 122)},
                        {1.0, Rgb(74, 88, 110)}},
              .top_gloss = 0.3,
              // Reflections only right of the caption text, whose glow is drawn over plain glass.
              .streaks = {{196, 18, 0.26}, {224, 5, 0.24}, {270, 26, 0.18}, {304, 6, 0.22}},
              .slant = 1.8,
              .streak_left = 150,
              .streak_right = 336,
              .outer = Rgb(18, 22, 30),
              .outer_alpha = 0.95,
              .inner_light = Rgb(200, 214, 232),
              .inner_light_alpha = 0.55,
              .edge_dark = Rgb(30, 36, 46),
              .edge_light = Rgb(190, 204, 222),
              .edge_light_alpha = 0.45,
              .client_fill = Rgb(240, 240, 240),
          },
      .inactive =
          {
              .glass = {{0.0, Rgb(168, 176, 188)},
                        {0.14, Rgb(146, 154, 166)},
                        {0.3, Rgb(136, 144, 156)},
                        {1.0, Rgb(128, 136, 148)}},
              .top_gloss = 0.25,
              .streak_fade = 0.5,
              .outer = Rgb(70, 76, 86),
              .edge_dark = Rgb(80, 88, 100),
          },
      .theme =
          {
              .plain = {{Rgb(160, 172, 188), Rgb(112, 126, 146), Rgb(66, 78, 98), Rgb(96, 110, 132)},
                        {Rgb(176, 218, 246), Rgb(96, 172, 230), Rgb(22, 110, 190), Rgb(64, 170, 236)},
                        {Rgb(74, 110, 160), Rgb(42, 80, 130), Rgb(14, 44, 90), Rgb(30, 70, 120)},
                        {Rgb(176, 182, 190), Rgb(148, 156, 166), Rgb(126, 134, 146), Rgb(142, 150, 160)}},
              .close = {{Rgb(228, 156, 144), Rgb(204, 94, 78), Rgb(164, 32, 16), Rgb(194, 72, 50)},
                        {Rgb(255, 184, 162), Rgb(242, 114, 88), Rgb(214, 32, 10), Rgb(255, 112, 50)},
                        {Rgb(192, 102, 92), Rgb(152, 46, 36), Rgb(110, 10, 4), Rgb(140, 36, 20)},
                        {Rgb(176, 182, 190), Rgb(148, 156, 166), Rgb(126, 134, 146), Rgb(142, 150, 160)}},
              .button_outline = {Rgb(16, 20, 28), Rgb(12, 30, 60), Rgb(8, 20, 44), Rgb(64, 70, 80)},
              .glyph_outline = {Rgb(20, 24, 32), Rgb(16, 34, 70), Rgb(10, 22, 48), Rgb(80, 86, 96)},
              .glyph_fill = {Rgb(255, 255, 255), Rgb(255, 255, 255), Rgb(255, 255, 255), Rgb(226, 230, 236)},
              .face_top = Rgb(242, 242, 242),
              .face_bottom = Rgb(204, 206, 210),
              .face_border = Rgb(96, 100, 108),
              .hot_top = Rgb(232, 244, 252),
              .hot_bottom = Rgb(160, 208, 240),
              .hot_border = Rgb(44, 98, 150),
              .down_top = Rgb(186, 220, 242),
              .down_bottom = Rgb(94, 166, 212),
              .accent = Rgb(40, 120, 200),
              .text_dark = Rgb(48, 52, 60),
              .menu_bg = Rgb(246, 247, 249),
              .menu_border = Rgb(120, 126, 136),
              .menu_hot_top = Rgb(230, 240, 252),
              .menu_hot_bottom = Rgb(206, 224, 248),
              .menu_hot_border = Rgb(150, 186, 232),
          },
      // Minimise and maximise exist for completeness (the dialog hides them); close stands alone,
      // rounded at its lower corners, 5 pixels from its neighbours.
      .buttons =
          {
              .top = 6,
              .band = 15,
              .image_height = 15,
              .height = 106,
              .restore_x = 200,
              .slots =
                  {
                      {284, 25, Glyph::Minimize, false, Radii{0, 0, 3, 3}, false},
                      {314, 25, Glyph::Maximize, false, Radii{0, 0, 3, 3}, false},
                      {344, 28, Glyph::Close, true, Radii{0, 0, 3, 3}, false},
                  },
          },
      .form =
          {
              .caption = {5, 6, 372, 21},
              .buttons_offset = 5,
              .mask_area = {5, 4, 373, 164},
              .hit_left_top = {4, 6},
              .hit_right_top = {373, 5},
              .hit_left_bottom = {5, 163},
              .hit_right_bottom = {372, 164},
              .icon = {5, 5, 21, 21},
              .border_width = 5,
          },
      // The caption text's glow, as on Vista's glass: drawn behind the text and widened to it, in
      // the rows below the button bands.
      .caption =
          {
              .picture_index = 0,
              .skin = {21, 6, 284, 21},
              .text = {0, 0, 263, 15},
              .font_color = 8750469,
              .glow = {0, 88, 40, 106},
              .active_glow = {0, 70, 40, 88},
              .glow_text = {10, 1, 30, 15},
              .glow_left_offset = 10,
              .glow_right_offset = 10,
              .glow_strength = 0.5,
              .active_glow_strength = 0.9,
              .effects = Text({"vistagloweffect=0", "reflectioneffect=0"}),
          },
  };
}

}  // namespace

SkinFolder BuildMainSkin() { return BuildSkin(MainRecipe()); }

SkinFolder BuildDialogSkin() { return BuildSkin(DialogRecipe()); }

}  // namespace skinart
