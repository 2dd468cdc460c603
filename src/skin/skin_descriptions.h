#pragma once
// The description classes of a skin: one class per element kind of the description text, each
// reading the keys of its own section (its IDName). Every class lists its keys once in
// VisitKeys (base class keys first); LoadFromIni and SaveToIni run that list through a reader or
// a writer. Constructors leave every picture index at -1 and every rectangle empty; a section
// that is missing from the description leaves the object at these defaults.
//
// Field names follow the description keys ("activeskinrect" → ActiveSkinRect). Fonts are kept
// as a FontAttrs (face name, height, style) with their colours beside them.
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "skin/skin_ini.h"
#include "skin/skin_values.h"

namespace netscry {

// ---------------------------------------------------------------------------------------------
// [SKINAREAS]: one named rectangle of the frame picture per entry "i=name:left,top,right,bottom".
struct TskDataSkinArea {
  std::string IDName;
  Rect AreaRect;
};

// ---------------------------------------------------------------------------------------------
// Common ground of everything that reads one section.
class TskDataSkinSection {
 public:
  explicit TskDataSkinSection(std::string id_name) : IDName(std::move(id_name)) {}
  virtual ~TskDataSkinSection() = default;
  TskDataSkinSection(const TskDataSkinSection&) = default;
  TskDataSkinSection& operator=(const TskDataSkinSection&) = default;

  // The kind keyword that creates this class in [SKINOBJECTS] or [SKINCONTROLS].
  virtual const char* KindName() const = 0;
  // Lists every key the class reads; overrides call their base class first.
  virtual void VisitKeys(SkinKeyVisitor& v) = 0;

  // Reads the section IDName (missing keys → defaults). Throws SkinError on a malformed point
  // or rectangle.
  void LoadFromIni(const SkinIni& ini);
  // Writes the same keys back into section IDName.
  void SaveToIni(SkinIniWriter& out);

  std::string IDName;
};

// ---------------------------------------------------------------------------------------------
// Frame objects ([SKINOBJECTS]).
class TskDataSkinObject : public TskDataSkinSection {
 public:
  using TskDataSkinSection::TskDataSkinSection;
  void VisitKeys(SkinKeyVisitor& v) override;

  std::string Hint;
  bool RollUp = false;
  int ActivePictureIndex = -1;
  bool SkinRectInAPicture = false;
  int CursorIndex = -1;
  Rect SkinRect;          // place in the frame picture, and the normal image
  Rect ActiveSkinRect;    // hot image in the object's own picture; empty = none
  Rect InActiveSkinRect;  // image for an inactive window; empty = none
  bool Morphing = false;
  SkinMorphKind MorphKind = SkinMorphKind::Default;
};

class TskDataSkinMenuItem : public TskDataSkinObject {
 public:
  using TskDataSkinObject::TskDataSkinObject;
  const char* KindName() const override { return "menuitem"; }
  void VisitKeys(SkinKeyVisitor& v) override;
  int ItemLeftOffset = 0, ItemRightOffset = 0;
  Rect DividerRect;
  int DividerLeftOffset = 0, DividerRightOffset = 0;
  Rect TextRect;
  FontAttrs Font = DefaultSkinFont();
  Color FontColor = 0, ActiveFontColor = 0, UnEnabledFontColor = 0;
};

class TskDataSkinMainMenuItem : public TskDataSkinObject {
 public:
  using TskDataSkinObject::TskDataSkinObject;
  const char* KindName() const override { return "mainmenuitem"; }
  void VisitKeys(SkinKeyVisitor& v) override;
  int ItemLeftOffset = 0, ItemRightOffset = 0;
  Rect DownRect, TextRect;
  FontAttrs Font = DefaultSkinFont();
  Color FontColor = 0, ActiveFontColor = 0, DownFontColor = 0, UnEnabledFontColor = 0;
};

class TskDataSkinMainMenuBarItem : public TskDataSkinMainMenuItem {
 public:
  using TskDataSkinMainMenuItem::TskDataSkinMainMenuItem;
  const char* KindName() const override { return "mainmenubaritem"; }
};

class TskDataSkinButton : public TskDataSkinObject {
 public:
  using TskDataSkinObject::TskDataSkinObject;
  const char* KindName() const override { return "button"; }
  void VisitKeys(SkinKeyVisitor& v) override;
  Rect DownRect;         // pressed image
  Rect DisableSkinRect;  // disabled image (key "disableskinrsect")
  int GroupIndex = -1;
};

// A caption button: close, maximise, minimise, system menu, roll up, tray.
class TskDataSkinStdButton : public TskDataSkinButton {
 public:
  using TskDataSkinButton::TskDataSkinButton;
  const char* KindName() const override { return "stdbutton"; }
  void VisitKeys(SkinKeyVisitor& v) override;
  SkinCommand Command = SkinCommand::Default;
  // Normal, hot and pressed images while the window is in the state the button undoes.
  Rect RestoreRect, RestoreActiveRect, RestoreDownRect;
};

class TskDataSkinMainMenuBarButton : public TskDataSkinStdButton {
 public:
  using TskDataSkinStdButton::TskDataSkinStdButton;
  const char* KindName() const override { return "mainmenubarbutton"; }
};

class TskDataSkinCaption : public TskDataSkinObject {
 public:
  using TskDataSkinObject::TskDataSkinObject;
  const char* KindName() const override { return "caption"; }
  void VisitKeys(SkinKeyVisitor& v) override;
  bool DefaultCaption = false;  // shows the window's caption text
  Rect TextRect;                // relative to SkinRect
  FontAttrs Font = DefaultSkinFont();
  Color FontColor = 0;        // inactive window
  Color ActiveFontColor = 0;  // active window
  SkinAlignment Alignment = SkinAlignment::Center;
  bool Shadow = false;
  Color ShadowColor = 0, ActiveShadowColor = 0;
  Rect FrameRect, ActiveFrameRect, FrameTextRect;
  int FrameLeftOffset = 0, FrameRightOffset = 0;
};

class TskDataSkinTrackBar : public TskDataSkinObject {
 public:
  using TskDataSkinObject::TskDataSkinObject;
  const char* KindName() const override { return "trackbar"; }
  void VisitKeys(SkinKeyVisitor& v) override;
  Rect ButtonRect, ActiveButtonRect;
  Point BeginPoint, EndPoint;
  int MinValue = 0, MaxValue = 0;
  bool MouseDownChangeValue = false, ButtonTransparent = false;
  Color ButtonTransparentColor = 0;
};

class TskDataSkinGauge : public TskDataSkinObject {
 public:
  using TskDataSkinObject::TskDataSkinObject;
  const char* KindName() const override { return "gauge"; }
  void VisitKeys(SkinKeyVisitor& v) override;
  int MinValue = 0, MaxValue = 0;
  SkinOrientation Kind = SkinOrientation::Horizontal;  // "gkhorizontal", else vertical
};

class TskDataSkinFrameGaugeObject : public TskDataSkinObject {
 public:
  using TskDataSkinObject::TskDataSkinObject;
  const char* KindName() const override { return "framegauge"; }
  void VisitKeys(SkinKeyVisitor& v) override;
  int MinValue = 0, MaxValue = 0, CountFrames = 0;
  SkinOrientation FramesPlacement = SkinOrientation::Horizontal;  // "fphorizontal", else vertical
};

class TskDataSkinFrameRegulatorObject : public TskDataSkinFrameGaugeObject {
 public:
  using TskDataSkinFrameGaugeObject::TskDataSkinFrameGaugeObject;
  const char* KindName() const override { return "frameregulator"; }
  void VisitKeys(SkinKeyVisitor& v) override;
  SkinRegulatorKind Kind = SkinRegulatorKind::Round;
};

class TskDataSkinLabel : public TskDataSkinObject {
 public:
  using TskDataSkinObject::TskDataSkinObject;
  const char* KindName() const override { return "label"; }
  void VisitKeys(SkinKeyVisitor& v) override;
  FontAttrs Font = DefaultSkinFont();
  Color FontColor = 0, ActiveFontColor = 0;
  SkinAlignment Alignment = SkinAlignment::Center;
  std::string TextValue;
};

class TskDataSkinBitLabel : public TskDataSkinObject {
 public:
  using TskDataSkinObject::TskDataSkinObject;
  const char* KindName() const override { return "bitlabel"; }
  void VisitKeys(SkinKeyVisitor& v) override;
  std::string TextValue;
  int SymbolWidth = 0, SymbolHeight = 0;
  std::vector<std::string> Symbols;
  bool Transparent = false;
  Color TransparentColor = 16711935;
};

class TskDataSkinSwitch : public TskDataSkinObject {
 public:
  using TskDataSkinObject::TskDataSkinObject;
  const char* KindName() const override { return "switch"; }
};

class TskDataSkinAnimate : public TskDataSkinObject {
 public:
  using TskDataSkinObject::TskDataSkinObject;
  const char* KindName() const override { return "animate"; }
  void VisitKeys(SkinKeyVisitor& v) override;
  int CountFrames = 1;
  bool Cycle = false, ButtonStyle = false;
  int TimerInterval = 50;
  SkinCommand Command = SkinCommand::Default;
};

// Reads only "rollup", "skinrect" and "cursorindex"; the other base fields keep their defaults.
class TskDataUserObject : public TskDataSkinObject {
 public:
  using TskDataSkinObject::TskDataSkinObject;
  const char* KindName() const override { return "userobject"; }
  void VisitKeys(SkinKeyVisitor& v) override;
};

// The frame object class for a [SKINOBJECTS] kind, or nullptr for a kind not listed.
std::unique_ptr<TskDataSkinObject> CreateSkinObject(std::string_view kind, std::string id_name);

// ---------------------------------------------------------------------------------------------
// Controls ([SKINCONTROLS]).
class TskDataSkinControl : public TskDataSkinSection {
 public:
  using TskDataSkinSection::TskDataSkinSection;
  void VisitKeys(SkinKeyVisitor& v) override;
  int PictureIndex = -1;
  int MaskPictureIndex = -1;
  int CursorIndex = -1;
  Rect SkinRect;
};

// A control drawn like a small frame: corner points and client rectangle inside SkinRect.
class TskDataSkinCustomControl : public TskDataSkinControl {
 public:
  using TskDataSkinControl::TskDataSkinControl;
  void VisitKeys(SkinKeyVisitor& v) override;
  Point LTPoint, RTPoint, LBPoint, RBPoint;
  Rect ClientRect;
};

class TskDataSkinButtonControl : public TskDataSkinCustomControl {
 public:
  using TskDataSkinCustomControl::TskDataSkinCustomControl;
  const char* KindName() const override { return "button"; }
  void VisitKeys(SkinKeyVisitor& v) override;
  FontAttrs Font = DefaultSkinFont();
  Color FontColor = 0, ActiveFontColor = 0, DisabledFontColor = 0, DownFontColor = 0;
  bool Morphing = false;
  SkinMorphKind MorphKind = SkinMorphKind::Default;
  Rect ActiveSkinRect, DownSkinRect, DisabledSkinRect;
};

class TskDataSkinMenuButtonControl : public TskDataSkinButtonControl {
 public:
  using TskDataSkinButtonControl::TskDataSkinButtonControl;
  const char* KindName() const override { return "menubutton"; }
  void VisitKeys(SkinKeyVisitor& v) override;
  Rect TrackButtonRect;
};

class TskDataSkinCheckRadioControl : public TskDataSkinCustomControl {
 public:
  using TskDataSkinCustomControl::TskDataSkinCustomControl;
  const char* KindName() const override { return "checkradio"; }
  void VisitKeys(SkinKeyVisitor& v) override;
  FontAttrs Font = DefaultSkinFont();
  Color FontColor = 0, ActiveFontColor = 0, UnEnabledFontColor = 0, FrameFontColor = 0;
  bool Morphing = false;
  SkinMorphKind MorphKind = SkinMorphKind::Default;
  Rect ActiveSkinRect, CheckImageArea, TextArea, CheckImageRect, UnCheckImageRect,
      ActiveCheckImageRect, ActiveUnCheckImageRect, UnEnabledCheckImageRect, UnEnabledUnCheckImageRect;
};

class TskDataSkinPanelControl : public TskDataSkinCustomControl {
 public:
  using TskDataSkinCustomControl::TskDataSkinCustomControl;
  const char* KindName() const override { return "panel"; }
  void VisitKeys(SkinKeyVisitor& v) override;
  int BGPictureIndex = -1;
  Rect CaptionRect;
  SkinAlignment Alignment = SkinAlignment::Center;
  FontAttrs Font = DefaultSkinFont();
  Color FontColor = 0;
  Rect CheckImageRect, UnCheckImageRect;
};

class TskDataSkinLabelControl : public TskDataSkinCustomControl {
 public:
  using TskDataSkinCustomControl::TskDataSkinCustomControl;
  const char* KindName() const override { return "label"; }
  void VisitKeys(SkinKeyVisitor& v) override;
  FontAttrs Font = DefaultSkinFont();
  Color FontColor = 0;
};

class TskDataSkinStdLabelControl : public TskDataSkinControl {
 public:
  using TskDataSkinControl::TskDataSkinControl;
  const char* KindName() const override { return "stdlabel"; }
  void VisitKeys(SkinKeyVisitor& v) override;
  FontAttrs Font = DefaultSkinFont();
  Color FontColor = 0, ActiveFontColor = 16711680;
};

class TskDataSkinEditControl : public TskDataSkinCustomControl {
 public:
  using TskDataSkinCustomControl::TskDataSkinCustomControl;
  const char* KindName() const override { return "edit"; }
  void VisitKeys(SkinKeyVisitor& v) override;
  Rect ActiveSkinRect;
  FontAttrs Font = DefaultSkinFont();
  Color FontColor = 0, DisabledFontColor = 0, ActiveFontColor = 0;
  Rect ButtonRect, ActiveButtonRect, DownButtonRect, UnEnabledButtonRect;
};

class TskDataSkinMemoControl : public TskDataSkinEditControl {
 public:
  using TskDataSkinEditControl::TskDataSkinEditControl;
  const char* KindName() const override { return "memo"; }
  void VisitKeys(SkinKeyVisitor& v) override;
  Color BGColor = 0, ActiveBGColor = 0;
};

class TskDataSkinScrollBarControl : public TskDataSkinCustomControl {
 public:
  using TskDataSkinCustomControl::TskDataSkinCustomControl;
  const char* KindName() const override { return "scrollbar"; }
  void VisitKeys(SkinKeyVisitor& v) override;
  Rect TrackArea, UpButtonRect, ActiveUpButtonRect, DownUpButtonRect, DownButtonRect,
      ActiveDownButtonRect, DownDownButtonRect, ThumbRect, ActiveThumbRect, DownThumbRect;
  int ThumbOffset1 = 0, ThumbOffset2 = 0;
  bool ThumbTransparent = false;
  Color ThumbTransparentColor = 0;
  Rect GlyphRect, ActiveGlyphRect, DownGlyphRect;
};

class TskDataSkinGaugeControl : public TskDataSkinCustomControl {
 public:
  using TskDataSkinCustomControl::TskDataSkinCustomControl;
  const char* KindName() const override { return "gauge"; }
  void VisitKeys(SkinKeyVisitor& v) override;
  Rect ProgressArea, ProgressRect;
  int BeginOffset = 0, EndOffset = 0;
  bool Vertical = false;
  FontAttrs Font = DefaultSkinFont();
  Color FontColor = 0;
  bool ProgressTransparent = false;
  Color ProgressTransparentColor = 0;
};

class TskDataSkinTrackBarControl : public TskDataSkinCustomControl {
 public:
  using TskDataSkinCustomControl::TskDataSkinCustomControl;
  const char* KindName() const override { return "trackbar"; }
  void VisitKeys(SkinKeyVisitor& v) override;
  Rect TrackArea, ButtonRect, ActiveButtonRect;
  bool Vertical = false, ButtonTransparent = false;
  Color ButtonTransparentColor = 0;
};

class TskDataSkinListBox : public TskDataSkinCustomControl {
 public:
  using TskDataSkinCustomControl::TskDataSkinCustomControl;
  const char* KindName() const override { return "listbox"; }
  void VisitKeys(SkinKeyVisitor& v) override;
  Rect ItemRect, ActiveItemRect, FocusItemRect;
  int ItemLeftOffset = 0, ItemRightOffset = 0;
  Rect ItemTextRect;
  FontAttrs Font = DefaultSkinFont();
  Color FontColor = 0, ActiveFontColor = 0, FocusFontColor = 0;
  Rect CaptionRect;
  FontAttrs CaptionFont = DefaultSkinFont();
  Color CaptionFontColor = 0;
  Rect UpButtonRect, ActiveUpButtonRect, DownUpButtonRect, DownButtonRect, ActiveDownButtonRect,
      DownDownButtonRect, CheckButtonRect, ActiveCheckButtonRect, DownCheckButtonRect;
  std::string VScrollBarName = "vscrollbar", HScrollBarName = "hscrollbar",
              BothScrollBarName = "bothhscrollbar";
};

class TskDataSkinCheckListBox : public TskDataSkinListBox {
 public:
  using TskDataSkinListBox::TskDataSkinListBox;
  const char* KindName() const override { return "checklistbox"; }
  void VisitKeys(SkinKeyVisitor& v) override;
  Rect CheckImageRect, ItemCheckRect, UnCheckImageRect;
};

class TskDataSkinComboBox : public TskDataSkinCustomControl {
 public:
  using TskDataSkinCustomControl::TskDataSkinCustomControl;
  const char* KindName() const override { return "combobox"; }
  void VisitKeys(SkinKeyVisitor& v) override;
  Rect ItemRect, FocusItemRect;
  int ItemLeftOffset = 0, ItemRightOffset = 0;
  Rect ItemTextRect;
  FontAttrs Font = DefaultSkinFont();
  Color FontColor = 0, FocusFontColor = 0;
  std::string ListBoxName;
  Rect ButtonRect, ActiveButtonRect, DownButtonRect, UnEnabledButtonRect;
};

class TskDataSkinSpinEditControl : public TskDataSkinCustomControl {
 public:
  using TskDataSkinCustomControl::TskDataSkinCustomControl;
  const char* KindName() const override { return "spinedit"; }
  void VisitKeys(SkinKeyVisitor& v) override;
  Rect ActiveSkinRect;
  FontAttrs Font = DefaultSkinFont();
  Color FontColor = 0, ActiveFontColor = 0, DisabledFontColor = 0;
  Rect UpButtonRect, ActiveUpButtonRect, DownUpButtonRect, DownButtonRect, ActiveDownButtonRect,
      DownDownButtonRect;
};

class TskDataSkinUpDownControl : public TskDataSkinCustomControl {
 public:
  using TskDataSkinCustomControl::TskDataSkinCustomControl;
  const char* KindName() const override { return "updown"; }
  void VisitKeys(SkinKeyVisitor& v) override;
  Rect UpButtonRect, ActiveUpButtonRect, DownUpButtonRect, DownButtonRect, ActiveDownButtonRect,
      DownDownButtonRect;
};

class TskDataSkinSplitterControl : public TskDataSkinCustomControl {
 public:
  using TskDataSkinCustomControl::TskDataSkinCustomControl;
  const char* KindName() const override { return "splitter"; }
};

class TskDataSkinScrollBoxControl : public TskDataSkinCustomControl {
 public:
  using TskDataSkinCustomControl::TskDataSkinCustomControl;
  const char* KindName() const override { return "scrollbox"; }
  void VisitKeys(SkinKeyVisitor& v) override;
  int BGPictureIndex = -1;
};

class TskDataSkinControlBar : public TskDataSkinCustomControl {
 public:
  using TskDataSkinCustomControl::TskDataSkinCustomControl;
  const char* KindName() const override { return "controlbar"; }
  void VisitKeys(SkinKeyVisitor& v) override;
  Rect ItemRect;
  int BGPictureIndex = -1;
};

class TskDataSkinExPanelControl : public TskDataSkinCustomControl {
 public:
  using TskDataSkinCustomControl::TskDataSkinCustomControl;
  const char* KindName() const override { return "expanel"; }
  void VisitKeys(SkinKeyVisitor& v) override;
  Rect RollHSkinRect, RollVSkinRect;
  int RollLeftOffset = 0, RollRightOffset = 0, RollTopOffset = 0, RollBottomOffset = 0;
  Rect RollVCaptionRect, RollHCaptionRect;
  Rect CloseButtonRect, CloseButtonActiveRect, CloseButtonDownRect;
  Rect HRollButtonRect, HRollButtonActiveRect, HRollButtonDownRect;
  Rect HRestoreButtonRect, HRestoreButtonActiveRect, HRestoreButtonDownRect;
  Rect VRollButtonRect, VRollButtonActiveRect, VRollButtonDownRect;
  Rect VRestoreButtonRect, VRestoreButtonActiveRect, VRestoreButtonDownRect;
  Rect CaptionRect;
  FontAttrs Font = DefaultSkinFont();
  Color FontColor = 0;
};

class TskDataSkinBitLabelControl : public TskDataSkinCustomControl {
 public:
  using TskDataSkinCustomControl::TskDataSkinCustomControl;
  const char* KindName() const override { return "bitlabel"; }
  void VisitKeys(SkinKeyVisitor& v) override;
  Rect SkinTextRect;
  int SymbolWidth = 0, SymbolHeight = 0;
  std::vector<std::string> Symbols;
};

class TskDataSkinTabControl : public TskDataSkinControl {
 public:
  using TskDataSkinControl::TskDataSkinControl;
  const char* KindName() const override { return "tab"; }
  void VisitKeys(SkinKeyVisitor& v) override;
  Rect TabRect, ActiveTabRect, FocusTabRect, MouseInTabRect, ClientRect;
  int BGPictureIndex = -1;
  Point LTPoint, RTPoint, LBPoint, RBPoint;
  int TabLeftOffset = 0, TabRightOffset = 0;
  Rect TabsBGRect;
  FontAttrs Font = DefaultSkinFont();
  Color FontColor = 0, ActiveFontColor = 0, FocusFontColor = 0, MouseInFontColor = 0;
  std::string UpDown;  // section name of an "updown" control
};

class TskDataSkinGridControl : public TskDataSkinControl {
 public:
  using TskDataSkinControl::TskDataSkinControl;
  const char* KindName() const override { return "grid"; }
  void VisitKeys(SkinKeyVisitor& v) override;
  Rect FixedCellRect, SelectCellRect, FocusCellRect;
  int FixedCellLeftOffset = 0, FixedCellRightOffset = 0;
  Rect FixedCellTextRect;
  int CellLeftOffset = 0, CellRightOffset = 0;
  Rect CellTextRect;
  Color LinesColor = 0, BGColor = 0;
  int BGPictureIndex = -1;
  FontAttrs Font = DefaultSkinFont();
  Color FontColor = 0, SelectFontColor = 0, FocusFontColor = 0;
  FontAttrs FixedFont = DefaultSkinFont();
  Color FixedFontColor = 0;
};

class TskDataSkinMainMenuBar : public TskDataSkinControl {
 public:
  using TskDataSkinControl::TskDataSkinControl;
  const char* KindName() const override { return "mainmenubar"; }
  void VisitKeys(SkinKeyVisitor& v) override;
  Rect ItemsRect;
  // Section names of the frame objects the bar uses.
  std::string MenuBarItem, CloseButton, MinButton, MaxButton, SysMenuButton;
  Color TrackMarkColor = 0, TrackMarkActiveColor = 0;
};

// Shared keys of the tree view, list view and rich edit descriptions.
class TskDataSkinTextViewControl : public TskDataSkinControl {
 public:
  using TskDataSkinControl::TskDataSkinControl;
  void VisitKeys(SkinKeyVisitor& v) override;
  FontAttrs Font = DefaultSkinFont();
  Color FontColor = 0, BGColor = 0;
};

class TskDataSkinTreeView : public TskDataSkinTextViewControl {
 public:
  using TskDataSkinTextViewControl::TskDataSkinTextViewControl;
  const char* KindName() const override { return "treeview"; }
};

class TskDataSkinListView : public TskDataSkinTextViewControl {
 public:
  using TskDataSkinTextViewControl::TskDataSkinTextViewControl;
  const char* KindName() const override { return "listview"; }
};

class TskDataSkinRichEdit : public TskDataSkinTextViewControl {
 public:
  using TskDataSkinTextViewControl::TskDataSkinTextViewControl;
  const char* KindName() const override { return "richedit"; }
};

class TskDataSkinSlider : public TskDataSkinControl {
 public:
  using TskDataSkinControl::TskDataSkinControl;
  const char* KindName() const override { return "slider"; }
  void VisitKeys(SkinKeyVisitor& v) override;
  Color BGColor = 0;
  Rect HRulerRect, HThumbRect, VRulerRect, VThumbRect;
  int EdgeSize = 0;
  Color PointsColor = 0;
};

class TskDataSkinBevel : public TskDataSkinControl {
 public:
  using TskDataSkinControl::TskDataSkinControl;
  const char* KindName() const override { return "bevel"; }
  void VisitKeys(SkinKeyVisitor& v) override;
  Color LightColor = 0, DarkColor = 0;
};

// Controls drawn from a strip of frames.
class TskDataSkinFrameControl : public TskDataSkinControl {
 public:
  using TskDataSkinControl::TskDataSkinControl;
  void VisitKeys(SkinKeyVisitor& v) override;
  int FramesCount = 1;
  SkinOrientation FramesPlacement = SkinOrientation::Horizontal;
};

class TskDataSkinFrameGauge : public TskDataSkinFrameControl {
 public:
  using TskDataSkinFrameControl::TskDataSkinFrameControl;
  const char* KindName() const override { return "framegauge"; }
};

class TskDataSkinAnimateControl : public TskDataSkinFrameControl {
 public:
  using TskDataSkinFrameControl::TskDataSkinFrameControl;
  const char* KindName() const override { return "animate"; }
};

class TskDataSkinSwitchControl : public TskDataSkinFrameControl {
 public:
  using TskDataSkinFrameControl::TskDataSkinFrameControl;
  const char* KindName() const override { return "switch"; }
};

class TskDataSkinFrameRegulator : public TskDataSkinFrameControl {
 public:
  using TskDataSkinFrameControl::TskDataSkinFrameControl;
  const char* KindName() const override { return "frameregulator"; }
  void VisitKeys(SkinKeyVisitor& v) override;
  SkinRegulatorKind Kind = SkinRegulatorKind::Round;
};

// The control class for a [SKINCONTROLS] kind, or nullptr for a kind not listed.
std::unique_ptr<TskDataSkinControl> CreateSkinControl(std::string_view kind, std::string id_name);

// ---------------------------------------------------------------------------------------------
// Runs a description's key list through a reader or a writer of the given section.
template <typename Described>
void LoadSkinSection(Described& described, const SkinIni& ini, std::string section) {
  SkinKeyReader reader(ini, std::move(section));
  described.VisitKeys(reader);
}
template <typename Described>
void SaveSkinSection(Described& described, SkinIniWriter& out, std::string section) {
  SkinKeyWriter writer(out, std::move(section));
  described.VisitKeys(writer);
}

// ---------------------------------------------------------------------------------------------
// [POPUPWINDOW] and [HINTWINDOW]: the skinned popup menu window and the hint window, both a
// small frame cut from one of the pictures.
struct TskDataSkinWindowFrame {
  void VisitKeys(SkinKeyVisitor& v);

  int WindowPictureIndex = -1;  // -1 = not skinned
  int MaskPictureIndex = -1;
  Point LTPoint, RTPoint, LBPoint, RBPoint;
  bool LeftStretch = false, RightStretch = false, TopStretch = false, BottomStretch = false;
};

class TskDataSkinPopupWindow : public TskDataSkinWindowFrame {
 public:
  static constexpr const char* kSection = "POPUPWINDOW";
  void VisitKeys(SkinKeyVisitor& v);
  void LoadFromIni(const SkinIni& ini) { LoadSkinSection(*this, ini, kSection); }
  void SaveToIni(SkinIniWriter& out) { SaveSkinSection(*this, out, kSection); }

  Rect ItemsRect;
  Color ScrollMarkerColor = 0, ScrollMarkerActiveColor = 0;
  int CursorIndex = -1;
};

class TskDataSkinHintWindow : public TskDataSkinWindowFrame {
 public:
  static constexpr const char* kSection = "HINTWINDOW";
  void VisitKeys(SkinKeyVisitor& v);
  void LoadFromIni(const SkinIni& ini) { LoadSkinSection(*this, ini, kSection); }
  void SaveToIni(SkinIniWriter& out) { SaveSkinSection(*this, out, kSection); }

  Rect ClientRect;
  FontAttrs Font = DefaultSkinFont();
  Color FontColor = 0;
};

// ---------------------------------------------------------------------------------------------
// [FORMINFO]: the frame geometry, in frame picture coordinates.
struct TskSkinFormInfo {
  static constexpr const char* kSection = "FORMINFO";
  void VisitKeys(SkinKeyVisitor& v);

  // Inner corner points that cut the frame picture into nine parts.
  Point LTPoint, RTPoint, LBPoint, RBPoint;
  Rect ClientRect;
  int BGPictureIndex = -1;     // client background; -1 = tile the frame's client part
  int MDIBGPictureIndex = -1;
  bool LeftStretch = false, RightStretch = false, TopStretch = false, BottomStretch = false;
  Rect ButtonsRect;            // empty = lay the buttons out in CaptionRect
  Rect CaptionRect;
  int ButtonsOffset = 0;       // gap between laid-out caption buttons
  bool ButtonsInLeft = false;
  Rect MaskRectArea;           // always part of the window shape
  Point HitTestLTPoint, HitTestRTPoint, HitTestLBPoint, HitTestRBPoint;  // sizing zone corners
  Point RollUpLeftPoint, RollUpRightPoint;
  Rect MainMenuRect;
  Rect IconRect;
  bool MainMenuPopupUp = false;
  int BorderWidth = 0;         // depth of the sizing band
  int CursorIndex = -1;
  bool AutoRenderingInActiveImage = false;
  SkinEffect InActiveEffect = SkinEffect::Brightness;
};

// The adjustments made after reading [FORMINFO], in order: with a mask named, widen
// MaskRectArea to ClientRect (or take ClientRect when empty) and replace hit-test points with a
// zero coordinate by their corner point; then, when RBPoint differs from LTPoint in both x and
// y, move the corner points into ClientRect.
void AdjustSkinFormInfo(TskSkinFormInfo& info, bool mask_named);

}  // namespace netscry
