#pragma once
// Small value types shared by the list control's model, header and painting.
#include <cstdint>
#include <initializer_list>

#include "base/color.h"
#include "base/geometry.h"

namespace netscry {

struct TreeNode;
using PTreeNode = TreeNode*;

using TColumnIndex = int;
constexpr TColumnIndex NoColumn = -1;

enum TSortDirection : int { sdAscending = 0, sdDescending = 1 };
enum class TTreeImageKind { ikNormal, ikSelected, ikState, ikOverlay };
enum class TTreeTextType { ttNormal, ttStatic };
enum class TAlignment { taLeftJustify, taRightJustify, taCenter };
enum class TMouseButton { mbLeft, mbRight, mbMiddle };

struct TShiftState {
  bool Shift = false;
  bool Ctrl = false;
  bool Alt = false;
  friend bool operator==(const TShiftState&, const TShiftState&) = default;
};

// Column options: one bit per option, stored as a 16-bit value so that the numbers the program
// assigns (2293, 2165) keep their meaning.
enum TColumnOption : int {
  coAllowClick = 0,
  coDraggable = 1,
  coEnabled = 2,
  coParentBidiMode = 3,
  coParentColor = 4,
  coResizable = 5,
  coShowDropMark = 6,
  coVisible = 7,
  coAutoSpring = 8,
  coFixed = 9,
  coSmartResize = 10,
  coAllowFocus = 11,
  coDisableAnimatedResize = 12,
  coWrapCaption = 13,
  coUseCaptionAlignment = 14,
};

class TColumnOptions {
 public:
  constexpr TColumnOptions() = default;
  constexpr TColumnOptions(std::initializer_list<TColumnOption> options) {
    for (TColumnOption o : options) bits_ = std::uint16_t(bits_ | (1u << o));
  }
  static constexpr TColumnOptions FromValue(std::uint16_t value) {
    TColumnOptions r;
    r.bits_ = value;
    return r;
  }
  constexpr std::uint16_t Value() const { return bits_; }
  constexpr bool Has(TColumnOption o) const { return (bits_ >> o) & 1u; }
  constexpr TColumnOptions With(TColumnOption o) const { return FromValue(std::uint16_t(bits_ | (1u << o))); }
  constexpr TColumnOptions Without(TColumnOption o) const { return FromValue(std::uint16_t(bits_ & ~(1u << o))); }
  friend constexpr bool operator==(TColumnOptions, TColumnOptions) = default;

 private:
  std::uint16_t bits_ = 0;
};

// What a header click reports to OnHeaderClick.
struct TTreeHeaderHitInfo {
  TColumnIndex Column = NoColumn;
  TMouseButton Button = TMouseButton::mbLeft;
  TShiftState Shift;
};

// A popup menu as the program knows it; the control only passes it on to be shown.
using TPopupMenu = const void*;

// Keys the rows area reacts to (characters arrive separately).
enum class TListKey { Up, Down, PageUp, PageDown, Home, End, Left, Right, Apps, Escape, Other };

// Colours of the list; the system colours are filled in by the platform glue.
struct TTreeColors {
  Color Background = kWhite;
  Color FocusedSelectionColor = 4227072;
  Color FocusedSelectionBorderColor = 4227072;
  Color UnfocusedSelectionColor = 4227072;
  Color UnfocusedSelectionBorderColor = 4227072;
  Color GridLineColor = Rgb(153, 180, 209);  // the active caption colour; the glue asks the system
  Color HeaderHotColor = Rgb(0, 0, 255);
  Color WindowText = kBlack;
  Color HighlightText = kWhite;
  Color HeaderText = kBlack;
};

}  // namespace netscry
