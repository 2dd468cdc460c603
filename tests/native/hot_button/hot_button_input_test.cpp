// The button's mouse and keyboard state machine, driven by sequences of events.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/hot_button/hot_button.h"

namespace netscry {
namespace {

constexpr Size kClient{80, 26};
constexpr Point kIn{40, 13};
constexpr Point kOut{100, 13};
constexpr Point kEdgeOut{80, 25};  // right and bottom edges are outside

enum class Ev { Move, Leave, Down, Up, CaptureLost, SpaceDown, AltSpaceDown, SpaceUp, Enter, OtherKey, Focus, Blur,
                Disable, Enable };

struct Step {
  Ev ev;
  Point at{};
};

// The glue's part: focus follows take_focus; effects' clicks are counted.
struct Driver {
  HotButtonInput in;
  int clicks = 0;
  bool captured = false;
  bool focus_allowed = true;

  void Apply(const HotButtonEffects& e) {
    if (e.capture) captured = true;
    if (e.release_capture) captured = false;
    if (e.take_focus && focus_allowed) Apply(in.FocusChanged(true));
    if (e.click) ++clicks;
  }
  void Run(const Step& s) {
    switch (s.ev) {
      case Ev::Move: Apply(in.MouseMove(s.at, kClient)); break;
      case Ev::Leave: Apply(in.MouseLeave()); break;
      case Ev::Down: Apply(in.LeftDown(s.at, kClient)); break;
      case Ev::Up: Apply(in.LeftUp(s.at, kClient)); break;
      case Ev::CaptureLost: captured = false; Apply(in.CaptureLost()); break;
      case Ev::SpaceDown: Apply(in.KeyDown(HotButtonKey::kSpace, false)); break;
      case Ev::AltSpaceDown: Apply(in.KeyDown(HotButtonKey::kSpace, true)); break;
      case Ev::SpaceUp: Apply(in.KeyUp(HotButtonKey::kSpace)); break;
      case Ev::Enter: Apply(in.KeyDown(HotButtonKey::kEnter, false)); break;
      case Ev::OtherKey: Apply(in.KeyDown(HotButtonKey::kOther, false)); Apply(in.KeyUp(HotButtonKey::kOther)); break;
      case Ev::Focus: Apply(in.FocusChanged(true)); break;
      case Ev::Blur: Apply(in.FocusChanged(false)); break;
      case Ev::Disable: Apply(in.SetEnabled(false)); break;
      case Ev::Enable: Apply(in.SetEnabled(true)); break;
    }
  }
};

struct Sequence {
  const char* name;
  std::vector<Step> steps;
  int clicks;
  HotButtonVisual final_visual;  // enabled, pressed, hot, focused
  bool captured = false;
};

TEST(HotButtonInput, Sequences) {
  const Sequence cases[] = {
      {"hover shows hot", {{Ev::Move, kIn}}, 0, {true, false, true, false}},
      {"hover then leave", {{Ev::Move, kIn}, {Ev::Leave}}, 0, {true, false, false, false}},
      {"move to the right edge is outside", {{Ev::Move, kIn}, {Ev::Move, kEdgeOut}}, 0, {true, false, false, false}},
      {"press takes focus and shows pressed", {{Ev::Move, kIn}, {Ev::Down, kIn}}, 0, {true, true, true, true}, true},
      {"click", {{Ev::Move, kIn}, {Ev::Down, kIn}, {Ev::Up, kIn}}, 1, {true, false, true, true}},
      {"press, out, release: nothing", {{Ev::Down, kIn}, {Ev::Move, kOut}, {Ev::Up, kOut}}, 0, {true, false, false, true}},
      {"press, out shows raised focused face", {{Ev::Down, kIn}, {Ev::Move, kOut}}, 0, {true, false, false, true}, true},
      {"press, out, back in, release: click",
       {{Ev::Down, kIn}, {Ev::Move, kOut}, {Ev::Move, kIn}, {Ev::Up, kIn}}, 1, {true, false, true, true}},
      {"press, out, back in shows pressed", {{Ev::Down, kIn}, {Ev::Move, kOut}, {Ev::Move, kIn}}, 0,
       {true, true, true, true}, true},
      {"release without press: nothing", {{Ev::Move, kIn}, {Ev::Up, kIn}}, 0, {true, false, true, false}},
      {"capture lost cancels the press", {{Ev::Down, kIn}, {Ev::CaptureLost}, {Ev::Up, kIn}}, 0,
       {true, false, true, true}},
      {"two clicks", {{Ev::Down, kIn}, {Ev::Up, kIn}, {Ev::Down, kIn}, {Ev::Up, kIn}}, 2, {true, false, true, true}},
      {"space press shows pressed", {{Ev::Focus}, {Ev::SpaceDown}}, 0, {true, true, false, true}},
      {"space release clicks", {{Ev::Focus}, {Ev::SpaceDown}, {Ev::SpaceUp}}, 1, {true, false, false, true}},
      {"space auto-repeat clicks once", {{Ev::Focus}, {Ev::SpaceDown}, {Ev::SpaceDown}, {Ev::SpaceDown}, {Ev::SpaceUp}},
       1, {true, false, false, true}},
      {"alt+space does nothing", {{Ev::Focus}, {Ev::AltSpaceDown}, {Ev::SpaceUp}}, 0, {true, false, false, true}},
      {"space up alone does nothing", {{Ev::Focus}, {Ev::SpaceUp}}, 0, {true, false, false, true}},
      {"losing focus with space held: no click", {{Ev::Focus}, {Ev::SpaceDown}, {Ev::Blur}, {Ev::SpaceUp}}, 0,
       {true, false, false, false}},
      {"enter clicks when focused", {{Ev::Focus}, {Ev::Enter}, {Ev::Enter}}, 2, {true, false, false, true}},
      {"enter without focus does nothing", {{Ev::Enter}}, 0, {true, false, false, false}},
      {"other keys do nothing", {{Ev::Focus}, {Ev::OtherKey}}, 0, {true, false, false, true}},
      {"disabled ignores the mouse", {{Ev::Disable}, {Ev::Move, kIn}, {Ev::Down, kIn}, {Ev::Up, kIn}}, 0,
       {false, false, false, false}},
      {"disabled ignores space and enter", {{Ev::Focus}, {Ev::Disable}, {Ev::SpaceDown}, {Ev::SpaceUp}, {Ev::Enter}},
       0, {false, false, false, true}},
      {"disabling mid-press releases without click",
       {{Ev::Move, kIn}, {Ev::Down, kIn}, {Ev::Disable}, {Ev::Up, kIn}}, 0, {false, false, false, true}},
      {"disabling with space held: no click", {{Ev::Focus}, {Ev::SpaceDown}, {Ev::Disable}, {Ev::SpaceUp}}, 0,
       {false, false, false, true}},
      {"enabled again: hot after the next move", {{Ev::Move, kIn}, {Ev::Disable}, {Ev::Enable}, {Ev::Move, kIn}}, 0,
       {true, false, true, false}},
      {"focus ring only: focused, not over", {{Ev::Focus}}, 0, {true, false, false, true}},
  };
  for (const Sequence& c : cases) {
    Driver d;
    for (const Step& s : c.steps) d.Run(s);
    EXPECT_EQ(d.clicks, c.clicks) << c.name;
    const HotButtonVisual v = d.in.Visual();
    EXPECT_EQ(v.enabled, c.final_visual.enabled) << c.name;
    EXPECT_EQ(v.pressed, c.final_visual.pressed) << c.name;
    EXPECT_EQ(v.hot, c.final_visual.hot) << c.name;
    EXPECT_EQ(v.focused, c.final_visual.focused) << c.name;
    EXPECT_EQ(d.captured, c.captured) << c.name;
  }
}

TEST(HotButtonInput, PressedFaceNeedsTheFocus) {
  Driver d;
  d.focus_allowed = false;  // the focus went elsewhere during the press
  d.Run({Ev::Down, kIn});
  EXPECT_FALSE(d.in.Visual().pressed);
  EXPECT_TRUE(d.captured);
  d.Run({Ev::Up, kIn});
  EXPECT_EQ(d.clicks, 1);  // the release inside still completes the click
}

TEST(HotButtonInput, EffectsOfEachEvent) {
  HotButtonInput in;
  EXPECT_EQ(in.MouseMove(kIn, kClient), (HotButtonEffects{true, false, false, false, false}));
  EXPECT_EQ(in.MouseMove(kIn, kClient), HotButtonEffects{});  // no change, no repaint
  EXPECT_EQ(in.LeftDown(kIn, kClient), (HotButtonEffects{true, true, true, false, false}));
  EXPECT_EQ(in.LeftUp(kIn, kClient), (HotButtonEffects{true, false, false, true, true}));
  EXPECT_EQ(in.CaptureLost(), HotButtonEffects{});  // after our own release
  EXPECT_EQ(in.SetEnabled(true), HotButtonEffects{});
  EXPECT_EQ(in.SetEnabled(false), (HotButtonEffects{true, false, false, false, false}));
}

TEST(HotButtonInput, ThemedFaceStatePrecedence) {
  struct Case {
    HotButtonVisual v;
    ThemedFace want;
  };
  const Case cases[] = {
      {{false, false, false, true}, ThemedFace::kDisabled},
      {{true, true, true, true}, ThemedFace::kPressed},
      {{true, false, true, true}, ThemedFace::kHot},
      {{true, false, false, true}, ThemedFace::kDefaulted},
      {{true, false, false, false}, ThemedFace::kNormal},
  };
  for (const Case& c : cases) EXPECT_EQ(ThemedFaceOf(c.v), c.want);
}

}  // namespace
}  // namespace netscry
