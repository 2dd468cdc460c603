// Description classes: what each kind reads, the object lists, [FORMINFO] and its adjustments.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "main_window_form_info.h"
#include "skin/skin_data.h"
#include "skin/skin_descriptions.h"
#include "skin/skin_error.h"

namespace netscry {
namespace {

const char* const kObjectKinds[] = {"menuitem", "mainmenuitem", "mainmenubaritem", "button", "stdbutton",
                                    "mainmenubarbutton", "caption", "trackbar", "gauge", "framegauge",
                                    "frameregulator", "label", "bitlabel", "switch", "animate", "userobject"};
const char* const kControlKinds[] = {
    "button",   "menubutton", "checkradio", "panel",     "label",       "stdlabel",   "edit",
    "memo",     "scrollbar",  "gauge",      "trackbar",  "listbox",     "checklistbox", "combobox",
    "spinedit", "updown",     "splitter",   "scrollbox", "controlbar",  "expanel",    "bitlabel",
    "tab",      "grid",       "mainmenubar", "treeview", "listview",    "richedit",   "slider",
    "bevel",    "framegauge", "animate",    "switch",    "frameregulator"};

// Sets every field a class lists to a value of its own (a running counter), so that a write and
// a read back can show whether every key survives.
class FillVisitor : public SkinKeyVisitor {
 public:
  void Text(const char*, std::string& v, const char*) override { v = "t" + std::to_string(++n_); }
  void Integer(const char*, int& v, int) override { v = ++n_; }
  void Colour(const char*, Color& v, Color) override { v = Color(++n_ * 1000); }
  void Flag(const char*, bool& v) override { v = true; }
  void PointValue(const char*, Point& v) override { v = {++n_, ++n_}; }
  void RectValue(const char*, Rect& v) override { v = {++n_, ++n_, ++n_, ++n_}; }
  void FontStyle(const char*, FontAttrs& f) override { f.bold = f.strikeout = true; }
  void Choice(const char*, int& v, std::initializer_list<const char*> names, int def, int) override {
    v = (def + 1) % int(names.size());
  }
  void List(const char*, std::vector<std::string>& v) override { v = {"a" + std::to_string(++n_), "b"}; }
  void Lines(const char*, std::vector<std::string>& v) override { v = {"l" + std::to_string(++n_)}; }

 private:
  int n_ = 0;
};

// Describes every key and value as text, and notes keys listed twice by one class.
class DumpVisitor : public SkinKeyVisitor {
 public:
  void Text(const char* k, std::string& v, const char*) override { Add(k, v); }
  void Integer(const char* k, int& v, int) override { Add(k, std::to_string(v)); }
  void Colour(const char* k, Color& v, Color) override { Add(k, std::to_string(v)); }
  void Flag(const char* k, bool& v) override { Add(k, v ? "1" : "0"); }
  void PointValue(const char* k, Point& v) override { Add(k, std::to_string(v.x) + "," + std::to_string(v.y)); }
  void RectValue(const char* k, Rect& v) override {
    Add(k, std::to_string(v.left) + "," + std::to_string(v.top) + "," + std::to_string(v.right) + "," +
               std::to_string(v.bottom));
  }
  void FontStyle(const char* k, FontAttrs& f) override { Add(k, FormatSkinFontStyle(f)); }
  void Choice(const char* k, int& v, std::initializer_list<const char*>, int, int) override {
    Add(k, std::to_string(v));
  }
  void List(const char* k, std::vector<std::string>& v) override {
    std::string s;
    for (auto& e : v) s += e + "|";
    Add(k, s);
  }
  void Lines(const char* k, std::vector<std::string>& v) override { List(k, v); }

  std::string text;
  std::set<std::string> keys;
  std::vector<std::string> duplicates;

 private:
  void Add(const std::string& k, const std::string& v) {
    if (!keys.insert(k).second) duplicates.push_back(k);
    text += k + "=" + v + ";";
  }
};

template <typename T>
std::string Dump(T& obj, DumpVisitor* out = nullptr) {
  DumpVisitor d;
  obj.VisitKeys(d);
  if (out != nullptr) *out = d;
  return d.text;
}

TEST(SkinDescriptions, EveryKindWritesAndReadsBackEachOfItsKeys) {
  auto check = [](TskDataSkinSection& original, TskDataSkinSection& reread, const std::string& what) {
    FillVisitor fill;
    original.VisitKeys(fill);
    SkinIniWriter out;
    original.SaveToIni(out);
    SkinIni ini(out.Text());
    reread.LoadFromIni(ini);
    DumpVisitor d;
    const std::string before = Dump(original, &d);
    EXPECT_EQ(Dump(reread), before) << what;
    EXPECT_TRUE(d.duplicates.empty()) << what << " lists a key twice";
  };
  for (const char* kind : kObjectKinds) {
    auto a = CreateSkinObject(kind, "Sec");
    auto b = CreateSkinObject(kind, "Sec");
    ASSERT_TRUE(a && b) << kind;
    EXPECT_STREQ(a->KindName(), kind);
    check(*a, *b, std::string("object ") + kind);
  }
  for (const char* kind : kControlKinds) {
    auto a = CreateSkinControl(kind, "Sec");
    auto b = CreateSkinControl(kind, "Sec");
    ASSERT_TRUE(a && b) << kind;
    EXPECT_STREQ(a->KindName(), kind);
    check(*a, *b, std::string("control ") + kind);
  }
  EXPECT_EQ(CreateSkinObject("Caption", "x"), nullptr);  // kinds compare case-sensitively
  EXPECT_EQ(CreateSkinObject("", "x"), nullptr);
  EXPECT_EQ(CreateSkinControl("window", "x"), nullptr);
}

TEST(SkinDescriptions, ConstructorDefaultsAreEmptyRectanglesAndNoPictures) {
  TskDataSkinStdButton b("close");
  EXPECT_EQ(b.IDName, "close");
  EXPECT_EQ(b.ActivePictureIndex, -1);
  EXPECT_EQ(b.CursorIndex, -1);
  EXPECT_EQ(b.GroupIndex, -1);
  EXPECT_TRUE(b.SkinRect.IsEmpty() && b.DownRect.IsEmpty() && b.RestoreRect.IsEmpty());
  EXPECT_EQ(b.Command, SkinCommand::Default);
  TskDataSkinCaption c("caption");
  EXPECT_EQ(c.Font.name, "宋体");
  EXPECT_EQ(c.Font.height, 14);
  EXPECT_EQ(c.Alignment, SkinAlignment::Center);
  TskDataSkinBitLabel bl("b");
  EXPECT_EQ(bl.TransparentColor, 16711935u);
  TskDataSkinStdLabelControl sl("s");
  EXPECT_EQ(sl.ActiveFontColor, 16711680u);
  TskDataSkinListBox lb("l");
  EXPECT_EQ(lb.BothScrollBarName, "bothhscrollbar");
}

const char* const kDescription =
    "[VERSION]\r\n"
    "skinname=Test\r\n"
    "[PICTURES]\r\n"
    "picture=frame.bmp\r\n"
    "mask=mask.bmp\r\n"
    "activepicturescount=0\r\n"
    "[FORMINFO]\r\n"
    "lefttoppoint=8,28\r\nrighttoppoint=695,28\r\nleftbottompoint=8,283\r\nrightbottompoint=695,283\r\n"
    "clientrect=8,28,696,284\r\n"
    "leftstretch=1\r\nrightstretch=1\r\ntopstretch=1\r\nbottomstretch=1\r\n"
    "captionrect=7,1,697,25\r\nbuttonsrect=0,0,0,0\r\nbuttonsoffset=0\r\n"
    "maskrectarea=7,3,697,284\r\nborderwidth=7\r\n"
    "hittestlefttoppoint=6,7\r\nhittestrighttoppoint=696,6\r\n"
    "hittestleftbottompoint=8,282\r\nhittestrightbottompoint=694,283\r\n"
    "autorenderinginactiveimage=0\r\ninactiveeffect=iedarkness\r\n"
    "stretcheffect=1\r\nformminwidth=100\r\n"
    "[SKINAREAS]\r\ncount=2\r\n0=top:1,2,3,4\r\n1=bottom:5,6,7,8\r\n"
    "[SKINOBJECTS]\r\n"
    "count=7\r\n"
    "0=closebutton:stdbutton\r\n"
    "1=caption:caption\r\n"
    "2=weird:nosuchkind\r\n"
    "3=nocolon\r\n"
    "4=MaxButton:stdbutton\r\n"
    "5=ghost:button\r\n"
    "6=closebutton:caption\r\n"
    "[SKINCONTROLS]\r\ncount=2\r\n0=btn:button\r\n1=sb:scrollbar\r\n"
    "[CLOSEBUTTON]\r\n"
    "PictureIndex=3\r\n"
    "ActivePictureIndex=2\r\nskinrect=654,1,697,19\r\nactiveSkinRect=0,0,43,18\r\ndownrect=43,0,86,18\r\n"
    "command=cmclose\r\nmorphing=1\r\nmorphkind=mkgradient\r\nglowlayerpictureindex=5\r\n"
    "[caption]\r\n"
    "defaultcaption=1\r\ntextrect=0,4,581,23\r\nfontname=Arial\r\nfontheight=14\r\nfontstyle=fsbold\r\n"
    "fontcolor=9864820\r\nactivefontcolor=0\r\nalignment=taleftjustify\r\nskinrect=23,1,604,25\r\n"
    "[maxbutton]\r\ncommand=cmmaximize\r\nskinrect=629,1,654,19\r\n"
    "[btn]\r\nfontcolor=255\r\nlefttoppoint=3,3\r\n"
    "[sb]\r\nthumboffset1=4\r\nthumbtransparent=1\r\n";

TEST(SkinDescriptions, ObjectsAndControlsAreCreatedInEntryOrderAndReadTheirSections) {
  TskSkinData data;
  data.ReadDescription(kDescription);

  ASSERT_EQ(data.Objects.size(), 5u);  // the unknown kind and the entry without ":" add nothing
  EXPECT_EQ(data.Objects[0]->IDName, "closebutton");
  EXPECT_EQ(data.Objects[1]->IDName, "caption");
  EXPECT_EQ(data.Objects[2]->IDName, "MaxButton");
  EXPECT_EQ(data.Objects[3]->IDName, "ghost");
  EXPECT_EQ(data.Objects[4]->IDName, "closebutton");
  EXPECT_STREQ(data.Objects[4]->KindName(), "caption");

  auto* close = dynamic_cast<TskDataSkinStdButton*>(data.Objects[0].get());
  ASSERT_NE(close, nullptr);
  EXPECT_EQ(close->ActivePictureIndex, 2);  // keys match whatever their letter case
  EXPECT_EQ(close->SkinRect, (Rect{654, 1, 697, 19}));
  EXPECT_EQ(close->ActiveSkinRect, (Rect{0, 0, 43, 18}));
  EXPECT_EQ(close->DownRect, (Rect{43, 0, 86, 18}));
  EXPECT_EQ(close->Command, SkinCommand::Close);
  EXPECT_TRUE(close->Morphing);
  EXPECT_EQ(close->MorphKind, SkinMorphKind::Gradient);

  auto* caption = dynamic_cast<TskDataSkinCaption*>(data.Objects[1].get());
  ASSERT_NE(caption, nullptr);
  EXPECT_TRUE(caption->DefaultCaption);
  EXPECT_EQ(caption->TextRect, (Rect{0, 4, 581, 23}));
  EXPECT_EQ(caption->Font.name, "Arial");
  EXPECT_TRUE(caption->Font.bold);
  EXPECT_FALSE(caption->Font.italic);
  EXPECT_EQ(caption->FontColor, 9864820u);
  EXPECT_EQ(caption->ActiveFontColor, 0u);
  EXPECT_EQ(caption->Alignment, SkinAlignment::Left);

  // A section named by an entry but missing leaves the object at its defaults.
  auto* ghost = dynamic_cast<TskDataSkinButton*>(data.Objects[3].get());
  ASSERT_NE(ghost, nullptr);
  EXPECT_TRUE(ghost->SkinRect.IsEmpty());
  EXPECT_EQ(ghost->ActivePictureIndex, -1);

  ASSERT_EQ(data.Controls.size(), 2u);
  auto* btn = dynamic_cast<TskDataSkinButtonControl*>(data.Controls[0].get());
  ASSERT_NE(btn, nullptr);
  EXPECT_EQ(btn->FontColor, 255u);
  EXPECT_EQ(btn->LTPoint, (Point{3, 3}));
  auto* sb = dynamic_cast<TskDataSkinScrollBarControl*>(data.Controls[1].get());
  ASSERT_NE(sb, nullptr);
  EXPECT_EQ(sb->ThumbOffset1, 4);
  EXPECT_TRUE(sb->ThumbTransparent);

  ASSERT_EQ(data.Areas.size(), 2u);
  EXPECT_EQ(data.Areas[1]->IDName, "bottom");
  EXPECT_EQ(data.Areas[1]->AreaRect, (Rect{5, 6, 7, 8}));

  // Lookups find the first entry of a name, exactly as spelled.
  EXPECT_EQ(data.FindObjectIndex("closebutton"), 0);
  EXPECT_EQ(data.FindObjectIndex("MaxButton"), 2);
  EXPECT_EQ(data.FindObjectIndex("maxbutton"), -1);
  EXPECT_EQ(data.FindObjectIndex("weird"), -1);
  EXPECT_EQ(data.FindControlIndex("sb"), 1);
  EXPECT_EQ(data.FindControlIndex("btn"), 0);
  EXPECT_EQ(data.FindAreaIndex("bottom"), 1);
  EXPECT_EQ(data.FindAreaIndex("Bottom"), -1);
}

TEST(SkinDescriptions, FormInfoReadsItsKeysAndTheMainWindowValuesNeedNoAdjustment) {
  TskSkinData data;
  data.ReadDescription(kDescription);
  const TskSkinFormInfo& f = data.FormInfo;
  ExpectMainWindowFormInfo(f);
  EXPECT_EQ(f.InActiveEffect, SkinEffect::Darkness);
  EXPECT_EQ(f.CursorIndex, -1);
}

struct AdjustCase {
  const char* what;
  bool mask_named;
  Rect mask_area;
  Point hit_lt;
  Point lt, rt, lb, rb;
  Rect expected_mask;
  Point expected_hit_lt;
  Point expected_lt, expected_rt, expected_lb, expected_rb;
};

TEST(SkinDescriptions, FormInfoAdjustmentsRunInOrder) {
  const Rect client{8, 28, 696, 284};
  const AdjustCase cases[] = {
      {"mask named, empty mask area takes the client rectangle", true, {0, 0, 0, 0}, {6, 7},
       {8, 28}, {695, 28}, {8, 283}, {695, 283},
       client, {6, 7}, {8, 28}, {695, 28}, {8, 283}, {695, 283}},
      {"mask area one pixel high counts as empty", true, {1, 1, 50, 1}, {6, 7},
       {8, 28}, {695, 28}, {8, 283}, {695, 283},
       client, {6, 7}, {8, 28}, {695, 28}, {8, 283}, {695, 283}},
      {"no mask: the mask area stays empty and hit points stay", false, {0, 0, 0, 0}, {0, 7},
       {8, 28}, {695, 28}, {8, 283}, {695, 283},
       {0, 0, 0, 0}, {0, 7}, {8, 28}, {695, 28}, {8, 283}, {695, 283}},
      {"mask area widened to contain the client rectangle", true, {10, 3, 600, 290}, {6, 7},
       {8, 28}, {695, 28}, {8, 283}, {695, 283},
       {8, 3, 696, 290}, {6, 7}, {8, 28}, {695, 28}, {8, 283}, {695, 283}},
      {"hit point with a zero x is replaced by its corner point", true, {7, 3, 697, 284}, {0, 7},
       {8, 28}, {695, 28}, {8, 283}, {695, 283},
       {7, 3, 697, 284}, {8, 28}, {8, 28}, {695, 28}, {8, 283}, {695, 283}},
      {"corner points outside the client rectangle are moved into it", false, {0, 0, 0, 0}, {6, 7},
       {2, 20}, {700, 10}, {1, 300}, {800, 290},
       {0, 0, 0, 0}, {6, 7}, {8, 28}, {696, 28}, {8, 284}, {696, 284}},
      {"no clamping when the right-bottom point shares an x with the left-top point", false, {0, 0, 0, 0}, {6, 7},
       {2, 20}, {700, 10}, {1, 300}, {2, 290},
       {0, 0, 0, 0}, {6, 7}, {2, 20}, {700, 10}, {1, 300}, {2, 290}},
      {"replacement happens before clamping", true, {7, 3, 697, 284}, {5, 0},
       {2, 20}, {700, 10}, {1, 300}, {800, 290},
       {7, 3, 697, 284}, {2, 20}, {8, 28}, {696, 28}, {8, 284}, {696, 284}},
  };
  for (const AdjustCase& c : cases) {
    TskSkinFormInfo f;
    f.ClientRect = client;
    f.MaskRectArea = c.mask_area;
    f.HitTestLTPoint = c.hit_lt;
    f.HitTestRTPoint = {696, 6};
    f.LTPoint = c.lt;
    f.RTPoint = c.rt;
    f.LBPoint = c.lb;
    f.RBPoint = c.rb;
    AdjustSkinFormInfo(f, c.mask_named);
    EXPECT_EQ(f.MaskRectArea, c.expected_mask) << c.what;
    EXPECT_EQ(f.HitTestLTPoint, c.expected_hit_lt) << c.what;
    EXPECT_EQ(f.HitTestRTPoint, (Point{696, 6})) << c.what;
    EXPECT_EQ(f.LTPoint, c.expected_lt) << c.what;
    EXPECT_EQ(f.RTPoint, c.expected_rt) << c.what;
    EXPECT_EQ(f.LBPoint, c.expected_lb) << c.what;
    EXPECT_EQ(f.RBPoint, c.expected_rb) << c.what;
  }
}

TEST(SkinDescriptions, MaskNameInPicturesDrivesTheAdjustmentOnLoad) {
  const std::string base =
      "[VERSION]\r\n[FORMINFO]\r\nclientrect=8,28,696,284\r\nhittestlefttoppoint=0,7\r\nlefttoppoint=8,28\r\n";
  TskSkinData with_mask;
  with_mask.ReadDescription(base + "[PICTURES]\r\nmask=m.bmp\r\n");
  EXPECT_EQ(with_mask.FormInfo.MaskRectArea, (Rect{8, 28, 696, 284}));
  EXPECT_EQ(with_mask.FormInfo.HitTestLTPoint, (Point{8, 28}));
  TskSkinData without_mask;
  without_mask.ReadDescription(base + "[PICTURES]\r\nmask=\r\n");
  EXPECT_TRUE(without_mask.FormInfo.MaskRectArea.IsEmpty());
  EXPECT_EQ(without_mask.FormInfo.HitTestLTPoint, (Point{0, 7}));
}

TEST(SkinDescriptions, PopupAndHintWindowsReadTheirFixedSections) {
  TskSkinData data;
  data.ReadDescription(
      "[POPUPWINDOW]\r\nwindowpictureindex=4\r\nitemsrect=1,2,3,4\r\nleftstretch=1\r\nscrollmarkercolor=$FF\r\n"
      "[HINTWINDOW]\r\nwindowpictureindex=5\r\nclientrect=2,2,10,10\r\nfontname=Tahoma\r\nfontheight=-11\r\n");
  EXPECT_EQ(data.PopupWindow.WindowPictureIndex, 4);
  EXPECT_EQ(data.PopupWindow.ItemsRect, (Rect{1, 2, 3, 4}));
  EXPECT_TRUE(data.PopupWindow.LeftStretch);
  EXPECT_EQ(data.PopupWindow.ScrollMarkerColor, 255u);
  EXPECT_EQ(data.PopupWindow.CursorIndex, -1);
  EXPECT_EQ(data.HintWindow.WindowPictureIndex, 5);
  EXPECT_EQ(data.HintWindow.ClientRect, (Rect{2, 2, 10, 10}));
  EXPECT_EQ(data.HintWindow.Font.name, "Tahoma");
  EXPECT_EQ(data.HintWindow.Font.height, 11);  // a negative height gives the characters' own height
  EXPECT_FALSE(data.HintWindow.Font.cell_height);
  data.ClearSkinObjects();
  EXPECT_EQ(data.PopupWindow.WindowPictureIndex, -1);
  EXPECT_EQ(data.HintWindow.WindowPictureIndex, -1);
}

TEST(SkinDescriptions, AMalformedRectangleInAnObjectSectionAbortsTheRead) {
  TskSkinData data;
  EXPECT_THROW(data.ReadDescription("[SKINOBJECTS]\r\ncount=1\r\n0=b:button\r\n[b]\r\nskinrect=1,2,3\r\n"),
               SkinError);
}

}  // namespace
}  // namespace netscry

namespace netscry {
namespace {

TEST(SkinDescriptions, LongListsNamedByManyObjectsAreRefusedNotMultiplied) {
  // 100 objects reading one section whose lines count is huge would hold 6.5 million strings.
  std::string text = "[SKINOBJECTS]\r\ncount=100\r\n";
  for (int i = 0; i < 100; ++i) text += std::to_string(i) + "=x:bitlabel\r\n";
  text += "[x]\r\nsymbolslinecount=65536\r\nsymbolsline0=ab\r\n";
  TskSkinData data;
  try {
    data.ReadDescription(text);
    ADD_FAILURE() << "read " << data.Objects.size() << " objects";
  } catch (const SkinError& e) {
    EXPECT_STREQ(e.what(), "skin description lists too long");
  }
  // A few objects with such a list are still read.
  TskSkinData few;
  few.ReadDescription("[SKINOBJECTS]\r\ncount=2\r\n0=x:bitlabel\r\n1=x:bitlabel\r\n"
                      "[x]\r\nsymbolslinecount=65536\r\nsymbolsline0=ab\r\n");
  ASSERT_EQ(few.Objects.size(), 2u);
  auto* label = dynamic_cast<TskDataSkinBitLabel*>(few.Objects[1].get());
  ASSERT_NE(label, nullptr);
  ASSERT_EQ(label->Symbols.size(), 65536u);
  EXPECT_EQ(label->Symbols[0], "ab");
}

}  // namespace
}  // namespace netscry
