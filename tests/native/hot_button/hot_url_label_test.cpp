// The link label's target, colours and what a click does, with a recording opener.
#include "controls/hot_button/hot_url_label.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace netscry {
namespace {

struct FakeOpener : UrlOpener {
  bool succeed = true;
  std::vector<std::string> opened, run;
  bool Open(const std::string& target) override {
    opened.push_back(target);
    return succeed;
  }
  void Run(const std::string& command_line) override { run.push_back(command_line); }
};

TEST(HotUrlLabel, TargetIsTheTrimmedUrlOrTheCaption) {
  struct Case {
    std::string url, caption, want;
  };
  const Case cases[] = {
      {"mailto:a@b.cn", "a@b.cn", "mailto:a@b.cn"},
      {"  mailto:a@b.cn \t", "x", "mailto:a@b.cn"},
      {"", "http://example.org/", "http://example.org/"},
      {"   ", "caption", "caption"},
      {"", "", ""},
  };
  for (const Case& c : cases) {
    HotUrlLabelModel m;
    m.url = c.url;
    m.caption = c.caption;
    EXPECT_EQ(m.Target(), c.want) << "[" << c.url << "]";
  }
}

TEST(HotUrlLabel, SuccessfulClickOpensOnceAndTurnsVisited) {
  FakeOpener opener;
  HotUrlLabelModel m;
  m.url = "mailto:someone@example.org";
  int own_clicks = 0;
  m.on_click = [&] {
    ++own_clicks;
    EXPECT_TRUE(opener.opened.empty() || opener.opened.size() == std::size_t(own_clicks - 1));  // raised first
  };
  EXPECT_EQ(m.TextColor(), Rgb(60, 60, 120));
  EXPECT_TRUE(m.Click(opener));
  EXPECT_EQ(opener.opened, std::vector<std::string>{"mailto:someone@example.org"});
  EXPECT_TRUE(m.visited);
  EXPECT_EQ(m.TextColor(), Rgb(130, 95, 70));
  // A second click opens again; the colour is already the visited one.
  EXPECT_FALSE(m.Click(opener));
  EXPECT_EQ(opener.opened.size(), 2u);
  EXPECT_EQ(own_clicks, 2);
  // A later failure never returns it to unvisited.
  opener.succeed = false;
  m.Click(opener);
  EXPECT_TRUE(m.visited);
  EXPECT_TRUE(opener.run.empty());
}

TEST(HotUrlLabel, FailureRunsTheOpenWithDialogOnlyForHtm) {
  struct Case {
    std::string target;
    bool dialog;
  };
  const Case cases[] = {
      {"mailto:someone@example.org", false},
      {"C:\\docs\\page.htm", true},
      {"C:\\docs\\PAGE.HTM", true},
      {"C:\\docs\\page.html", false},
      {"C:\\docs.htm\\page", false},
      {"page.HtM", true},
      {"C:\\a.htm\\", false},
  };
  for (const Case& c : cases) {
    FakeOpener opener;
    opener.succeed = false;
    HotUrlLabelModel m;
    m.url = c.target;
    EXPECT_FALSE(m.Click(opener));
    EXPECT_FALSE(m.visited) << c.target;
    EXPECT_EQ(opener.opened.size(), 1u) << c.target;
    EXPECT_EQ(opener.run, c.dialog ? std::vector<std::string>{kOpenAsHtmCommand} : std::vector<std::string>{})
        << c.target;
  }
  EXPECT_STREQ(kOpenAsHtmCommand, "RunDLL32.exe Shell32.dll,OpenAs_RunDLL *.htm");
}

TEST(HotUrlLabel, TheOpenAsCommandStartsRunDll32FromTheSystemDirectory) {
  struct Case {
    const char* dir;
    const char* command;
    const char* application;
    const char* line;
  };
  const Case cases[] = {
      {"C:\\Windows\\system32", kOpenAsHtmCommand, "C:\\Windows\\system32\\RunDLL32.exe",
       "\"C:\\Windows\\system32\\RunDLL32.exe\" Shell32.dll,OpenAs_RunDLL *.htm"},
      // A directory given with its backslash gets no second one.
      {"C:\\", "RunDLL32.exe x", "C:\\RunDLL32.exe", "\"C:\\RunDLL32.exe\" x"},
      {"D:\\Win Dir\\System32", "prog.exe", "D:\\Win Dir\\System32\\prog.exe",
       "\"D:\\Win Dir\\System32\\prog.exe\""},
      // Without a directory or a program nothing is started.
      {"", kOpenAsHtmCommand, "", ""},
      {"C:\\Windows\\system32", "", "", ""},
      {"C:\\Windows\\system32", " x", "", ""},
  };
  for (const Case& c : cases) {
    const SystemProgramCommand command = CommandFromSystemDir(c.dir, c.command);
    EXPECT_EQ(command.application, c.application) << c.dir << " | " << c.command;
    EXPECT_EQ(command.command_line, c.line) << c.dir << " | " << c.command;
  }
}

TEST(HotUrlLabel, BlankTargetOpensNothingButRaisesTheClick) {
  FakeOpener opener;
  HotUrlLabelModel m;
  m.url = "  ";
  m.caption = " ";
  int own = 0;
  m.on_click = [&] { ++own; };
  EXPECT_FALSE(m.Click(opener));
  EXPECT_EQ(own, 1);
  EXPECT_TRUE(opener.opened.empty());
  EXPECT_FALSE(m.visited);
}

TEST(HotUrlLabel, ExtensionsRespectDoubleByteCharacters) {
  struct Case {
    std::string path, want;
  };
  const Case cases[] = {
      {"a.htm", ".htm"},
      {"dir.x\\name", ""},
      {"mailto:a@b.cn", ".cn"},
      {"http://x.org/", ""},
      {"noext", ""},
      {"a.b\x81\\c", ".b\x81\\c"},  // 0x5C after a lead byte is a trail byte, not a separator
      {"a.b\xD5", ".b\xD5"},         // a lone lead byte at the end is one character
  };
  for (const Case& c : cases) EXPECT_EQ(FileExtensionOf(c.path), c.want) << c.path;
}

TEST(HotUrlLabel, BlinkColourOnlyWhileBlinking) {
  HotUrlLabelModel m;
  EXPECT_FALSE(m.ToggleBlink());
  EXPECT_EQ(m.TextColor(), m.colors.unvisited);
  m.blinking = true;
  EXPECT_TRUE(m.ToggleBlink());
  EXPECT_EQ(m.TextColor(), Rgb(0, 0, 255));
  EXPECT_TRUE(m.ToggleBlink());
  EXPECT_EQ(m.TextColor(), m.colors.unvisited);
  m.ToggleBlink();
  m.blinking = false;
  EXPECT_EQ(m.TextColor(), m.colors.unvisited);  // stopping ends the blink colour at once
}

TEST(HotUrlLabel, PressTrackerClicksOnlyOnReleaseInside) {
  LinkPressTracker t;
  EXPECT_FALSE(t.Release({5, 5}, {119, 13}));  // no press
  t.Press();
  EXPECT_TRUE(t.Release({5, 5}, {119, 13}));
  t.Press();
  EXPECT_FALSE(t.Release({119, 5}, {119, 13}));
  t.Press();
  t.Cancel();
  EXPECT_FALSE(t.Release({5, 5}, {119, 13}));
}

}  // namespace
}  // namespace netscry
