// The INI rules and value syntaxes of skin descriptions.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "skin/skin_error.h"
#include "skin/skin_ini.h"
#include "skin/skin_values.h"

namespace netscry {
namespace {

enum class Syntax { Integer, Colour, Flag, Point, Rect, FontStyle, Alignment, MorphKind, Effect, Command, Text };

// Reads key "k" of [S] (absent when value is nullopt) with the given syntax and describes the
// result as text, or "error" when the reader throws.
std::string ReadAs(Syntax syntax, const std::optional<std::string>& value) {
  std::string text = "[S]\r\n";
  if (value) text += "k=" + *value + "\r\n";
  SkinIni ini(text);
  SkinKeyReader r(ini, "S");
  try {
    switch (syntax) {
      case Syntax::Integer: {
        int v = 0;
        r.Integer("k", v, -7);
        return std::to_string(v);
      }
      case Syntax::Colour: {
        Color c = 0;
        r.Colour("k", c, 0x123);
        return std::to_string(c);
      }
      case Syntax::Flag: {
        bool b = true;
        r.Flag("k", b);
        return b ? "true" : "false";
      }
      case Syntax::Point: {
        Point p{9, 9};
        r.PointValue("k", p);
        return std::to_string(p.x) + "," + std::to_string(p.y);
      }
      case Syntax::Rect: {
        Rect q{9, 9, 9, 9};
        r.RectValue("k", q);
        return std::to_string(q.left) + "," + std::to_string(q.top) + "," + std::to_string(q.right) + "," +
               std::to_string(q.bottom);
      }
      case Syntax::FontStyle: {
        FontAttrs f;
        f.bold = f.italic = f.underline = f.strikeout = true;
        r.FontStyle("k", f);
        return std::string(f.bold ? "B" : "") + (f.italic ? "I" : "") + (f.underline ? "U" : "") +
               (f.strikeout ? "S" : "") + "|";
      }
      case Syntax::Alignment: {
        SkinAlignment a = SkinAlignment::Left;
        r.Alignment("k", a);
        return a == SkinAlignment::Left ? "left" : a == SkinAlignment::Right ? "right" : "center";
      }
      case Syntax::MorphKind: {
        SkinMorphKind m = SkinMorphKind::Push;
        r.MorphKind("k", m);
        return std::to_string(static_cast<int>(m));
      }
      case Syntax::Effect: {
        SkinEffect e = SkinEffect::Invert;
        r.Effect("k", e);
        return std::to_string(static_cast<int>(e));
      }
      case Syntax::Command: {
        SkinCommand c = SkinCommand::Close;
        r.Command("k", c);
        const char* names[] = {"close", "maximize", "minimize", "sysmenu", "default", "rollup", "tray"};
        return names[static_cast<int>(c)];
      }
      case Syntax::Text: {
        std::string s = "x";
        r.Text("k", s, "def");
        return "'" + s + "'";
      }
    }
  } catch (const SkinError&) {
    return "error";
  }
  return "?";
}

struct SyntaxCase {
  Syntax syntax;
  std::optional<std::string> value;  // nullopt: key missing
  const char* expected;
};

TEST(SkinValueSyntax, ReadsEveryValueFormAsDescribed) {
  const SyntaxCase cases[] = {
      // integers: decimal, "$" and "0x" hex, invalid or missing → the key's default
      {Syntax::Integer, "42", "42"},
      {Syntax::Integer, "-5", "-5"},
      {Syntax::Integer, "+5", "5"},
      {Syntax::Integer, "$1F", "31"},
      {Syntax::Integer, "0x1f", "31"},
      {Syntax::Integer, "0X1F", "31"},
      {Syntax::Integer, "$FFFFFFFF", "-1"},
      {Syntax::Integer, "2147483647", "2147483647"},
      {Syntax::Integer, "-2147483648", "-2147483648"},
      {Syntax::Integer, "2147483648", "-7"},
      {Syntax::Integer, "$100000000", "-7"},
      {Syntax::Integer, "12abc", "-7"},
      {Syntax::Integer, "0x", "-7"},
      {Syntax::Integer, "$", "-7"},
      {Syntax::Integer, "", "-7"},
      {Syntax::Integer, std::nullopt, "-7"},
      // colours: 0x00BBGGRR in decimal
      {Syntax::Colour, "9864820", "9864820"},
      {Syntax::Colour, "$00FF0000", "16711680"},
      {Syntax::Colour, "blue", "291"},
      {Syntax::Colour, std::nullopt, "291"},
      // flags: true only for exactly 1
      {Syntax::Flag, "1", "true"},
      {Syntax::Flag, "$1", "true"},
      {Syntax::Flag, "2", "false"},
      {Syntax::Flag, "-1", "false"},
      {Syntax::Flag, "true", "false"},
      {Syntax::Flag, std::nullopt, "false"},
      // points and rectangles keep only digits; a field without digits is an error
      {Syntax::Point, "8,28", "8,28"},
      {Syntax::Point, "-1, 5", "1,5"},
      {Syntax::Point, " 3 px , 4 ", "3,4"},
      {Syntax::Point, "7", "error"},
      {Syntax::Point, "1,2,3", "error"},
      {Syntax::Point, std::nullopt, "0,0"},
      {Syntax::Point, "", "0,0"},
      {Syntax::Rect, "-5,10,20,30", "5,10,20,30"},
      {Syntax::Rect, "7,1,697,25", "7,1,697,25"},
      {Syntax::Rect, "1,2,3", "error"},
      {Syntax::Rect, "1,2,,4", "error"},
      {Syntax::Rect, "a,2,3,4", "error"},
      {Syntax::Rect, "1,2,3,4,5", "error"},
      {Syntax::Rect, "1,2,3,99999999999", "error"},
      {Syntax::Rect, std::nullopt, "0,0,0,0"},
      // font styles: case-sensitive substrings
      {Syntax::FontStyle, "fsbold", "B|"},
      {Syntax::FontStyle, "fsbold,fsunderline", "BU|"},
      {Syntax::FontStyle, "[fsitalic fsstrikeout]", "IS|"},
      {Syntax::FontStyle, "FSBOLD", "|"},
      {Syntax::FontStyle, "", "|"},
      {Syntax::FontStyle, std::nullopt, "|"},
      // alignment: missing → centre, anything unknown (even empty) → right
      {Syntax::Alignment, "taleftjustify", "left"},
      {Syntax::Alignment, "tarightjustify", "right"},
      {Syntax::Alignment, "tacenter", "center"},
      {Syntax::Alignment, "", "right"},
      {Syntax::Alignment, "TACENTER", "right"},
      {Syntax::Alignment, std::nullopt, "center"},
      // morph kind: unknown → mkdefault
      {Syntax::MorphKind, "mkdefault", "0"},
      {Syntax::MorphKind, "mkgradient", "1"},
      {Syntax::MorphKind, "mkpush", "6"},
      {Syntax::MorphKind, "mkwhatever", "0"},
      {Syntax::MorphKind, std::nullopt, "0"},
      // effect: missing → brightness, unknown → grayscale
      {Syntax::Effect, "iedarkness", "1"},
      {Syntax::Effect, "ieinvert", "5"},
      {Syntax::Effect, "sepia", "2"},
      {Syntax::Effect, std::nullopt, "0"},
      // command: case-sensitive; anything unknown is minimise to tray
      {Syntax::Command, "cmclose", "close"},
      {Syntax::Command, "cmmaximize", "maximize"},
      {Syntax::Command, "cmminimize", "minimize"},
      {Syntax::Command, "cmsysmenu", "sysmenu"},
      {Syntax::Command, "cmrollup", "rollup"},
      {Syntax::Command, "cmminimizetotray", "tray"},
      {Syntax::Command, "cmMinimize", "tray"},
      {Syntax::Command, "cmdefault", "default"},
      {Syntax::Command, std::nullopt, "default"},
      // text: trimmed value, default only when missing
      {Syntax::Text, "  Arial  ", "'Arial'"},
      {Syntax::Text, "a=b", "'a=b'"},
      {Syntax::Text, "", "''"},
      {Syntax::Text, std::nullopt, "'def'"},
  };
  for (const SyntaxCase& c : cases) {
    EXPECT_EQ(ReadAs(c.syntax, c.value), c.expected)
        << "syntax " << static_cast<int>(c.syntax) << " value '" << c.value.value_or("<missing>") << "'";
  }
}

TEST(SkinIniText, SectionsKeysAndLinesFollowTheRules) {
  const std::string text =
      "stray=before any section\r\n"
      "  [ Version ]  \r\n"
      "; a comment=1\r\n"
      "\r\n"
      "SkinName = 默认win7 \n"
      "skinname=second wins not\r"
      "noequals\r\n"
      "\t count \t=\t3\t\r\n"
      "[Other]\r\n"
      "x=1\r\n"
      "[VERSION]\r\n"
      "extra=continued\r\n"
      "[Empty]";
  SkinIni ini(text);
  EXPECT_EQ(ini.SectionNames(), (std::vector<std::string>{"Version", "Other", "Empty"}));
  EXPECT_TRUE(ini.HasSection("version"));
  EXPECT_TRUE(ini.HasSection("EMPTY"));
  EXPECT_FALSE(ini.HasSection("stray"));
  // Keys match case-insensitively; the first one wins; values and names are trimmed.
  EXPECT_EQ(ini.ReadString("VERSION", "skinname", "?"), "默认win7");
  EXPECT_EQ(ini.ReadInteger("version", "COUNT", 0), 3);
  // A repeated section continues the first one.
  EXPECT_EQ(ini.ReadString("Version", "extra", "?"), "continued");
  // Lines before the first section, comments and lines without "=" never match.
  EXPECT_FALSE(ini.Find("Version", "stray"));
  EXPECT_FALSE(ini.Find("Version", "; a comment"));
  EXPECT_FALSE(ini.Find("Version", "noequals"));
  EXPECT_FALSE(ini.Find("Missing", "x"));
  EXPECT_EQ(ini.ReadString("Missing", "x", "d"), "d");
}

TEST(SkinIniText, LineBreaksOfEveryKindEndALine) {
  EXPECT_EQ(SplitSkinLines("a\r\nb\rc\nd"), (std::vector<std::string>{"a", "b", "c", "d"}));
  EXPECT_EQ(SplitSkinLines("a\n\nb\r\n"), (std::vector<std::string>{"a", "", "b"}));
  EXPECT_EQ(SplitSkinLines(""), std::vector<std::string>{});
}

TEST(SkinIniText, ListsAndLinesReadTheirCountedKeys) {
  SkinIni ini(
      "[PICTURES]\r\nactivepicturescount=3\r\n0=active.BMP\r\n2=last.bmp\r\n"
      "[L]\r\nsymbolslinecount=2\r\nsymbolsline0=abc\r\nsymbolsline1=def\r\n"
      "[Huge]\r\nxcount=2147483647\r\n0=first\r\n"
      "[Neg]\r\nxcount=-4\r\n0=first\r\n");
  std::vector<std::string> v;
  SkinKeyReader(ini, "PICTURES").List("activepictures", v);
  EXPECT_EQ(v, (std::vector<std::string>{"active.BMP", "", "last.bmp"}));
  SkinKeyReader(ini, "L").Lines("symbols", v);
  EXPECT_EQ(v, (std::vector<std::string>{"abc", "def"}));
  // A count from outside data is bounded, so a hostile count costs no more than the bound.
  SkinKeyReader(ini, "Huge").List("x", v);
  ASSERT_EQ(v.size(), std::size_t(kSkinMaxListCount));
  EXPECT_EQ(v[0], "first");
  SkinKeyReader(ini, "Neg").List("x", v);
  EXPECT_TRUE(v.empty());
  SkinKeyReader(ini, "Missing").List("x", v);
  EXPECT_TRUE(v.empty());
}

// A skin's font height is the platform's: a positive value is the character cell height, a
// negative one the character height. Read into a font and written back unchanged.
TEST(SkinFontHeight, PositiveIsTheCellHeightNegativeTheCharacterHeight) {
  struct Case {
    std::optional<std::string> value;
    int height;
    bool cell_height;
    std::string written;
  };
  const Case cases[] = {
      {"14", 14, true, "14"},
      {"-11", 11, false, "-11"},
      {std::nullopt, 14, true, "14"},  // the default, 14, is a cell height too
      {"0", 0, false, "0"},            // the platform's default size
      {"-2147483648", 2147483647, false, "-2147483647"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value.value_or("(none)"));
    std::string text = "[S]\r\nfontname=Arial\r\n";
    if (c.value) text += "fontheight=" + *c.value + "\r\n";
    SkinIni ini(text);
    SkinKeyReader r(ini, "S");
    FontAttrs f;
    r.Font("font", f);
    EXPECT_EQ(f.height, c.height);
    EXPECT_EQ(f.cell_height, c.cell_height);
    SkinIniWriter out;
    SkinKeyWriter w(out, "S");
    w.Font("font", f);
    SkinIni back(out.Text());
    EXPECT_EQ(back.ReadInteger("S", "fontheight", 12345), std::stoi(c.written));
  }
  EXPECT_TRUE(DefaultSkinFont().cell_height);
  EXPECT_EQ(DefaultSkinFont().height, 14);
}

TEST(SkinIniText, WriterOutputReadsBackInTheSameSyntax) {
  SkinIniWriter out;
  std::string name = "宋体";
  int height = -11;
  Color colour = 0xFF00000F;  // a system colour value keeps its bit pattern
  bool flag = true;
  Point p{8, 28};
  Rect r{7, 1, 697, 25};
  FontAttrs f;
  f.bold = true;
  f.underline = true;
  int command = static_cast<int>(SkinCommand::MinimizeToTray);
  std::vector<std::string> list{"a.bmp", "b.bmp"};
  SkinKeyWriter w(out, "S");
  w.Text("fontname", name);
  w.Integer("fontheight", height);
  w.Colour("fontcolor", colour);
  w.Flag("shadow", flag);
  w.PointValue("lefttoppoint", p);
  w.RectValue("captionrect", r);
  w.FontStyle("fontstyle", f);
  w.Choice("command", command, {"cmclose", "cmmaximize", "cmminimize", "cmsysmenu", "cmdefault", "cmrollup",
                                "cmminimizetotray"},
           4, 6);
  w.List("activepictures", list);

  SkinIni ini(out.Text());
  SkinKeyReader rd(ini, "s");
  std::string name2;
  int height2 = 0;
  Color colour2 = 0;
  bool flag2 = false;
  Point p2;
  Rect r2;
  FontAttrs f2;
  SkinCommand command2 = SkinCommand::Close;
  std::vector<std::string> list2;
  rd.Text("fontname", name2);
  rd.Integer("fontheight", height2);
  rd.Colour("fontcolor", colour2);
  rd.Flag("shadow", flag2);
  rd.PointValue("lefttoppoint", p2);
  rd.RectValue("captionrect", r2);
  rd.FontStyle("fontstyle", f2);
  rd.Command("command", command2);
  rd.List("activepictures", list2);
  EXPECT_EQ(name2, name);
  EXPECT_EQ(height2, height);
  EXPECT_EQ(colour2, colour);
  EXPECT_TRUE(flag2);
  EXPECT_EQ(p2, p);
  EXPECT_EQ(r2, r);
  EXPECT_TRUE(f2.bold && f2.underline && !f2.italic && !f2.strikeout);
  EXPECT_EQ(command2, SkinCommand::MinimizeToTray);
  EXPECT_EQ(list2, list);
  EXPECT_EQ(out.Text().find("\n[S]"), std::string::npos);  // one section, written once
}

}  // namespace
}  // namespace netscry
