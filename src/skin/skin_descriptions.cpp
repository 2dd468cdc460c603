#include "skin/skin_descriptions.h"

#include <algorithm>
#include <utility>

namespace netscry {

void TskDataSkinSection::LoadFromIni(const SkinIni& ini) { LoadSkinSection(*this, ini, IDName); }

void TskDataSkinSection::SaveToIni(SkinIniWriter& out) { SaveSkinSection(*this, out, IDName); }

namespace {
// The inner corner points that cut a picture into nine parts.
void VisitCornerPoints(SkinKeyVisitor& v, Point& lt, Point& rt, Point& lb, Point& rb) {
  v.PointValue("lefttoppoint", lt);
  v.PointValue("righttoppoint", rt);
  v.PointValue("leftbottompoint", lb);
  v.PointValue("rightbottompoint", rb);
}

// Which sides of a nine-part picture stretch instead of tiling.
void VisitStretchFlags(SkinKeyVisitor& v, bool& left, bool& right, bool& top, bool& bottom) {
  v.Flag("leftstretch", left);
  v.Flag("rightstretch", right);
  v.Flag("topstretch", top);
  v.Flag("bottomstretch", bottom);
}

// The six rectangles of a pair of up and down buttons.
void VisitUpDownButtons(SkinKeyVisitor& v, Rect& up, Rect& active_up, Rect& down_up, Rect& down, Rect& active_down,
                        Rect& down_down) {
  v.RectValue("upbuttonrect", up);
  v.RectValue("activeupbuttonrect", active_up);
  v.RectValue("downupbuttonrect", down_up);
  v.RectValue("downbuttonrect", down);
  v.RectValue("activedownbuttonrect", active_down);
  v.RectValue("downdownbuttonrect", down_down);
}
}  // namespace

// ---- Frame objects ----

void TskDataSkinObject::VisitKeys(SkinKeyVisitor& v) {
  v.Text("hint", Hint);
  v.Flag("rollup", RollUp);
  v.PictureIndex("activepictureindex", ActivePictureIndex);
  v.Flag("skinrectinapicture", SkinRectInAPicture);
  v.Integer("cursorindex", CursorIndex, -1);
  v.RectValue("skinrect", SkinRect);
  v.RectValue("activeskinrect", ActiveSkinRect);
  v.RectValue("inactiveskinrect", InActiveSkinRect);
  v.Flag("morphing", Morphing);
  v.MorphKind("morphkind", MorphKind);
}

void TskDataSkinMenuItem::VisitKeys(SkinKeyVisitor& v) {
  TskDataSkinObject::VisitKeys(v);
  v.Integer("itemleftoffset", ItemLeftOffset);
  v.Integer("itemrightoffset", ItemRightOffset);
  v.RectValue("dividerrect", DividerRect);
  v.Integer("dividerleftoffset", DividerLeftOffset);
  v.Integer("dividerrightoffset", DividerRightOffset);
  v.RectValue("textrect", TextRect);
  v.Font("font", Font);
  v.Colour("fontcolor", FontColor);
  v.Colour("activefontcolor", ActiveFontColor);
  v.Colour("unenabledfontcolor", UnEnabledFontColor);
}

void TskDataSkinMainMenuItem::VisitKeys(SkinKeyVisitor& v) {
  TskDataSkinObject::VisitKeys(v);
  v.Integer("itemleftoffset", ItemLeftOffset);
  v.Integer("itemrightoffset", ItemRightOffset);
  v.RectValue("downrect", DownRect);
  v.RectValue("textrect", TextRect);
  v.Font("font", Font);
  v.Colour("fontcolor", FontColor);
  v.Colour("activefontcolor", ActiveFontColor);
  v.Colour("downfontcolor", DownFontColor);
  v.Colour("unenabledfontcolor", UnEnabledFontColor);
}

void TskDataSkinButton::VisitKeys(SkinKeyVisitor& v) {
  TskDataSkinObject::VisitKeys(v);
  v.RectValue("downrect", DownRect);
  v.RectValue("disableskinrsect", DisableSkinRect);
  v.Integer("groupindex", GroupIndex, -1);
}

void TskDataSkinStdButton::VisitKeys(SkinKeyVisitor& v) {
  TskDataSkinButton::VisitKeys(v);
  v.Command("command", Command);
  v.RectValue("restorerect", RestoreRect);
  v.RectValue("restoreactiverect", RestoreActiveRect);
  v.RectValue("restoredownrect", RestoreDownRect);
}

void TskDataSkinCaption::VisitKeys(SkinKeyVisitor& v) {
  TskDataSkinObject::VisitKeys(v);
  v.Flag("defaultcaption", DefaultCaption);
  v.RectValue("textrect", TextRect);
  v.Font("font", Font);
  v.Colour("fontcolor", FontColor);
  v.Colour("activefontcolor", ActiveFontColor);
  v.Alignment("alignment", Alignment);
  v.Flag("shadow", Shadow);
  v.Colour("shadowcolor", ShadowColor);
  v.Colour("activeshadowcolor", ActiveShadowColor);
  v.RectValue("framerect", FrameRect);
  v.RectValue("activeframerect", ActiveFrameRect);
  v.RectValue("frametextrect", FrameTextRect);
  v.Integer("frameleftoffset", FrameLeftOffset);
  v.Integer("framerightoffset", FrameRightOffset);
}

void TskDataSkinTrackBar::VisitKeys(SkinKeyVisitor& v) {
  TskDataSkinObject::VisitKeys(v);
  v.RectValue("buttonrect", ButtonRect);
  v.RectValue("activebuttonrect", ActiveButtonRect);
  v.PointValue("beginpoint", BeginPoint);
  v.PointValue("endpoint", EndPoint);
  v.Integer("minvalue", MinValue);
  v.Integer("maxvalue", MaxValue);
  v.Flag("mousedownchangevalue", MouseDownChangeValue);
  v.Flag("buttontransparent", ButtonTransparent);
  v.Colour("buttontransparentcolor", ButtonTransparentColor);
}

void TskDataSkinGauge::VisitKeys(SkinKeyVisitor& v) {
  TskDataSkinObject::VisitKeys(v);
  v.Integer("minvalue", MinValue);
  v.Integer("maxvalue", MaxValue);
  v.Orientation("kind", Kind, "gkhorizontal", "gkvertical");
}

void TskDataSkinFrameGaugeObject::VisitKeys(SkinKeyVisitor& v) {
  TskDataSkinObject::VisitKeys(v);
  v.Integer("minvalue", MinValue);
  v.Integer("maxvalue", MaxValue);
  v.Integer("countframes", CountFrames);
  v.Orientation("framesplacement", FramesPlacement, "fphorizontal", "fpvertical");
}

void TskDataSkinFrameRegulatorObject::VisitKeys(SkinKeyVisitor& v) {
  TskDataSkinFrameGaugeObject::VisitKeys(v);
  v.RegulatorKind("kind", Kind);
}

void TskDataSkinLabel::VisitKeys(SkinKeyVisitor& v) {
  TskDataSkinObject::VisitKeys(v);
  v.Font("font", Font);
  v.Colour("fontcolor", FontColor);
  v.Colour("activefontcolor", ActiveFontColor);
  v.Alignment("alignment", Alignment);
  v.Text("textvalue", TextValue);
}

void TskDataSkinBitLabel::VisitKeys(SkinKeyVisitor& v) {
  TskDataSkinObject::VisitKeys(v);
  v.Text("textvalue", TextValue);
  v.Integer("symbolwidth", SymbolWidth);
  v.Integer("symbolheight", SymbolHeight);
  v.Lines("symbols", Symbols);
  v.Flag("transparent", Transparent);
  v.Colour("transparentcolor", TransparentColor, 16711935);
}

void TskDataSkinAnimate::VisitKeys(SkinKeyVisitor& v) {
  TskDataSkinObject::VisitKeys(v);
  v.Integer("countframes", CountFrames, 1);
  v.Flag("cycle", Cycle);
  v.Flag("buttonstyle", ButtonStyle);
  v.Integer("timerinterval", TimerInterval, 50);
  v.Command("command", Command);
}

void TskDataUserObject::VisitKeys(SkinKeyVisitor& v) {
  v.Flag("rollup", RollUp);
  v.RectValue("skinrect", SkinRect);
  v.Integer("cursorindex", CursorIndex, -1);
}

namespace {
template <typename T, typename Base>
std::unique_ptr<Base> Make(std::string id_name) {
  return std::make_unique<T>(std::move(id_name));
}

template <typename Base>
using Factory = std::unique_ptr<Base> (*)(std::string);

template <typename Base, std::size_t N>
std::unique_ptr<Base> CreateFrom(const std::pair<const char*, Factory<Base>> (&table)[N], std::string_view kind,
                                 std::string id_name) {
  for (const auto& [name, make] : table) {
    if (kind == name) return make(std::move(id_name));
  }
  return nullptr;
}
}  // namespace

std::unique_ptr<TskDataSkinObject> CreateSkinObject(std::string_view kind, std::string id_name) {
  using B = TskDataSkinObject;
  static const std::pair<const char*, Factory<B>> kTable[] = {
      {"menuitem", Make<TskDataSkinMenuItem, B>},
      {"mainmenuitem", Make<TskDataSkinMainMenuItem, B>},
      {"mainmenubaritem", Make<TskDataSkinMainMenuBarItem, B>},
      {"button", Make<TskDataSkinButton, B>},
      {"stdbutton", Make<TskDataSkinStdButton, B>},
      {"mainmenubarbutton", Make<TskDataSkinMainMenuBarButton, B>},
      {"caption", Make<TskDataSkinCaption, B>},
      {"trackbar", Make<TskDataSkinTrackBar, B>},
      {"gauge", Make<TskDataSkinGauge, B>},
      {"framegauge", Make<TskDataSkinFrameGaugeObject, B>},
      {"frameregulator", Make<TskDataSkinFrameRegulatorObject, B>},
      {"label", Make<TskDataSkinLabel, B>},
      {"bitlabel", Make<TskDataSkinBitLabel, B>},
      {"switch", Make<TskDataSkinSwitch, B>},
      {"animate", Make<TskDataSkinAnimate, B>},
      {"userobject", Make<TskDataUserObject, B>},
  };
  return CreateFrom<B>(kTable, kind, std::move(id_name));
}

// ---- Controls ----

void TskDataSkinControl::VisitKeys(SkinKeyVisitor& v) {
  v.PictureIndex("pictureindex", PictureIndex);
  v.PictureIndex("maskpictureindex", MaskPictureIndex);
  v.Integer("cursorindex", CursorIndex, -1);
  v.RectValue("skinrect", SkinRect);
}

void TskDataSkinCustomControl::VisitKeys(SkinKeyVisitor& v) {
  TskDataSkinControl::VisitKeys(v);
  VisitCornerPoints(v, LTPoint, RTPoint, LBPoint, RBPoint);
  v.RectValue("clientrect", ClientRect);
}

void TskDataSkinButtonControl::VisitKeys(SkinKeyVisitor& v) {
  TskDataSkinCustomControl::VisitKeys(v);
  v.Font("font", Font);
  v.Colour("fontcolor", FontColor);
  v.Colour("activefontcolor", ActiveFontColor);
  v.Colour("disabledfontcolor", DisabledFontColor);
  v.Colour("downfontcolor", DownFontColor);
  v.Flag("morphing", Morphing);
  v.MorphKind("morphkind", MorphKind);
  v.RectValue("activeskinrect", ActiveSkinRect);
  v.RectValue("downskinrect", DownSkinRect);
  v.RectValue("disabledskinrect", DisabledSkinRect);
}

void TskDataSkinMenuButtonControl::VisitKeys(SkinKeyVisitor& v) {
  TskDataSkinButtonControl::VisitKeys(v);
  v.RectValue("trackbuttonrect", TrackButtonRect);
}

void TskDataSkinCheckRadioControl::VisitKeys(SkinKeyVisitor& v) {
  TskDataSkinCustomControl::VisitKeys(v);
  v.Font("font", Font);
  v.Colour("fontcolor", FontColor);
  v.Colour("activefontcolor", ActiveFontColor);
  v.Colour("unenabledfontcolor", UnEnabledFontColor);
  v.Colour("framefontcolor", FrameFontColor);
  v.Flag("morphing", Morphing);
  v.MorphKind("morphkind", MorphKind);
  v.RectValue("activeskinrect", ActiveSkinRect);
  v.RectValue("checkimagearea", CheckImageArea);
  v.RectValue("textarea", TextArea);
  v.RectValue("checkimagerect", CheckImageRect);
  v.RectValue("uncheckimagerect", UnCheckImageRect);
  v.RectValue("activecheckimagerect", ActiveCheckImageRect);
  v.RectValue("activeuncheckimagerect", ActiveUnCheckImageRect);
  v.RectValue("unenabledcheckimagerect", UnEnabledCheckImageRect);
  v.RectValue("unenableduncheckimagerect", UnEnabledUnCheckImageRect);
}

void TskDataSkinPanelControl::VisitKeys(SkinKeyVisitor& v) {
  TskDataSkinCustomControl::VisitKeys(v);
  v.PictureIndex("bgpictureindex", BGPictureIndex);
  v.RectValue("captionrect", CaptionRect);
  v.Alignment("alignment", Alignment);
  v.Font("font", Font);
  v.Colour("fontcolor", FontColor);
  v.RectValue("checkimagerect", CheckImageRect);
  v.RectValue("uncheckimagerect", UnCheckImageRect);
}

void TskDataSkinLabelControl::VisitKeys(SkinKeyVisitor& v) {
  TskDataSkinCustomControl::VisitKeys(v);
  v.Font("font", Font);
  v.Colour("fontcolor", FontColor);
}

void TskDataSkinStdLabelControl::VisitKeys(SkinKeyVisitor& v) {
  TskDataSkinControl::VisitKeys(v);
  v.Font("font", Font);
  v.Colour("fontcolor", FontColor);
  v.Colour("activefontcolor", ActiveFontColor, 16711680);
}

void TskDataSkinEditControl::VisitKeys(SkinKeyVisitor& v) {
  TskDataSkinCustomControl::VisitKeys(v);
  v.RectValue("activeskinrect", ActiveSkinRect);
  v.Font("font", Font);
  v.Colour("fontcolor", FontColor);
  v.Colour("disabledfontcolor", DisabledFontColor);
  v.Colour("activefontcolor", ActiveFontColor);
  v.RectValue("buttonrect", ButtonRect);
  v.RectValue("activebuttonrect", ActiveButtonRect);
  v.RectValue("downbuttonrect", DownButtonRect);
  v.RectValue("unenabledbuttonrect", UnEnabledButtonRect);
}

void TskDataSkinMemoControl::VisitKeys(SkinKeyVisitor& v) {
  TskDataSkinEditControl::VisitKeys(v);
  v.Colour("bgcolor", BGColor);
  v.Colour("activebgcolor", ActiveBGColor);
}

void TskDataSkinScrollBarControl::VisitKeys(SkinKeyVisitor& v) {
  TskDataSkinCustomControl::VisitKeys(v);
  v.RectValue("trackarea", TrackArea);
  VisitUpDownButtons(v, UpButtonRect, ActiveUpButtonRect, DownUpButtonRect, DownButtonRect, ActiveDownButtonRect,
                     DownDownButtonRect);
  v.RectValue("thumbrect", ThumbRect);
  v.RectValue("activethumbrect", ActiveThumbRect);
  v.RectValue("downthumbrect", DownThumbRect);
  v.Integer("thumboffset1", ThumbOffset1);
  v.Integer("thumboffset2", ThumbOffset2);
  v.Flag("thumbtransparent", ThumbTransparent);
  v.Colour("thumbtransparentcolor", ThumbTransparentColor);
  v.RectValue("glyphrect", GlyphRect);
  v.RectValue("activeglyphrect", ActiveGlyphRect);
  v.RectValue("downglyphrect", DownGlyphRect);
}

void TskDataSkinGaugeControl::VisitKeys(SkinKeyVisitor& v) {
  TskDataSkinCustomControl::VisitKeys(v);
  v.RectValue("progressarea", ProgressArea);
  v.RectValue("progressrect", ProgressRect);
  v.Integer("beginoffset", BeginOffset);
  v.Integer("endoffset", EndOffset);
  v.Flag("vertical", Vertical);
  v.Font("font", Font);
  v.Colour("fontcolor", FontColor);
  v.Flag("progresstransparent", ProgressTransparent);
  v.Colour("progresstransparentcolor", ProgressTransparentColor);
}

void TskDataSkinTrackBarControl::VisitKeys(SkinKeyVisitor& v) {
  TskDataSkinCustomControl::VisitKeys(v);
  v.RectValue("trackarea", TrackArea);
  v.RectValue("buttonrect", ButtonRect);
  v.RectValue("activebuttonrect", ActiveButtonRect);
  v.Flag("vertical", Vertical);
  v.Flag("buttontransparent", ButtonTransparent);
  v.Colour("buttontransparentcolor", ButtonTransparentColor);
}

void TskDataSkinListBox::VisitKeys(SkinKeyVisitor& v) {
  TskDataSkinCustomControl::VisitKeys(v);
  v.RectValue("itemrect", ItemRect);
  v.RectValue("activeitemrect", ActiveItemRect);
  v.RectValue("focusitemrect", FocusItemRect);
  v.Integer("itemleftoffset", ItemLeftOffset);
  v.Integer("itemrightoffset", ItemRightOffset);
  v.RectValue("itemtextrect", ItemTextRect);
  v.Font("font", Font);
  v.Colour("fontcolor", FontColor);
  v.Colour("activefontcolor", ActiveFontColor);
  v.Colour("focusfontcolor", FocusFontColor);
  v.RectValue("captionrect", CaptionRect);
  v.Font("captionfont", CaptionFont);
  v.Colour("captionfontcolor", CaptionFontColor);
  VisitUpDownButtons(v, UpButtonRect, ActiveUpButtonRect, DownUpButtonRect, DownButtonRect, ActiveDownButtonRect,
                     DownDownButtonRect);
  v.RectValue("checkbuttonrect", CheckButtonRect);
  v.RectValue("activecheckbuttonrect", ActiveCheckButtonRect);
  v.RectValue("downcheckbuttonrect", DownCheckButtonRect);
  v.Text("vscrollbarname", VScrollBarName, "vscrollbar");
  v.Text("hscrollbarname", HScrollBarName, "hscrollbar");
  v.Text("bothhscrollbarname", BothScrollBarName, "bothhscrollbar");
}

void TskDataSkinCheckListBox::VisitKeys(SkinKeyVisitor& v) {
  TskDataSkinListBox::VisitKeys(v);
  v.RectValue("checkimagerect", CheckImageRect);
  v.RectValue("itemcheckrect", ItemCheckRect);
  v.RectValue("uncheckimagerect", UnCheckImageRect);
}

void TskDataSkinComboBox::VisitKeys(SkinKeyVisitor& v) {
  TskDataSkinCustomControl::VisitKeys(v);
  v.RectValue("itemrect", ItemRect);
  v.RectValue("focusitemrect", FocusItemRect);
  v.Integer("itemleftoffset", ItemLeftOffset);
  v.Integer("itemrightoffset", ItemRightOffset);
  v.RectValue("itemtextrect", ItemTextRect);
  v.Font("font", Font);
  v.Colour("fontcolor", FontColor);
  v.Colour("focusfontcolor", FocusFontColor);
  v.Text("listboxname", ListBoxName);
  v.RectValue("buttonrect", ButtonRect);
  v.RectValue("activebuttonrect", ActiveButtonRect);
  v.RectValue("downbuttonrect", DownButtonRect);
  v.RectValue("unenabledbuttonrect", UnEnabledButtonRect);
}

void TskDataSkinSpinEditControl::VisitKeys(SkinKeyVisitor& v) {
  TskDataSkinCustomControl::VisitKeys(v);
  v.RectValue("activeskinrect", ActiveSkinRect);
  v.Font("font", Font);
  v.Colour("fontcolor", FontColor);
  v.Colour("activefontcolor", ActiveFontColor);
  v.Colour("disabledfontcolor", DisabledFontColor);
  VisitUpDownButtons(v, UpButtonRect, ActiveUpButtonRect, DownUpButtonRect, DownButtonRect, ActiveDownButtonRect,
                     DownDownButtonRect);
}

void TskDataSkinUpDownControl::VisitKeys(SkinKeyVisitor& v) {
  TskDataSkinCustomControl::VisitKeys(v);
  VisitUpDownButtons(v, UpButtonRect, ActiveUpButtonRect, DownUpButtonRect, DownButtonRect, ActiveDownButtonRect,
                     DownDownButtonRect);
}

void TskDataSkinScrollBoxControl::VisitKeys(SkinKeyVisitor& v) {
  TskDataSkinCustomControl::VisitKeys(v);
  v.PictureIndex("bgpictureindex", BGPictureIndex);
}

void TskDataSkinControlBar::VisitKeys(SkinKeyVisitor& v) {
  TskDataSkinCustomControl::VisitKeys(v);
  v.RectValue("itemrect", ItemRect);
  v.PictureIndex("bgpictureindex", BGPictureIndex);
}

void TskDataSkinExPanelControl::VisitKeys(SkinKeyVisitor& v) {
  TskDataSkinCustomControl::VisitKeys(v);
  v.RectValue("rollhskinrect", RollHSkinRect);
  v.RectValue("rollvskinrect", RollVSkinRect);
  v.Integer("rollleftoffset", RollLeftOffset);
  v.Integer("rollrightoffset", RollRightOffset);
  v.Integer("rolltopoffset", RollTopOffset);
  v.Integer("rollbottomoffset", RollBottomOffset);
  v.RectValue("rollvcaptionrect", RollVCaptionRect);
  v.RectValue("rollhcaptionrect", RollHCaptionRect);
  v.RectValue("closebuttonrect", CloseButtonRect);
  v.RectValue("closebuttonactiverect", CloseButtonActiveRect);
  v.RectValue("closebuttondownrect", CloseButtonDownRect);
  v.RectValue("hrollbuttonrect", HRollButtonRect);
  v.RectValue("hrollbuttonactiverect", HRollButtonActiveRect);
  v.RectValue("hrollbuttondownrect", HRollButtonDownRect);
  v.RectValue("hrestorebuttonrect", HRestoreButtonRect);
  v.RectValue("hrestorebuttonactiverect", HRestoreButtonActiveRect);
  v.RectValue("hrestorebuttondownrect", HRestoreButtonDownRect);
  v.RectValue("vrollbuttonrect", VRollButtonRect);
  v.RectValue("vrollbuttonactiverect", VRollButtonActiveRect);
  v.RectValue("vrollbuttondownrect", VRollButtonDownRect);
  v.RectValue("vrestorebuttonrect", VRestoreButtonRect);
  v.RectValue("vrestorebuttonactiverect", VRestoreButtonActiveRect);
  v.RectValue("vrestorebuttondownrect", VRestoreButtonDownRect);
  v.RectValue("captionrect", CaptionRect);
  v.Font("font", Font);
  v.Colour("fontcolor", FontColor);
}

void TskDataSkinBitLabelControl::VisitKeys(SkinKeyVisitor& v) {
  TskDataSkinCustomControl::VisitKeys(v);
  v.RectValue("skintextrect", SkinTextRect);
  v.Integer("symbolwidth", SymbolWidth);
  v.Integer("symbolheight", SymbolHeight);
  v.Lines("symbols", Symbols);
}

void TskDataSkinTabControl::VisitKeys(SkinKeyVisitor& v) {
  TskDataSkinControl::VisitKeys(v);
  v.RectValue("tabrect", TabRect);
  v.RectValue("activetabrect", ActiveTabRect);
  v.RectValue("focustabrect", FocusTabRect);
  v.RectValue("mouseintabrect", MouseInTabRect);
  v.RectValue("clientrect", ClientRect);
  v.PictureIndex("bgpictureindex", BGPictureIndex);
  VisitCornerPoints(v, LTPoint, RTPoint, LBPoint, RBPoint);
  v.Integer("tableftoffset", TabLeftOffset);
  v.Integer("tabrightoffset", TabRightOffset);
  v.RectValue("tabsbgrect", TabsBGRect);
  v.Font("font", Font);
  v.Colour("fontcolor", FontColor);
  v.Colour("activefontcolor", ActiveFontColor);
  v.Colour("focusfontcolor", FocusFontColor);
  v.Colour("mouseinfontcolor", MouseInFontColor);
  v.Text("updown", UpDown);
}

void TskDataSkinGridControl::VisitKeys(SkinKeyVisitor& v) {
  TskDataSkinControl::VisitKeys(v);
  v.RectValue("fixedcellrect", FixedCellRect);
  v.RectValue("selectcellrect", SelectCellRect);
  v.RectValue("focuscellrect", FocusCellRect);
  v.Integer("fixedcellleftoffset", FixedCellLeftOffset);
  v.Integer("fixedcellrightoffset", FixedCellRightOffset);
  v.RectValue("fixedcelltextrect", FixedCellTextRect);
  v.Integer("cellleftoffset", CellLeftOffset);
  v.Integer("cellrightoffset", CellRightOffset);
  v.RectValue("celltextrect", CellTextRect);
  v.Colour("linescolor", LinesColor);
  v.Colour("bgcolor", BGColor);
  v.PictureIndex("bgpictureindex", BGPictureIndex);
  v.Font("font", Font);
  v.Colour("fontcolor", FontColor);
  v.Colour("selectfontcolor", SelectFontColor);
  v.Colour("focusfontcolor", FocusFontColor);
  v.Font("fixedfont", FixedFont);
  v.Colour("fixedfontcolor", FixedFontColor);
}

void TskDataSkinMainMenuBar::VisitKeys(SkinKeyVisitor& v) {
  TskDataSkinControl::VisitKeys(v);
  v.RectValue("itemsrect", ItemsRect);
  v.Text("menubaritem", MenuBarItem);
  v.Text("closebutton", CloseButton);
  v.Text("minbutton", MinButton);
  v.Text("maxbutton", MaxButton);
  v.Text("sysmenubutton", SysMenuButton);
  v.Colour("trackmarkcolor", TrackMarkColor);
  v.Colour("trackmarkactivecolor", TrackMarkActiveColor);
}

void TskDataSkinTextViewControl::VisitKeys(SkinKeyVisitor& v) {
  TskDataSkinControl::VisitKeys(v);
  v.Font("font", Font);
  v.Colour("fontcolor", FontColor);
  v.Colour("bgcolor", BGColor);
}

void TskDataSkinSlider::VisitKeys(SkinKeyVisitor& v) {
  TskDataSkinControl::VisitKeys(v);
  v.Colour("bgcolor", BGColor);
  v.RectValue("hrulerrect", HRulerRect);
  v.RectValue("hthumbrect", HThumbRect);
  v.RectValue("vrulerrect", VRulerRect);
  v.RectValue("vthumbrect", VThumbRect);
  v.Integer("edgesize", EdgeSize);
  v.Colour("pointscolor", PointsColor);
}

void TskDataSkinBevel::VisitKeys(SkinKeyVisitor& v) {
  TskDataSkinControl::VisitKeys(v);
  v.Colour("lightcolor", LightColor);
  v.Colour("darkcolor", DarkColor);
}

void TskDataSkinFrameControl::VisitKeys(SkinKeyVisitor& v) {
  TskDataSkinControl::VisitKeys(v);
  v.Integer("framescount", FramesCount, 1);
  v.Orientation("framesplacement", FramesPlacement, "fphorizontal", "fpvertical");
}

void TskDataSkinFrameRegulator::VisitKeys(SkinKeyVisitor& v) {
  TskDataSkinFrameControl::VisitKeys(v);
  v.RegulatorKind("kind", Kind);
}

std::unique_ptr<TskDataSkinControl> CreateSkinControl(std::string_view kind, std::string id_name) {
  using B = TskDataSkinControl;
  static const std::pair<const char*, Factory<B>> kTable[] = {
      {"button", Make<TskDataSkinButtonControl, B>},
      {"menubutton", Make<TskDataSkinMenuButtonControl, B>},
      {"checkradio", Make<TskDataSkinCheckRadioControl, B>},
      {"panel", Make<TskDataSkinPanelControl, B>},
      {"label", Make<TskDataSkinLabelControl, B>},
      {"stdlabel", Make<TskDataSkinStdLabelControl, B>},
      {"edit", Make<TskDataSkinEditControl, B>},
      {"memo", Make<TskDataSkinMemoControl, B>},
      {"scrollbar", Make<TskDataSkinScrollBarControl, B>},
      {"gauge", Make<TskDataSkinGaugeControl, B>},
      {"trackbar", Make<TskDataSkinTrackBarControl, B>},
      {"listbox", Make<TskDataSkinListBox, B>},
      {"checklistbox", Make<TskDataSkinCheckListBox, B>},
      {"combobox", Make<TskDataSkinComboBox, B>},
      {"spinedit", Make<TskDataSkinSpinEditControl, B>},
      {"updown", Make<TskDataSkinUpDownControl, B>},
      {"splitter", Make<TskDataSkinSplitterControl, B>},
      {"scrollbox", Make<TskDataSkinScrollBoxControl, B>},
      {"controlbar", Make<TskDataSkinControlBar, B>},
      {"expanel", Make<TskDataSkinExPanelControl, B>},
      {"bitlabel", Make<TskDataSkinBitLabelControl, B>},
      {"tab", Make<TskDataSkinTabControl, B>},
      {"grid", Make<TskDataSkinGridControl, B>},
      {"mainmenubar", Make<TskDataSkinMainMenuBar, B>},
      {"treeview", Make<TskDataSkinTreeView, B>},
      {"listview", Make<TskDataSkinListView, B>},
      {"richedit", Make<TskDataSkinRichEdit, B>},
      {"slider", Make<TskDataSkinSlider, B>},
      {"bevel", Make<TskDataSkinBevel, B>},
      {"framegauge", Make<TskDataSkinFrameGauge, B>},
      {"animate", Make<TskDataSkinAnimateControl, B>},
      {"switch", Make<TskDataSkinSwitchControl, B>},
      {"frameregulator", Make<TskDataSkinFrameRegulator, B>},
  };
  return CreateFrom<B>(kTable, kind, std::move(id_name));
}

// ---- Popup and hint windows ----

void TskDataSkinWindowFrame::VisitKeys(SkinKeyVisitor& v) {
  v.PictureIndex("windowpictureindex", WindowPictureIndex);
  v.PictureIndex("maskpictureindex", MaskPictureIndex);
  VisitCornerPoints(v, LTPoint, RTPoint, LBPoint, RBPoint);
  VisitStretchFlags(v, LeftStretch, RightStretch, TopStretch, BottomStretch);
}

void TskDataSkinPopupWindow::VisitKeys(SkinKeyVisitor& v) {
  TskDataSkinWindowFrame::VisitKeys(v);
  v.RectValue("itemsrect", ItemsRect);
  v.Colour("scrollmarkercolor", ScrollMarkerColor);
  v.Colour("scrollmarkeractivecolor", ScrollMarkerActiveColor);
  v.Integer("cursorindex", CursorIndex, -1);
}

void TskDataSkinHintWindow::VisitKeys(SkinKeyVisitor& v) {
  TskDataSkinWindowFrame::VisitKeys(v);
  v.RectValue("clientrect", ClientRect);
  v.Font("font", Font);
  v.Colour("fontcolor", FontColor);
}

// ---- [FORMINFO] ----

void TskSkinFormInfo::VisitKeys(SkinKeyVisitor& v) {
  VisitCornerPoints(v, LTPoint, RTPoint, LBPoint, RBPoint);
  v.RectValue("clientrect", ClientRect);
  v.PictureIndex("bgpictureindex", BGPictureIndex);
  v.PictureIndex("mdibgpictureindex", MDIBGPictureIndex);
  VisitStretchFlags(v, LeftStretch, RightStretch, TopStretch, BottomStretch);
  v.RectValue("buttonsrect", ButtonsRect);
  v.RectValue("captionrect", CaptionRect);
  v.Integer("buttonsoffset", ButtonsOffset);
  v.Flag("buttonsinleft", ButtonsInLeft);
  v.RectValue("maskrectarea", MaskRectArea);
  v.PointValue("hittestlefttoppoint", HitTestLTPoint);
  v.PointValue("hittestrighttoppoint", HitTestRTPoint);
  v.PointValue("hittestleftbottompoint", HitTestLBPoint);
  v.PointValue("hittestrightbottompoint", HitTestRBPoint);
  v.PointValue("rollupleftpoint", RollUpLeftPoint);
  v.PointValue("rolluprightpoint", RollUpRightPoint);
  v.RectValue("mainmenurect", MainMenuRect);
  v.RectValue("iconrect", IconRect);
  v.Flag("mainmenupopupup", MainMenuPopupUp);
  v.Integer("borderwidth", BorderWidth);
  v.Integer("cursorindex", CursorIndex, -1);
  v.Flag("autorenderinginactiveimage", AutoRenderingInActiveImage);
  v.Effect("inactiveeffect", InActiveEffect);
}

void AdjustSkinFormInfo(TskSkinFormInfo& f, bool mask_named) {
  const Rect& c = f.ClientRect;
  if (mask_named) {
    Rect& m = f.MaskRectArea;
    if (m.Width() < 1 || m.Height() < 1) {
      m = c;
    } else {
      m.left = std::min(m.left, c.left);
      m.top = std::min(m.top, c.top);
      m.right = std::max(m.right, c.right);
      m.bottom = std::max(m.bottom, c.bottom);
    }
    auto replace = [](Point& hit, const Point& corner) {
      if (hit.x == 0 || hit.y == 0) hit = corner;
    };
    replace(f.HitTestLTPoint, f.LTPoint);
    replace(f.HitTestRTPoint, f.RTPoint);
    replace(f.HitTestLBPoint, f.LBPoint);
    replace(f.HitTestRBPoint, f.RBPoint);
  }
  if (f.RBPoint.x != f.LTPoint.x && f.RBPoint.y != f.LTPoint.y) {
    f.LTPoint.x = std::max(f.LTPoint.x, c.left);
    f.LTPoint.y = std::max(f.LTPoint.y, c.top);
    f.RTPoint.x = std::min(f.RTPoint.x, c.right);
    f.RTPoint.y = std::max(f.RTPoint.y, c.top);
    f.LBPoint.x = std::max(f.LBPoint.x, c.left);
    f.LBPoint.y = std::min(f.LBPoint.y, c.bottom);
    f.RBPoint.x = std::min(f.RBPoint.x, c.right);
    f.RBPoint.y = std::min(f.RBPoint.y, c.bottom);
  }
}

}  // namespace netscry
